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

namespace {

Art square(int32_t side, int32_t hole) {
    Art art = blank(side + 2, side + 2);
    for (int32_t y = 1; y <= side; ++y) art[size_t(y)].replace(1, size_t(side), std::string(size_t(side), 'X'));
    const int32_t from = 1 + (side - hole) / 2;
    for (int32_t y = from; y < from + hole; ++y) art[size_t(y)].replace(size_t(from), size_t(hole), std::string(size_t(hole), '.'));
    return art;
}

// One object's area, contour steps in tracing order and holes, the same
// under both connectivities unless `eight` is given.
struct Shape {
    const char* name;
    Art art;
    double area;
    std::string contour;
    int32_t holes;
    int32_t eight = -1;
};

} // namespace

TEST(ObjectProperty, ShapesByHand) {
    const Shape shapes[] = {
        {"pair", {"....", ".XX.", "...."}, 2, "11", 0}, // there and back
        {"3x3", square(3, 0), 9, "11111111", 0},
        {"5x5", square(5, 0), 25, std::string(16, '1'), 0},
        {"diagonal", {".....", ".X...", "..X..", "...X.", "....."}, 3, "dddd", 0, 1},
        {"L", {".....", ".X...", ".X...", ".XXX.", "....."}, 5, "11111d1", 0},
        {"T", {".....", ".XXX.", "..X..", "..X..", "....."}, 5, "d11d11", 0},
        // One pixel thick rings: a single contour, still one hole.
        {"square ring", square(5, 3), 16, std::string(16, '1'), 1},
        {"round ring", {".......", "..XXX..", ".XX.XX.", ".X...X.", ".XX.XX.", "..XXX..", "......."},
         16, "d11d11d11d11", 1},
        {"diamond ring", {".......", "...X...", "..X.X..", ".X...X.", "..X.X..", "...X...", "......."},
         8, "dddddddd", 1, 1},
        // Thick ring: outer and inner contour; with 4-connectivity the inner
        // boundary leaves out the hole's diagonal corners.
        {"thick ring 4", square(9, 3), 72, std::string(32, '1') + "d11d11d11d11", 1, 0},
        {"thick ring 8", square(9, 3), 72, std::string(48, '1'), 1, 1},
        {"corner pair 8", {"......", ".XX...", ".XX...", "...XX.", "...XX.", "......"}, 8, "11d1111d11", 0, 1},
    };
    for (const Shape& s : shapes)
        for (bool eight : {false, true}) {
            if (s.eight >= 0 && s.eight != eight) continue;
            const auto p = measure(s.art, eight);
            ASSERT_EQ(p.size(), 1u) << s.name;
            EXPECT_EQ(p[0].area, s.area) << s.name;
            EXPECT_EQ(p[0].perimeter, steps(s.contour)) << s.name << " eight " << eight;
            EXPECT_EQ(p[0].holes, s.holes) << s.name << " eight " << eight;
        }
    // The same layouts fall apart into pixels, or into two squares that each
    // keep to their own contour.
    EXPECT_EQ(measure(shapes[3].art, false).size(), 3u);
    EXPECT_EQ(measure(shapes[8].art, false).size(), 8u);
    for (const auto& r : measure(shapes[11].art, false)) {
        EXPECT_EQ(r.area, 4);
        EXPECT_EQ(r.perimeter, 4);
    }
}

TEST(ObjectProperty, AnglesAxesAndRadius) {
    for (bool eight : {false, true}) {
        auto p = measure({".......", ".XXXXX.", "......."}, eight);
        EXPECT_EQ(p[0].angle, 0);
        EXPECT_EQ(p[0].majorAxis, 5);
        EXPECT_EQ(p[0].minorAxis, 1);
        EXPECT_DOUBLE_EQ(p[0].Rg, std::sqrt(2.0)); // variance of 1..5 is 2
        // Vertical bar in column 0: atan2(0, negative) gives pi.
        p = measure({"..", "X.", "X.", "X.", ".."}, eight);
        EXPECT_DOUBLE_EQ(p[0].angle, kPi / 2);
        EXPECT_NEAR(p[0].majorAxis, 3, 1e-12);
        EXPECT_NEAR(p[0].minorAxis, 1, 1e-12);
        EXPECT_DOUBLE_EQ(measure(square(5, 0), eight)[0].Rg, 2.0);
    }
    EXPECT_DOUBLE_EQ(measure({".....", ".X...", "..X..", "...X.", "....."}, true)[0].angle, kPi / 4);
}

TEST(ObjectProperty, IslandInAHoleAndDiskHaveNoExtraHoles) {
    for (bool eight : {false, true}) {
        Art island = square(5, 3);
        island[3][3] = 'X';
        auto p = measure(island, eight);
        ASSERT_EQ(p.size(), 2u);
        EXPECT_EQ(p[0].holes, 1);
        EXPECT_EQ(p[1].holes, 0);

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

TEST(ObjectProperty, SinglePixelAndAnEmptyObject) {
    MTHANDLE src = binary({"...", ".X.", "..."});
    for (int32_t eight : {0, 1}) {
        MTHANDLE lab = nullptr;
        ASSERT_EQ(FindObjects(src, eight, 0, &lab), 1);
        // Room for a second object that has no pixel.
        ObjectPropertyRecord p[2];
        p[1] = {7, 7, 7, 7, 7, 7, 7};
        EXPECT_EQ(ObjectProperty(lab, 2, eight, 0, p), 1);
        const double pixel[] = {p[0].area, p[0].perimeter, p[0].angle, p[0].majorAxis, p[0].minorAxis, p[0].Rg};
        EXPECT_EQ(std::vector<double>(pixel, pixel + 6), (std::vector<double>{1, 0, 0, 1, 1, 0}));
        EXPECT_EQ(p[0].holes, 0);
        // Area, perimeter, holes and Rg start at 0; angle and axes are left.
        const double empty[] = {p[1].area, p[1].perimeter, p[1].angle, p[1].majorAxis, p[1].minorAxis, p[1].Rg};
        EXPECT_EQ(std::vector<double>(empty, empty + 6), (std::vector<double>{0, 0, 7, 7, 7, 0}));
        EXPECT_EQ(p[1].holes, 0);
        EXPECT_EQ(ObjectProperty(nullptr, 1, eight, 0, p), 0);
        MTDestroy(lab);
    }
    MTDestroy(src);
}

namespace {

// Holes and area of every object 1 .. n of a label image, against flood
// fills of its complement under the other connectivity.
void checkHolesAndAreas(MTHANDLE lab, int32_t n, bool eight, const std::string& what) {
    const int32_t w = MTGetWidth(lab), h = MTGetHeight(lab);
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
        EXPECT_EQ(props[size_t(k - 1)].holes, holes) << what << " object " << k;
        EXPECT_EQ(props[size_t(k - 1)].area, area) << what << " object " << k;
    }
}

} // namespace

TEST(ObjectProperty, RandomHolesAndAreasMatchAFloodFill) {
    uint32_t seed = 100;
    for (auto [w, h] : {std::pair{12, 9}, {25, 20}, {40, 31}})
        for (bool eight : {false, true}) {
            for (double density : {0.45, 0.6, 0.75}) {
                MTHANDLE src = binary(randomArt(w, h, density, seed++));
                MTHANDLE lab = nullptr;
                const int32_t n = FindObjects(src, eight, 0, &lab);
                checkHolesAndAreas(lab, n, eight, "labelled, seed " + std::to_string(seed));
                MTDestroy(lab);
                MTDestroy(src);
            }
            // Any label image: objects in pieces, touching each other, and
            // labels above n that only count as other pixels.
            std::mt19937 rng(seed++);
            MTHANDLE lab = MTCreate(w, h, MT_USHORT);
            for (int32_t y = 0; y < h; ++y)
                for (int32_t x = 0; x < w; ++x) MTSetRealInt(lab, x, y, int32_t(rng() % 6));
            checkHolesAndAreas(lab, 4, eight, "any labels, seed " + std::to_string(seed));
            MTDestroy(lab);
        }
}
