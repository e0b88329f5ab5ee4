// Delaunay triangulation and Voronoi diagram: drawings of a few objects
// worked by hand, and the triangulator's structure on random and degenerate
// point sets.
#include "shape_support.h"

// The triangulator is internal to the library; its source is compiled into
// this test to reach the structure it builds.
#include "../src/delaunay.cpp"

#include <array>
#include <cmath>
#include <set>

using namespace shape_test;
using qd::prcs::Triangulator;

namespace {

using Pixels = std::set<std::pair<int32_t, int32_t>>;

// Single-pixel objects at the given points of a w x h image.
MTHANDLE dots(int32_t w, int32_t h, const std::vector<std::pair<int32_t, int32_t>>& at) {
    MTHANDLE m = MTCreate(w, h, MT_BINARY);
    for (auto [x, y] : at) MTSetRealInt(m, x, y, 1);
    return m;
}

Pixels pixelsOf(MTHANDLE m) {
    Pixels p;
    for (int32_t y = 0; y < MTGetHeight(m); ++y)
        for (int32_t x = 0; x < MTGetWidth(m); ++x)
            if (MTRealInt(m, x, y)) p.insert({x, y});
    return p;
}

// Straight and 45-degree segments between integer points, ends included.
Pixels segments(std::initializer_list<std::array<int32_t, 4>> list) {
    Pixels p;
    for (auto [x0, y0, x1, y1] : list) {
        const int32_t n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        const int32_t sx = (x1 > x0) - (x1 < x0), sy = (y1 > y0) - (y1 < y0);
        for (int32_t i = 0; i <= n; ++i) p.insert({x0 + i * sx, y0 + i * sy});
    }
    return p;
}

Pixels drawn(MTHANDLE (*op)(MTHANDLE, MTHANDLE), int32_t side,
             const std::vector<std::pair<int32_t, int32_t>>& at) {
    MTHANDLE src = dots(side, side, at);
    MTHANDLE out = op(src, nullptr);
    Pixels p;
    if (out) p = pixelsOf(out);
    else ADD_FAILURE() << "no drawing";
    MTDestroy(out);
    MTDestroy(src);
    return p;
}

const std::vector<std::pair<int32_t, int32_t>> kSquareAndCentre = {{4, 4}, {12, 4}, {8, 8}, {4, 12}, {12, 12}};

} // namespace

TEST(Triangulation, SegmentsOfThreeFourAndFiveObjects) {
    EXPECT_EQ(drawn(Triangulation, 16, {{2, 2}, {12, 2}, {2, 12}}),
              segments({{2, 2, 12, 2}, {2, 2, 2, 12}, {12, 2, 2, 12}}));
    // Raster order inserts (4,4), (12,4), (4,12), then (12,12) exactly on
    // the first triangle's circumcircle: no flip, the first diagonal stays.
    const Pixels square = segments({{4, 4, 12, 4}, {4, 12, 12, 12}, {4, 4, 4, 12}, {12, 4, 12, 12}});
    Pixels want = square;
    want.merge(segments({{12, 4, 4, 12}}));
    EXPECT_EQ(drawn(Triangulation, 17, {{4, 4}, {12, 4}, {4, 12}, {12, 12}}), want);
    // A centre point joins all four corners.
    want = square;
    want.merge(segments({{12, 4, 4, 12}, {4, 4, 12, 12}}));
    EXPECT_EQ(drawn(Triangulation, 17, kSquareAndCentre), want);
}

TEST(VoronoiDiagram, CircumcentresAndRaysToTheBorder) {
    // Right triangle: the circumcentre (7, 7) halves the long side; each ray
    // leaves square to its side, away from the triangle.
    EXPECT_EQ(drawn(VoronoiDiagram, 16, {{2, 2}, {12, 2}, {2, 12}}),
              segments({{7, 7, 7, 0}, {7, 7, 0, 7}, {7, 7, 15, 15}}));
    // Four triangles round the centre: their circumcentres are the midpoints
    // of the square's sides, and the rays go straight out through them.
    EXPECT_EQ(drawn(VoronoiDiagram, 17, kSquareAndCentre),
              segments({{8, 4, 4, 8}, {4, 8, 8, 12}, {8, 12, 12, 8}, {12, 8, 8, 4},
                        {8, 4, 8, 0}, {4, 8, 0, 8}, {8, 12, 8, 16}, {12, 8, 16, 8}}));
}

TEST(Triangulation, TooFewInnerObjectsAndTheDestination) {
    // Objects on the border do not count.
    MTHANDLE src = dots(10, 10, {{0, 3}, {4, 4}, {6, 6}, {9, 9}});
    EXPECT_EQ(Triangulation(src, MTCreate(10, 10, MT_BINARY)), nullptr);
    EXPECT_EQ(VoronoiDiagram(src, nullptr), nullptr);
    MTDestroy(src);
    MTHANDLE grey = MTCreate(10, 10, MT_UCHAR);
    EXPECT_EQ(Triangulation(grey, nullptr), nullptr);
    MTDestroy(grey);
    // The drawing goes over what a reused destination holds.
    src = dots(16, 16, {{2, 2}, {12, 2}, {2, 12}});
    MTHANDLE dst = dots(16, 16, {{15, 15}});
    EXPECT_EQ(Triangulation(src, dst), dst);
    EXPECT_EQ(MTRealInt(dst, 15, 15), 1);
    EXPECT_EQ(MTRealInt(dst, 7, 2), 1);
    MTDestroy(dst);
    // Collinear centroids make no triangle: an empty drawing, promptly.
    MTHANDLE line = dots(20, 5, {{2, 2}, {5, 2}, {9, 2}, {14, 2}});
    MTHANDLE out = Triangulation(line, nullptr);
    ASSERT_NE(out, nullptr);
    EXPECT_TRUE(pixelsOf(out).empty());
    MTDestroy(out);
    MTDestroy(line);
    MTDestroy(src);
}

namespace {

// Structure and the empty-circumcircle property of a finished triangulation.
void checkTriangulation(const Triangulator& t, const std::string& what) {
    const auto& pts = t.points();
    auto sideValue = [&](const qd::prcs::HalfEdge& e, const qd::prcs::TriPoint& p) {
        const auto& o = pts[size_t(e.org)];
        return e.a * (p.x - o.x) + e.b * (p.y - o.y);
    };
    const auto& edges = t.edges();
    const auto& tris = t.triangles();
    size_t hullEdges = 0;
    for (size_t i = 0; i < edges.size(); ++i) {
        const auto& e = edges[i];
        ASSERT_EQ(edges[size_t(edges[size_t(edges[i].next)].next)].next, int32_t(i)) << what;
        ASSERT_EQ(edges[size_t(e.next)].org, e.dst) << what;
        if (e.twin >= 0) {
            ASSERT_EQ(edges[size_t(e.twin)].org, e.dst) << what;
            ASSERT_EQ(edges[size_t(e.twin)].dst, e.org) << what;
        } else {
            ++hullEdges;
            ASSERT_EQ(edges[size_t(e.hullNext)].org, e.dst) << what;
            // Every point lies on the inner side of a hull edge, or on it.
            for (const auto& p : pts) ASSERT_GE(sideValue(e, p), -1e-6) << what;
        }
        // The triangle's third vertex lies on its inner side.
        const auto& third = pts[size_t(edges[size_t(e.next)].dst)];
        ASSERT_GT(sideValue(e, third), 0) << what;
    }
    if (pts.size() >= 3 && !tris.empty()) {
        EXPECT_EQ(tris.size(), 2 * pts.size() - 2 - hullEdges) << what; // no point left out
    }
    for (const auto& tr : tris)
        for (const auto& p : pts) ASSERT_GE(p.squaredDistance(tr.cx, tr.cy), tr.r2 * (1 - 1e-9)) << what;
}

} // namespace

TEST(Triangulator, RandomPointsHaveEmptyCircumcircles) {
    std::mt19937 rng(3);
    for (int32_t round = 0; round < 20; ++round) {
        std::uniform_real_distribution<double> coord(0, 500);
        Triangulator t;
        const int32_t n = 3 + int32_t(rng() % 300);
        for (int32_t i = 0; i < n; ++i) t.add(coord(rng), coord(rng));
        EXPECT_EQ(t.points().size(), size_t(n));
        checkTriangulation(t, "round " + std::to_string(round));
    }
}

TEST(Triangulator, DegenerateInputEnds) {
    Triangulator line;
    for (int32_t i = 0; i < 1000; ++i) line.add(3.0 * i, 2.0 * i + 1);
    EXPECT_EQ(line.points().size(), 2u);
    EXPECT_TRUE(line.triangles().empty());

    // Duplicates, the first two among them, are dropped wherever they come.
    Triangulator dup;
    for (int32_t i = 0; i < 50; ++i) dup.add(5, 5);
    for (int32_t r = 0; r < 20; ++r)
        for (auto [x, y] : {std::pair{5.0, 5.0}, {9.0, 5.0}, {5.0, 9.0}, {9.0, 9.0}, {7.0, 7.0}})
            dup.add(x, y);
    EXPECT_EQ(dup.points().size(), 5u);
    checkTriangulation(dup, "duplicates");

    // Co-circular points whose coordinates come from rounding, repeated.
    Triangulator circle;
    for (int32_t i = 0; i < 200; ++i) {
        const double a = (i * 37 % 64) * std::acos(-1.0) / 32;
        circle.add(100 + 50 * std::cos(a), 100 + 50 * std::sin(a));
    }
    EXPECT_EQ(circle.points().size(), 64u);
    checkTriangulation(circle, "circle");

    // A grid in raster order: every cell is co-circular, and points fall on
    // existing edges and on the hull's line. The rest of the first row lies
    // on the line of its first two points and is dropped as a third point.
    Triangulator grid;
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 30; ++x) grid.add(x, y);
    EXPECT_EQ(grid.points().size(), 900u - 28u);
    checkTriangulation(grid, "grid");

    // Points on the edges of the first triangle and around it.
    Triangulator edges;
    for (auto [x, y] : {std::pair{0.0, 0.0}, {8.0, 0.0}, {0.0, 8.0}, {4.0, 0.0}, {4.0, 4.0}, {0.0, 4.0},
                        {2.0, 2.0}, {12.0, 0.0}, {-4.0, 0.0}, {4.0, -4.0}})
        edges.add(x, y);
    EXPECT_EQ(edges.points().size(), 10u);
    checkTriangulation(edges, "edges");
}

