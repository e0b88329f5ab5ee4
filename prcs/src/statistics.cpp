// Sums, moments and value extremes of a window.
#include "prcs_rules.h"

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

double pixelCount(MTHANDLE src) { return double(MTGetWidth(src)) * double(MTGetHeight(src)); }

} // namespace

extern "C" {

int32_t Sum2D(MTHANDLE src, double* sum) noexcept {
    if (refusedSource(src)) return 0;
    double s = 0.0;
    scanReal(src, [&](double v) { s += v; });
    put(sum, s);
    return 1;
}

int32_t Mean2D(MTHANDLE src, double* mean, double* variance) noexcept {
    if (refusedSource(src)) return 0;
    double s = 0.0, sq = 0.0;
    scanReal(src, [&](double v) {
        s += v;
        sq += v * v;
    });
    const double n = pixelCount(src), m = s / n;
    put(mean, m);
    put(variance, sq / n - m * m);
    return 1;
}

int32_t Statistics2D(MTHANDLE src, StatisticsRecord* stats) noexcept {
    if (refusedSource(src)) return 0;
    double s = 0.0, sq = 0.0;
    Range r;
    scanReal(src, [&](double v) {
        s += v;
        sq += v * v;
        r.add(v);
    });
    if (stats) {
        const double n = pixelCount(src);
        *stats = {s, s / n, sq / n - (s * s) / (n * n), r.min, r.max};
    }
    return 1;
}

int32_t MinMaxReal2D(MTHANDLE src, double* min, double* max) noexcept {
    if (refusedSource(src)) return 0;
    Range r;
    scanReal(src, [&](double v) { r.add(v); });
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
    scanReal(src, [&](double v) { r.add(v); });
    const double mn = r.min, mx = r.max;
    if (mn < 0 && mx < 0) return putRange(min, max, -mx, -mn);
    if (mn < 0) return putRange(min, max, std::fmin(-mn, mx), std::fmax(-mn, mx));
    return putRange(min, max, mn, mx);
}

} // extern "C"
