// Building blocks of the row-pointer paths: source rows copied once into
// buffers padded at both ends (edge replication or wrap-around), and a pump
// that keeps the count of the element-by-element path.
#pragma once

#include "prcs_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

// Inner row loops are built twice, for AVX2 and for the baseline, and the
// loader picks one. AVX2 brings no fused multiply-add, so sums keep their
// rounding.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define QD_ROW_KERNEL __attribute__((target_clones("avx2", "default")))
#else
#define QD_ROW_KERNEL
#endif

namespace qd::prcs {

// Internal linkage: the cloned loops would otherwise be exported.
namespace {

// Applies one neighbour row to a whole output row, with the very comparison
// of the element-by-element path.
template <class T, bool IsMin> QD_ROW_KERNEL void foldRow(T* __restrict o, const T* __restrict p, int32_t w) {
    for (int32_t x = 0; x < w; ++x) {
        if constexpr (IsMin) o[x] = p[x] < o[x] ? p[x] : o[x];
        else o[x] = p[x] > o[x] ? p[x] : o[x];
    }
}

// Copies a row, converting each element exactly.
template <class T, class S> QD_ROW_KERNEL void copyRow(T* __restrict dst, const S* __restrict src, int32_t w) {
    for (int32_t x = 0; x < w; ++x) dst[x] = T(src[x]);
}

} // namespace

// Rows y of some derived image, `length` elements each, made on demand by
// make(y, row) and kept in a ring of `depth` buffers, so any `depth`
// consecutive rows can be in use at once.
template <class T> class RowRing {
public:
    RowRing(size_t length, int32_t depth)
        : length_(length), depth_(depth), buf_(length * size_t(depth)), held_(size_t(depth), -1) {}
    template <class Make> T* row(int32_t y, Make&& make) {
        const size_t slot = size_t(y % depth_);
        T* b = buf_.data() + slot * length_;
        if (held_[slot] != y) {
            make(y, b);
            held_[slot] = y;
        }
        return b;
    }

private:
    size_t length_;
    int32_t depth_;
    std::vector<T> buf_;
    std::vector<int32_t> held_;
};

// Rows of a matrix of S padded by `left` and `right` copies of their edge
// pixels and held as T (the same values, exactly);
// row indices are clamped. A ring of `depth` buffers (never more than there
// are rows) holds the rows in use, so any `depth` consecutive rows can be
// asked for at once.
template <class T, class S = T> class ClampedRows {
public:
    ClampedRows(WindowRows<S> rows, int32_t w, int32_t h, int32_t left, int32_t right, int32_t depth)
        : rows_(rows), w_(w), h_(h), left_(left), right_(right),
          ring_(size_t(left) + size_t(w) + size_t(right), std::min(depth, h)) {}

    // Pointer to element 0 of row y (clamped); elements -left .. w - 1 + right
    // are readable.
    const T* row(int32_t y) {
        return ring_.row(clampIndex(y, h_), [&](int32_t r, T* b) {
                   const S* src = rows_[r];
                   std::fill(b, b + left_, T(src[0]));
                   copyRow(b + left_, src, w_);
                   std::fill(b + left_ + w_, b + left_ + w_ + right_, T(src[w_ - 1]));
               }) +
               left_;
    }

private:
    WindowRows<S> rows_;
    int32_t w_, h_, left_, right_;
    RowRing<T> ring_;
};

// Row y of a matrix with one wrapped element at each end: element -1 is the
// last one and element w the first.
template <class T> void wrapRow(const T* src, int32_t w, T* dst) {
    dst[0] = src[w - 1];
    std::copy(src, src + w, dst + 1);
    dst[w + 1] = src[0];
}

// Calls ProcessMessage `total` times spread over `rows` rows, so a path that
// runs along rows pumps as often as one that runs along columns.
class SpreadPump {
public:
    SpreadPump(int32_t total, int32_t rows) : total_(total), rows_(rows) {}
    void afterRow(int32_t y) {
        const int64_t due = int64_t(y + 1) * total_ / rows_;
        for (; done_ < due; ++done_) ProcessMessage();
    }

private:
    int64_t total_, rows_, done_ = 0;
};

// Offsets grouped for row-wise work.
struct OffsetSpan {
    int32_t left = 0, right = 0, up = 0, down = 0; // widest reach on each side
};

inline OffsetSpan spanOf(const std::vector<Offset>& offsets) {
    OffsetSpan s;
    for (const Offset& o : offsets) {
        s.left = std::max(s.left, -o.dx);
        s.right = std::max(s.right, o.dx);
        s.up = std::max(s.up, -o.dy);
        s.down = std::max(s.down, o.dy);
    }
    return s;
}

// Start of the running value on the row path. It stores as the sentinel
// would: integers never reach it, a float sentinel becomes infinity.
template <class T, bool IsMin> constexpr T startValue() {
    if constexpr (std::is_same_v<T, double>) return IsMin ? kSentinel : -kSentinel;
    else if constexpr (std::is_same_v<T, float>)
        return IsMin ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    else return IsMin ? std::numeric_limits<T>::max() : std::numeric_limits<T>::lowest();
}


// Values that the sorted slots and min/max networks order alike: any
// integer; floating values other than NaN, negative zero and +infinity (the
// slots drop NaN and values at or above the sentinels, and keep the first of
// two equal zeros).
template <class T> bool plainValues(MTHANDLE m) {
    if constexpr (std::is_floating_point_v<T>) {
        const int32_t w = MTGetWidth(m), h = MTGetHeight(m);
        const WindowRows<T> rows = rowsOf<T>(m);
        for (int32_t y = 0; y < h; ++y) {
            const T* r = rows[y];
            for (int32_t x = 0; x < w; ++x) {
                const T v = r[x];
                if (!(v < T(kSentinel)) || (v == 0 && std::signbit(v))) return false;
            }
        }
    }
    return true;
}

} // namespace qd::prcs
