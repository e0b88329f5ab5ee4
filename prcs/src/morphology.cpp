// Grey-scale erosion and dilation over a flat structuring element, and the
// opening, closing and top-hat built from them.
#include "binary_rows.h"
#include "fast_rows.h"
#include "kernel_window.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <new>
#include <type_traits>

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
template <class T, bool IsMin, class Finish>
void extremumRowsInOrder(MTHANDLE src, MTHANDLE out, const std::vector<Offset>& offsets, Finish& finish) {
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    const OffsetSpan s = spanOf(offsets);
    ClampedRows<T> rows(rowsOf<T>(src), w, h, s.left, s.right, s.up + s.down + 1);
    const WindowRows<T> dst = rowsOf<T>(out);
    SpreadPump pump(w, h);
    for (int32_t y = 0; y < h; ++y) {
        T* o = dst[y];
        std::fill(o, o + w, startValue<T, IsMin>());
        for (const Offset& off : offsets) foldRow<T, IsMin>(o, rows.row(y + off.dy) + off.dx, w);
        finish(y, o);
        pump.afterRow(y);
    }
}

template <class T, bool IsMin> T pick(T a, T b) { return IsMin ? std::min(a, b) : std::max(a, b); }

// The same for a short run of Len elements, all taken at once: one pass.
template <class T, bool IsMin, int Len>
QD_ROW_KERNEL void shortRunExtremum(const T* __restrict src, int32_t first, int32_t w, T* __restrict o) {
    auto clamped = [&](int32_t x) {
        T v = src[std::clamp(x + first, 0, w - 1)];
        for (int32_t k = 1; k < Len; ++k) v = pick<T, IsMin>(v, src[std::clamp(x + first + k, 0, w - 1)]);
        return v;
    };
    // Positions whose whole run lies inside the row.
    const int32_t lo = std::clamp(-first, 0, w), hi = std::clamp(w - first - Len + 1, lo, w);
    for (int32_t x = 0; x < lo; ++x) o[x] = clamped(x);
    const T* p = src + first;
    for (int32_t x = lo; x < hi; ++x) {
        T v = p[x];
        for (int32_t k = 1; k < Len; ++k) v = pick<T, IsMin>(v, p[x + k]);
        o[x] = v;
    }
    for (int32_t x = hi; x < w; ++x) o[x] = clamped(x);
}

// The extremum of each run of `len` elements starting at column x + first
// of the source row, for x in 0 .. w - 1, columns clamped to the row, by
// doubling spans; tmp holds w + len values. The row is read where it lies:
// only the few positions next to its ends need clamping.
template <class T, bool IsMin>
QD_ROW_KERNEL void runExtremum(const T* __restrict src, int32_t first, int32_t len, int32_t w, T* __restrict tmp,
                               T* __restrict o) {
    switch (len) {
    case 2: return shortRunExtremum<T, IsMin, 2>(src, first, w, o);
    case 3: return shortRunExtremum<T, IsMin, 3>(src, first, w, o);
    case 4: return shortRunExtremum<T, IsMin, 4>(src, first, w, o);
    case 5: return shortRunExtremum<T, IsMin, 5>(src, first, w, o);
    default: break;
    }
    auto at = [&](int32_t x) { return src[std::clamp(x + first, 0, w - 1)]; };
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
    for (int32_t x = 0; x < lo && x < valid; ++x) tmp[x] = pick<T, IsMin>(at(x), at(x + 1));
    const T* p = src + first;
    for (int32_t x = lo; x < hi; ++x) tmp[x] = pick<T, IsMin>(p[x], p[x + 1]);
    for (int32_t x = hi; x < valid; ++x) tmp[x] = pick<T, IsMin>(at(x), at(x + 1));
    for (; span * 2 <= len; span *= 2) {
        valid -= span;
        for (int32_t x = 0; x < valid; ++x) tmp[x] = pick<T, IsMin>(tmp[x], tmp[x + span]);
    }
    const int32_t shift = len - span; // two spans cover the run
    for (int32_t x = 0; x < w; ++x) o[x] = pick<T, IsMin>(tmp[x], tmp[x + shift]);
}

// o = the extremum of a, b and c; c may be a.
template <class T, bool IsMin>
QD_ROW_KERNEL void pickRows(T* __restrict o, const T* __restrict a, const T* __restrict b, const T* c, int32_t w) {
    for (int32_t x = 0; x < w; ++x) o[x] = pick<T, IsMin>(pick<T, IsMin>(a[x], b[x]), c[x]);
}

// o = the extremum of o, a and b.
template <class T, bool IsMin>
QD_ROW_KERNEL void foldTwoRows(T* __restrict o, const T* __restrict a, const T* __restrict b, int32_t w) {
    for (int32_t x = 0; x < w; ++x) o[x] = pick<T, IsMin>(o[x], pick<T, IsMin>(a[x], b[x]));
}

// The extremum of n rows into o, in few passes over o.
template <class T, bool IsMin> void extremumOfRows(T* o, const T* const* rows, size_t n, int32_t w) {
    size_t i = std::min<size_t>(n, 3);
    if (n == 1) std::copy(rows[0], rows[0] + w, o);
    else pickRows<T, IsMin>(o, rows[0], rows[1], rows[i - 1], w);
    for (; i + 2 <= n; i += 2) foldTwoRows<T, IsMin>(o, rows[i], rows[i + 1], w);
    if (i < n) foldRow<T, IsMin>(o, rows[i], w);
}

// Integers: the extremum does not depend on the order of the neighbours.
// When every row of the element is one run of columns, each source row is
// reduced along each distinct run once, then the element's rows are folded.
template <class T, bool IsMin> class RunsExtremum {
public:
    // False when some row of the element is not one run. Throws std::bad_alloc.
    bool init(const std::vector<Offset>& offsets, int32_t w, int32_t h) {
        for (const Offset& o : offsets) {
            auto it = std::find_if(runs_.begin(), runs_.end(), [&](const Run& r) { return r.dy == o.dy; });
            if (it == runs_.end()) runs_.push_back({o.dy, o.dx, 1});
            else if (o.dx == it->first + it->len) ++it->len; // the list runs along each row
            else return false;
        }
        w_ = w;
        h_ = h;
        const OffsetSpan s = spanOf(offsets);
        const int32_t depth = std::min(s.up + s.down + 1, h);
        shapeOf_.resize(runs_.size());
        for (size_t i = 0; i < runs_.size(); ++i) {
            auto it = std::find_if(shapes_.begin(), shapes_.end(), [&](const Shape& sh) {
                return sh.first == runs_[i].first && sh.len == runs_[i].len;
            });
            if (it == shapes_.end()) {
                shapes_.push_back({runs_[i].first, runs_[i].len, RowRing<T>(size_t(w), depth)});
                it = shapes_.end() - 1;
            }
            shapeOf_[i] = size_t(it - shapes_.begin());
        }
        tmp_.resize(size_t(w) + size_t(s.left + s.right) + 1);
        parts_.resize(runs_.size());
        return true;
    }

    // Row y of the result into o; source(r) gives source row r, 0 <= r < h.
    template <class Source> void rowInto(int32_t y, Source& source, T* o) {
        for (size_t i = 0; i < runs_.size(); ++i) parts_[i] = reduced(shapes_[shapeOf_[i]], y + runs_[i].dy, source);
        // The extremum with the start value is that of the rows alone.
        extremumOfRows<T, IsMin>(o, parts_.data(), parts_.size(), w_);
    }

private:
    struct Run {
        int32_t dy, first, len;
    };
    // Reduced rows, a ring per distinct run shape, keyed by source row.
    struct Shape {
        int32_t first, len;
        RowRing<T> rows;
    };

    template <class Source> const T* reduced(Shape& sh, int32_t y, Source& source) {
        return sh.rows.row(clampIndex(y, h_), [&](int32_t r, T* b) {
            runExtremum<T, IsMin>(source(r), sh.first, sh.len, w_, tmp_.data(), b);
        });
    }

    std::vector<Run> runs_; // one per element row
    std::vector<Shape> shapes_;
    std::vector<size_t> shapeOf_;
    std::vector<T> tmp_;
    std::vector<const T*> parts_;
    int32_t w_ = 0, h_ = 0;
};

// Every row of out from make(y, row), then finish(y, row); `pumps` message
// pumps spread over the rows.
template <class T, class Make, class Finish>
void makeRows(MTHANDLE out, int64_t pumps, Make make, Finish& finish) {
    const int32_t h = MTGetHeight(out);
    const WindowRows<T> dst = rowsOf<T>(out);
    SpreadPump pump(int32_t(pumps), h);
    for (int32_t y = 0; y < h; ++y) {
        make(y, dst[y]);
        finish(y, dst[y]);
        pump.afterRow(y);
    }
}

template <class T, bool IsMin, class Finish>
bool extremumRowsByRuns(MTHANDLE src, MTHANDLE out, const std::vector<Offset>& offsets, Finish& finish) {
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    RunsExtremum<T, IsMin> filter;
    if (!filter.init(offsets, w, h)) return false;
    const WindowRows<T> rows = rowsOf<T>(src);
    auto source = [&](int32_t r) -> const T* { return rows[r]; };
    makeRows<T>(out, w, [&](int32_t y, T* o) { filter.rowInto(y, source, o); }, finish);
    return true;
}

// The first filter, then the second on its result, with the first's rows
// kept only as long as the second reaches back to them: no matrix between.
template <class T, bool FirstIsMin, class Finish>
bool composedByRuns(MTHANDLE src, MTHANDLE out, const std::vector<Offset>& offsets, Finish& finish) {
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    RunsExtremum<T, FirstIsMin> first;
    RunsExtremum<T, !FirstIsMin> second;
    if (!first.init(offsets, w, h) || !second.init(offsets, w, h)) return false;
    const OffsetSpan s = spanOf(offsets);
    RowRing<T> firstRows(size_t(w), std::min(s.up + s.down + 1, h));
    const WindowRows<T> rows = rowsOf<T>(src);
    auto source = [&](int32_t r) -> const T* { return rows[r]; };
    auto firstRow = [&](int32_t r) {
        return firstRows.row(r, [&](int32_t y, T* b) { first.rowInto(y, source, b); });
    };
    // As many pumps as the two filters one after the other.
    makeRows<T>(out, 2 * int64_t(w), [&](int32_t y, T* o) { second.rowInto(y, firstRow, o); }, finish);
    return true;
}

// Each finished row of the result is passed to finish(y, row) while it is
// still in the cache.
template <class T, bool IsMin, class Finish>
void extremumRows(MTHANDLE src, MTHANDLE out, const std::vector<Offset>& offsets, Finish& finish) {
    if constexpr (std::is_integral_v<T>)
        if (extremumRowsByRuns<T, IsMin>(src, out, offsets, finish)) return;
    extremumRowsInOrder<T, IsMin>(src, out, offsets, finish);
}

struct NoFinish {
    template <class T> void operator()(int32_t, T*) const noexcept {}
};

// The filter from in into out; finish sees the rows of the typed path only,
// the other paths leave it uncalled.
template <bool IsMin, class Finish>
void applyExtremum(MTHANDLE in, MTHANDLE out, const std::vector<Offset>& offsets, Finish& finish) {
    // An empty element leaves the sentinel, which only the value path
    // stores.
    if (!offsets.empty() &&
        (withRowType(in, out, [&](auto t) { extremumRows<decltype(t), IsMin>(in, out, offsets, finish); }) ||
         viaBytes(in, out, [&](MTHANDLE i, MTHANDLE o) {
             NoFinish none;
             extremumRows<uint8_t, IsMin>(i, o, offsets, none);
         })))
        return;
    ExtremumAcc<IsMin> acc;
    forEachKernelWindow(MatrixView{in}, MatrixView{out}, MTGetWidth(in), MTGetHeight(in), offsets, acc);
}

template <bool IsMin> MTHANDLE extremumFilter(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst) noexcept {
    std::vector<Offset> offsets;
    if (refusedSource(src) || !morphologyOffsets(kernel, offsets)) return refuse(dst, {src});
    return filterInto(src, MTGetFlags(src), dst, [&](MTHANDLE in, MTHANDLE out) {
        NoFinish none;
        applyExtremum<IsMin>(in, out, offsets, none);
    });
}

// o = s - r, stored as MTSetReal would store the double difference: for
// integers that is the difference saturated to the type. o may be r.
template <class T> QD_ROW_KERNEL void subtractRow(const T* s, const T* r, T* o, int32_t w) {
    for (int32_t x = 0; x < w; ++x) {
        if constexpr (std::is_floating_point_v<T>) {
            o[x] = T(double(s[x]) - double(r[x]));
        } else if constexpr (std::is_unsigned_v<T>) {
            o[x] = T(std::max(s[x], r[x]) - r[x]); // below 0 saturates to 0
        } else {
            const int32_t d = int32_t(s[x]) - int32_t(r[x]);
            constexpr int32_t lo = std::numeric_limits<T>::min(), hi = std::numeric_limits<T>::max();
            o[x] = T(d < lo ? lo : d > hi ? hi : d);
        }
    }
}

template <class T> void subtractRows(MTHANDLE src, MTHANDLE open, MTHANDLE out) {
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    const WindowRows<T> from = rowsOf<T>(src), opened = rowsOf<T>(open), to = rowsOf<T>(out);
    for (int32_t y = 0; y < h; ++y) subtractRow<T>(from[y], opened[y], to[y], w);
}

// first, then second on its result; the caller's dst takes the second step.
template <bool FirstIsMin, class Finish = NoFinish>
MTHANDLE composed(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst, Finish finish = {}) noexcept {
    std::vector<Offset> offsets;
    if (refusedSource(src) || !morphologyOffsets(kernel, offsets)) return refuse(dst, {src});
    return filterInto(src, MTGetFlags(src), dst, [&](MTHANDLE in, MTHANDLE out) {
        bool done = false;
        if (!offsets.empty())
            withRowType(in, out, [&](auto t) {
                using T = decltype(t);
                if constexpr (std::is_integral_v<T>) done = composedByRuns<T, FirstIsMin>(in, out, offsets, finish);
            });
        if (done) return;
        const std::unique_ptr<std::remove_pointer_t<MTHANDLE>, void (*)(MTHANDLE)> tmp(
            MTCreate(MTGetWidth(in), MTGetHeight(in), MTGetFlags(in)), [](MTHANDLE m) { MTDestroy(m); });
        if (!tmp) throw std::bad_alloc();
        NoFinish none;
        applyExtremum<FirstIsMin>(in, tmp.get(), offsets, none);
        applyExtremum<!FirstIsMin>(tmp.get(), out, offsets, finish);
    });
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
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    // Into another matrix, each opened row is subtracted as it is made.
    bool subtracted = false;
    auto subtract = [&](int32_t y, auto* o) {
        using T = std::remove_pointer_t<decltype(o)>;
        subtractRow<T>(rowsOf<T>(src)[y], o, o, w);
        subtracted = true;
    };
    MTHANDLE open = inPlace ? composed<true>(src, kernel, nullptr) : composed<true>(src, kernel, dst, subtract);
    if (!open) return nullptr;
    MTHANDLE out = inPlace ? src : open;
    if (subtracted) return out;
    if (!wholeWindow(out) || !withRowType(src, open, [&](auto t) { subtractRows<decltype(t)>(src, open, out); })) {
        const MatrixView s{src}, r{open}, o{out};
        for (int32_t x = 0; x < w; ++x)
            for (int32_t y = 0; y < h; ++y) o.set(x, y, s.get(x, y) - r.get(x, y));
    }
    if (out != open) MTDestroy(open);
    return out;
}

} // extern "C"
