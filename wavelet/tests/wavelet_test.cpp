#include <gtest/gtest.h>
#include <qd/wavelet.h>

#include <cmath>
#include <random>
#include <vector>

#include "reference.h"

using namespace wavelet_test;

namespace {

constexpr int kFilterLengths[] = {4, 6, 12, 20};
constexpr double c0 = 0.482962913145, c1 = 0.836516303738, c2 = 0.224143868042,
                 c3 = -0.129409522551;

template <typename F>
MTHANDLE makeMatrix(int w, int h, int type, F f) {
    MTHANDLE m = MTCreate(w, h, type);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) MTSetReal(m, x, y, f(x, y));
    return m;
}

MTHANDLE randomMatrix(int w, int h, int type, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> dist(-100.0, 300.0);
    return makeMatrix(w, h, type, [&](int, int) { return dist(rng); });
}

MTHANDLE transform(MTHANDLE in, int n, bool inverse, MTHANDLE out = nullptr) {
    return inverse ? DauIWt2D(in, n, out) : DauWt2D(in, n, out);
}

// One line transformed as a 4 x 1 matrix (the column axis stays as it is).
std::vector<float> line(std::vector<double> v, bool inverse) {
    MTHANDLE in = makeMatrix(4, 1, MT_DOUBLE, [&](int x, int) { return v[x]; });
    MTHANDLE out = transform(in, 4, inverse);
    std::vector<float> got = readFloats(out);
    MTDestroy(out);
    MTDestroy(in);
    return got;
}

void expectNear(const std::vector<float>& got, const std::vector<double>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) EXPECT_FLOAT_EQ(got[i], want[i]) << "element " << i;
}

void expectSame(MTHANDLE got, const std::vector<float>& want) {
    const std::vector<float> v = readFloats(got);
    ASSERT_EQ(v.size(), want.size());
    size_t bad = 0;
    for (size_t i = 0; i < v.size(); ++i)
        if (v[i] != want[i] && ++bad <= 3) ADD_FAILURE() << i << ": " << v[i] << " vs " << want[i];
    EXPECT_EQ(bad, 0u);
}

}  // namespace

// On 4 samples an impulse picks single taps: the smooth pair then the detail
// pair, whose taps must be r = (c3, -c2, c1, -c0). The inverse spreads a
// coefficient back as c (smooth) or r (detail).
TEST(WaveletByHand, D4ImpulsesShowBothFilters) {
    expectNear(line({1, 0, 0, 0}, false), {c0, c2, c3, c1});
    expectNear(line({0, 1, 0, 0}, false), {c1, c3, -c2, -c0});
    expectNear(line({1, 0, 0, 0}, true), {c0, c1, c2, c3});
    expectNear(line({0, 0, 1, 0}, true), {c3, -c2, c1, -c0});
}

// Each level multiplies a constant's smooth part by sqrt(2) and the detail
// filters sum to zero: an 8 x 8 constant keeps 4 times its value in the
// coarsest 2 x 2 corner only.
TEST(WaveletByHand, ConstantImageKeepsOnlyCoarsestCorner) {
    for (int n : kFilterLengths) {
        MTHANDLE in = makeMatrix(8, 8, MT_SHORT, [](int, int) { return 37; });
        MTHANDLE out = DauWt2D(in, n, nullptr);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_NEAR(MTReal(out, x, y), (x < 2 && y < 2) ? 148.0 : 0.0, 1e-4)
                    << "n=" << n << " at " << x << "," << y;
        MTDestroy(out);
        MTDestroy(in);
    }
}

// The blocked passes give bit for bit what the one-line rule gives: both
// directions, every filter (long ones wrapping on short lines), any shape.
TEST(WaveletMatchesRule, EveryFilterAndShape) {
    const int sizes[][2] = {{8, 8}, {64, 32}, {16, 128}, {4, 256}, {256, 2}, {1, 16}, {512, 8}};
    unsigned seed = 1;
    for (int n : kFilterLengths)
        for (const auto& s : sizes)
            for (bool inverse : {false, true}) {
                SCOPED_TRACE(testing::Message() << n << " " << s[0] << "x" << s[1] << inverse);
                MTHANDLE in = randomMatrix(s[0], s[1], MT_FLOAT, seed++);
                MTHANDLE out = transform(in, n, inverse);
                expectSame(out, transform2D(in, n, inverse));
                MTDestroy(out);
                MTDestroy(in);
            }
}

// Direct reads of each element type agree with MTReal: packed bits and
// nibbles, unsigned types, real parts of complex, RGB reading 0.
TEST(WaveletMatchesRule, EveryElementTypeAndWindow) {
    for (int type : {MT_BINARY, MT_4BITS, MT_CHAR, MT_UCHAR, MT_SHORT, MT_USHORT, MT_LONG, MT_ULONG,
                     MT_FLOAT, MT_DOUBLE, MT_COMPLEX8, MT_COMPLEX16, MT_RGB}) {
        MTHANDLE in = randomMatrix(32, 16, type, 77);
        for (int y = 0; y < 16; ++y) MTSetImag(in, 3, y, 1000.0);
        MTSetRgb(in, 1, 1, 0x00FFFFFF);
        MTHANDLE out = DauWt2D(in, 6, nullptr);
        SCOPED_TRACE(type);
        expectSame(out, transform2D(in, 6, false));
        ASSERT_EQ(MTSetWindow(in, 3, 5, 19, 13), 1);  // 16 x 8, read from its own origin
        out = DauWt2D(in, 12, out);
        expectSame(out, transform2D(in, 12, false));
        MTDestroy(out);
        MTDestroy(in);
    }
}

// The inverse undoes the forward transform to single precision, and the
// forward transform keeps the energy.
TEST(WaveletRoundTrip, RestoresInputAndKeepsEnergy) {
    std::mt19937 rng(2024);
    std::vector<std::pair<int, int>> sizes = {{4, 4}, {64, 32}, {256, 256}};
    for (int i = 0; i < 4; ++i) sizes.push_back({1 << (rng() % 9), 1 << (rng() % 9)});
    for (int n : kFilterLengths)
        for (auto [w, h] : sizes) {
            SCOPED_TRACE(testing::Message() << "n=" << n << " " << w << "x" << h);
            MTHANDLE in = randomMatrix(w, h, MT_UCHAR, rng());
            MTHANDLE wt = DauWt2D(in, n, nullptr);
            MTHANDLE back = DauIWt2D(wt, n, nullptr);
            double energyIn = 0, energyWt = 0, worst = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    energyIn += MTReal(in, x, y) * MTReal(in, x, y);
                    energyWt += MTReal(wt, x, y) * MTReal(wt, x, y);
                    worst = std::max(worst, std::fabs(MTReal(back, x, y) - MTReal(in, x, y)));
                }
            EXPECT_LT(worst, 2e-3);
            EXPECT_NEAR(energyWt / energyIn, 1.0, 1e-5);
            MTDestroy(back);
            MTDestroy(wt);
            MTDestroy(in);
        }
}

// An axis shorter than 4 is copied while the other is transformed; a length
// without a filter gives a float copy.
TEST(WaveletUntransformed, ShortAxisAndUnknownLength) {
    std::vector<double> column(64);
    for (int y = 0; y < 64; ++y) column[y] = (y * 7) % 13;
    MTHANDLE in = makeMatrix(2, 64, MT_LONG, [&](int x, int y) { return x ? -column[y] : column[y]; });
    MTHANDLE out = DauWt2D(in, 4, nullptr);
    const std::vector<double> want = pyramid1D(column, 4, false);
    for (int y = 0; y < 64; ++y) {
        EXPECT_FLOAT_EQ(MTReal(out, 0, y), want[y]) << y;
        EXPECT_FLOAT_EQ(MTReal(out, 1, y), -want[y]) << y;
    }
    for (int n : {0, 8, -4})
        for (bool inverse : {false, true}) {
            out = transform(in, n, inverse, out);
            EXPECT_EQ(MTGetFlags(out), MT_FLOAT);
            for (int y = 0; y < 64; ++y) EXPECT_EQ(MTReal(out, 1, y), -column[y]);
        }
    MTDestroy(out);
    MTDestroy(in);
}

// A given output is consumed (the leak checker catches it otherwise), but
// never the input passed as its own output.
TEST(WaveletRefusal, SidesThatAreNotPowersOfTwo) {
    for (auto [w, h] : {std::pair{100, 64}, std::pair{64, 100}, std::pair{3, 4}, std::pair{6, 1}}) {
        MTHANDLE in = makeMatrix(w, h, MT_FLOAT, [](int x, int) { return x; });
        EXPECT_EQ(DauWt2D(in, 4, nullptr), nullptr) << w << "x" << h;
        EXPECT_EQ(DauIWt2D(in, 4, MTCreate(w, h, MT_FLOAT)), nullptr);
        EXPECT_EQ(DauWt2D(in, 4, in), nullptr);
        EXPECT_EQ(MTReal(in, w - 1, h - 1), w - 1);
        MTDestroy(in);
    }
}

// A fitting float matrix (or its window) is reused; a wrong size or type is
// freed and replaced.
TEST(WaveletOutput, ReusedWhenFittingReplacedOtherwise) {
    MTHANDLE in = randomMatrix(16, 32, MT_UCHAR, 13);
    const std::vector<float> want = transform2D(in, 6, true);
    MTHANDLE window = MTCreate(40, 40, MT_FLOAT);
    ASSERT_EQ(MTSetWindow(window, 5, 3, 21, 35), 1);
    EXPECT_EQ(DauIWt2D(in, 6, window), window);
    expectSame(window, want);
    MTSetDefaultWindow(window);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (x < 5 || x >= 21 || y < 3 || y >= 35) {
                ASSERT_EQ(MTReal(window, x, y), 0.0) << x << "," << y;
            }
    MTDestroy(window);
    for (MTHANDLE given : {MTCreate(32, 16, MT_FLOAT), MTCreate(16, 32, MT_DOUBLE)}) {
        MTHANDLE out = DauIWt2D(in, 6, given);
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(MTGetFlags(out), MT_FLOAT);
        expectSame(out, want);
        MTDestroy(out);
    }
    MTDestroy(in);
}

// A float input is transformed in place; another type passed as its own
// output gets a new matrix and stays intact.
TEST(WaveletOutput, InputAsOutput) {
    MTHANDLE in = randomMatrix(64, 16, MT_FLOAT, 11);
    std::vector<float> want = transform2D(in, 12, false);
    EXPECT_EQ(DauWt2D(in, 12, in), in);
    expectSame(in, want);
    MTDestroy(in);

    in = randomMatrix(16, 16, MT_SHORT, 12);
    want = transform2D(in, 4, false);
    const std::vector<float> before = readFloats(in);
    MTHANDLE out = DauWt2D(in, 4, in);
    ASSERT_NE(out, in);
    expectSame(in, before);
    expectSame(out, want);
    MTDestroy(out);
    MTDestroy(in);
}

extern "C" int waveletCApiSmoke(void);

TEST(WaveletCApi, HeaderWorksFromC) { EXPECT_EQ(waveletCApiSmoke(), 1); }
