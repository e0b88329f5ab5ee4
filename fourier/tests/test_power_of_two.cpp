#include <gtest/gtest.h>

#include <qd/fourier.h>

TEST(PowerOfTwo, IsPowerOf2) {
    EXPECT_EQ(IsPowerOf2(0), 0);
    EXPECT_EQ(IsPowerOf2(1), 1);
    EXPECT_EQ(IsPowerOf2(2), 1);
    EXPECT_EQ(IsPowerOf2(3), 0);
    EXPECT_EQ(IsPowerOf2(6), 0);
    EXPECT_EQ(IsPowerOf2(1024), 1);
    EXPECT_EQ(IsPowerOf2(1 << 30), 1);
    EXPECT_EQ(IsPowerOf2(-4), 0);
}

TEST(PowerOfTwo, GetPowerOf2IsAtLeastTwo) {
    EXPECT_EQ(GetPowerOf2(0), 2);
    EXPECT_EQ(GetPowerOf2(1), 2);
    EXPECT_EQ(GetPowerOf2(2), 2);
    EXPECT_EQ(GetPowerOf2(3), 4);
    EXPECT_EQ(GetPowerOf2(4), 4);
    EXPECT_EQ(GetPowerOf2(5), 8);
    EXPECT_EQ(GetPowerOf2(8), 8);
    EXPECT_EQ(GetPowerOf2(-7), 2);
    EXPECT_EQ(GetPowerOf2(1 << 30), 1 << 30);
    // Beyond 2^30 the doubling would overflow and never end: it saturates.
    EXPECT_EQ(GetPowerOf2((1 << 30) + 1), 1 << 30);
    EXPECT_EQ(GetPowerOf2(2147483647), 1 << 30);
}

TEST(PowerOfTwo, RectangleSidesMustBePowersOfTwoOfAtLeastTwo) {
    EXPECT_EQ(IsPowerOf2Rect(0, 0, 256, 128), 1);
    EXPECT_EQ(IsPowerOf2Rect(256, 128, 0, 0), 1);
    EXPECT_EQ(IsPowerOf2Rect(10, 10, 11, 12), 0); // a side of 1
    EXPECT_EQ(IsPowerOf2Rect(10, 10, 10, 12), 0); // a side of 0
    EXPECT_EQ(IsPowerOf2Rect(0, 0, 8, 12), 0);
}

TEST(PowerOfTwo, ReduceMovesTheMovingCorner) {
    const QDPOINT fixedPoint{10, 10};
    QDPOINT moving{30, 3};
    ReduceToPowerOf2Rect(&fixedPoint, &moving);
    EXPECT_EQ(moving.x, 26); // distance 20 -> extent 16
    EXPECT_EQ(moving.y, 6);  // distance 7 -> extent 4

    // Extents by distance: 0, 1, 2 -> 1; 3, 4 -> 2; 5..8 -> 4; 9..16 -> 8.
    const int expected[] = {1, 1, 1, 2, 2, 4, 4, 4, 4, 8, 8, 8, 8, 8, 8, 8, 8};
    for (int d = 0; d <= 16; ++d) {
        QDPOINT m{100 + d, 100 - d};
        const QDPOINT f{100, 100};
        ReduceToPowerOf2Rect(&f, &m);
        // x moves away from fixed toward larger values only when fixed < moving.
        EXPECT_EQ(m.x, d == 0 ? 99 : 100 + expected[d]) << d;
        EXPECT_EQ(m.y, 100 - expected[d]) << d;
    }
}
