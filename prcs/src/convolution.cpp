// Correlation with a convolution kernel's weights, edges replicated.
#include "fast_rows.h"


namespace qd::prcs {
namespace {

struct Term {
    int32_t dx;
    int32_t dy;
    double w;
};

// Scaled weights, dy from -h up and dx from -h up within it; near-zero
// weights are dropped. The order fixes the order of the sums.
std::vector<Term> convolutionTerms(int32_t n, const double* weights, double divisor) {
    const double s = std::fabs(divisor) >= 1e-10 ? 1.0 / divisor : 1.0;
    const int32_t h = n / 2;
    std::vector<Term> terms;
    for (int32_t dy = -h; dy <= h; ++dy)
        for (int32_t dx = -h; dx <= h; ++dx) {
            const double w = weights[int64_t(h - dy) * n + (dx + h)] * s;
            if (w > 1e-13 || w < -1e-13) terms.push_back({dx, dy, w});
        }
    return terms;
}

template <class In, class Out>
void correlate(const In& in, const Out& out, int32_t w, int32_t h, const std::vector<Term>& terms) {
    std::vector<int32_t> cols(terms.size());
    for (int32_t x = 0; x < w; ++x) {
        for (size_t i = 0; i < terms.size(); ++i) cols[i] = clampIndex(x + terms[i].dx, w);
        for (int32_t y = 0; y < h; ++y) {
            double sum = 0.0;
            for (size_t i = 0; i < terms.size(); ++i)
                sum += terms[i].w * in.get(cols[i], clampIndex(y + terms[i].dy, h));
            out.set(x, y, sum);
        }
        ProcessMessage();
    }
}

template <class T> QD_ROW_KERNEL void addTerm(double* __restrict a, const T* __restrict p, double wt, int32_t w) {
    for (int32_t x = 0; x < w; ++x) a[x] += wt * double(p[x]);
}

// Three terms in one pass, added one after the other as on the element path.
template <class T>
QD_ROW_KERNEL void addThreeTerms(double* __restrict a, const T* __restrict p0, const T* __restrict p1,
                                 const T* __restrict p2, const double* wt, int32_t w) {
    const double w0 = wt[0], w1 = wt[1], w2 = wt[2];
    for (int32_t x = 0; x < w; ++x) {
        double v = a[x];
        v += w0 * double(p0[x]);
        v += w1 * double(p1[x]);
        v += w2 * double(p2[x]);
        a[x] = v;
    }
}

template <class T> QD_ROW_KERNEL void narrowRow(float* __restrict o, const double* __restrict a, int32_t w) {
    for (int32_t x = 0; x < w; ++x) o[x] = float(a[x]);
}

// Rows outer with one running sum per pixel of the row: every pixel still
// adds its terms in list order, in double, so the sums are the same bits.
template <class T>
void correlateRows(MTHANDLE src, MTHANDLE out, int32_t w, int32_t h, const std::vector<Term>& terms) {
    int32_t reach = 0;
    for (const Term& t : terms) reach = std::max({reach, std::abs(t.dx), std::abs(t.dy)});
    ClampedRows<T> rows(rowsOf<T>(src), w, h, reach, reach, 2 * reach + 1);
    std::vector<double> acc(size_t(w), 0.0), wts(terms.size());
    std::vector<const T*> p(terms.size());
    for (size_t i = 0; i < terms.size(); ++i) wts[i] = terms[i].w;
    float* const* dst = rowsOf<float>(out);
    SpreadPump pump(w, h);
    for (int32_t y = 0; y < h; ++y) {
        std::fill(acc.begin(), acc.end(), 0.0);
        for (size_t i = 0; i < terms.size(); ++i) p[i] = rows.row(y + terms[i].dy) + terms[i].dx;
        size_t i = 0;
        for (; i + 3 <= terms.size(); i += 3) addThreeTerms(acc.data(), p[i], p[i + 1], p[i + 2], wts.data() + i, w);
        for (; i < terms.size(); ++i) addTerm(acc.data(), p[i], wts[i], w);
        narrowRow<T>(dst[y], acc.data(), w);
        pump.afterRow(y);
    }
}

} // namespace
} // namespace qd::prcs

using namespace qd::prcs;

extern "C" MTHANDLE SimpleConvolution2D(MTHANDLE src, int32_t N, const double* weights,
                                        double divisor, MTHANDLE dst) noexcept {
    // The kernel needs a centre: even and empty dimensions are refused.
    if (refusedSource(src) || !weights || N < 1 || N % 2 == 0) return refuse(dst, {src});
    return filterInto(src, MT_FLOAT, dst, [&](MTHANDLE in, MTHANDLE out) {
        const int32_t w = MTGetWidth(in), h = MTGetHeight(in);
        const std::vector<Term> terms = convolutionTerms(N, weights, divisor);
        const bool rowPath =
            wholeWindow(out) && withRowType(in, [&](auto t) { correlateRows<decltype(t)>(in, out, w, h, terms); });
        if (!rowPath) correlate(MatrixView{in}, MatrixView{out}, w, h, terms);
    });
}
