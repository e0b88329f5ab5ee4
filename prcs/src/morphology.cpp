// Grey-scale erosion and dilation over a flat structuring element, and the
// opening, closing and top-hat built from them.
#include "binary_rows.h"
#include "fast_rows.h"
#include "kernel_window.h"

#include <algorithm>
#include <limits>

namespace qd::prcs {
namespace {

// The element is flat and is not mirrored for dilation.
template <bool IsMin> struct ExtremumAcc {
    double v;
    void reset() { v = IsMin ? kSentinel : -kSentinel; }
    void add(double s) {
        if (IsMin ? s < v : s > v) v = s;
    }
    double result() const { return v; }
};

// Rows outer; each pixel still meets its neighbours in offset order, so the
// result is the element-by-element one bit for bit.
template <class T, bool IsMin>
void extremumRowsInOrder(MTHANDLE src, MTHANDLE out, const std::vector<Offset>& offsets) {
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    const OffsetSpan s = spanOf(offsets);
    ClampedRows<T> rows(rowsOf<T>(src), w, h, s.left, s.right, s.up + s.down + 1);
    const WindowRows<T> dst = rowsOf<T>(out);
    SpreadPump pump(w, h);
    for (int32_t y = 0; y < h; ++y) {
        T* o = dst[y];
        std::fill(o, o + w, startValue<T, IsMin>());
        for (const Offset& off : offsets) foldRow<T, IsMin>(o, rows.row(y + off.dy) + off.dx, w);
        pump.afterRow(y);
    }
}

// The extremum of each run of `len` elements starting at column x + first
// of the source row, for x in 0 .. w - 1, columns clamped to the row, by
// doubling spans; tmp holds w + len values. The row is read where it lies:
// only the few positions next to its ends need clamping.
template <class T, bool IsMin>
QD_ROW_KERNEL void runExtremum(const T* __restrict src, int32_t first, int32_t len, int32_t w, T* __restrict tmp,
                               T* __restrict o) {
    auto at = [&](int32_t x) { return src[std::clamp(x + first, 0, w - 1)]; };
    auto pick = [](T a, T b) { return IsMin ? std::min(a, b) : std::max(a, b); };
    // Positions x whose run of two lies inside the row: from -first to w - 2 - first.
    const int32_t lo = std::max(0, -first);
    if (len == 1) {
        const int32_t hi = std::max(lo, std::min(w, w - first));
        for (int32_t x = 0; x < lo && x < w; ++x) o[x] = at(x);
        std::copy(src + lo + first, src + hi + first, o + lo);
        for (int32_t x = hi; x < w; ++x) o[x] = at(x);
        return;
    }
    int32_t valid = w + len - 2, span = 2;
    const int32_t hi = std::max(lo, std::min(valid, w - 1 - first));
    for (int32_t x = 0; x < lo && x < valid; ++x) tmp[x] = pick(at(x), at(x + 1));
    const T* p = src + first;
    for (int32_t x = lo; x < hi; ++x) tmp[x] = pick(p[x], p[x + 1]);
    for (int32_t x = hi; x < valid; ++x) tmp[x] = pick(at(x), at(x + 1));
    for (; span * 2 <= len; span *= 2) {
        valid -= span;
        for (int32_t x = 0; x < valid; ++x) tmp[x] = pick(tmp[x], tmp[x + span]);
    }
    const int32_t shift = len - span; // two spans cover the run
    for (int32_t x = 0; x < w; ++x) o[x] = pick(tmp[x], tmp[x + shift]);
}

// Integers: the extremum does not depend on the order of the neighbours.
// When every row of the element is one run of columns, each source row is
// reduced along each distinct run once, then the element's rows are folded.
template <class T, bool IsMin>
bool extremumRowsByRuns(MTHANDLE src, MTHANDLE out, const std::vector<Offset>& offsets) {
    struct Run {
        int32_t dy, first, len;
    };
    std::vector<Run> runs; // one per element row
    for (const Offset& o : offsets) {
        auto it = std::find_if(runs.begin(), runs.end(), [&](const Run& r) { return r.dy == o.dy; });
        if (it == runs.end()) runs.push_back({o.dy, o.dx, 1});
        else if (o.dx == it->first + it->len) ++it->len; // the list runs along each row
        else return false;
    }
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    const OffsetSpan s = spanOf(offsets);
    const int32_t depth = std::min(s.up + s.down + 1, h);
    const WindowRows<T> rows = rowsOf<T>(src);
    // Reduced rows, a ring per distinct run shape, keyed by source row.
    struct Shape {
        int32_t first, len;
        std::vector<T> buf;
        std::vector<int32_t> held;
    };
    std::vector<Shape> shapes;
    std::vector<size_t> shapeOf(runs.size());
    for (size_t i = 0; i < runs.size(); ++i) {
        auto it = std::find_if(shapes.begin(), shapes.end(),
                               [&](const Shape& sh) { return sh.first == runs[i].first && sh.len == runs[i].len; });
        if (it == shapes.end()) {
            shapes.push_back({runs[i].first, runs[i].len, std::vector<T>(size_t(w) * size_t(depth)),
                              std::vector<int32_t>(size_t(depth), -1)});
            it = shapes.end() - 1;
        }
        shapeOf[i] = size_t(it - shapes.begin());
    }
    std::vector<T> tmp(size_t(w) + size_t(s.left + s.right) + 1);
    auto reduced = [&](Shape& sh, int32_t y) -> const T* {
        y = clampIndex(y, h);
        const size_t slot = size_t(y % depth);
        T* b = sh.buf.data() + slot * size_t(w);
        if (sh.held[slot] != y) {
            runExtremum<T, IsMin>(rows[y], sh.first, sh.len, w, tmp.data(), b);
            sh.held[slot] = y;
        }
        return b;
    };
    const WindowRows<T> dst = rowsOf<T>(out);
    SpreadPump pump(w, h);
    for (int32_t y = 0; y < h; ++y) {
        // The extremum with the start value is the first row itself.
        T* o = dst[y];
        const T* first = reduced(shapes[shapeOf[0]], y + runs[0].dy);
        std::copy(first, first + w, o);
        for (size_t i = 1; i < runs.size(); ++i) foldRow<T, IsMin>(o, reduced(shapes[shapeOf[i]], y + runs[i].dy), w);
        pump.afterRow(y);
    }
    return true;
}

template <class T, bool IsMin>
void extremumRows(MTHANDLE src, MTHANDLE out, const std::vector<Offset>& offsets) {
    if constexpr (std::is_integral_v<T>)
        if (extremumRowsByRuns<T, IsMin>(src, out, offsets)) return;
    extremumRowsInOrder<T, IsMin>(src, out, offsets);
}

template <bool IsMin>
MTHANDLE extremumFilter(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst) noexcept {
    std::vector<Offset> offsets;
    if (refusedSource(src) || !morphologyOffsets(kernel, offsets)) return refuse(dst, {src});
    return filterInto(src, MTGetFlags(src), dst, [&](MTHANDLE in, MTHANDLE out) {
        // An empty element leaves the sentinel, which only the value path
        // stores.
        if (!offsets.empty() &&
            (withRowType(in, out, [&](auto t) { extremumRows<decltype(t), IsMin>(in, out, offsets); }) ||
             viaBytes(in, out, [&](MTHANDLE i, MTHANDLE o) { extremumRows<uint8_t, IsMin>(i, o, offsets); })))
            return;
        ExtremumAcc<IsMin> acc;
        forEachKernelWindow(MatrixView{in}, MatrixView{out}, MTGetWidth(in), MTGetHeight(in), offsets, acc);
    });
}

// out = src - open, stored as MTSetReal would store the double difference:
// for integers that is the difference saturated to the type.
template <class T> QD_ROW_KERNEL void subtractRows(MTHANDLE src, MTHANDLE open, MTHANDLE out) {
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    const WindowRows<T> from = rowsOf<T>(src), opened = rowsOf<T>(open), to = rowsOf<T>(out);
    for (int32_t y = 0; y < h; ++y) {
        const T* s = from[y];
        const T* r = opened[y];
        T* o = to[y];
        for (int32_t x = 0; x < w; ++x) {
            if constexpr (std::is_floating_point_v<T>) {
                o[x] = T(double(s[x]) - double(r[x]));
            } else {
                const int32_t d = int32_t(s[x]) - int32_t(r[x]);
                constexpr int32_t lo = std::numeric_limits<T>::min(), hi = std::numeric_limits<T>::max();
                o[x] = T(d < lo ? lo : d > hi ? hi : d);
            }
        }
    }
}

// first, then second on the temporary result; the caller's dst takes the
// second step.
template <bool FirstIsMin>
MTHANDLE composed(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst) noexcept {
    if (refusedSource(src) || !kernel) return refuse(dst, {src});
    MTHANDLE tmp = extremumFilter<FirstIsMin>(src, kernel, nullptr);
    if (!tmp) return refuse(dst, {src});
    MTHANDLE out = extremumFilter<!FirstIsMin>(tmp, kernel, dst);
    MTDestroy(tmp);
    return out;
}

} // namespace
} // namespace qd::prcs

using namespace qd::prcs;

extern "C" {

MTHANDLE Erosion2D(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst) noexcept {
    return extremumFilter<true>(src, kernel, dst);
}

MTHANDLE Dilation2D(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst) noexcept {
    return extremumFilter<false>(src, kernel, dst);
}

MTHANDLE Opening2D(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst) noexcept {
    return composed<true>(src, kernel, dst);
}

MTHANDLE Closing2D(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst) noexcept {
    return composed<false>(src, kernel, dst);
}

MTHANDLE TopHat2D(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst) noexcept {
    if (refusedSource(src) || !kernel) return refuse(dst, {src});
    // Opening into the source itself would lose the source before the
    // subtraction: open into a temporary then.
    const bool inPlace = dst == src;
    MTHANDLE open = Opening2D(src, kernel, inPlace ? nullptr : dst);
    if (!open) return nullptr;
    MTHANDLE out = inPlace ? src : open;
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    if (!wholeWindow(out) || !withRowType(src, open, [&](auto t) { subtractRows<decltype(t)>(src, open, out); })) {
        const MatrixView s{src}, r{open}, o{out};
        for (int32_t x = 0; x < w; ++x)
            for (int32_t y = 0; y < h; ++y) o.set(x, y, s.get(x, y) - r.get(x, y));
    }
    if (out != open) MTDestroy(open);
    return out;
}

} // extern "C"
