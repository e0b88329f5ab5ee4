// The 3 x 3 wrap-around filters: rank, median, erosion, dilation.
#include "test_support.h"

using namespace prcs_test;

namespace {

const Rows kHotAt00 = {{100, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}};

Rows filtered(MTHANDLE (*f)(MTHANDLE, MTHANDLE), const Rows& rows, int32_t type) {
    MTHANDLE m = makeMatrix(rows, type);
    return takeRows(f(m, nullptr), m);
}

} // namespace

TEST(WrapWindow, DilationReachesAcrossEveryEdgeAndCorner) {
    // A pixel at the top-left corner is a neighbour of the last column and
    // the last row, and of the opposite corner.
    EXPECT_EQ(filtered(StDilation2D, kHotAt00, MT_UCHAR),
              (Rows{{100, 100, 0, 100},
                    {100, 100, 0, 100},
                    {0, 0, 0, 0},
                    {0, 0, 0, 0},
                    {100, 100, 0, 100}}));
    const Rows hotAt34 = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 7}};
    EXPECT_EQ(filtered(StDilation2D, hotAt34, MT_SHORT),
              (Rows{{7, 0, 7, 7}, {0, 0, 0, 0}, {0, 0, 0, 0}, {7, 0, 7, 7}, {7, 0, 7, 7}}));
}

TEST(WrapWindow, ErosionReachesAcrossEdges) {
    const Rows holeAt30 = {{5, 5, 5, -2}, {5, 5, 5, 5}, {5, 5, 5, 5}, {5, 5, 5, 5}};
    EXPECT_EQ(filtered(StErosion2D, holeAt30, MT_CHAR),
              (Rows{{-2, 5, -2, -2}, {-2, 5, -2, -2}, {5, 5, 5, 5}, {-2, 5, -2, -2}}));
}

TEST(WrapWindow, BinaryPixelsAtBothEndsOfARowAreNeighbours) {
    const Rows ends = {{1, 0, 0, 0, 1}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}};
    const Rows d = filtered(StDilation2D, ends, MT_BINARY);
    EXPECT_EQ(d[0], (std::vector<double>{1, 1, 0, 1, 1}));
    EXPECT_EQ(d[2], (std::vector<double>{0, 0, 0, 0, 0}));
    EXPECT_EQ(d[3], (std::vector<double>{1, 1, 0, 1, 1}));
    MTHANDLE m = makeMatrix(ends, MT_BINARY);
    MTHANDLE e = StErosion2D(m, nullptr);
    EXPECT_EQ(MTGetFlags(e), MT_BINARY);
    EXPECT_EQ(realRows(e), constantRows(5, 4, 0));
    MTDestroy(e);
    MTDestroy(m);
}

TEST(WrapWindow, EveryRankOfAThreeByThreeImageIsTheSameEverywhere) {
    // Every window holds all nine pixels, ties included.
    const Rows img = {{5, 5, 5}, {1, 1, 9}, {9, 9, 2}};
    const double sorted[9] = {1, 1, 2, 5, 5, 5, 9, 9, 9};
    MTHANDLE m = makeMatrix(img, MT_DOUBLE);
    for (int32_t rank = 0; rank < 9; ++rank) {
        MTHANDLE r = StRankFilter2D(m, rank, nullptr);
        EXPECT_EQ(realRows(r), constantRows(3, 3, sorted[rank])) << "rank " << rank;
        MTDestroy(r);
    }
    MTHANDLE med = StMedianFilter2D(m, nullptr);
    EXPECT_EQ(realRows(med), constantRows(3, 3, 5));
    MTDestroy(med);
    MTDestroy(m);
}

TEST(WrapWindow, RankOutsideTheSlotsIsClamped) {
    MTHANDLE m = makeMatrix({{4, 8, 1}, {7, 3, 6}, {2, 9, 5}}, MT_UCHAR);
    MTHANDLE low = StRankFilter2D(m, -3, nullptr), high = StRankFilter2D(m, 40, nullptr);
    EXPECT_EQ(realRows(low), constantRows(3, 3, 1));
    EXPECT_EQ(realRows(high), constantRows(3, 3, 9));
    MTDestroy(low);
    MTDestroy(high);
    MTDestroy(m);
}

TEST(WrapWindow, MedianOfAnImageWithTies) {
    const Rows img = {{2, 2, 7, 7}, {2, 9, 9, 7}, {1, 1, 1, 7}};
    const Rows med = filtered(StMedianFilter2D, img, MT_USHORT);
    EXPECT_EQ(med[1][1], 2);  // 1 1 1 2 [2] 2 7 9 9
    EXPECT_EQ(med[0][0], 2);  // columns 3, 0, 1: 1 1 2 2 [2] 7 7 7 9
    EXPECT_EQ(med[2][3], 7);  // rows 1, 2, 0: 1 1 2 2 [7] 7 7 7 9
}

TEST(WrapWindow, RankZeroFourEightMatchErosionMedianDilation) {
    for (int32_t type : {MT_UCHAR, MT_SHORT, MT_LONG, MT_FLOAT, MT_DOUBLE, MT_4BITS}) {
        MTHANDLE m = randomMatrix(9, 7, type, 11u + uint32_t(type));
        MTHANDLE (*same[3])(MTHANDLE, MTHANDLE) = {StErosion2D, StMedianFilter2D, StDilation2D};
        const int32_t ranks[3] = {0, 4, 8};
        for (int32_t i = 0; i < 3; ++i) {
            MTHANDLE a = StRankFilter2D(m, ranks[i], nullptr), b = same[i](m, nullptr);
            expectSameElements(a, b, "rank " + std::to_string(ranks[i]) + " type " + std::to_string(type));
            MTDestroy(a);
            MTDestroy(b);
        }
        MTDestroy(m);
    }
}

TEST(WrapWindow, OnePixelImageGivesThePixel) {
    for (auto f : {StMedianFilter2D, StErosion2D, StDilation2D})
        EXPECT_EQ(filtered(f, {{-6.5}}, MT_FLOAT), (Rows{{-6.5}}));
    MTHANDLE m = makeMatrix({{3}}, MT_UCHAR);
    MTHANDLE r = StRankFilter2D(m, 8, nullptr);
    EXPECT_EQ(MTReal(r, 0, 0), 3);
    MTDestroy(r);
    MTDestroy(m);
}

TEST(WrapWindow, ComplexSourceGivesRealPartsAtItsPrecision) {
    MTHANDLE m = MTCreate(3, 3, MT_COMPLEX16);
    for (int32_t i = 0; i < 9; ++i) MTSetComplex(m, i % 3, i / 3, {double(i) + 0.25, 100.0});
    for (auto f : {StMedianFilter2D, StErosion2D, StDilation2D}) {
        MTHANDLE r = f(m, nullptr);
        EXPECT_EQ(MTGetFlags(r), MT_DOUBLE);
        MTDestroy(r);
    }
    MTHANDLE med = StMedianFilter2D(m, nullptr);
    EXPECT_EQ(MTReal(med, 0, 0), 4.25);
    MTDestroy(med);
    MTHANDLE c8 = MTCreate(2, 2, MT_COMPLEX8);
    MTHANDLE r8 = StRankFilter2D(c8, 3, nullptr);
    EXPECT_EQ(MTGetFlags(r8), MT_FLOAT);
    MTDestroy(r8);
    MTDestroy(c8);
    MTDestroy(m);
}

TEST(WrapWindow, PumpsOncePerRow) {
    MTHANDLE m = MTCreate(7, 4, MT_UCHAR);
    PumpCounter pumps;
    MTHANDLE r = StMedianFilter2D(m, nullptr);
    EXPECT_EQ(PumpCounter::calls, 4);
    MTDestroy(r);
    MTDestroy(m);
}

TEST(WrapWindow, RefusesRgbAndNullSources) {
    MTHANDLE rgb = MTCreate(3, 3, MT_RGB);
    // The destinations are destroyed (the leak checker would notice).
    EXPECT_EQ(StMedianFilter2D(rgb, MTCreate(3, 3, MT_RGB)), nullptr);
    EXPECT_EQ(StRankFilter2D(rgb, 2, MTCreate(1, 1, MT_UCHAR)), nullptr);
    EXPECT_EQ(StErosion2D(rgb, nullptr), nullptr);
    EXPECT_EQ(StDilation2D(nullptr, nullptr), nullptr);
    MTDestroy(rgb);
}
