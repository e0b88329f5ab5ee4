// Median over a morphology kernel, convolution and the forward-difference
// edge filter.
#include "test_support.h"

#include <cmath>

using namespace prcs_test;

namespace {

const Rows kOneToNine = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};

Rows convolved(const Rows& img, int32_t type, int32_t n, std::vector<double> w, double divisor) {
    MTHANDLE m = makeMatrix(img, type);
    MTHANDLE r = SimpleConvolution2D(m, n, w.data(), divisor, nullptr);
    EXPECT_EQ(MTGetFlags(r), MT_FLOAT);
    return takeRows(r, m);
}

Rows medianOf(const Rows& img, int32_t type, const MMKernel& k) {
    MTHANDLE m = makeMatrix(img, type);
    MTHANDLE r = MedianFilter2D(m, &k, nullptr);
    EXPECT_EQ(MTGetFlags(r), type);
    return takeRows(r, m);
}

} // namespace

TEST(KernelMedian, RectangleReplicatesTheEdges) {
    const Rows r = medianOf(kOneToNine, MT_UCHAR, rectangle(3));
    EXPECT_EQ(r[0][0], 2);  // 1 1 1 1 [2] 2 4 4 5
    EXPECT_EQ(r[1][1], 5);
    EXPECT_EQ(r[0][2], 3);  // 2 2 3 3 [3] 3 5 6 6
    EXPECT_EQ(r[2][2], 8);  // 5 6 6 8 [8] 9 9 9 9
}

TEST(KernelMedian, EvenCountGivesTheUpperMiddleValue) {
    // Centre and right-hand neighbour: the larger of the two, never a mean.
    const MMKernel pair(3, {0, 0, 0, 0, 1, 1, 0, 0, 0});
    EXPECT_EQ(medianOf({{3, 7, 5, 1}}, MT_SHORT, pair), (Rows{{7, 7, 5, 1}}));
    const MMKernel four(3, {0, 1, 0, 1, 0, 1, 0, 1, 0});  // the ring of a diamond
    EXPECT_EQ(medianOf(kOneToNine, MT_DOUBLE, four)[1][1], 6);  // 2 4 6 8
}

TEST(KernelMedian, EvenDimensionElementReachesLeftAndDown) {
    // N = 2, h = 1: the first stored row applies to y + 0, the second to
    // y - 1; columns to x - 1 and x.
    const MMKernel topLeft(2, {1, 0, 0, 0});
    EXPECT_EQ(medianOf(kOneToNine, MT_FLOAT, topLeft), (Rows{{1, 1, 2}, {4, 4, 5}, {7, 7, 8}}));
    const MMKernel bottomRight(2, {0, 0, 0, 1});
    EXPECT_EQ(medianOf(kOneToNine, MT_FLOAT, bottomRight), (Rows{{1, 2, 3}, {1, 2, 3}, {4, 5, 6}}));
}

TEST(KernelMedian, SignedIntegersKeepTheirTypeAndValues) {
    const Rows r = medianOf({{-300, 20000, -7}, {5, -32768, 12}}, MT_SHORT, rectangle(3));
    // Row 0 counts twice at y = 0: -32768 -300 -300 -7 [-7] 5 12 20000 20000
    EXPECT_EQ(r[0][1], -7);
    // Row 1 twice at y = 1: -32768 -32768 -300 -7 [5] 5 12 12 20000
    EXPECT_EQ(r[1][1], 5);
}

TEST(KernelMedian, EmptyElementWritesTheSentinel) {
    const MMKernel none(3, std::vector<int32_t>(9, 0));
    EXPECT_EQ(medianOf({{1, 2}}, MT_DOUBLE, none), (Rows{{1e300, 1e300}}));
    EXPECT_EQ(medianOf({{1, 2}}, MT_UCHAR, none), (Rows{{255, 255}}));
    const MMKernel negative(1, {-4});
    EXPECT_EQ(medianOf({{1, 2}}, MT_DOUBLE, negative), (Rows{{1e300, 1e300}}));
}

TEST(KernelMedian, ComplexSourceStaysComplexWithoutImaginaryParts) {
    MTHANDLE m = MTCreate(3, 1, MT_COMPLEX8);
    for (int32_t x = 0; x < 3; ++x) MTSetComplex(m, x, 0, {double(3 - x), 9.0});
    const MMKernel row(3, {0, 0, 0, 1, 1, 1, 0, 0, 0});
    MTHANDLE r = MedianFilter2D(m, &row, nullptr);
    ASSERT_EQ(MTGetFlags(r), MT_COMPLEX8);
    EXPECT_EQ(realRows(r), (Rows{{3, 2, 1}}));
    EXPECT_EQ(imagRows(r), (Rows{{0, 0, 0}}));
    MTDestroy(r);
    MTDestroy(m);
}

TEST(KernelMedian, RefusesNullKernelRgbAndNullWeights) {
    MTHANDLE m = MTCreate(3, 3, MT_UCHAR), rgb = MTCreate(3, 3, MT_RGB);
    const MMKernel k = rectangle(3);
    EXPECT_EQ(MedianFilter2D(m, nullptr, MTCreate(3, 3, MT_UCHAR)), nullptr);
    EXPECT_EQ(MedianFilter2D(rgb, &k, nullptr), nullptr);
    MMKERNEL noValues{};
    noValues.N = 3;
    EXPECT_EQ(MedianFilter2D(m, &noValues, nullptr), nullptr);
    MTDestroy(m);
    MTDestroy(rgb);
}

TEST(Convolution, IsACorrelationWithReplicatedEdges) {
    // Top-right weight: offset (+1, +1), the first row applying to y + 1.
    EXPECT_EQ(convolved(kOneToNine, MT_UCHAR, 3, {0, 0, 1, 0, 0, 0, 0, 0, 0}, 1),
              (Rows{{5, 6, 6}, {8, 9, 9}, {8, 9, 9}}));
    // Bottom-left weight: offset (-1, -1).
    EXPECT_EQ(convolved(kOneToNine, MT_UCHAR, 3, {0, 0, 0, 0, 0, 0, 1, 0, 0}, 1),
              (Rows{{1, 1, 2}, {1, 1, 2}, {4, 4, 5}}));
}

TEST(Convolution, DivisorScalesAndNearZeroDivisorIsIgnored) {
    const std::vector<double> ones(9, 1.0);
    EXPECT_EQ(convolved(constantRows(4, 3, 16), MT_USHORT, 3, {1, 2, 1, 2, 4, 2, 1, 2, 1}, 16),
              constantRows(4, 3, 16));
    EXPECT_EQ(convolved(constantRows(3, 2, 5), MT_UCHAR, 3, ones, 0), constantRows(3, 2, 45));
    EXPECT_EQ(convolved(constantRows(3, 2, 5), MT_UCHAR, 3, ones, -9.9e-11), constantRows(3, 2, 45));
    EXPECT_EQ(convolved(constantRows(3, 2, 5), MT_UCHAR, 3, ones, 0.5), constantRows(3, 2, 90));
}

TEST(Convolution, DropsNearZeroWeightsBeforeTheLoop) {
    // 1e-14 x 1e20 would be 1e6 if the weight were kept.
    const Rows img = {{1e20, 0, 0}};
    EXPECT_EQ(convolved(img, MT_DOUBLE, 3, {0, 0, 0, 1e-14, 1, 0, 0, 0, 0}, 1)[0][1], 0);
    EXPECT_EQ(convolved(img, MT_DOUBLE, 3, {0, 0, 0, 1e-12, 1, 0, 0, 0, 0}, 1)[0][1], 1e8f);
}

TEST(Convolution, IntegerSourceGivesSignedFloats) {
    const std::vector<double> laplace = {-1, -1, -1, -1, 8, -1, -1, -1, -1};
    const Rows r = convolved({{0, 0, 0}, {0, 10, 0}, {0, 0, 0}}, MT_UCHAR, 3, laplace, 1);
    EXPECT_EQ(r, (Rows{{-10, -10, -10}, {-10, 80, -10}, {-10, -10, -10}}));
}

TEST(Convolution, FiveByFiveReachesTwoPixels) {
    std::vector<double> w(25, 0.0);
    w[4] = 1;   // row 0, column 4: offset (+2, +2)
    w[20] = 1;  // row 4, column 0: offset (-2, -2)
    const Rows img = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}};
    // (1, 0): s(3, 2) + s(0, 0) = 12 + 1.
    EXPECT_EQ(convolved(img, MT_SHORT, 5, w, 1)[0][1], 13);
    // (3, 2): s(3, 2) + s(1, 0) = 12 + 2.
    EXPECT_EQ(convolved(img, MT_SHORT, 5, w, 1)[2][3], 14);
}

TEST(Convolution, ComplexSourceUsesRealParts) {
    MTHANDLE m = MTCreate(2, 2, MT_COMPLEX16);
    for (int32_t i = 0; i < 4; ++i) MTSetComplex(m, i % 2, i / 2, {2.0, 50.0});
    const double low[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    MTHANDLE r = SimpleConvolution2D(m, 3, low, 9, nullptr);
    ASSERT_EQ(MTGetFlags(r), MT_FLOAT);
    EXPECT_FLOAT_EQ(float(MTReal(r, 1, 1)), 2.0f);
    MTDestroy(r);
    MTDestroy(m);
}

TEST(Convolution, RefusesEvenDimensionNullWeightsAndRgb) {
    MTHANDLE m = MTCreate(3, 3, MT_FLOAT), rgb = MTCreate(3, 3, MT_RGB);
    const double w[16] = {1};
    EXPECT_EQ(SimpleConvolution2D(m, 2, w, 1, MTCreate(3, 3, MT_FLOAT)), nullptr);
    EXPECT_EQ(SimpleConvolution2D(m, 0, w, 1, nullptr), nullptr);
    EXPECT_EQ(SimpleConvolution2D(m, 3, nullptr, 1, nullptr), nullptr);
    EXPECT_EQ(SimpleConvolution2D(rgb, 3, w, 1, nullptr), nullptr);
    MTDestroy(m);
    MTDestroy(rgb);
}

TEST(EdgeDetect, SinglePixelWrapsToTheLastColumnAndRow) {
    Rows img = constantRows(4, 3, 0);
    img[0][0] = 200;
    MTHANDLE m = makeMatrix(img, MT_UCHAR);
    MTHANDLE r = StEdgeDetect2D(m, nullptr);
    ASSERT_EQ(MTGetFlags(r), MT_FLOAT);
    Rows expected = constantRows(4, 3, 0);
    expected[0][0] = 80000;  // no square root, no clamping to 255
    expected[0][3] = 40000;
    expected[2][0] = 40000;
    EXPECT_EQ(realRows(r), expected);
    MTDestroy(r);
    MTDestroy(m);
}

TEST(EdgeDetect, ConstantAndOnePixelImagesGiveZero) {
    MTHANDLE c = makeMatrix(constantRows(5, 2, 9), MT_SHORT), one = makeMatrix({{7}}, MT_DOUBLE);
    MTHANDLE rc = StEdgeDetect2D(c, nullptr), r1 = StEdgeDetect2D(one, nullptr);
    EXPECT_EQ(realRows(rc), constantRows(5, 2, 0));
    EXPECT_EQ(realRows(r1), (Rows{{0}}));
    EXPECT_EQ(StEdgeDetect2D(nullptr, nullptr), nullptr);
    MTDestroy(rc);
    MTDestroy(r1);
    MTDestroy(c);
    MTDestroy(one);
}

TEST(KernelFilters, PumpOncePerColumn) {
    MTHANDLE m = MTCreate(6, 4, MT_UCHAR);
    const MMKernel k = diamond3();
    const double w[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    PumpCounter pumps;
    MTDestroy(MedianFilter2D(m, &k, nullptr));
    EXPECT_EQ(PumpCounter::calls, 6);
    MTDestroy(SimpleConvolution2D(m, 3, w, 9, nullptr));
    EXPECT_EQ(PumpCounter::calls, 12);
    MTDestroy(StEdgeDetect2D(m, nullptr));
    EXPECT_EQ(PumpCounter::calls, 18);
    MTDestroy(m);
}
