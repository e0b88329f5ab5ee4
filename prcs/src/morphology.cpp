// Grey-scale erosion and dilation over a flat structuring element, and the
// opening, closing and top-hat built from them.
#include "kernel_window.h"

#include <new>

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

template <bool IsMin>
MTHANDLE extremumFilter(MTHANDLE src, const MMKERNEL* kernel, MTHANDLE dst) noexcept {
    std::vector<Offset> offsets;
    if (refusedSource(src) || !morphologyOffsets(kernel, offsets)) return refuse(dst, {src});
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    MTHANDLE out = resultMatrix(w, h, MTGetFlags(src), dst, {src});
    if (!out) return nullptr;
    ReadSource in(src, out);
    if (!in.ok()) return nullptr;
    try {
        ExtremumAcc<IsMin> acc;
        withViews(in.get(), out, [&](auto inView, auto outView) {
            forEachKernelWindow(inView, outView, w, h, offsets, acc);
        });
    } catch (const std::bad_alloc&) {
        return out == src ? nullptr : refuse(out);
    }
    return out;
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
    // Element by element, so the order of the loops does not matter here.
    withViews(src, open, [&](auto s, auto r) {
        const auto& o = inPlace ? s : r;
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) o.set(x, y, s.get(x, y) - r.get(x, y));
    });
    if (out != open) MTDestroy(open);
    return out;
}

} // extern "C"
