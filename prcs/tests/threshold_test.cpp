// Maximum-entropy threshold on short histograms worked by hand, and on
// random ones against a direct reading of the rule.
#include <qd/memobj.h>
#include <qd/prcs.h>

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

int32_t threshold(const std::vector<double>& bins) {
    ARHANDLE ar = ARCreate(int32_t(bins.size()), MT_DOUBLE);
    for (size_t i = 0; i < bins.size(); ++i) ARSetReal(ar, int32_t(i), bins[i]);
    const int32_t t = ThresholdPun(ar);
    ARDestroy(ar);
    return t;
}

// The rule as read: entropies of both sides in double, stored as float,
// lowest t among equal stored values.
int32_t reference(const std::vector<double>& h) {
    const auto m = int32_t(h.size());
    if (m < 3) return 0;
    double total = 0;
    for (double v : h) total += v;
    float best = -1e30f;
    int32_t bestT = 0;
    for (int32_t t = 1; t <= m - 2; ++t) {
        double p = 0;
        for (int32_t l = 0; l < t; ++l) p += h[size_t(l)];
        double hb = 0, hw = 0;
        for (int32_t l = 0; l < m; ++l) {
            if (!(h[size_t(l)] > 1e-10)) continue;
            const double share = l < t ? h[size_t(l)] / p : h[size_t(l)] / (total - p);
            (l < t ? hb : hw) -= share * std::log(share);
        }
        const auto e = float(hb + hw);
        if (e > best) {
            best = e;
            bestT = t;
        }
    }
    return bestT;
}

} // namespace

TEST(ThresholdPun, ShortHistogramsByHand) {
    // t = 1: 0 + ln 3; t = 2: ln 2 + ln 2, the larger.
    EXPECT_EQ(threshold({1, 1, 1, 1}), 2);
    // t = 2 and t = 3 both give ln 2 + ln 3: the lower wins.
    EXPECT_EQ(threshold({1, 1, 1, 1, 1}), 2);
    // A single non-zero bin gives 0 everywhere: the lowest candidate.
    EXPECT_EQ(threshold({0, 0, 7, 0, 0}), 1);
    // Empty bins contribute nothing: only t = 1 splits nothing off (ln 2).
    EXPECT_EQ(threshold({0, 4, 0, 0, 4, 0}), 1);
    // The last bin is never a candidate.
    EXPECT_EQ(threshold({1, 1, 5}), 1);
    EXPECT_EQ(threshold({3, 9}), 0);
    EXPECT_EQ(threshold({}), 0);
    EXPECT_EQ(ThresholdPun(nullptr), 0);
}

TEST(ThresholdPun, RandomHistogramsFollowTheRule) {
    std::mt19937 rng(7);
    for (int32_t round = 0; round < 200; ++round) {
        std::vector<double> h(size_t(3 + rng() % 60));
        for (double& v : h) v = rng() % 3 == 0 ? 0.0 : double(rng() % 50);
        EXPECT_EQ(threshold(h), reference(h)) << "round " << round;
    }
}
