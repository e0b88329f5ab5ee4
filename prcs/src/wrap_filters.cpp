// Rank, median, erosion and dilation over the 3 x 3 wrap-around window.
#include "fast_rows.h"
#include "sorted_slots.h"
#include "wrap_window.h"


namespace qd::prcs {
namespace {

enum class WrapOp { Rank, Median, Min, Max };

template <class In, class Out>
void runWrapFilter(const In& in, const Out& out, int32_t w, int32_t h, WrapOp op, int32_t rank) {
    switch (op) {
    case WrapOp::Rank:
        forEachWrapWindow(in, out, w, h, [rank](const double* v) {
            double slots[9];
            seedSentinels(slots, 9);
            for (int32_t i = 0; i < 9; ++i) insertSorted(slots, 9, v[i]);
            return slots[rank];
        });
        break;
    case WrapOp::Median:
        // The five smallest values are enough for the fifth.
        forEachWrapWindow(in, out, w, h, [](const double* v) {
            double slots[5];
            seedSentinels(slots, 5);
            for (int32_t i = 0; i < 9; ++i) insertSorted(slots, 5, v[i]);
            return slots[4];
        });
        break;
    case WrapOp::Min:
        forEachWrapWindow(in, out, w, h, [](const double* v) {
            double m = kSentinel;
            for (int32_t i = 0; i < 9; ++i)
                if (v[i] < m) m = v[i];
            return m;
        });
        break;
    case WrapOp::Max:
        forEachWrapWindow(in, out, w, h, [](const double* v) {
            double m = -kSentinel;
            for (int32_t i = 0; i < 9; ++i)
                if (v[i] > m) m = v[i];
            return m;
        });
        break;
    }
}

template <class T> inline void sortPair(T& a, T& b) {
    const T lo = std::min(a, b), hi = std::max(a, b);
    a = lo;
    b = hi;
}

template <class T> inline T median3(T a, T b, T c) {
    return std::max(std::min(a, b), std::min(std::max(a, b), c));
}

// Rows outer over the torus. win[j] points at element -1 of row y - 1 + j,
// wrapped, so win[j][x + c] is the window column c of pixel x.
template <class T> class WrapRowsPass {
public:
    WrapRowsPass(MTHANDLE src, MTHANDLE out)
        : w_(MTGetWidth(src)), h_(MTGetHeight(src)), src_(rowsOf<T>(src)), dst_(rowsOf<T>(out)),
          buf_(3 * (size_t(w_) + 2)) {}

    template <class RowOp> void run(RowOp op) {
        SpreadPump pump(h_, h_);
        for (int32_t y = 0; y < h_; ++y) {
            const int32_t rows[3] = {y == 0 ? h_ - 1 : y - 1, y, y + 1 == h_ ? 0 : y + 1};
            const T* win[3];
            for (int32_t j = 0; j < 3; ++j) {
                T* b = buf_.data() + size_t(j) * (size_t(w_) + 2);
                wrapRow(src_[rows[j]], w_, b);
                win[j] = b;
            }
            op(win, dst_[y], w_);
            pump.afterRow(y);
        }
    }

private:
    int32_t w_, h_;
    WindowRows<T> src_;
    WindowRows<T> dst_;
    std::vector<T> buf_;
};

// Sorted columns, then the median of the largest low, the middle mid and the
// smallest high: the median of the nine. tmp holds 3 (w + 2) values.
template <class T>
QD_ROW_KERNEL void medianRow(const T* __restrict r0, const T* __restrict r1, const T* __restrict r2,
                             T* __restrict o, int32_t w, T* __restrict tmp) {
    const int32_t n = w + 2;
    T* __restrict lo = tmp;
    T* __restrict mid = tmp + n;
    T* __restrict hi = tmp + 2 * n;
    for (int32_t j = 0; j < n; ++j) {
        const T a = r0[j], b = r1[j], c = r2[j];
        const T l1 = std::min(a, b), h1 = std::max(a, b);
        const T l2 = std::min(h1, c);
        lo[j] = std::min(l1, l2);
        mid[j] = std::max(l1, l2);
        hi[j] = std::max(h1, c);
    }
    for (int32_t x = 0; x < w; ++x) {
        const T l = std::max(std::max(lo[x], lo[x + 1]), lo[x + 2]);
        const T hh = std::min(std::min(hi[x], hi[x + 1]), hi[x + 2]);
        o[x] = median3(l, median3(mid[x], mid[x + 1], mid[x + 2]), hh);
    }
}

// Any rank: odd-even transposition sort of the nine window values.
template <class T> QD_ROW_KERNEL void rankRow(const T* const* win, T* o, int32_t w, int32_t rank, std::vector<T>& tmp) {
    tmp.resize(9 * size_t(w));
    T* v[9];
    for (int32_t k = 0; k < 9; ++k) {
        v[k] = tmp.data() + size_t(k) * size_t(w);
        std::copy(win[k % 3] + k / 3, win[k % 3] + k / 3 + w, v[k]);
    }
    for (int32_t round = 0; round < 9; ++round)
        for (int32_t k = round % 2; k + 1 < 9; k += 2) {
            T* __restrict a = v[k];
            T* __restrict b = v[k + 1];
            for (int32_t x = 0; x < w; ++x) sortPair(a[x], b[x]);
        }
    std::copy(v[rank], v[rank] + w, o);
}

// Minimum or maximum, meeting the values in the order of the element path.
template <class T, bool IsMin> void extremumRow(const T* const* win, T* o, int32_t w) {
    std::fill(o, o + w, startValue<T, IsMin>());
    for (int32_t c = 0; c < 3; ++c)
        for (int32_t j = 0; j < 3; ++j) foldRow<T, IsMin>(o, win[j] + c, w);
}

template <class T> bool wrapRows(MTHANDLE src, MTHANDLE out, WrapOp op, int32_t rank) {
    if (op == WrapOp::Rank) {
        if (rank == 0) op = WrapOp::Min;
        else if (rank == 8) op = WrapOp::Max;
        else if (rank == 4) op = WrapOp::Median;
        if (!plainValues<T>(src)) return false;
    }
    if (op == WrapOp::Median && !plainValues<T>(src)) return false;
    WrapRowsPass<T> pass(src, out);
    std::vector<T> tmp;
    switch (op) {
    case WrapOp::Median:
        pass.run([&](const T* const* win, T* o, int32_t w) {
            tmp.resize(3 * (size_t(w) + 2));
            medianRow(win[0], win[1], win[2], o, w, tmp.data());
        });
        break;
    case WrapOp::Rank: pass.run([&](const T* const* win, T* o, int32_t w) { rankRow(win, o, w, rank, tmp); }); break;
    case WrapOp::Min: pass.run([](const T* const* win, T* o, int32_t w) { extremumRow<T, true>(win, o, w); }); break;
    case WrapOp::Max: pass.run([](const T* const* win, T* o, int32_t w) { extremumRow<T, false>(win, o, w); }); break;
    }
    return true;
}

MTHANDLE wrapFilter(MTHANDLE src, MTHANDLE dst, WrapOp op, int32_t rank) noexcept {
    if (refusedSource(src)) return refuse(dst, {src});
    return filterInto(src, realTypeOf(MTGetFlags(src)), dst, [&](MTHANDLE in, MTHANDLE out) {
        bool done = false;
        withRowType(in, out, [&](auto t) { done = wrapRows<decltype(t)>(in, out, op, rank); });
        if (!done) runWrapFilter(MatrixView{in}, MatrixView{out}, MTGetWidth(in), MTGetHeight(in), op, rank);
    });
}

} // namespace
} // namespace qd::prcs

using namespace qd::prcs;

extern "C" {

MTHANDLE StMedianFilter2D(MTHANDLE src, MTHANDLE dst) noexcept {
    return wrapFilter(src, dst, WrapOp::Median, 4);
}

MTHANDLE StRankFilter2D(MTHANDLE src, int32_t rank, MTHANDLE dst) noexcept {
    // Ranks outside the nine slots are clamped into them.
    return wrapFilter(src, dst, WrapOp::Rank, rank < 0 ? 0 : rank > 8 ? 8 : rank);
}

MTHANDLE StErosion2D(MTHANDLE src, MTHANDLE dst) noexcept {
    return wrapFilter(src, dst, WrapOp::Min, 0);
}

MTHANDLE StDilation2D(MTHANDLE src, MTHANDLE dst) noexcept {
    return wrapFilter(src, dst, WrapOp::Max, 0);
}

} // extern "C"
