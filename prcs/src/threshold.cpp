// Maximum-entropy threshold of a histogram.
#include "prcs_rules.h"

#include <cfloat>
#include <new>
#include <vector>

namespace {

// Entropy of the bins [from, to) as a distribution of their own total.
double entropy(const std::vector<double>& h, int32_t from, int32_t to, double total) {
    double e = 0;
    for (int32_t l = from; l < to; ++l) {
        if (h[size_t(l)] > 1e-10) {
            const double p = h[size_t(l)] / total;
            e -= p * std::log(p);
        }
    }
    return e;
}

// The table keeps single precision, and the search runs over the stored values.
float toSingle(double v) {
    if (!(v == v)) return float(v);
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return float(v);
}

} // namespace

extern "C" int32_t ThresholdPun(ARHANDLE hist) noexcept {
    if (!hist) return 0;
    // The window length: the element count unless a window is set.
    const int32_t m = ARGetWidth(hist);
    if (m < 3) return 0;
    try {
        std::vector<double> h(static_cast<size_t>(m));
        double total = 0;
        for (int32_t i = 0; i < m; ++i) total += h[size_t(i)] = ARReal(hist, i);
        std::vector<float> table(size_t(m), 0.0f);
        double below = 0;
        for (int32_t t = 1; t < m; ++t) {
            below += h[size_t(t) - 1];
            table[size_t(t)] = toSingle(entropy(h, 0, t, below) + entropy(h, t, m, total - below));
        }
        double best = -1e300;
        int32_t result = 0;
        for (int32_t t = 1; t <= m - 2; ++t)
            if (table[size_t(t)] > best) {
                best = table[size_t(t)];
                result = t;
            }
        return result;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}
