// Incremental Delaunay triangulation of points in the plane, with half-edges
// that know their line, point location by walking, and edge flips.
#pragma once

#include <cstdint>
#include <vector>

namespace qd::prcs {

struct TriPoint {
    double x;
    double y;
    double squaredDistance(double px, double py) const;
};

struct HalfEdge {
    int32_t org;
    int32_t dst;
    int32_t twin;     // -1 on the hull
    int32_t next;     // within its triangle
    int32_t hullNext; // -1 when not on the hull
    int32_t hullPrev;
    int32_t tri;
    double a, b;      // line a x + b y + c = 0 through org and dst
};

struct Triangle {
    int32_t edge;
    double cx, cy, r2; // circumcircle: centre, squared radius
};

// Everything it makes lives in its own vectors and goes with it.
class Triangulator {
public:
    // Adds a point; later duplicates are dropped, and so is a third point on
    // the line of the first two. Throws std::bad_alloc.
    void add(double x, double y);

    const std::vector<TriPoint>& points() const { return points_; }
    const std::vector<HalfEdge>& edges() const { return edges_; }
    const std::vector<Triangle>& triangles() const { return triangles_; }

private:
    enum class Where { Vertex, OnEdge, Inside, Outside };
    struct Location {
        Where where;
        int32_t edge;
    };

    int32_t side(int32_t e, double px, double py) const;
    int32_t makeEdge(int32_t org, int32_t dst);
    void setLine(int32_t e);
    void setTriangle(int32_t t, int32_t e0, int32_t e1, int32_t e2);
    int32_t newTriangle(int32_t e0, int32_t e1, int32_t e2);
    void pairTwins(int32_t e, int32_t f);

    void firstTriangle();
    Location locate(double px, double py) const;
    bool clearOf(int32_t e, double px, double py) const;
    Location classify(int32_t e, double px, double py) const;
    Location searchAll(double px, double py) const;
    void insertInside(int32_t e, int32_t p);
    int32_t splitAt(int32_t e, int32_t p);
    void insertOnEdge(int32_t e, int32_t p);
    bool insertOutside(int32_t e, int32_t p);
    bool inCircle(const Triangle& t, int32_t p) const;
    void legalise(int32_t e);
    bool flip(int32_t e);

    std::vector<TriPoint> points_;
    std::vector<HalfEdge> edges_;
    std::vector<Triangle> triangles_;
    std::vector<int32_t> pending_, stack_;
    int32_t lastHull_ = -1; // the last hull edge made from outside
};

} // namespace qd::prcs
