#include "delaunay.h"

#include <cmath>

namespace qd::prcs {

double TriPoint::squaredDistance(double px, double py) const {
    return (px - x) * (px - x) + (py - y) * (py - y);
}

// a px + b py + c with c = -(a x0 + b y0), taken as a (px - x0) + b (py - y0):
// exactly 0 at both ends of the edge, so that a point that repeats a vertex
// is always found on two edge lines.
int32_t Triangulator::side(int32_t e, double px, double py) const {
    const HalfEdge& h = edges_[size_t(e)];
    const TriPoint& o = points_[size_t(h.org)];
    const double v = h.a * (px - o.x) + h.b * (py - o.y);
    return (v > 0) - (v < 0);
}

void Triangulator::setLine(int32_t e) {
    HalfEdge& h = edges_[size_t(e)];
    const TriPoint& p0 = points_[size_t(h.org)];
    const TriPoint& p1 = points_[size_t(h.dst)];
    h.a = p1.y - p0.y;
    h.b = p0.x - p1.x;
}

int32_t Triangulator::makeEdge(int32_t org, int32_t dst) {
    edges_.push_back({org, dst, -1, -1, -1, -1, -1, 0, 0});
    const auto e = int32_t(edges_.size() - 1);
    setLine(e);
    return e;
}

void Triangulator::pairTwins(int32_t e, int32_t f) {
    edges_[size_t(e)].twin = f;
    edges_[size_t(f)].twin = e;
}

void Triangulator::setTriangle(int32_t t, int32_t e0, int32_t e1, int32_t e2) {
    edges_[size_t(e0)].next = e1;
    edges_[size_t(e1)].next = e2;
    edges_[size_t(e2)].next = e0;
    for (int32_t e : {e0, e1, e2}) edges_[size_t(e)].tri = t;
    const TriPoint& p1 = points_[size_t(edges_[size_t(e0)].org)];
    const TriPoint& p2 = points_[size_t(edges_[size_t(e1)].org)];
    const TriPoint& p3 = points_[size_t(edges_[size_t(e2)].org)];
    const double f = p1.x * p1.x - p2.x * p2.x + p1.y * p1.y - p2.y * p2.y;
    const double g = p1.x * p1.x - p3.x * p3.x + p1.y * p1.y - p3.y * p3.y;
    const double l = (p1.y - p3.y) * (p1.x - p2.x) - (p1.y - p2.y) * (p1.x - p3.x);
    Triangle& tr = triangles_[size_t(t)];
    tr.edge = e0;
    tr.cx = ((p1.y - p3.y) * f - (p1.y - p2.y) * g) / l / 2;
    tr.cy = ((p1.x - p2.x) * g - (p1.x - p3.x) * f) / l / 2;
    tr.r2 = p2.squaredDistance(tr.cx, tr.cy);
}

int32_t Triangulator::newTriangle(int32_t e0, int32_t e1, int32_t e2) {
    triangles_.push_back({});
    const auto t = int32_t(triangles_.size() - 1);
    setTriangle(t, e0, e1, e2);
    return t;
}

void Triangulator::add(double x, double y) {
    points_.push_back({x, y});
    const auto p = int32_t(points_.size() - 1);
    if (triangles_.empty()) {
        // A second point on the first would make every third one collinear.
        if (p == 1 && points_[0].x == x && points_[0].y == y) points_.pop_back();
        else if (p == 2) firstTriangle();
        return;
    }
    const Location at = locate(x, y);
    switch (at.where) {
    case Where::Inside: insertInside(at.edge, p); break;
    case Where::OnEdge: insertOnEdge(at.edge, p); break;
    case Where::Outside:
        if (!insertOutside(at.edge, p)) points_.pop_back();
        break;
    case Where::Vertex: points_.pop_back(); break;
    }
}

void Triangulator::firstTriangle() {
    const TriPoint p2 = points_[2];
    int32_t e = makeEdge(0, 1);
    const int32_t s = side(e, p2.x, p2.y);
    if (s == 0) {
        edges_.pop_back();
        points_.pop_back();
        return;
    }
    if (s < 0) {
        std::swap(edges_[size_t(e)].org, edges_[size_t(e)].dst);
        setLine(e);
    }
    const int32_t o = edges_[size_t(e)].org, d = edges_[size_t(e)].dst;
    const int32_t e1 = makeEdge(d, 2), e2 = makeEdge(2, o);
    newTriangle(e, e1, e2);
    const int32_t cycle[3] = {e, e1, e2};
    for (int32_t i = 0; i < 3; ++i) {
        edges_[size_t(cycle[i])].hullNext = cycle[(i + 1) % 3];
        edges_[size_t(cycle[i])].hullPrev = cycle[(i + 2) % 3];
    }
}

Triangulator::Location Triangulator::classify(int32_t e, double px, double py) const {
    const int32_t e1 = edges_[size_t(e)].next, e2 = edges_[size_t(e1)].next;
    int32_t zeros = 0, onEdge = -1;
    for (int32_t f : {e, e1, e2})
        if (side(f, px, py) == 0) {
            ++zeros;
            onEdge = f;
        }
    if (zeros >= 2) return {Where::Vertex, e};
    if (zeros == 1) return {Where::OnEdge, onEdge};
    return {Where::Inside, e};
}

// The point's side of e is far from 0 against the rounding of its terms.
bool Triangulator::clearOf(int32_t e, double px, double py) const {
    const HalfEdge& h = edges_[size_t(e)];
    const TriPoint& o = points_[size_t(h.org)];
    const double u = h.a * (px - o.x), v = h.b * (py - o.y);
    return std::fabs(u + v) > 1e-12 * (std::fabs(u) + std::fabs(v));
}

Triangulator::Location Triangulator::locate(double px, double py) const {
    // Centroids in label order mostly lie beyond the hull next to the last
    // point that extended it. A hull edge that the point clearly sees puts it
    // outside the convex hull, where the walk from the first half-edge ends
    // too, on an edge of the same visible run: the same insertion follows.
    if (lastHull_ >= 0 && edges_[size_t(lastHull_)].hullNext >= 0) {
        int32_t ahead = lastHull_, back = lastHull_;
        for (int32_t k = 0; k < 8; ++k) {
            for (int32_t e : {ahead, back})
                if (side(e, px, py) < 0 && clearOf(e, px, py)) return {Where::Outside, e};
            ahead = edges_[size_t(ahead)].hullNext;
            back = edges_[size_t(back)].hullPrev;
        }
    }
    int32_t e = 0;
    if (side(e, px, py) < 0) {
        if (edges_[0].twin < 0) return {Where::Outside, 0};
        e = edges_[0].twin;
    }
    // The walk ends in a Delaunay triangulation; rounding could still make
    // it circle, so it is bounded and falls back to a full search.
    const size_t limit = 4 * triangles_.size() + 16;
    for (size_t step = 0; step < limit; ++step) {
        const int32_t e1 = edges_[size_t(e)].next, e2 = edges_[size_t(e1)].next;
        int32_t through = -1;
        if (side(e1, px, py) < 0) through = e1;
        else if (side(e2, px, py) < 0) through = e2;
        if (through < 0) return classify(e, px, py);
        if (edges_[size_t(through)].twin < 0) return {Where::Outside, through};
        e = edges_[size_t(through)].twin;
    }
    return searchAll(px, py);
}

Triangulator::Location Triangulator::searchAll(double px, double py) const {
    for (const Triangle& t : triangles_) {
        const int32_t e1 = edges_[size_t(t.edge)].next, e2 = edges_[size_t(e1)].next;
        if (side(t.edge, px, py) >= 0 && side(e1, px, py) >= 0 && side(e2, px, py) >= 0)
            return classify(t.edge, px, py);
    }
    for (size_t e = 0; e < edges_.size(); ++e)
        if (edges_[e].hullNext >= 0 && side(int32_t(e), px, py) < 0) return {Where::Outside, int32_t(e)};
    return {Where::Vertex, -1}; // nowhere consistent: drop the point
}

void Triangulator::insertInside(int32_t e0, int32_t p) {
    const int32_t e1 = edges_[size_t(e0)].next, e2 = edges_[size_t(e1)].next;
    const int32_t a = edges_[size_t(e0)].org, b = edges_[size_t(e1)].org, c = edges_[size_t(e2)].org;
    const int32_t t = edges_[size_t(e0)].tri;
    const int32_t bp = makeEdge(b, p), pa = makeEdge(p, a);
    const int32_t cp = makeEdge(c, p), pb = makeEdge(p, b);
    const int32_t ap = makeEdge(a, p), pc = makeEdge(p, c);
    setTriangle(t, e0, bp, pa);
    newTriangle(e1, cp, pb);
    newTriangle(e2, ap, pc);
    pairTwins(bp, pb);
    pairTwins(cp, pc);
    pairTwins(ap, pa);
    for (int32_t e : {e0, e1, e2}) legalise(e);
}

// Splits the triangle of e (o -> d, third vertex c) at the point p on e:
// e becomes o -> p in (o, p, c), and a new triangle (p, d, c) is made.
// Returns its edge p -> d.
int32_t Triangulator::splitAt(int32_t e, int32_t p) {
    const int32_t e1 = edges_[size_t(e)].next, e2 = edges_[size_t(e1)].next;
    const int32_t c = edges_[size_t(e2)].org, d = edges_[size_t(e)].dst;
    edges_[size_t(e)].dst = p;
    setLine(e);
    const int32_t pc = makeEdge(p, c), cp = makeEdge(c, p), pd = makeEdge(p, d);
    setTriangle(edges_[size_t(e)].tri, e, pc, e2);
    newTriangle(pd, e1, cp);
    pairTwins(pc, cp);
    return pd;
}

// A point on an inner edge splits both triangles; on a hull edge, the one
// triangle, and the hull cycle takes the two halves.
void Triangulator::insertOnEdge(int32_t e, int32_t p) {
    const int32_t e1 = edges_[size_t(e)].next, e2 = edges_[size_t(e1)].next;
    const int32_t t = edges_[size_t(e)].twin;
    const int32_t pd = splitAt(e, p);
    if (t < 0) {
        // o->p stays in the hull cycle and p->d follows it.
        const int32_t after = edges_[size_t(e)].hullNext;
        edges_[size_t(pd)].hullNext = after;
        edges_[size_t(pd)].hullPrev = e;
        edges_[size_t(after)].hullPrev = pd;
        edges_[size_t(e)].hullNext = pd;
        legalise(e2);
        legalise(e1);
        return;
    }
    const int32_t t1 = edges_[size_t(t)].next, t2 = edges_[size_t(t1)].next;
    const int32_t po = splitAt(t, p); // t becomes d -> p
    pairTwins(e, po);
    pairTwins(pd, t);
    for (int32_t x : {e2, e1, t2, t1}) legalise(x);
}

// Every hull edge that sees the point gets a triangle with it. The visible
// edges are one run of the cycle, found both ways from the edge the location
// stopped at, so the run is taken whole wherever the cycle is entered.
bool Triangulator::insertOutside(int32_t seen, int32_t p) {
    const double px = points_[size_t(p)].x, py = points_[size_t(p)].y;
    if (edges_[size_t(seen)].hullNext < 0 || side(seen, px, py) >= 0) return false;
    int32_t first = seen, last = seen;
    auto prevOf = [&](int32_t e) { return edges_[size_t(e)].hullPrev; };
    auto nextOf = [&](int32_t e) { return edges_[size_t(e)].hullNext; };
    while (prevOf(first) != last && side(prevOf(first), px, py) < 0) first = prevOf(first);
    while (nextOf(last) != first && side(nextOf(last), px, py) < 0) last = nextOf(last);
    if (nextOf(last) == first) return false; // a point cannot see the whole hull
    const int32_t before = edges_[size_t(first)].hullPrev, after = edges_[size_t(last)].hullNext;

    pending_.clear();
    int32_t firstSpoke = -1, lastSpoke = -1; // o1 -> p and p -> dk
    for (int32_t h = first;;) {
        const int32_t next = edges_[size_t(h)].hullNext;
        const int32_t o = edges_[size_t(h)].org, d = edges_[size_t(h)].dst;
        const int32_t r = makeEdge(d, o), op = makeEdge(o, p), pd = makeEdge(p, d);
        newTriangle(r, op, pd);
        pairTwins(h, r);
        if (lastSpoke >= 0) pairTwins(lastSpoke, op);
        else firstSpoke = op;
        lastSpoke = pd;
        edges_[size_t(h)].hullNext = edges_[size_t(h)].hullPrev = -1;
        pending_.push_back(r);
        if (h == last) break;
        h = next;
    }
    edges_[size_t(before)].hullNext = firstSpoke;
    edges_[size_t(firstSpoke)].hullPrev = before;
    edges_[size_t(firstSpoke)].hullNext = lastSpoke;
    edges_[size_t(lastSpoke)].hullPrev = firstSpoke;
    edges_[size_t(lastSpoke)].hullNext = after;
    edges_[size_t(after)].hullPrev = lastSpoke;
    lastHull_ = lastSpoke;
    for (int32_t e : pending_) legalise(e);
    return true;
}

// Flips e (o -> d, third vertex c) with its twin (third vertex f) into the
// diagonal c -> f when the quadrilateral is convex.
bool Triangulator::flip(int32_t e) {
    const int32_t t = edges_[size_t(e)].twin;
    const int32_t e1 = edges_[size_t(e)].next, e2 = edges_[size_t(e1)].next;
    const int32_t t1 = edges_[size_t(t)].next, t2 = edges_[size_t(t1)].next;
    const int32_t o = edges_[size_t(e)].org, d = edges_[size_t(e)].dst;
    const int32_t c = edges_[size_t(e2)].org, f = edges_[size_t(t2)].org;
    const TriPoint &pc = points_[size_t(c)], &pf = points_[size_t(f)];
    const TriPoint &po = points_[size_t(o)], &pd = points_[size_t(d)];
    // Sides of o and d against the line c -> f.
    const double a = pf.y - pc.y, b = pc.x - pf.x;
    const double so = a * (po.x - pc.x) + b * (po.y - pc.y), sd = a * (pd.x - pc.x) + b * (pd.y - pc.y);
    if (!((so > 0 && sd < 0) || (so < 0 && sd > 0))) return false;
    HalfEdge& he = edges_[size_t(e)];
    he.org = c;
    he.dst = f;
    setLine(e);
    HalfEdge& ht = edges_[size_t(t)];
    ht.org = f;
    ht.dst = c;
    setLine(t);
    setTriangle(edges_[size_t(e)].tri, e, t2, e1);
    setTriangle(edges_[size_t(t)].tri, t, e2, t1);
    return true;
}

// Distance below the radius, both rounded through the square root; as the
// root never reverses an order, only squares that compare less need it.
bool Triangulator::inCircle(const Triangle& t, int32_t p) const {
    const double d2 = points_[size_t(p)].squaredDistance(t.cx, t.cy);
    return d2 < t.r2 && std::sqrt(d2) < std::sqrt(t.r2);
}

void Triangulator::legalise(int32_t start) {
    // Depth first, as the recursive rule reads; an explicit stack keeps deep
    // cascades off the call stack, and a budget stops rounding from cycling.
    std::vector<int32_t>& stack = stack_;
    stack.assign(1, start);
    size_t budget = 8 * triangles_.size() + 64;
    while (!stack.empty()) {
        const int32_t e = stack.back();
        stack.pop_back();
        const int32_t t = edges_[size_t(e)].twin;
        if (t < 0) continue;
        const Triangle& te = triangles_[size_t(edges_[size_t(e)].tri)];
        const Triangle& tt = triangles_[size_t(edges_[size_t(t)].tri)];
        const int32_t c = edges_[size_t(edges_[size_t(e)].next)].dst;
        const int32_t f = edges_[size_t(edges_[size_t(t)].next)].dst;
        const bool inside = inCircle(te, f) || inCircle(tt, c);
        if (!inside || budget == 0) continue;
        const int32_t e1 = edges_[size_t(e)].next, e2 = edges_[size_t(e1)].next;
        const int32_t t1 = edges_[size_t(t)].next, t2 = edges_[size_t(t1)].next;
        if (!flip(e)) continue;
        --budget;
        for (int32_t x : {t1, e2, e1, t2}) stack.push_back(x);
    }
}

} // namespace qd::prcs
