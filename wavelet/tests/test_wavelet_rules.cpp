// Hand-worked values of the filters, the coefficient layout and the levels.
#include <gtest/gtest.h>
#include <qd/wavelet.h>

#include <cmath>
#include <vector>

#include "wavelet_reference.h"

using namespace wavelet_test;

namespace {

constexpr int kFilterLengths[] = {4, 6, 12, 20};

// D4 coefficients, written out once more for the hand-worked cases.
constexpr double c0 = 0.482962913145, c1 = 0.836516303738, c2 = 0.224143868042,
                 c3 = -0.129409522551;

std::vector<float> transformRow(const std::vector<double>& v, int n, bool inverse) {
    MTHANDLE in = makeMatrix(static_cast<int>(v.size()), 1, MT_DOUBLE,
                             [&](int x, int) { return v[x]; });
    MTHANDLE out = inverse ? DauIWt2D(in, n, nullptr) : DauWt2D(in, n, nullptr);
    std::vector<float> got = readFloats(out);
    MTDestroy(out);
    MTDestroy(in);
    return got;
}

void expectFloats(const std::vector<float>& got, const std::vector<double>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) EXPECT_FLOAT_EQ(got[i], want[i]) << "element " << i;
}

}  // namespace

// With L = 4 an impulse picks single taps: smooth (c[0], c[2]) then detail
// (r[0], r[2]) for the impulse at 0, and the odd taps for the impulse at 1.
// The detail taps must be r = (c3, -c2, c1, -c0).
TEST(WaveletLevel, ForwardD4OnImpulsesShowsBothFilters) {
    expectFloats(transformRow({1, 0, 0, 0}, 4, false), {c0, c2, c3, c1});
    expectFloats(transformRow({0, 1, 0, 0}, 4, false), {c1, c3, -c2, -c0});
}

// The inverse spreads a smooth coefficient as c and a detail one as r.
TEST(WaveletLevel, InverseD4OnImpulsesIsTheTranspose) {
    expectFloats(transformRow({1, 0, 0, 0}, 4, true), {c0, c1, c2, c3});
    expectFloats(transformRow({0, 0, 1, 0}, 4, true), {c3, -c2, c1, -c0});
    expectFloats(transformRow({0, 1, 0, 0}, 4, true), {c2, c3, c0, c1});
}

// A filter longer than the line wraps around it: for D6 on 4 samples the
// taps k and k+4 land on the same sample. r for D6 is (c5,-c4,c3,-c2,c1,-c0).
TEST(WaveletLevel, LongFilterWrapsPeriodically) {
    const std::vector<double> c = smoothing(6);
    expectFloats(transformRow({1, 0, 0, 0}, 6, false),
                 {c[0] + c[4], c[2], c[5] + c[1], c[3]});
}

// Element (x, y) is the product of the row layout at x and the column layout
// at y: for a 4x4 impulse both are (c0, c2, c3, c1).
TEST(WaveletLayout, TwoDimensionalImpulseIsOuterProduct) {
    MTHANDLE in = makeMatrix(4, 4, MT_UCHAR, [](int x, int y) { return x == 0 && y == 0; });
    MTHANDLE out = DauWt2D(in, 4, nullptr);
    const double v[] = {c0, c2, c3, c1};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_NEAR(MTReal(out, x, y), v[x] * v[y], 1e-7) << x << "," << y;
    MTDestroy(out);
    MTDestroy(in);
}

// Each level multiplies a constant's smooth part by sqrt(2) and the detail
// filter has zero sum, so an 8x8 constant keeps 2*2 = 4 times its value in
// the coarsest 2x2 corner and nothing elsewhere.
TEST(WaveletLayout, ConstantImageKeepsOnlyCoarsestSmoothPart) {
    for (int n : kFilterLengths) {
        MTHANDLE in = makeMatrix(8, 8, MT_SHORT, [](int, int) { return 37; });
        MTHANDLE out = DauWt2D(in, n, nullptr);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_NEAR(MTReal(out, x, y), (x < 2 && y < 2) ? 4 * 37.0 : 0.0, 1e-4)
                    << "n=" << n << " at " << x << "," << y;
        MTDestroy(out);
        MTDestroy(in);
    }
}

// Alternating columns are pure finest detail: the smooth filter's alternating
// sum is 0 and the detail filter's is sqrt(2). So the energy sits in columns
// 4..7 (finest row details), and, each of those columns being constant, in
// their two coarsest smooth rows, with 2 * sqrt(2).
TEST(WaveletLayout, AlternatingColumnsLandInFinestDetails) {
    for (int n : kFilterLengths) {
        MTHANDLE in = makeMatrix(8, 8, MT_CHAR, [](int x, int) { return x % 2 ? -1 : 1; });
        MTHANDLE out = DauWt2D(in, n, nullptr);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_NEAR(MTReal(out, x, y), (x >= 4 && y < 2) ? 2 * std::sqrt(2.0) : 0.0,
                            1e-6)
                    << "n=" << n << " at " << x << "," << y;
        MTDestroy(out);
        MTDestroy(in);
    }
}

// Smooth and detail filters together form an orthonormal basis: the
// transforms of the 8 unit impulses are orthonormal for every length, even
// where the long filters wrap several times around the line.
TEST(WaveletFilters, ImpulseResponsesAreOrthonormal) {
    for (int n : kFilterLengths) {
        std::vector<std::vector<float>> basis;
        for (int p = 0; p < 8; ++p) {
            std::vector<double> e(8, 0.0);
            e[p] = 1;
            basis.push_back(transformRow(e, n, false));
        }
        for (int p = 0; p < 8; ++p)
            for (int q = 0; q < 8; ++q) {
                double dot = 0;
                for (int i = 0; i < 8; ++i) dot += double(basis[p][i]) * basis[q][i];
                EXPECT_NEAR(dot, p == q ? 1.0 : 0.0, 1e-6) << "n=" << n << " " << p << "," << q;
            }
    }
}
