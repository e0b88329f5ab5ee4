// Delaunay triangulation and Voronoi diagram of the centroids of the objects
// that do not touch the border, drawn as one-pixel segments.
#include "binary_plane.h"
#include "delaunay.h"

#include <algorithm>
#include <cmath>
#include <new>

using namespace qd::prcs;

namespace {

// Half up, truncated toward zero; NaN gives 0 and far values saturate.
int32_t roundCoordinate(double v) {
    v += 0.5;
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return int32_t(v);
}

// Sets elements of a binary result to 1, straight into its rows when its
// window is the whole matrix; points outside the window are not written.
class Canvas {
public:
    explicit Canvas(MTHANDLE m) noexcept
        : m_(m), w_(MTGetWidth(m)), h_(MTGetHeight(m)),
          rows_(wholeWindow(m) ? reinterpret_cast<uint8_t* const*>(MTGetMatrixPointer(m)) : nullptr) {}
    int32_t width() const noexcept { return w_; }
    int32_t height() const noexcept { return h_; }
    void set(int32_t x, int32_t y) const noexcept {
        if (x < 0 || x >= w_ || y < 0 || y >= h_) return;
        if (rows_) rows_[y][x >> 3] |= uint8_t(0x80u >> (x & 7));
        else MTSetRealInt(m_, x, y, 1);
    }

private:
    MTHANDLE m_;
    int32_t w_, h_;
    uint8_t* const* rows_;
};

// The loops only run over the part of the segment's range that lies inside,
// which writes the same pixels.
void drawSegment(const Canvas& c, double fx0, double fy0, double fx1, double fy1) {
    const int32_t w = c.width(), h = c.height();
    const int32_t x0 = roundCoordinate(fx0), y0 = roundCoordinate(fy0);
    const int32_t x1 = roundCoordinate(fx1), y1 = roundCoordinate(fy1);
    auto clipped = [](int32_t a, int32_t b, int32_t size, int32_t& lo, int32_t& hi) {
        lo = std::max(std::min(a, b), 0);
        hi = std::min(std::max(a, b), size - 1);
    };
    int32_t lo, hi;
    if (x0 == x1) {
        clipped(y0, y1, h, lo, hi);
        for (int32_t y = lo; y <= hi; ++y) c.set(x0, y);
        return;
    }
    if (y0 == y1) {
        clipped(x0, x1, w, lo, hi);
        for (int32_t x = lo; x <= hi; ++x) c.set(x, y0);
        return;
    }
    const double dx = double(x1) - double(x0), dy = double(y1) - double(y0);
    if (std::fabs(dx) < std::fabs(dy)) {
        const double k = dx / dy;
        clipped(y0, y1, h, lo, hi);
        for (int32_t y = lo; y <= hi; ++y)
            c.set(roundCoordinate(k * y + x0 - y0 * k), y);
    } else {
        const double k = dy / dx;
        clipped(x0, x1, w, lo, hi);
        for (int32_t x = lo; x <= hi; ++x)
            c.set(x, roundCoordinate(k * x + y0 - x0 * k));
    }
}

void drawTriangulation(const Canvas& c, const Triangulator& t) {
    const auto& pts = t.points();
    for (const HalfEdge& e : t.edges()) {
        const TriPoint &a = pts[size_t(e.org)], &b = pts[size_t(e.dst)];
        drawSegment(c, a.x, a.y, b.x, b.y);
    }
}

// Each half-edge joins the circumcentres on its two sides; a hull edge sends
// a ray outward, square to the edge, until it has left the image on both axes.
void drawVoronoi(const Canvas& c, const Triangulator& t) {
    const int32_t w = c.width(), h = c.height();
    const auto& pts = t.points();
    const auto& tris = t.triangles();
    for (const HalfEdge& e : t.edges()) {
        const Triangle& tr = tris[size_t(e.tri)];
        if (e.twin >= 0) {
            const Triangle& other = tris[size_t(t.edges()[size_t(e.twin)].tri)];
            drawSegment(c, tr.cx, tr.cy, other.cx, other.cy);
            continue;
        }
        const TriPoint &a = pts[size_t(e.org)], &b = pts[size_t(e.dst)];
        const double dx = a.y - b.y, dy = b.x - a.x;
        double s = -HUGE_VAL;
        if (dx < 0) s = std::max(s, -tr.cx / dx);
        if (dx > 0) s = std::max(s, (w - 1 - tr.cx) / dx);
        if (dy < 0) s = std::max(s, -tr.cy / dy);
        if (dy > 0) s = std::max(s, (h - 1 - tr.cy) / dy);
        if (s == -HUGE_VAL) s = 0;
        drawSegment(c, tr.cx, tr.cy, tr.cx + s * dx, tr.cy + s * dy);
    }
}

template <class Draw> MTHANDLE centroidDiagram(MTHANDLE src, MTHANDLE dst, Draw draw) noexcept {
    if (!isBinary(src)) return refuse(dst, {src});
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    try {
        RunImage image;
        extractBinaryRuns(src, image);
        const uint32_t n = labelRuns(image, false, true, Numbering::VisitingOrder);
        if (n < 3) return refuse(dst, {src});
        std::vector<int64_t> count(size_t(n) + 1, 0), sumX(size_t(n) + 1, 0), sumY(size_t(n) + 1, 0);
        for (int32_t y = 0; y < h; ++y)
            for (size_t r = image.rowStart[size_t(y)]; r < image.rowStart[size_t(y) + 1]; ++r) {
                const Run& run = image.runs[r];
                const int64_t len = run.x1 - run.x0;
                count[run.label] += len;
                sumX[run.label] += (int64_t(run.x0) + run.x1 - 1) * len / 2;
                sumY[run.label] += int64_t(y) * len;
            }
        Triangulator tri;
        for (size_t k = 1; k <= n; ++k)
            tri.add(double(sumX[k]) / double(count[k]), double(sumY[k]) / double(count[k]));
        // Not cleared: a reused destination keeps what it held.
        MTHANDLE out = resultMatrix(w, h, MT_BINARY, dst, {src});
        if (out) draw(Canvas(out), tri);
        return out;
    } catch (const std::bad_alloc&) {
        return refuse(dst, {src});
    }
}

} // namespace

extern "C" MTHANDLE Triangulation(MTHANDLE src, MTHANDLE dst) noexcept {
    return centroidDiagram(src, dst, drawTriangulation);
}

extern "C" MTHANDLE VoronoiDiagram(MTHANDLE src, MTHANDLE dst) noexcept {
    return centroidDiagram(src, dst, drawVoronoi);
}
