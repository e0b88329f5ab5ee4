// Median over the structuring element of a morphology kernel.
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
        MedianAcc acc(offsets.size());
        withViews(in.get(), out, [&](auto inView, auto outView) {
            forEachKernelWindow(inView, outView, w, h, offsets, acc);
        });
    } catch (const std::bad_alloc&) {
        return out == src ? nullptr : refuse(out);
    }
    return out;
}
