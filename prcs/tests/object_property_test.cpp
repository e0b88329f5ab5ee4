// Object measurement: hand-worked shapes under both connectivities, and hole
// counts of random images against an independent flood fill.
#include "shape_support.h"

#include <cmath>

using namespace shape_test;

namespace {

const double kPi = std::acos(-1.0);

// Contour length from its steps in tracing order: '1' straight, 'd' diagonal.
double steps(const std::string& s) {
    double len = 0;
    for (char c : s) len += c == 'd' ? 1.414213562373 : 1.0;
    return len;
}

std::vector<ObjectPropertyRecord> measure(const Art& art, bool eight, bool drop = false) {
    MTHANDLE src = binary(art);
    MTHANDLE lab = nullptr;
    const int32_t n = FindObjects(src, eight, drop, &lab);
    std::vector<ObjectPropertyRecord> props(size_t(std::max(n, 0)));
    if (n > 0) {
        EXPECT_EQ(ObjectProperty(lab, n, eight, drop, props.data()), 1);
    }
    MTDestroy(lab);
    MTDestroy(src);
    return props;
}

} // namespace

TEST(ObjectProperty, SinglePixel) {
    for (bool eight : {false, true}) {
        const auto p = measure({"...", ".X.", "..."}, eight);
        ASSERT_EQ(p.size(), 1u);
        EXPECT_EQ(p[0].area, 1);
        EXPECT_EQ(p[0].perimeter, 0);
        EXPECT_EQ(p[0].holes, 0);
        EXPECT_EQ(p[0].Rg, 0);
        EXPECT_EQ(p[0].angle, 0);
        EXPECT_EQ(p[0].majorAxis, 1);
        EXPECT_EQ(p[0].minorAxis, 1);
    }
}

TEST(ObjectProperty, BarsSquaresAndTheirAxes) {
    for (bool eight : {false, true}) {
        auto p = measure({"....", ".XX.", "...."}, eight);
        EXPECT_EQ(p[0].perimeter, 2); // there and back

        p = measure({".......", ".XXXXX.", "......."}, eight);
        EXPECT_EQ(p[0].area, 5);
        EXPECT_EQ(p[0].angle, 0);
        EXPECT_EQ(p[0].majorAxis, 5);
        EXPECT_EQ(p[0].minorAxis, 1);
        EXPECT_DOUBLE_EQ(p[0].Rg, std::sqrt(2.0)); // variance of 1..5 is 2

        // Vertical bar in column 0: atan2(0, negative) gives pi.
        p = measure({"..", "X.", "X.", "X.", ".."}, eight);
        EXPECT_DOUBLE_EQ(p[0].angle, kPi / 2);
        EXPECT_NEAR(p[0].majorAxis, 3, 1e-12);
        EXPECT_NEAR(p[0].minorAxis, 1, 1e-12);

        p = measure({".....", ".XXX.", ".XXX.", ".XXX.", "....."}, eight);
        EXPECT_EQ(p[0].area, 9);
        EXPECT_EQ(p[0].perimeter, 8);
        EXPECT_EQ(p[0].holes, 0);

        Art big = blank(7, 7);
        for (int32_t y = 1; y <= 5; ++y) big[size_t(y)].replace(1, 5, "XXXXX");
        p = measure(big, eight);
        EXPECT_EQ(p[0].area, 25);
        EXPECT_EQ(p[0].perimeter, 16);
        EXPECT_DOUBLE_EQ(p[0].Rg, 2.0); // 2 + 2
    }
}

TEST(ObjectProperty, DiagonalLine) {
    const Art art = {".....", ".X...", "..X..", "...X.", "....."};
    auto p = measure(art, true);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].perimeter, steps("dddd"));
    EXPECT_DOUBLE_EQ(p[0].angle, kPi / 4);
    p = measure(art, false);
    ASSERT_EQ(p.size(), 3u);
    for (const auto& r : p) EXPECT_EQ(r.perimeter, 0);
}

TEST(ObjectProperty, LAndTStayOneContour) {
    for (bool eight : {false, true}) {
        auto p = measure({".....", ".X...", ".X...", ".XXX.", "....."}, eight);
        ASSERT_EQ(p.size(), 1u);
        EXPECT_EQ(p[0].area, 5);
        EXPECT_EQ(p[0].perimeter, steps("11111d1"));
        EXPECT_EQ(p[0].holes, 0);

        p = measure({".....", ".XXX.", "..X..", "..X..", "....."}, eight);
        EXPECT_EQ(p[0].perimeter, steps("d11d11"));
        EXPECT_EQ(p[0].holes, 0);
    }
}

TEST(ObjectProperty, RingsHaveOneHole) {
    for (bool eight : {false, true}) {
        // One pixel thick square ring: one contour, one hole.
        auto p = measure({".......", ".XXXXX.", ".X...X.", ".X...X.", ".X...X.", ".XXXXX.", "......."},
                         eight);
        ASSERT_EQ(p.size(), 1u);
        EXPECT_EQ(p[0].area, 16);
        EXPECT_EQ(p[0].perimeter, 16);
        EXPECT_EQ(p[0].holes, 1);

        // A 4-connected ring whose boundary takes diagonal steps.
        p = measure({".......", "..XXX..", ".XX.XX.", ".X...X.", ".XX.XX.", "..XXX..", "......."}, eight);
        ASSERT_EQ(p.size(), 1u);
        EXPECT_EQ(p[0].perimeter, steps("d11d11d11d11"));
        EXPECT_EQ(p[0].holes, 1);

        // Thick square ring: outer and inner contours apart.
        Art thick = blank(11, 11);
        for (int32_t y = 1; y <= 9; ++y) thick[size_t(y)].replace(1, 9, "XXXXXXXXX");
        for (int32_t y = 4; y <= 6; ++y) thick[size_t(y)].replace(4, 3, "...");
        p = measure(thick, eight);
        EXPECT_EQ(p[0].area, 81 - 9);
        EXPECT_EQ(p[0].holes, 1);
        // With 4-connectivity the inner boundary leaves out the hole's
        // diagonal corners.
        EXPECT_EQ(p[0].perimeter, 32 + (eight ? 16 : steps("d11d11d11d11")));
    }
    // A diamond ring is one object only with 8-connectivity.
    const Art diamond = {".......", "...X...", "..X.X..", ".X...X.", "..X.X..", "...X...", "......."};
    auto p = measure(diamond, true);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].perimeter, steps("dddddddd"));
    EXPECT_EQ(p[0].holes, 1);
    EXPECT_EQ(measure(diamond, false).size(), 8u);
}

TEST(ObjectProperty, ObjectsTouchingAtACorner) {
    const Art art = {"......", ".XX...", ".XX...", "...XX.", "...XX.", "......"};
    auto p = measure(art, false);
    ASSERT_EQ(p.size(), 2u);
    for (const auto& r : p) {
        EXPECT_EQ(r.area, 4);
        EXPECT_EQ(r.perimeter, 4); // each trace keeps to its own object
        EXPECT_EQ(r.holes, 0);
    }
    p = measure(art, true);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].area, 8);
    EXPECT_EQ(p[0].perimeter, steps("11d1111d11"));
    EXPECT_EQ(p[0].holes, 0);
}

TEST(ObjectProperty, IslandInAHoleAndDiskHaveNoExtraHoles) {
    for (bool eight : {false, true}) {
        auto p = measure({".......", ".XXXXX.", ".X...X.", ".X.X.X.", ".X...X.", ".XXXXX.", "......."},
                         eight);
        ASSERT_EQ(p.size(), 2u);
        EXPECT_EQ(p[0].holes, 1);
        EXPECT_EQ(p[1].holes, 0);
        EXPECT_EQ(p[1].area, 1);

        const int32_t r = 8, side = 2 * r + 5, c = side / 2;
        Art disk = blank(side, side);
        int32_t area = 0;
        for (int32_t y = 0; y < side; ++y)
            for (int32_t x = 0; x < side; ++x)
                if ((x - c) * (x - c) + (y - c) * (y - c) <= r * r) {
                    disk[size_t(y)][size_t(x)] = 'X';
                    ++area;
                }
        p = measure(disk, eight);
        ASSERT_EQ(p.size(), 1u);
        EXPECT_EQ(p[0].area, area);
        EXPECT_EQ(p[0].holes, 0);
        // One closed contour around the disk, close to its circumference.
        EXPECT_GT(p[0].perimeter, 2 * kPi * r * 0.85);
        EXPECT_LT(p[0].perimeter, 2 * kPi * r * 1.15);
        EXPECT_NEAR(p[0].majorAxis, 2 * r + 1, 1e-9);
    }
}

TEST(ObjectProperty, EmptyObjectsKeepAngleAndAxes) {
    MTHANDLE src = binary({"...", ".X.", "..."});
    MTHANDLE lab = nullptr;
    ASSERT_EQ(FindObjects(src, 0, 0, &lab), 1);
    ObjectPropertyRecord props[2];
    props[1] = {7, 7, 7, 7, 7, 7, 7};
    EXPECT_EQ(ObjectProperty(lab, 2, 0, 0, props), 1);
    EXPECT_EQ(props[1].area, 0);
    EXPECT_EQ(props[1].perimeter, 0);
    EXPECT_EQ(props[1].Rg, 0);
    EXPECT_EQ(props[1].holes, 0);
    EXPECT_EQ(props[1].angle, 7);
    EXPECT_EQ(props[1].majorAxis, 7);
    EXPECT_EQ(ObjectProperty(nullptr, 1, 0, 0, props), 0);
    MTDestroy(lab);
    MTDestroy(src);
}

TEST(ObjectProperty, RandomHolesAndAreasMatchAFloodFill) {
    uint32_t seed = 100;
    for (auto [w, h] : {std::pair{12, 9}, {25, 20}, {40, 31}})
        for (double density : {0.45, 0.6, 0.75})
            for (bool eight : {false, true}) {
                const Art art = randomArt(w, h, density, seed++);
                MTHANDLE src = binary(art);
                MTHANDLE lab = nullptr;
                const int32_t n = FindObjects(src, eight, 0, &lab);
                std::vector<ObjectPropertyRecord> props(static_cast<size_t>(n));
                ASSERT_EQ(ObjectProperty(lab, n, eight, 0, props.data()), 1);
                for (int32_t k = 1; k <= n; ++k) {
                    int32_t regions = 0, area = 0;
                    auto notK = [&](int32_t x, int32_t y) { return MTRealInt(lab, x, y) != k; };
                    const auto comp = floodFill(w, h, !eight, notK, regions);
                    std::vector<bool> open(size_t(regions), false);
                    for (int32_t y = 0; y < h; ++y)
                        for (int32_t x = 0; x < w; ++x) {
                            const int32_t c = comp[size_t(y * w + x)];
                            if (c < 0) ++area;
                            else if (x == 0 || y == 0 || x == w - 1 || y == h - 1) open[size_t(c)] = true;
                        }
                    const auto holes = int32_t(std::count(open.begin(), open.end(), false));
                    EXPECT_EQ(props[size_t(k - 1)].holes, holes) << "object " << k << " seed " << seed - 1;
                    EXPECT_EQ(props[size_t(k - 1)].area, area);
                }
                MTDestroy(lab);
                MTDestroy(src);
            }
}
