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

// Adds K terms to each pixel's running sum, one after the other as on the
// element path. The first pass starts the sums at 0, the last one stores
// them narrowed to float. Nine terms, a whole 3 x 3 kernel, fit one pass,
// so the sum stays in a register.
constexpr size_t kTermsPerPass = 9;

template <int K, bool First, bool Last>
QD_ROW_KERNEL void termPass(double* __restrict a, float* __restrict o, const double* const* p, const double* wt,
                            int32_t w) {
    // Separate restrict pointers: an array of them would not tell the
    // compiler that the rows and the sums never overlap.
    const double* __restrict q0 = p[0];
    const double* __restrict q1 = p[K > 1 ? 1 : 0];
    const double* __restrict q2 = p[K > 2 ? 2 : 0];
    const double* __restrict q3 = p[K > 3 ? 3 : 0];
    const double* __restrict q4 = p[K > 4 ? 4 : 0];
    const double* __restrict q5 = p[K > 5 ? 5 : 0];
    const double* __restrict q6 = p[K > 6 ? 6 : 0];
    const double* __restrict q7 = p[K > 7 ? 7 : 0];
    const double* __restrict q8 = p[K > 8 ? 8 : 0];
    for (int32_t x = 0; x < w; ++x) {
        double v = First ? 0.0 : a[x];
        v += wt[0] * q0[x];
        if constexpr (K > 1) v += wt[1] * q1[x];
        if constexpr (K > 2) v += wt[2] * q2[x];
        if constexpr (K > 3) v += wt[3] * q3[x];
        if constexpr (K > 4) v += wt[4] * q4[x];
        if constexpr (K > 5) v += wt[5] * q5[x];
        if constexpr (K > 6) v += wt[6] * q6[x];
        if constexpr (K > 7) v += wt[7] * q7[x];
        if constexpr (K > 8) v += wt[8] * q8[x];
        if constexpr (Last) o[x] = float(v);
        else a[x] = v;
    }
}

template <int K> void termPass(bool first, bool last, double* a, float* o, const double* const* p, const double* wt,
                               int32_t w) {
    if (first && last) termPass<K, true, true>(a, o, p, wt, w);
    else if (first) termPass<K, true, false>(a, o, p, wt, w);
    else if (last) termPass<K, false, true>(a, o, p, wt, w);
    else termPass<K, false, false>(a, o, p, wt, w);
}

template <int K = kTermsPerPass>
void termPassOf(size_t k, bool first, bool last, double* a, float* o, const double* const* p, const double* wt,
                int32_t w) {
    if constexpr (K > 1) {
        if (k < size_t(K)) return termPassOf<K - 1>(k, first, last, a, o, p, wt, w);
    }
    termPass<K>(first, last, a, o, p, wt, w);
}

// Rows outer with one running sum per pixel of the row: every pixel still
// adds its terms in list order, in double, so the sums are the same bits.
template <class T>
void correlateRows(MTHANDLE src, MTHANDLE out, int32_t w, int32_t h, const std::vector<Term>& terms) {
    int32_t reach = 0;
    for (const Term& t : terms) reach = std::max({reach, std::abs(t.dx), std::abs(t.dy)});
    // Each source row is turned into doubles once, not once per term.
    ClampedRows<double, T> rows(rowsOf<T>(src), w, h, reach, reach, 2 * reach + 1);
    std::vector<double> acc(size_t(w), 0.0), wts(terms.size());
    std::vector<const double*> p(terms.size());
    for (size_t i = 0; i < terms.size(); ++i) wts[i] = terms[i].w;
    const WindowRows<float> dst = rowsOf<float>(out);
    SpreadPump pump(w, h);
    for (int32_t y = 0; y < h; ++y) {
        for (size_t i = 0; i < terms.size(); ++i) p[i] = rows.row(y + terms[i].dy) + terms[i].dx;
        if (terms.empty()) std::fill(dst[y], dst[y] + w, 0.0f);
        for (size_t i = 0; i < terms.size(); i += kTermsPerPass) {
            const size_t k = std::min(kTermsPerPass, terms.size() - i);
            const bool first = i == 0, last = i + k == terms.size();
            termPassOf(k, first, last, acc.data(), dst[y], p.data() + i, wts.data() + i, w);
        }
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
