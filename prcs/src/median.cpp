// Median over the structuring element of a morphology kernel.
#include "binary_rows.h"
#include "fast_rows.h"
#include "kernel_window.h"
#include "sorted_slots.h"

#include <algorithm>
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
// element path.
template <class T> void medianRowsBySlots(MTHANDLE src, MTHANDLE out, const std::vector<Offset>& offsets) {
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    const OffsetSpan s = spanOf(offsets);
    ClampedRows<T> rows(rowsOf<T>(src), w, h, s.left, s.right, s.up + s.down + 1);
    std::vector<const T*> p(offsets.size());
    MedianAcc acc(offsets.size());
    SpreadPump pump(w, h);
    for (int32_t y = 0; y < h; ++y) {
        for (size_t i = 0; i < offsets.size(); ++i) p[i] = rows.row(y + offsets[i].dy) + offsets[i].dx;
        T* o = rowsOf<T>(out)[y];
        for (int32_t x = 0; x < w; ++x) {
            acc.reset();
            for (const T* q : p) acc.add(double(q[x]));
            o[x] = storeAs<T>(acc.result());
        }
        pump.afterRow(y);
    }
}

// Bytes: a histogram that slides along the row. Only the ends of the
// element's runs enter and leave it from one pixel to the next, and the
// median moves from where it was. Integers have no NaN, so the median of
// the histogram is slot m of the sorted list.
void medianRowsByHistogram(MTHANDLE src, MTHANDLE out, const std::vector<Offset>& offsets) {
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    const OffsetSpan s = spanOf(offsets);
    ClampedRows<uint8_t> rows(rowsOf<uint8_t>(src), w, h, s.left, s.right, s.up + s.down + 1);
    auto has = [&](int32_t dx, int32_t dy) {
        return std::any_of(offsets.begin(), offsets.end(), [&](const Offset& o) { return o.dx == dx && o.dy == dy; });
    };
    // Moving from x - 1 to x, the element position dx leaves (at x - 1 + dx)
    // when dx - 1 is not in its row, and enters (at x + dx) when dx + 1 is not.
    std::vector<Offset> leaving, entering;
    for (const Offset& o : offsets) {
        if (!has(o.dx - 1, o.dy)) leaving.push_back(o);
        if (!has(o.dx + 1, o.dy)) entering.push_back(o);
    }
    const int32_t m = int32_t(offsets.size() / 2);
    std::vector<const uint8_t*> all(offsets.size()), lp(leaving.size()), ep(entering.size());
    SpreadPump pump(w, h);
    for (int32_t y = 0; y < h; ++y) {
        for (size_t i = 0; i < offsets.size(); ++i) all[i] = rows.row(y + offsets[i].dy) + offsets[i].dx;
        for (size_t i = 0; i < leaving.size(); ++i) lp[i] = rows.row(y + leaving[i].dy) + leaving[i].dx - 1;
        for (size_t i = 0; i < entering.size(); ++i) ep[i] = rows.row(y + entering[i].dy) + entering[i].dx;
        int32_t hist[256] = {};
        for (const uint8_t* q : all) ++hist[q[0]];
        int32_t med = 0, below = 0; // below: how many values are under med
        while (below + hist[med] <= m) below += hist[med++];
        uint8_t* o = rowsOf<uint8_t>(out)[y];
        o[0] = uint8_t(med);
        for (int32_t x = 1; x < w; ++x) {
            for (const uint8_t* q : lp) {
                const uint8_t v = q[x];
                --hist[v];
                below -= v < med;
            }
            for (const uint8_t* q : ep) {
                const uint8_t v = q[x];
                ++hist[v];
                below += v < med;
            }
            while (below > m) below -= hist[--med];
            while (below + hist[med] <= m) below += hist[med++];
            o[x] = uint8_t(med);
        }
        pump.afterRow(y);
    }
}

// Row paths: true when one of them did the work.
bool medianRows(MTHANDLE src, MTHANDLE out, const std::vector<Offset>& offsets) {
    if (offsets.empty()) return false; // the sentinel only the value path stores
    const int32_t type = MTGetFlags(src);
    if (type == MT_UCHAR && MTGetFlags(out) == MT_UCHAR && wholeWindow(src) && wholeWindow(out)) {
        medianRowsByHistogram(src, out, offsets);
        return true;
    }
    if (type == MT_BINARY && MTGetFlags(out) == MT_BINARY && wholeWindow(src) && wholeWindow(out)) {
        MTHANDLE in = unpackBinary(src);
        MTHANDLE res = in ? MTCreate(MTGetWidth(src), MTGetHeight(src), MT_UCHAR) : nullptr;
        if (res) {
            medianRowsByHistogram(in, res, offsets);
            packBinary(res, out);
        }
        MTDestroy(in);
        MTDestroy(res);
        return res != nullptr;
    }
    return withRowType(src, out, [&](auto t) { medianRowsBySlots<decltype(t)>(src, out, offsets); });
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
