#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

#include <qd/fourier.h>
#include <qd/memobj.h>

#include "reference.h"

namespace {

const double kC = std::sqrt(2.0) - 1.0;

MTHANDLE impulse(int w, int h) {
    MTHANDLE m = MTCreate(w, h, MT_FLOAT);
    MTSetReal(m, 0, 0, 1.0);
    return m;
}

double coordinate(int k, int n) {
    return n / 2 == 0 ? 0.0 : (k - n / 2) / static_cast<double>(n / 2);
}

double radius(int x, int y, int w, int h) { return std::hypot(coordinate(x, w), coordinate(y, h)); }

// Table step of a radius: nearest multiple of 2/M, halves up.
int step(double r, int m) { return static_cast<int>(std::floor(m * r / 2 + 0.5)); }

// An impulse has a flat spectrum of 1, so the spectrum of the filtered
// impulse is the filter's gain at every element.
void expectGain(MTHANDLE filtered, const std::function<double(int, int)>& gain, const char* what) {
    ASSERT_NE(filtered, nullptr) << what;
    const int w = MTGetWidth(filtered), h = MTGetHeight(filtered);
    MTHANDLE s = Ft2D(filtered, nullptr);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            ASSERT_NEAR(MTReal(s, x, y), gain(x, y), 2e-6) << what << " at " << x << "," << y;
            ASSERT_NEAR(MTImag(s, x, y), 0.0, 2e-6) << what << " at " << x << "," << y;
        }
    MTDestroy(s);
    MTDestroy(filtered);
}

double butterworth(double ratio, int order) {
    return 1.0 / (kC * std::pow(ratio, 2.0 * std::abs(order)) + 1.0);
}

double meanOf(MTHANDLE m) {
    double sum = 0;
    for (int y = 0; y < MTGetHeight(m); ++y)
        for (int x = 0; x < MTGetWidth(m); ++x)
            sum += MTReal(m, x, y);
    return sum / (MTGetWidth(m) * MTGetHeight(m));
}

void expectImage(MTHANDLE r, const Grid& expected, double tol, const char* what) {
    ASSERT_NE(r, nullptr) << what;
    const Grid got = readMatrix(r);
    EXPECT_LE(maxError(realPart(got), expected), tol) << what;
    MTDestroy(r);
}

} // namespace

TEST(IdealFilters, MasksByRadiusWithBoundariesKept) {
    for (auto [w, h] : {std::pair{16, 16}, {15, 9}, {255, 129}, {1, 8}, {6, 1}}) {
        auto r2 = [&](int x, int y) {
            const double fx = coordinate(x, w), fy = coordinate(y, h);
            return fx * fx + fy * fy;
        };
        MTHANDLE m = impulse(w, h);
        expectGain(
            LowPassFilter2D(m, 0.5, nullptr),
            [&](int x, int y) { return r2(x, y) > 0.25 ? 0.0 : 1.0; }, "low");
        expectGain(
            HighPassFilter2D(m, 0.5, nullptr),
            [&](int x, int y) { return r2(x, y) < 0.25 ? 0.0 : 1.0; }, "high");
        expectGain(
            BandPassFilter2D(m, 0.25, 0.75, nullptr),
            [&](int x, int y) { return r2(x, y) < 0.0625 || r2(x, y) > 0.5625 ? 0.0 : 1.0; },
            "band");
        MTDestroy(m);
    }
}

TEST(IdealFilters, HandWorkedCases) {
    const Grid g = randomGrid(12, 10, false, 21);
    MTHANDLE m = makeMatrix(g, MT_FLOAT);
    const double mean = meanOf(m);

    Grid flat = g;
    for (auto& c : flat.v)
        c = cld(mean, 0);
    expectImage(LowPassFilter2D(m, 0.0, nullptr), flat, 1e-6, "low-pass 0 gives the mean");
    expectImage(LowPassFilter2D(m, -1.0, nullptr), flat, 1e-6, "negative cutoff counts as 0");
    expectImage(HighPassFilter2D(m, 0.0, nullptr), g, 1e-6, "high-pass 0 keeps everything");
    expectImage(LowPassFilter2D(m, 1.5, nullptr), g, 1e-6, "beyond the corners keeps everything");

    MTHANDLE high = HighPassFilter2D(m, 0.3, nullptr);
    EXPECT_NEAR(meanOf(high), 0.0, 1e-6);
    MTDestroy(high);

    Grid zero = g;
    for (auto& c : zero.v)
        c = 0;
    expectImage(BandPassFilter2D(m, 0.2, 0.1, nullptr), zero, 0.0, "crossed band removes all");

    // On the cutoff circle (r = 0.5 exactly at x = 48 of 64) elements stay.
    MTHANDLE imp = impulse(64, 64);
    MTHANDLE low = LowPassFilter2D(imp, 0.5, nullptr);
    MTHANDLE s = Ft2D(low, nullptr);
    EXPECT_NEAR(MTReal(s, 48, 32), 1.0, 1e-6);
    EXPECT_NEAR(MTReal(s, 49, 32), 0.0, 1e-6);
    EXPECT_NEAR(MTReal(s, 32, 16), 1.0, 1e-6);
    MTDestroy(s);
    MTDestroy(low);
    MTDestroy(imp);
    MTDestroy(m);
}

TEST(ButterworthFilters, GainTableLookUp) {
    for (auto [w, h] : {std::pair{64, 64}, {65, 65}, {15, 9}, {1, 8}, {10, 3}})
        for (int order : {1, 2, -2, 0}) {
            const int m = std::max(w, h);
            auto k = [&](int x, int y) { return step(radius(x, y, w, h), m); };
            MTHANDLE imp = impulse(w, h);
            expectGain(
                BWLowPassFilter2D(imp, 0.4, order, nullptr),
                [&](int x, int y) { return butterworth(2.0 * k(x, y) / (m * 0.4), order); },
                "bw low");
            expectGain(
                BWHighPassFilter2D(imp, 0.4, order, nullptr),
                [&](int x, int y) {
                    return k(x, y) == 0 ? 0.0 : butterworth(m * 0.4 / (2.0 * k(x, y)), order);
                },
                "bw high");
            // Band centre 0.45, width 0.5, bounds given high first.
            expectGain(
                BWBandPassFilter2D(imp, 0.7, 0.2, order, nullptr),
                [&](int x, int y) {
                    const double rho = 2.0 * k(x, y) / m;
                    if (rho == 0) return order == 0 ? 1 / std::sqrt(2.0) : 0.0;
                    return butterworth((rho * rho - 0.45 * 0.45) / (rho * 0.5), order);
                },
                "bw band");
            MTDestroy(imp);
        }
}

TEST(ButterworthFilters, HandWorkedGains) {
    // 64 x 64, cutoff 0.5, order 2: 1/sqrt(2) at table index 16 (r = 0.5).
    MTHANDLE imp = impulse(64, 64);
    MTHANDLE low = BWLowPassFilter2D(imp, 0.5, 2, nullptr);
    MTHANDLE s = Ft2D(low, nullptr);
    EXPECT_NEAR(MTReal(s, 32, 32), 1.0, 1e-6);
    EXPECT_NEAR(MTReal(s, 48, 32), 0.7071067811865476, 1e-6);
    EXPECT_NEAR(MTReal(s, 32, 16), 0.7071067811865476, 1e-6);
    EXPECT_NEAR(MTReal(s, 33, 33), 0.9999936796425721, 1e-6); // index 1
    EXPECT_NEAR(MTReal(s, 40, 40), 0.9153008610028522, 1e-6); // r 0.354 -> index 11
    MTDestroy(s);
    MTDestroy(low);
    MTDestroy(imp);

    // 65 x 65, cutoff 1, order 1: r = 1 gives 65 * 0.5 + 0.5 = 33 exactly,
    // so the half goes up to index 33, not down to 32 (0.7135).
    imp = impulse(65, 65);
    low = BWLowPassFilter2D(imp, 1.0, 1, nullptr);
    s = Ft2D(low, nullptr);
    EXPECT_NEAR(MTReal(s, 0, 32), 0.7007430373348642, 1e-6);
    MTDestroy(s);
    MTDestroy(low);
    MTDestroy(imp);
}

TEST(ButterworthFilters, LimitCases) {
    const Grid g = randomGrid(9, 6, false, 4);
    MTHANDLE m = makeMatrix(g, MT_FLOAT);
    Grid zero = g;
    for (auto& c : zero.v)
        c = 0;
    expectImage(BWHighPassFilter2D(m, 0.0, 3, nullptr), g, 1e-6, "bw high-pass 0 keeps all");
    expectImage(BWLowPassFilter2D(m, 0.0, 3, nullptr), zero, 0.0, "bw low-pass 0 removes all");
    expectImage(BWBandPassFilter2D(m, 0.3, 0.3, 3, nullptr), zero, 0.0, "zero width removes all");

    MTHANDLE a = BWBandPassFilter2D(m, 0.2, 0.1, 2, nullptr);
    MTHANDLE b = BWBandPassFilter2D(m, 0.1, 0.2, 2, nullptr);
    EXPECT_EQ(
        std::memcmp(MTGetPointer(a), MTGetPointer(b), static_cast<size_t>(MTGetMemorySize(a))), 0);
    MTDestroy(b);
    MTDestroy(a);
    MTDestroy(m);
}

TEST(HomomorphicFilter, ConstantImageGivesOnes) {
    MTHANDLE m = MTCreate(7, 5, MT_SHORT);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            MTSetReal(m, x, y, -40);
    for (double cutoff : {0.0, 0.3}) {
        MTHANDLE r = HomomorphicFilter2D(m, cutoff, 0.5, 2.0, 2, nullptr);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(MTGetFlags(r), MT_FLOAT);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                EXPECT_NEAR(MTReal(r, x, y), 1.0, 1e-6);
        MTDestroy(r);
    }
    MTDestroy(m);
}

TEST(HomomorphicFilter, MatchesReferenceAndConsumesOut) {
    const int w = 12, h = 9;
    const Grid g = randomGrid(w, h, false, 8);
    MTHANDLE m = makeMatrix(g, MT_FLOAT);
    double minimum = 1e300;
    for (const auto& c : g.v)
        minimum = std::min(minimum, static_cast<double>(c.real()));
    for (double cutoff : {0.0, 0.35}) {
        const double lowGain = 0.4, highGain = 1.7;
        Grid log = g;
        for (auto& c : log.v)
            c = static_cast<float>(std::log(static_cast<double>(c.real()) - minimum + 1));
        Grid spectrum = referenceDft2D(log, false);
        const int mm = std::max(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int k = step(radius(x, y, w, h), mm);
                double gain = highGain;
                if (cutoff > 0)
                    gain = k == 0 ? 0.0
                                  : lowGain + (highGain - lowGain) *
                                                  butterworth(mm * cutoff / (2.0 * k), 2);
                spectrum.at(x, y) *= gain;
            }
        Grid expected = referenceDft2D(spectrum, true);
        for (auto& c : expected.v)
            c = std::exp(c.real());
        // The work matrix passed as out is consumed either way.
        MTHANDLE r =
            HomomorphicFilter2D(m, cutoff, lowGain, highGain, 2, MTCreate(w, h, MT_COMPLEX8));
        expectImage(r, expected, 1e-5, "homomorphic");
    }
    MTDestroy(m);
}
