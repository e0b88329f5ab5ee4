// Sums, moments and value extremes of a window.
#include "fast_rows.h"

using namespace qd::prcs;

namespace {

// Visits the real parts, columns outer, in the order that fixes the sums.
template <class F> void scanReal(MTHANDLE src, F f) {
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    withView(src, [&](auto in) {
        for (int32_t x = 0; x < w; ++x) {
            for (int32_t y = 0; y < h; ++y) f(in.get(x, y));
            ProcessMessage();
        }
    });
}

template <class F> void scanComplex(MTHANDLE src, F f) {
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    for (int32_t x = 0; x < w; ++x) {
        for (int32_t y = 0; y < h; ++y) f(MTComplex(src, x, y));
        ProcessMessage();
    }
}

struct Range {
    double min = kSentinel;
    double max = -kSentinel;
    void add(double v) {
        if (v < min) min = v;
        if (v > max) max = v;
    }
};

void put(double* p, double v) {
    if (p) *p = v;
}

int32_t putRange(double* min, double* max, double lo, double hi) {
    put(min, lo);
    put(max, hi);
    return 1;
}

struct Moments {
    double sum = 0.0, squares = 0.0;
    Range range;
};

// Integers whose sums stay below 2^53 add up exactly in any order, so they
// are summed along rows in 64-bit integers; the extremes of integers do not
// depend on the order either.
template <class T> bool integerMoments(MTHANDLE src, Moments& m) {
    if constexpr (!std::is_integral_v<T>) {
        return false;
    } else {
        const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
        const double top = std::max(-double(std::numeric_limits<T>::min()), double(std::numeric_limits<T>::max()));
        if (double(w) * double(h) * top * top >= 9007199254740992.0) return false;
        int64_t sum = 0, squares = 0;
        T lo = std::numeric_limits<T>::max(), hi = std::numeric_limits<T>::min();
        const WindowRows<T> rows = rowsOf<T>(src);
        SpreadPump pump(w, h);
        for (int32_t y = 0; y < h; ++y) {
            const T* r = rows[y];
            for (int32_t x = 0; x < w; ++x) {
                const int64_t v = r[x];
                sum += v;
                squares += v * v;
                lo = std::min(lo, r[x]);
                hi = std::max(hi, r[x]);
            }
            pump.afterRow(y);
        }
        m.sum = double(sum);
        m.squares = double(squares);
        m.range.min = lo;
        m.range.max = hi;
        return true;
    }
}

Moments moments(MTHANDLE src) {
    Moments m;
    bool exact = false;
    withRowType(src, [&](auto t) { exact = integerMoments<decltype(t)>(src, m); });
    if (!exact)
        scanReal(src, [&](double v) {
            m.sum += v;
            m.squares += v * v;
            m.range.add(v);
        });
    return m;
}

double pixelCount(MTHANDLE src) { return double(MTGetWidth(src)) * double(MTGetHeight(src)); }

} // namespace

extern "C" {

int32_t Sum2D(MTHANDLE src, double* sum) noexcept {
    if (refusedSource(src)) return 0;
    put(sum, moments(src).sum);
    return 1;
}

int32_t Mean2D(MTHANDLE src, double* mean, double* variance) noexcept {
    if (refusedSource(src)) return 0;
    const Moments mo = moments(src);
    const double n = pixelCount(src), m = mo.sum / n;
    put(mean, m);
    put(variance, mo.squares / n - m * m);
    return 1;
}

int32_t Statistics2D(MTHANDLE src, StatisticsRecord* stats) noexcept {
    if (refusedSource(src)) return 0;
    const Moments m = moments(src);
    if (stats) {
        const double n = pixelCount(src), s = m.sum;
        *stats = {s, s / n, m.squares / n - (s * s) / (n * n), m.range.min, m.range.max};
    }
    return 1;
}

int32_t MinMaxReal2D(MTHANDLE src, double* min, double* max) noexcept {
    if (refusedSource(src)) return 0;
    const Range r = moments(src).range;
    return putRange(min, max, r.min, r.max);
}

int32_t MinMaxImag2D(MTHANDLE src, double* min, double* max) noexcept {
    if (refusedSource(src)) return 0;
    if (!MTIsComplex(src)) return putRange(min, max, 0.0, 0.0);
    Range r;
    scanComplex(src, [&](MTCOMPLEX c) { r.add(c.im); });
    return putRange(min, max, r.min, r.max);
}

int32_t MinMaxNorm2D(MTHANDLE src, double* min, double* max) noexcept {
    if (refusedSource(src)) return 0;
    Range r;
    if (MTIsComplex(src)) {
        scanComplex(src, [&](MTCOMPLEX c) { r.add(c.re * c.re + c.im * c.im); });
        return putRange(min, max, std::sqrt(r.min), std::sqrt(r.max));
    }
    const Range real = moments(src).range;
    const double mn = real.min, mx = real.max;
    if (mn < 0 && mx < 0) return putRange(min, max, -mx, -mn);
    if (mn < 0) return putRange(min, max, std::fmin(-mn, mx), std::fmax(-mn, mx));
    return putRange(min, max, mn, mx);
}

} // extern "C"
