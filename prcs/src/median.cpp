// Median over the structuring element of a morphology kernel.
#include "binary_rows.h"
#include "fast_rows.h"
#include "kernel_window.h"
#include "sorted_slots.h"

#include <bit>
#include <limits>

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
    T* const first = values.data();
    T* const middle = first + offsets.size() / 2;
    const OffsetSpan s = spanOf(offsets);
    ClampedRows<T> rows(rowsOf<T>(src), w, h, s.left, s.right, s.up + s.down + 1);
    std::vector<const T*> p(offsets.size());
    const WindowRows<T> dst = rowsOf<T>(out);
    MedianAcc acc(offsets.size());
    SpreadPump pump(w, h);
    for (int32_t y = 0; y < h; ++y) {
        for (size_t i = 0; i < offsets.size(); ++i) p[i] = rows.row(y + offsets[i].dy) + offsets[i].dx;
        T* o = dst[y];
        for (int32_t x = 0; x < w && plain; ++x) {
            for (size_t i = 0; i < p.size(); ++i) values[i] = p[i][x];
            std::nth_element(first, middle, first + values.size());
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

// Unsigned keys in the order of the values: the identity for unsigned
// integers, the sign bit flipped for signed ones, and for floats the bits of
// positive values above the inverted bits of negative ones.
template <class T> struct OrderKey {
    using Key = T;
    static Key key(T v) { return v; }
    static T value(Key k) { return k; }
};
template <> struct OrderKey<int16_t> {
    using Key = uint16_t;
    static Key key(int16_t v) { return Key(uint16_t(v) ^ 0x8000u); }
    static int16_t value(Key k) { return int16_t(uint16_t(k ^ 0x8000u)); }
};
template <> struct OrderKey<float> {
    using Key = uint32_t;
    static Key key(float v) {
        const uint32_t b = std::bit_cast<uint32_t>(v);
        return (b & 0x80000000u) ? ~b : (b | 0x80000000u);
    }
    static float value(Key k) { return std::bit_cast<float>((k & 0x80000000u) ? (k & 0x7FFFFFFFu) : ~k); }
};

template <class K, class C>
QD_ROW_KERNEL void countBelow(C* __restrict count, const K* __restrict p, const K* __restrict cand, int32_t w) {
    for (int32_t x = 0; x < w; ++x) count[x] = C(count[x] + (p[x] < cand[x] ? 1 : 0));
}

// Sets the bit where no more than m neighbours lie below prefix | bit.
template <class K, class C>
QD_ROW_KERNEL void keepIfLow(K* __restrict prefix, const C* __restrict count, C m, K bit, int32_t w) {
    for (int32_t x = 0; x < w; ++x) prefix[x] = K(prefix[x] | (K(count[x] <= m) * bit));
}

// The median is the largest key t with at most m neighbours below it, found
// bit by bit from the top for a whole row at once. For values without NaN,
// negative zero or infinity that is slot m of the sorted list. C counts the
// neighbours.
template <class T, class K, class C>
void medianRowsByBits(K* const* keyRows, MTHANDLE out, const std::vector<Offset>& offsets) {
    const int32_t w = MTGetWidth(out), h = MTGetHeight(out);
    const OffsetSpan s = spanOf(offsets);
    ClampedRows<K> rows(WindowRows<K>{keyRows}, w, h, s.left, s.right, s.up + s.down + 1);
    const C m = C(offsets.size() / 2);
    std::vector<const K*> p(offsets.size());
    std::vector<K> prefix(size_t(w), K(0)), cand(size_t(w), K(0));
    std::vector<C> count(size_t(w), C(0));
    const WindowRows<T> dst = rowsOf<T>(out);
    SpreadPump pump(w, h);
    for (int32_t y = 0; y < h; ++y) {
        for (size_t i = 0; i < offsets.size(); ++i) p[i] = rows.row(y + offsets[i].dy) + offsets[i].dx;
        std::fill(prefix.begin(), prefix.end(), K(0));
        for (K bit = K(K(1) << (8 * sizeof(K) - 1)); bit != 0; bit = K(bit >> 1)) {
            for (int32_t x = 0; x < w; ++x) cand[size_t(x)] = K(prefix[size_t(x)] | bit);
            std::fill(count.begin(), count.end(), C(0));
            for (const K* q : p) countBelow(count.data(), q, cand.data(), w);
            keepIfLow(prefix.data(), count.data(), m, bit, w);
        }
        T* o = dst[y];
        for (int32_t x = 0; x < w; ++x) o[x] = OrderKey<T>::value(prefix[size_t(x)]);
        pump.afterRow(y);
    }
}

template <class T> void medianRowsOfKeys(MTHANDLE src, MTHANDLE out, const std::vector<Offset>& offsets) {
    using K = typename OrderKey<T>::Key;
    // Counts as wide as the keys vectorise best; bytes count up to 255.
    using C = std::conditional_t<sizeof(K) == 1, uint8_t, K>;
    using Wide = uint32_t;
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    std::vector<K> keys;
    std::vector<K*> keyRows(size_t(h), nullptr);
    const WindowRows<T> from = rowsOf<T>(src);
    if constexpr (std::is_same_v<K, T>) {
        for (int32_t y = 0; y < h; ++y) keyRows[size_t(y)] = from[y];
    } else {
        keys.resize(size_t(w) * size_t(h));
        for (int32_t y = 0; y < h; ++y) {
            keyRows[size_t(y)] = keys.data() + size_t(y) * size_t(w);
            const T* r = from[y];
            for (int32_t x = 0; x < w; ++x) keyRows[size_t(y)][x] = OrderKey<T>::key(r[x]);
        }
    }
    if (offsets.size() <= size_t(std::numeric_limits<C>::max())) medianRowsByBits<T, K, C>(keyRows.data(), out, offsets);
    else medianRowsByBits<T, K, Wide>(keyRows.data(), out, offsets);
}

// Row paths: true when one of them did the work.
bool medianRows(MTHANDLE src, MTHANDLE out, const std::vector<Offset>& offsets) {
    if (offsets.empty()) return false; // the sentinel only the value path stores
    if (viaBytes(src, out, [&](MTHANDLE i, MTHANDLE o) { medianRowsOfKeys<uint8_t>(i, o, offsets); })) return true;
    return withRowType(src, out, [&](auto t) {
        using T = decltype(t);
        if constexpr (std::is_same_v<T, double>) medianRowsBySlots<T>(src, out, offsets);
        else if (plainValues<T>(src)) medianRowsOfKeys<T>(src, out, offsets);
        else medianRowsBySlots<T>(src, out, offsets);
    });
}

} // namespace
} // namespace qd::prcs

using namespace qd::prcs;

extern "C" MTHANDLE MedianFilter2D(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst) noexcept {
    std::vector<Offset> offsets;
    if (refusedSource(src) || !morphologyOffsets(kernel, offsets)) return refuse(dst, {src});
    return filterInto(src, MTGetFlags(src), dst, [&](MTHANDLE in, MTHANDLE out) {
        if (medianRows(in, out, offsets)) return;
        MedianAcc acc(offsets.size());
        forEachKernelWindow(MatrixView{in}, MatrixView{out}, MTGetWidth(in), MTGetHeight(in), offsets, acc);
    });
}
