// The destination rule, window-relative work, and sources passed as their
// own destination.
#include "test_support.h"

using namespace prcs_test;

TEST(ResultRule, ReusesAMatchingDestinationAndReplacesOthers) {
    MTHANDLE m = makeMatrix({{1, 5, 2}, {8, 3, 9}}, MT_UCHAR);
    MTHANDLE dst = MTCreate(3, 2, MT_UCHAR);
    EXPECT_EQ(StDilation2D(m, dst), dst);
    EXPECT_EQ(realRows(dst), constantRows(3, 2, 9));
    // Wrong type: destroyed (the leak checker would notice otherwise) and
    // replaced.
    MTHANDLE wrong = MTCreate(3, 2, MT_SHORT);
    MTHANDLE r = StDilation2D(m, wrong);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(MTGetFlags(r), MT_UCHAR);
    MTDestroy(r);
    r = StEdgeDetect2D(m, MTCreate(2, 3, MT_FLOAT));
    EXPECT_EQ(MTGetWidth(r), 3);
    MTDestroy(r);
    MTDestroy(dst);
    MTDestroy(m);
}

TEST(ResultRule, DestinationWindowOfTheRightSizeIsFilled) {
    MTHANDLE m = makeMatrix({{4, 6}}, MT_FLOAT);
    MTHANDLE dst = MTCreate(5, 3, MT_FLOAT);
    ASSERT_EQ(MTSetWindow(dst, 2, 1, 4, 2), 1);
    EXPECT_EQ(BinOp2D(m, 1, 2, dst), dst);
    MTSetDefaultWindow(dst);
    EXPECT_EQ(realRows(dst), (Rows{{0, 0, 0, 0, 0}, {0, 0, 8, 12, 0}, {0, 0, 0, 0, 0}}));
    MTDestroy(dst);
    MTDestroy(m);
}

TEST(ResultRule, WorksOnTheSourceWindowOnly) {
    // The window's edge replicates its own pixels, not those outside it.
    MTHANDLE m = makeMatrix({{90, 90, 90, 90}, {90, 1, 2, 90}, {90, 3, 4, 90}, {90, 90, 90, 90}},
                            MT_SHORT);
    ASSERT_EQ(MTSetWindow(m, 1, 1, 3, 3), 1);
    MTHANDLE d = Dilation2D(m, &rectangle(3), nullptr);
    EXPECT_EQ(realRows(d), constantRows(2, 2, 4));
    MTHANDLE s = StErosion2D(m, nullptr);
    EXPECT_EQ(realRows(s), constantRows(2, 2, 1));
    double sum = 0;
    Sum2D(m, &sum);
    EXPECT_EQ(sum, 10);
    for (MTHANDLE h : {d, s, m}) MTDestroy(h);
}

TEST(ResultRule, SourceAsItsOwnDestinationGivesTheSameResult) {
    using Filter = MTHANDLE (*)(MTHANDLE, MTHANDLE);
    for (Filter f : {StMedianFilter2D, StErosion2D, StDilation2D, StEdgeDetect2D}) {
        MTHANDLE m = randomMatrix(7, 6, MT_FLOAT, 21);
        MTHANDLE expected = f(m, nullptr);
        EXPECT_EQ(f(m, m), m);
        expectSameElements(m, expected, "in place");
        MTDestroy(expected);
        MTDestroy(m);
    }
    MTHANDLE m = randomMatrix(7, 6, MT_SHORT, 22);
    const MMKernel k = circle5();
    MTHANDLE expected = TopHat2D(m, &k, nullptr);
    EXPECT_EQ(TopHat2D(m, &k, m), m);
    expectSameElements(m, expected, "top-hat in place");
    MTDestroy(expected);
    expected = MedianFilter2D(m, &k, nullptr);
    EXPECT_EQ(MedianFilter2D(m, &k, m), m);
    expectSameElements(m, expected, "median in place");
    MTDestroy(expected);
    MTDestroy(m);
}

TEST(ResultRule, SourceOfAnotherTypeAsDestinationIsKept) {
    MTHANDLE c = MTCreate(4, 4, MT_COMPLEX8);
    MTSetComplex(c, 1, 1, {3, 4});
    MTHANDLE r = StMedianFilter2D(c, c);
    ASSERT_NE(r, c);
    EXPECT_EQ(MTGetFlags(r), MT_FLOAT);
    EXPECT_EQ(MTImag(c, 1, 1), 4);  // the source is still there
    MTDestroy(r);
    MTHANDLE rgb = MTCreate(2, 2, MT_RGB);
    EXPECT_EQ(StErosion2D(rgb, rgb), nullptr);
    EXPECT_EQ(MTIsRgb(rgb), 1);
    MTDestroy(rgb);
    MTDestroy(c);
}

extern "C" int prcsCApiSmoke(void);

TEST(CInterface, HeaderWorksFromC) { EXPECT_EQ(prcsCApiSmoke(), 1); }
