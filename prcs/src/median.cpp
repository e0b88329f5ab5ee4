// Median over the structuring element of a morphology kernel.
#include "binary_rows.h"
#include "fast_rows.h"
#include "kernel_window.h"
#include "sorted_slots.h"

#include <new>

namespace qd::prcs {
namespace {

// Keeps the m + 1 lowest values; slot m is the median, the upper middle one
// for an even count.
struct MedianAcc {
    std::vector<double> slots;
    int32_t m;
    explicit MedianAcc(size_t n) : slots(n / 2 + 1), m(int32_t(n / 2)) {}
    void reset() { seedSentinels(slots.data(), m + 1); }
    void add(double v) { insertSorted(slots.data(), m + 1, v); }
    double result() const { return slots[size_t(m)]; }
};

// Rows outer; every pixel fills its own slots in offset order, as on the
// element path. Values that the slots order like any sort are selected
// directly instead.
template <class T> void medianRowsBySlots(MTHANDLE src, MTHANDLE out, const std::vector<Offset>& offsets) {
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    const bool plain = plainValues<T>(src);
    std::vector<T> values(offsets.size());
    const auto middle = values.begin() + std::ptrdiff_t(offsets.size() / 2);
    const OffsetSpan s = spanOf(offsets);
    ClampedRows<T> rows(rowsOf<T>(src), w, h, s.left, s.right, s.up + s.down + 1);
    std::vector<const T*> p(offsets.size());
    MedianAcc acc(offsets.size());
    SpreadPump pump(w, h);
    for (int32_t y = 0; y < h; ++y) {
        for (size_t i = 0; i < offsets.size(); ++i) p[i] = rows.row(y + offsets[i].dy) + offsets[i].dx;
        T* o = rowsOf<T>(out)[y];
        for (int32_t x = 0; x < w && plain; ++x) {
            for (size_t i = 0; i < p.size(); ++i) values[i] = p[i][x];
            std::nth_element(values.begin(), middle, values.end());
            o[x] = *middle;
        }
        for (int32_t x = 0; x < w && !plain; ++x) {
            acc.reset();
            for (const T* q : p) acc.add(double(q[x]));
            o[x] = storeAs<T>(acc.result());
        }
        pump.afterRow(y);
    }
}

template <class C>
QD_ROW_KERNEL void countBelow(C* __restrict count, const uint8_t* __restrict p, const uint8_t* __restrict cand,
                              int32_t w) {
    for (int32_t x = 0; x < w; ++x) count[x] = C(count[x] + (p[x] < cand[x] ? 1 : 0));
}

// Sets the bit where no more than m neighbours lie below prefix | bit.
template <class C>
QD_ROW_KERNEL void keepIfLow(uint8_t* __restrict prefix, const C* __restrict count, C m, uint8_t bit, int32_t w) {
    for (int32_t x = 0; x < w; ++x) prefix[x] = uint8_t(prefix[x] | (uint8_t(count[x] <= m) * bit));
}

// Bytes: the median is the largest value t with at most m neighbours below
// it, found bit by bit from the top for a whole row at once. Integers have no
// NaN, so this is slot m of the sorted list. C counts the neighbours.
template <class C> void medianRowsByBits(MTHANDLE src, MTHANDLE out, const std::vector<Offset>& offsets) {
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    const OffsetSpan s = spanOf(offsets);
    ClampedRows<uint8_t> rows(rowsOf<uint8_t>(src), w, h, s.left, s.right, s.up + s.down + 1);
    const C m = C(offsets.size() / 2);
    std::vector<const uint8_t*> p(offsets.size());
    std::vector<uint8_t> cand(size_t(w), 0);
    std::vector<C> count(size_t(w), C(0));
    SpreadPump pump(w, h);
    for (int32_t y = 0; y < h; ++y) {
        for (size_t i = 0; i < offsets.size(); ++i) p[i] = rows.row(y + offsets[i].dy) + offsets[i].dx;
        uint8_t* prefix = rowsOf<uint8_t>(out)[y];
        std::fill(prefix, prefix + w, 0);
        for (int32_t bit = 128; bit > 0; bit >>= 1) {
            for (int32_t x = 0; x < w; ++x) cand[size_t(x)] = uint8_t(prefix[x] | bit);
            std::fill(count.begin(), count.end(), C(0));
            for (const uint8_t* q : p) countBelow(count.data(), q, cand.data(), w);
            keepIfLow(prefix, count.data(), m, uint8_t(bit), w);
        }
        pump.afterRow(y);
    }
}

void medianRowsOfBytes(MTHANDLE src, MTHANDLE out, const std::vector<Offset>& offsets) {
    if (offsets.size() <= 255) medianRowsByBits<uint8_t>(src, out, offsets);
    else medianRowsByBits<uint32_t>(src, out, offsets);
}

// Row paths: true when one of them did the work.
bool medianRows(MTHANDLE src, MTHANDLE out, const std::vector<Offset>& offsets) {
    if (offsets.empty()) return false; // the sentinel only the value path stores
    if (viaBytes(src, out, [&](MTHANDLE i, MTHANDLE o) { medianRowsOfBytes(i, o, offsets); })) return true;
    return withRowType(src, out, [&](auto t) {
        if constexpr (std::is_same_v<decltype(t), uint8_t>) medianRowsOfBytes(src, out, offsets);
        else medianRowsBySlots<decltype(t)>(src, out, offsets);
    });
}

} // namespace
} // namespace qd::prcs

using namespace qd::prcs;

extern "C" MTHANDLE MedianFilter2D(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst) noexcept {
    std::vector<Offset> offsets;
    if (refusedSource(src) || !morphologyOffsets(kernel, offsets)) return refuse(dst, {src});
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    MTHANDLE out = resultMatrix(w, h, MTGetFlags(src), dst, {src});
    if (!out) return nullptr;
    ReadSource in(src, out);
    if (!in.ok()) return nullptr;
    try {
        if (medianRows(in.get(), out, offsets)) return out;
        MedianAcc acc(offsets.size());
        forEachKernelWindow(MatrixView{in.get()}, MatrixView{out}, w, h, offsets, acc);
    } catch (const std::bad_alloc&) {
        return out == src ? nullptr : refuse(out);
    }
    return out;
}
