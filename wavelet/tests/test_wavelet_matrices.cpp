// Whole-matrix behaviour: agreement with the rule, round trips, element
// types, windows, the output matrix and refusals.
#include <gtest/gtest.h>
#include <qd/wavelet.h>

#include <cmath>
#include <random>
#include <vector>

#include "wavelet_reference.h"

using namespace wavelet_test;

namespace {

constexpr int kFilterLengths[] = {4, 6, 12, 20};

MTHANDLE randomMatrix(int w, int h, int type, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> dist(-100.0, 300.0);
    return makeMatrix(w, h, type, [&](int, int) { return dist(rng); });
}

void expectSameFloats(const std::vector<float>& got, const std::vector<float>& want) {
    ASSERT_EQ(got.size(), want.size());
    size_t mismatches = 0;
    for (size_t i = 0; i < want.size(); ++i)
        if (got[i] != want[i] && ++mismatches <= 5) ADD_FAILURE() << "element " << i << ": "
                                                                  << got[i] << " vs " << want[i];
    EXPECT_EQ(mismatches, 0u);
}

}  // namespace

// The blocked, vectorised passes give bit for bit what the one-line rule
// gives, both directions, every filter, square and oblong sizes.
TEST(WaveletMatchesRule, ForwardAndInverseBitForBit) {
    const int sizes[][2] = {{8, 8}, {64, 32}, {16, 128}, {4, 256}, {256, 2}, {1, 16}};
    unsigned seed = 1;
    for (int n : kFilterLengths)
        for (const auto& s : sizes)
            for (bool inverse : {false, true}) {
                MTHANDLE in = randomMatrix(s[0], s[1], MT_FLOAT, seed++);
                MTHANDLE out = inverse ? DauIWt2D(in, n, nullptr) : DauWt2D(in, n, nullptr);
                ASSERT_NE(out, nullptr);
                SCOPED_TRACE(testing::Message() << "n=" << n << " " << s[0] << "x" << s[1]
                                                << (inverse ? " inverse" : " forward"));
                expectSameFloats(readFloats(out), transform2D(in, n, inverse));
                MTDestroy(out);
                MTDestroy(in);
            }
}

// Any element type is read by its real value: direct reads of the data block
// must agree with element access, including packed bits, nibbles, complex
// real parts and RGB (which reads as 0).
TEST(WaveletMatchesRule, EveryElementType) {
    const int types[] = {MT_BINARY, MT_4BITS,  MT_CHAR,     MT_UCHAR,     MT_SHORT, MT_USHORT,
                         MT_LONG,   MT_ULONG,  MT_FLOAT,    MT_DOUBLE,    MT_COMPLEX8,
                         MT_COMPLEX16, MT_RGB};
    for (int type : types) {
        MTHANDLE in = randomMatrix(32, 16, type, 77);
        for (int y = 0; y < 16; ++y) MTSetImag(in, 3, y, 1000.0);  // must be ignored
        if (type == MT_RGB) MTSetRgb(in, 1, 1, 0x00FFFFFF);
        MTHANDLE out = DauWt2D(in, 6, nullptr);
        SCOPED_TRACE(testing::Message() << "type " << type);
        expectSameFloats(readFloats(out), transform2D(in, 6, false));
        MTDestroy(out);
        MTDestroy(in);
    }
}

// Only the window is transformed, addressed from its own origin.
TEST(WaveletMatchesRule, WindowOfLargerMatrix) {
    MTHANDLE big = randomMatrix(20, 30, MT_USHORT, 5);
    ASSERT_EQ(MTSetWindow(big, 3, 7, 19, 15), 1);  // 16 x 8
    MTHANDLE out = DauWt2D(big, 12, nullptr);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(MTGetWidth(out), 16);
    EXPECT_EQ(MTGetHeight(out), 8);
    MTHANDLE copy = makeMatrix(16, 8, MT_USHORT, [&](int x, int y) { return MTReal(big, x, y); });
    expectSameFloats(readFloats(out), transform2D(copy, 12, false));
    MTDestroy(copy);
    MTDestroy(out);
    MTDestroy(big);
}

// The inverse undoes the forward transform to single precision, and the
// forward transform keeps the energy (it is orthonormal).
TEST(WaveletRoundTrip, InverseRestoresInputAndEnergyIsKept) {
    std::mt19937 rng(2024);
    std::vector<std::pair<int, int>> sizes = {{4, 4}, {64, 32}, {256, 256}};
    for (int i = 0; i < 4; ++i) sizes.push_back({1 << (rng() % 9), 1 << (rng() % 9)});
    for (int n : kFilterLengths)
        for (auto [w, h] : sizes) {
            SCOPED_TRACE(testing::Message() << "n=" << n << " " << w << "x" << h);
            MTHANDLE in = randomMatrix(w, h, MT_UCHAR, rng());
            MTHANDLE wt = DauWt2D(in, n, nullptr);
            MTHANDLE back = DauIWt2D(wt, n, nullptr);
            ASSERT_NE(back, nullptr);
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

// An axis shorter than 4 is copied while the other one is transformed.
TEST(WaveletShortAxes, TwoBySixtyFour) {
    std::vector<double> column(64);
    for (int y = 0; y < 64; ++y) column[y] = (y * 7) % 13;
    MTHANDLE in = makeMatrix(2, 64, MT_LONG,
                             [&](int x, int y) { return x == 0 ? column[y] : -column[y]; });
    MTHANDLE out = DauWt2D(in, 4, nullptr);
    ASSERT_NE(out, nullptr);
    const std::vector<double> want = pyramid1D(column, 4, false);
    for (int y = 0; y < 64; ++y) {
        EXPECT_FLOAT_EQ(MTReal(out, 0, y), want[y]) << y;
        EXPECT_FLOAT_EQ(MTReal(out, 1, y), -want[y]) << y;
    }
    MTDestroy(out);
    MTDestroy(in);
}

// A length without a filter gives the input converted to floats.
TEST(WaveletShortAxes, UnknownFilterLengthGivesFloatCopy) {
    for (int n : {0, 2, 8, -4}) {
        MTHANDLE in = makeMatrix(16, 8, MT_SHORT, [](int x, int y) { return x * 100 - y * 7; });
        for (bool inverse : {false, true}) {
            MTHANDLE out = inverse ? DauIWt2D(in, n, nullptr) : DauWt2D(in, n, nullptr);
            ASSERT_NE(out, nullptr);
            EXPECT_EQ(MTGetFlags(out), MT_FLOAT);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 16; ++x) EXPECT_EQ(MTReal(out, x, y), x * 100 - y * 7);
            MTDestroy(out);
        }
        MTDestroy(in);
    }
}

TEST(WaveletRefusal, SidesThatAreNotPowersOfTwo) {
    for (auto [w, h] : {std::pair{100, 64}, std::pair{64, 100}, std::pair{3, 4}, std::pair{6, 1}}) {
        MTHANDLE in = MTCreate(w, h, MT_UCHAR);
        EXPECT_EQ(DauWt2D(in, 4, nullptr), nullptr) << w << "x" << h;
        EXPECT_EQ(DauIWt2D(in, 4, nullptr), nullptr) << w << "x" << h;
        // A given output is consumed (the leak checker catches it otherwise).
        EXPECT_EQ(DauWt2D(in, 4, MTCreate(w, h, MT_FLOAT)), nullptr);
        MTDestroy(in);
    }
}

// Refused with the input passed as output: the input survives for its owner.
TEST(WaveletRefusal, InputPassedAsOutputIsNotDestroyed) {
    MTHANDLE in = makeMatrix(100, 64, MT_FLOAT, [](int x, int) { return x; });
    EXPECT_EQ(DauWt2D(in, 4, in), nullptr);
    EXPECT_EQ(MTReal(in, 99, 63), 99.0);
    MTDestroy(in);
}

TEST(WaveletOutput, FittingFloatMatrixIsReused) {
    MTHANDLE in = randomMatrix(32, 32, MT_UCHAR, 9);
    MTHANDLE given = MTCreate(32, 32, MT_FLOAT);
    MTHANDLE out = DauWt2D(in, 20, given);
    EXPECT_EQ(out, given);
    expectSameFloats(readFloats(out), transform2D(in, 20, false));
    MTDestroy(out);
    MTDestroy(in);
}

// A given output whose window has the input's size is written inside that
// window only.
TEST(WaveletOutput, WindowOfGivenOutputIsFilled) {
    MTHANDLE in = randomMatrix(16, 32, MT_UCHAR, 13);
    MTHANDLE given = MTCreate(40, 40, MT_FLOAT);
    ASSERT_EQ(MTSetWindow(given, 5, 3, 21, 35), 1);
    MTHANDLE out = DauIWt2D(in, 6, given);
    ASSERT_EQ(out, given);
    expectSameFloats(readFloats(out), transform2D(in, 6, true));
    MTSetDefaultWindow(out);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (x < 5 || x >= 21 || y < 3 || y >= 35) {
                ASSERT_EQ(MTReal(out, x, y), 0.0) << x << "," << y;
            }
    MTDestroy(out);
    MTDestroy(in);
}

// Wrong size or wrong type: replaced (the leak checker proves the old one is
// freed), and the result is still right.
TEST(WaveletOutput, WrongSizeOrTypeIsReplaced) {
    MTHANDLE in = randomMatrix(16, 32, MT_FLOAT, 10);
    for (MTHANDLE given : {MTCreate(32, 16, MT_FLOAT), MTCreate(16, 32, MT_DOUBLE),
                           MTCreate(16, 16, MT_COMPLEX8)}) {
        MTHANDLE out = DauWt2D(in, 4, given);
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(MTGetFlags(out), MT_FLOAT);
        EXPECT_EQ(MTGetWidth(out), 16);
        EXPECT_EQ(MTGetHeight(out), 32);
        expectSameFloats(readFloats(out), transform2D(in, 4, false));
        MTDestroy(out);
    }
    MTDestroy(in);
}

// A float input may be its own output; the transform is then done in place.
TEST(WaveletOutput, FloatInputTransformedInPlace) {
    MTHANDLE in = randomMatrix(64, 16, MT_FLOAT, 11);
    const std::vector<float> want = transform2D(in, 12, false);
    EXPECT_EQ(DauWt2D(in, 12, in), in);
    expectSameFloats(readFloats(in), want);
    MTDestroy(in);
}

// Another type passed as its own output gets a new matrix and stays intact.
TEST(WaveletOutput, NonFloatInputAsOutputIsKept) {
    MTHANDLE in = randomMatrix(16, 16, MT_SHORT, 12);
    const std::vector<float> before = readFloats(in);
    MTHANDLE out = DauWt2D(in, 4, in);
    ASSERT_NE(out, nullptr);
    EXPECT_NE(out, in);
    expectSameFloats(readFloats(in), before);
    expectSameFloats(readFloats(out), transform2D(in, 4, false));
    MTDestroy(out);
    MTDestroy(in);
}

extern "C" int waveletCApiSmoke(void);

TEST(WaveletCApi, HeaderWorksFromC) { EXPECT_EQ(waveletCApiSmoke(), 1); }
