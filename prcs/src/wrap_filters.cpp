// Rank, median, erosion and dilation over the 3 x 3 wrap-around window.
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

MTHANDLE wrapFilter(MTHANDLE src, MTHANDLE dst, WrapOp op, int32_t rank) noexcept {
    if (refusedSource(src)) return refuse(dst, {src});
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    MTHANDLE out = resultMatrix(w, h, realTypeOf(MTGetFlags(src)), dst, {src});
    if (!out) return nullptr;
    ReadSource in(src, out);
    if (!in.ok()) return nullptr;
    withViews(in.get(), out, [&](auto inView, auto outView) {
        runWrapFilter(inView, outView, w, h, op, rank);
    });
    return out;
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
