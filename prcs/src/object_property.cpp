// Measurement of labelled objects: area, perimeter from traced boundary
// contours, orientation, axes, holes and radius of gyration.
//
// Boundary contours are the 8-connected sets of boundary pixels of one object
// and are traced with the 8-direction rule, stepping only onto their own
// pixels: boundaries that take diagonal steps then stay whole. Holes are the
// regions an object surrounds, counted from its Euler number.
#include "binary_plane.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

using namespace qd::prcs;

namespace {

constexpr double kDiagonalStep = 1.414213562373;
constexpr int32_t kDx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int32_t kDy[8] = {0, -1, -1, -1, 0, 1, 1, 1};

// Labels as one block of rows w apart: the matrix's own 16-bit rows when
// they lie so, else a copy.
template <class T> struct Plane {
    int32_t w = 0;
    int32_t h = 0;
    const T* v = nullptr;
    std::vector<T> own;
    int32_t at(int32_t x, int32_t y) const { return v[size_t(y) * size_t(w) + size_t(x)]; }
};

template <class T> void readLabels(MTHANDLE m, Plane<T>& p) {
    p.w = MTGetWidth(m);
    p.h = MTGetHeight(m);
    if constexpr (std::is_same_v<T, uint16_t>) {
        const WindowRows<const uint16_t> rows = rowsOf<const uint16_t>(m);
        bool block = true;
        for (int32_t y = 1; y < p.h && block; ++y) block = rows[y] == rows[0] + int64_t(y) * p.w;
        if (block) {
            p.v = rows[0];
            return;
        }
        p.own.resize(size_t(p.w) * size_t(p.h));
        for (int32_t y = 0; y < p.h; ++y) std::copy(rows[y], rows[y] + p.w, p.own.begin() + int64_t(y) * p.w);
    } else {
        p.own.resize(size_t(p.w) * size_t(p.h));
        for (int32_t y = 0; y < p.h; ++y)
            for (int32_t x = 0; x < p.w; ++x) p.own[size_t(y) * size_t(p.w) + size_t(x)] = T(MTRealInt(m, x, y));
    }
    p.v = p.own.data();
}

// An inner labelled pixel (c points at it, rows w apart) is a boundary pixel
// next to label 0, with eight also diagonally next to it.
template <class T> inline bool touchesBackground(const T* c, int32_t w, bool eight) {
    const T *up = c - w, *down = c + w;
    if (c[-1] == 0 || c[1] == 0 || up[0] == 0 || down[0] == 0) return true;
    return eight && (up[-1] == 0 || up[1] == 0 || down[-1] == 0 || down[1] == 0);
}

// The boundary flags of the pixels x0 .. x1 - 1 of one run of a row that is
// neither the first nor the last. Inside the run the left and right
// neighbours are labelled, so only the rows above and below need looking at.
template <class T> void edgeFlags(const T* row, int32_t w, int32_t x0, int32_t x1, bool eight, uint8_t* flags) {
    auto atEnd = [&](int32_t x) { flags[x] = x == 0 || x == w - 1 || touchesBackground(row + x, w, eight); };
    if (x1 - x0 <= 2) {
        for (int32_t x = x0; x < x1; ++x) atEnd(x);
        return;
    }
    atEnd(x0);
    atEnd(x1 - 1);
    const T *up = row - w, *down = row + w;
    if (eight) {
        for (int32_t x = x0 + 1; x < x1 - 1; ++x)
            flags[x] = (up[x - 1] == 0) | (up[x] == 0) | (up[x + 1] == 0) | (down[x - 1] == 0) | (down[x] == 0) |
                       (down[x + 1] == 0);
    } else {
        for (int32_t x = x0 + 1; x < x1 - 1; ++x) flags[x] = (up[x] == 0) | (down[x] == 0);
    }
}

// The first position from x on, before end, whose flag is not v.
inline int32_t endOfStretch(const uint8_t* flags, int32_t x, int32_t end, uint8_t v) {
    const uint64_t all = 0x0101010101010101ull * v;
    for (uint64_t word; x + 8 <= end && (std::memcpy(&word, flags + x, 8), word == all);) x += 8;
    while (x < end && flags[x] == v) ++x;
    return x;
}

// Boundary pixels: labelled pixels on the outermost rows or columns or next
// to label 0. Only pixels of the object runs can be any, so only those are
// looked at; `mask` marks each one found for the contour tracing. Runs come
// out as a scan of the whole image would give them: within one object run
// the boundary pixels share its value, and neighbouring runs differ.
template <class T>
void boundaryRuns(const Plane<T>& l, const RunImage& objects, bool eight, RunImage& out,
                  std::vector<uint8_t>& mask) {
    const int32_t w = l.w, h = l.h;
    out.width = w;
    out.height = h;
    out.runs.clear();
    out.rowStart.assign(size_t(h) + 1, 0);
    mask.assign(size_t(w) * size_t(h), 0);
    for (int32_t y = 0; y < h; ++y) {
        out.rowStart[size_t(y)] = out.runs.size();
        const T* row = l.v + int64_t(y) * w;
        uint8_t* flags = mask.data() + int64_t(y) * w;
        const bool outer = y == 0 || y == h - 1;
        for (size_t r = objects.rowStart[size_t(y)]; r < objects.rowStart[size_t(y) + 1]; ++r) {
            const Run& run = objects.runs[r];
            if (outer) std::fill(flags + run.x0, flags + run.x1, uint8_t(1));
            else edgeFlags(row, w, run.x0, run.x1, eight, flags);
            // Stretches of equal flags, passed eight at a time.
            for (int32_t x = run.x0; x < run.x1;) {
                x = endOfStretch(flags, x, run.x1, 0);
                if (x == run.x1) break;
                const int32_t start = x;
                x = endOfStretch(flags, x, run.x1, 1);
                out.runs.push_back({start, x, run.value, 0});
            }
        }
    }
    out.rowStart[size_t(h)] = out.runs.size();
}

// Length of the closed contour through the start pixel: it steps onto
// boundary pixels of the same object only, which keeps it inside the
// start's own 8-connected set. The first step searches down-left first and
// round; after a step in direction d the search starts at d - 1 (even d) or
// d - 2 (odd d). It stops when the start pixel would repeat its first step.
// Bounded by the number of (pixel, direction) states, so no input can keep
// it going.
template <class T>
double traceContour(const Plane<T>& labels, const std::vector<uint8_t>& boundary, int32_t sx, int32_t sy,
                    uint64_t pixels) {
    const int32_t id = labels.at(sx, sy);
    auto on = [&](int32_t x, int32_t y) {
        if (x < 0 || y < 0 || x >= labels.w || y >= labels.h) return false;
        const size_t i = size_t(y) * size_t(labels.w) + size_t(x);
        return boundary[i] && labels.v[i] == id;
    };
    static constexpr int32_t kFirstSearch[8] = {5, 6, 7, 0, 1, 2, 3, 4};
    int32_t d = -1;
    for (int32_t c : kFirstSearch)
        if (on(sx + kDx[c], sy + kDy[c])) {
            d = c;
            break;
        }
    if (d < 0) return 0;
    const int32_t fx = sx + kDx[d], fy = sy + kDy[d];
    double length = (d & 1) ? kDiagonalStep : 1.0;
    int32_t x = fx, y = fy;
    // Away from the image's sides every neighbour lies at a fixed offset.
    const int64_t w = labels.w;
    int64_t offset[8];
    for (int32_t c = 0; c < 8; ++c) offset[c] = kDx[c] + kDy[c] * w;
    for (uint64_t step = 0, limit = 8 * pixels + 8; step < limit; ++step) {
        const int32_t start = d + ((d & 1) ? 6 : 7);
        const bool inner = x > 0 && y > 0 && x < labels.w - 1 && y < labels.h - 1;
        const int64_t here = int64_t(y) * w + x;
        int32_t nd = -1;
        for (int32_t i = 0; i < 8; ++i) {
            const int32_t c = (start + i) & 7;
            const size_t at = size_t(here + offset[c]);
            if (inner ? boundary[at] && labels.v[at] == id : on(x + kDx[c], y + kDy[c])) {
                nd = c;
                break;
            }
        }
        if (nd < 0) break;
        const int32_t nx = x + kDx[nd], ny = y + kDy[nd];
        if (x == sx && y == sy && nx == fx && ny == fy) break;
        length += (nd & 1) ? kDiagonalStep : 1.0;
        x = nx;
        y = ny;
        d = nd;
    }
    return length;
}

// Euler number of every label 1 .. n from the complex of its pixels: with
// four neighbours V - E + F (pixels, edge-neighbour pairs, full 2 x 2
// blocks); with eight V - E + T - Q, where E also counts diagonal pairs, T
// the triangles and Q the full blocks, T - Q being 1 for a 2 x 2 block with
// three of its pixels and 3 for a full one. Each pair and block is counted
// at its first pixel of the label in raster order, so only the object runs
// are visited.
// The terms counted at one pixel from its neighbours of the same label (0 or
// 1 each); first: the pixel begins its run, so the one left of it differs.
inline int32_t eulerTerms(int32_t right, int32_t down, int32_t downRight, int32_t downLeft, int32_t first,
                          bool eight) {
    const int32_t t = right + down + downRight; // the block with the pixel at its top left, less the pixel
    const int32_t terms = 1 - right - down;     // the pixel, its right and lower pairs
    if (!eight) return terms + (t == 3);
    // Diagonal pairs, triangles less full blocks, and the block to the left
    // when this is its first pixel of the label.
    return terms - downRight - downLeft + (t == 3 ? 3 : t == 2 ? 1 : 0) + (downLeft & down & first);
}

template <class T>
std::vector<int64_t> eulerNumbers(const Plane<T>& l, const RunImage& runs, int32_t n, bool eight) {
    std::vector<int64_t> e(size_t(n) + 1, 0);
    const int32_t w = l.w, h = l.h;
    for (int32_t y = 0; y < h; ++y) {
        const T* row = l.v + int64_t(y) * w;
        const T* next = y + 1 < h ? row + w : nullptr;
        for (size_t r = runs.rowStart[size_t(y)]; r < runs.rowStart[size_t(y) + 1]; ++r) {
            const Run& run = runs.runs[r];
            const int32_t k = run.value;
            if (k < 1 || k > n) continue;
            // Runs are maximal, so inside one the left and right neighbours
            // are k exactly away from its ends.
            auto pixel = [&](int32_t x) {
                const int32_t down = next && next[x] == k;
                const int32_t downRight = next && x + 1 < w && next[x + 1] == k;
                const int32_t downLeft = next && x > 0 && next[x - 1] == k;
                return eulerTerms(x + 1 < run.x1, down, downRight, downLeft, x == run.x0, eight);
            };
            // Away from the image's sides and the last row no neighbour
            // needs a test, and the loop runs without branches.
            const int32_t lo = next ? std::max(run.x0, 1) : run.x1, hi = next ? std::min(run.x1, w - 1) : run.x1;
            int64_t sum = 0;
            for (int32_t x = run.x0; x < std::min(lo, run.x1); ++x) sum += pixel(x);
            for (int32_t x = lo; x < hi; ++x)
                sum += eulerTerms(x + 1 < run.x1, next[x] == k, next[x + 1] == k, next[x - 1] == k, x == run.x0, eight);
            for (int32_t x = std::max(hi, lo); x < run.x1; ++x) sum += pixel(x);
            e[size_t(k)] += sum;
        }
    }
    return e;
}

struct Sums {
    double area = 0, x = 0, y = 0, xy = 0, xx = 0, yy = 0;
};

template <class T>
void measure(const Plane<T>& labels, int32_t n, bool eight, bool dropBorder, ObjectPropertyRecord* props) {
    const int32_t w = labels.w, h = labels.h;
    if (w <= 0 || h <= 0) {
        for (int32_t k = 0; k < n; ++k) {
            props[k].area = props[k].perimeter = props[k].Rg = 0;
            props[k].holes = 0;
        }
        return;
    }

    // Sums in the order the pixels are met, row by row. Every term and every
    // partial sum is an integer; while the largest possible total stays
    // below 2^53 each addition is exact, so a run's terms may be added as
    // one integer.
    RunImage objects;
    extractRuns(labels.v, w, h, objects);
    std::vector<Sums> sums(size_t(n) + 1);
    const double side = std::max(w, h);
    const bool exact = side * side * double(w) * double(h) < 9.0e15;
    for (int32_t y = 0; y < h; ++y) {
        for (size_t r = objects.rowStart[size_t(y)]; r < objects.rowStart[size_t(y) + 1]; ++r) {
            const Run& run = objects.runs[r];
            if (run.value < 1 || run.value > n) continue;
            Sums& s = sums[size_t(run.value)];
            if (exact) {
                const int64_t a = run.x0, b = run.x1 - 1, len = b - a + 1, yy = y;
                const int64_t sx = (a + b) * len / 2;
                // Squares up to b less those below a.
                const int64_t sxx = (b * (b + 1) * (2 * b + 1) - (a - 1) * a * (2 * a - 1)) / 6;
                s.area += double(len);
                s.x += double(sx);
                s.y += double(yy * len);
                s.xy += double(sx * yy);
                s.xx += double(sxx);
                s.yy += double(yy * yy * len);
                continue;
            }
            for (int32_t x = run.x0; x < run.x1; ++x) {
                s.area += 1;
                s.x += x;
                s.y += y;
                s.xy += double(x) * y;
                s.xx += double(x) * x;
                s.yy += double(y) * y;
            }
        }
        ProcessMessage();
    }
    // Pieces of every object under its own connectivity, for the holes.
    labelRuns(objects, eight, false, Numbering::RasterOrder);
    std::vector<int64_t> pieces(size_t(n) + 1, 0);
    uint32_t counted = 0;
    for (const Run& run : objects.runs)
        if (run.label > counted) { // sets are numbered by their first run
            counted = run.label;
            if (run.value >= 1 && run.value <= n) ++pieces[size_t(run.value)];
        }
    const std::vector<int64_t> euler = eulerNumbers(labels, objects, n, eight);

    // Boundary contours: one number per 8-connected set of one object's
    // boundary pixels, in the order of their first pixel.
    RunImage contours;
    std::vector<uint8_t> boundary;
    boundaryRuns(labels, objects, eight, contours, boundary);
    objects = RunImage{};
    const uint32_t m = labelRuns(contours, true, dropBorder, Numbering::RasterOrder);
    struct Start {
        int32_t x = 0, y = 0, object = 0;
        uint64_t pixels = 0;
    };
    std::vector<Start> starts(size_t(m) + 1);
    for (int32_t y = 0; y < h; ++y)
        for (size_t r = contours.rowStart[size_t(y)]; r < contours.rowStart[size_t(y) + 1]; ++r) {
            const Run& run = contours.runs[r];
            if (run.label == 0) continue;
            Start& s = starts[run.label];
            if (s.pixels == 0) s = {run.x0, y, run.value, 0};
            s.pixels += uint64_t(run.x1 - run.x0);
        }
    std::vector<double> perimeter(size_t(n) + 1, 0.0);
    for (uint32_t c = 1; c <= m; ++c) {
        const Start& s = starts[c];
        if (s.object >= 1 && s.object <= n)
            perimeter[size_t(s.object)] += traceContour(labels, boundary, s.x, s.y, s.pixels);
    }

    std::vector<double> cosA(size_t(n) + 1), sinA(size_t(n) + 1);
    for (int32_t k = 1; k <= n; ++k) {
        ObjectPropertyRecord& rec = props[k - 1];
        const Sums& s = sums[size_t(k)];
        rec.area = s.area;
        rec.perimeter = perimeter[size_t(k)];
        rec.Rg = 0;
        rec.holes = int32_t(std::max<int64_t>(pieces[size_t(k)] - euler[size_t(k)], 0));
        if (s.area > 0) {
            const double mx = s.x / s.area, my = s.y / s.area, mxy = s.xy / s.area;
            const double mxx = s.xx / s.area, myy = s.yy / s.area;
            rec.angle = 0.5 * std::atan2(2 * (mxy - mx * my), (mxx - mx * mx) - (myy - my * my));
            rec.Rg = std::sqrt((mxx - mx * mx) + (myy - my * my));
            cosA[size_t(k)] = std::cos(rec.angle);
            sinA[size_t(k)] = std::sin(rec.angle);
        }
    }

    // Axes: extent of all boundary pixels along and across the angle.
    std::vector<double> minU(size_t(n) + 1, 1e300), maxU(size_t(n) + 1, -1e300);
    std::vector<double> minV(size_t(n) + 1, 1e300), maxV(size_t(n) + 1, -1e300);
    for (int32_t y = 0; y < h; ++y)
        for (size_t r = contours.rowStart[size_t(y)]; r < contours.rowStart[size_t(y) + 1]; ++r) {
            const Run& run = contours.runs[r];
            const auto k = size_t(run.value);
            if (run.value < 1 || run.value > n || sums[k].area <= 0) continue;
            for (int32_t x = run.x0; x < run.x1; ++x) {
                const double u = x * cosA[k] + y * sinA[k];
                const double v = -x * sinA[k] + y * cosA[k];
                minU[k] = std::min(minU[k], u);
                maxU[k] = std::max(maxU[k], u);
                minV[k] = std::min(minV[k], v);
                maxV[k] = std::max(maxV[k], v);
            }
        }
    for (int32_t k = 1; k <= n; ++k) {
        if (sums[size_t(k)].area <= 0) continue;
        const double l1 = maxU[size_t(k)] - minU[size_t(k)] + 1, l2 = maxV[size_t(k)] - minV[size_t(k)] + 1;
        props[k - 1].majorAxis = l1 > l2 ? l1 : l2;
        props[k - 1].minorAxis = l1 > l2 ? l2 : l1;
    }
}

} // namespace

extern "C" int32_t ObjectProperty(MTHANDLE labels, int32_t n, int32_t eight, int32_t dropBorder,
                                  ObjectPropertyRecord* props) noexcept {
    if (!labels || !props) return 0;
    if (n <= 0) return 1;
    try {
        // 16-bit labels are read where they lie; others as 32-bit copies.
        if (MTGetFlags(labels) == MT_USHORT) {
            Plane<uint16_t> plane;
            readLabels(labels, plane);
            measure(plane, n, eight != 0, dropBorder == 1, props);
        } else {
            Plane<int32_t> plane;
            readLabels(labels, plane);
            measure(plane, n, eight != 0, dropBorder == 1, props);
        }
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}
