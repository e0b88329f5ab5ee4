// Erosion, dilation and their compositions over morphology kernels.
#include "test_support.h"

using namespace prcs_test;

namespace {

using Op = MTHANDLE (*)(MTHANDLE, const MMKERNEL*, MTHANDLE);

Rows apply(Op op, const Rows& img, int32_t type, const MMKernel& k) {
    MTHANDLE m = makeMatrix(img, type);
    MTHANDLE r = op(m, &k, nullptr);
    EXPECT_EQ(MTGetFlags(r), type);
    return takeRows(r, m);
}

const Rows kImg = {{3, 1, 4, 1}, {5, 9, 2, 6}, {5, 3, 5, 8}};
const MMKernel kCentre(3, {0, 0, 0, 0, 1, 0, 0, 0, 0});

} // namespace

TEST(Morphology, CentrePointElementCopiesAndTopHatIsZero) {
    for (Op op : {Erosion2D, Dilation2D, Opening2D, Closing2D})
        EXPECT_EQ(apply(op, kImg, MT_SHORT, kCentre), kImg);
    EXPECT_EQ(apply(TopHat2D, kImg, MT_SHORT, kCentre), constantRows(4, 3, 0));
}

TEST(Morphology, OffCentreElementShiftsTheSameWayForBoth) {
    // Top-left entry: offset (-1, +1); not mirrored for dilation.
    const MMKernel topLeft(3, {1, 0, 0, 0, 0, 0, 0, 0, 0});
    const Rows shifted = {{5, 5, 9, 2}, {5, 5, 3, 5}, {5, 5, 3, 5}};
    EXPECT_EQ(apply(Erosion2D, kImg, MT_UCHAR, topLeft), shifted);
    EXPECT_EQ(apply(Dilation2D, kImg, MT_UCHAR, topLeft), shifted);
}

TEST(Morphology, EvenDimensionRectangleCoversLeftAndDown) {
    // N = 2 all ones: x - 1 .. x and y - 1 .. y (first stored row at y + 0).
    const MMKernel square(2, {1, 1, 1, 1});
    Rows img = constantRows(3, 3, 5);
    img[1][1] = 0;
    EXPECT_EQ(apply(Erosion2D, img, MT_FLOAT, square), (Rows{{5, 5, 5}, {5, 0, 0}, {5, 0, 0}}));
}

TEST(Morphology, DiamondErosionAndDilationByHand) {
    EXPECT_EQ(apply(Erosion2D, kImg, MT_DOUBLE, diamond3()),
              (Rows{{1, 1, 1, 1}, {3, 1, 2, 1}, {3, 3, 2, 5}}));
    EXPECT_EQ(apply(Dilation2D, kImg, MT_DOUBLE, diamond3()),
              (Rows{{5, 9, 4, 6}, {9, 9, 9, 8}, {5, 9, 8, 8}}));
}

TEST(Morphology, BinaryErosionTreatsTheBorderAsTheEdgePixel) {
    Rows img = constantRows(4, 4, 1);
    img[3][3] = 0;
    Rows expected = constantRows(4, 4, 1);
    expected[2][2] = expected[2][3] = expected[3][2] = expected[3][3] = 0;
    EXPECT_EQ(apply(Erosion2D, img, MT_BINARY, rectangle(3)), expected);
}

TEST(Morphology, OpeningRemovesASpikeAndClosingFillsAHole) {
    Rows spike = constantRows(5, 5, 0);
    spike[2][2] = 9;
    EXPECT_EQ(apply(Opening2D, spike, MT_UCHAR, rectangle(3)), constantRows(5, 5, 0));
    EXPECT_EQ(apply(TopHat2D, spike, MT_UCHAR, rectangle(3)), spike);
    Rows hole = constantRows(5, 5, 7);
    hole[1][3] = 2;
    EXPECT_EQ(apply(Closing2D, hole, MT_CHAR, circle5()), constantRows(5, 5, 7));
}

TEST(Morphology, EmptyElementGivesTheSentinels) {
    const MMKernel none(3, std::vector<int32_t>(9, 0));
    EXPECT_EQ(apply(Erosion2D, {{1, 2}}, MT_DOUBLE, none), (Rows{{1e300, 1e300}}));
    EXPECT_EQ(apply(Dilation2D, {{1, 2}}, MT_DOUBLE, none), (Rows{{-1e300, -1e300}}));
    EXPECT_EQ(apply(Erosion2D, {{1, 2}}, MT_SHORT, none), (Rows{{32767, 32767}}));
}

TEST(Morphology, ComplexSourceErodesRealPartsOnly) {
    MTHANDLE m = MTCreate(3, 1, MT_COMPLEX16);
    for (int32_t x = 0; x < 3; ++x) MTSetComplex(m, x, 0, {double(x), 4.0});
    const MMKernel rect = rectangle(3);
    const MMKERNEL* k = &rect;
    MTHANDLE e = Erosion2D(m, k, nullptr);
    ASSERT_EQ(MTGetFlags(e), MT_COMPLEX16);
    EXPECT_EQ(realRows(e), (Rows{{0, 0, 1}}));
    EXPECT_EQ(imagRows(e), (Rows{{0, 0, 0}}));
    MTHANDLE t = TopHat2D(m, k, nullptr);
    ASSERT_EQ(MTGetFlags(t), MT_COMPLEX16);
    EXPECT_EQ(realRows(t), (Rows{{0, 0, 1}}));  // opening 0 1 1
    MTHANDLE s = StErosion2D(m, nullptr);
    EXPECT_EQ(MTGetFlags(s), MT_DOUBLE);
    for (MTHANDLE h : {e, t, s, m}) MTDestroy(h);
}

TEST(Morphology, UnsignedTopHatNeverGoesNegative) {
    MTHANDLE m = randomMatrix(13, 9, MT_UCHAR, 5);
    MTHANDLE open = Opening2D(m, &circle5(), nullptr), top = TopHat2D(m, &circle5(), nullptr);
    for (int32_t y = 0; y < 9; ++y)
        for (int32_t x = 0; x < 13; ++x) {
            ASSERT_LE(MTReal(open, x, y), MTReal(m, x, y));
            ASSERT_EQ(MTReal(top, x, y), MTReal(m, x, y) - MTReal(open, x, y));
        }
    for (MTHANDLE h : {open, top, m}) MTDestroy(h);
}

TEST(Morphology, RefusesRgbAndNullKernels) {
    MTHANDLE m = MTCreate(3, 3, MT_UCHAR), rgb = MTCreate(3, 3, MT_RGB);
    for (Op op : {Erosion2D, Dilation2D, Opening2D, Closing2D, TopHat2D}) {
        EXPECT_EQ(op(m, nullptr, MTCreate(3, 3, MT_UCHAR)), nullptr);
        EXPECT_EQ(op(rgb, &rectangle(3), MTCreate(2, 2, MT_FLOAT)), nullptr);
    }
    MTDestroy(m);
    MTDestroy(rgb);
}

TEST(Morphology, PumpsOncePerColumn) {
    MTHANDLE m = MTCreate(5, 8, MT_USHORT);
    PumpCounter pumps;
    MTDestroy(Erosion2D(m, &rectangle(3), nullptr));
    EXPECT_EQ(PumpCounter::calls, 5);
    MTDestroy(TopHat2D(m, &rectangle(3), nullptr));
    EXPECT_EQ(PumpCounter::calls, 15);
    MTDestroy(m);
}
