// Splitting a complex image into its parts and joining two real ones.
#include "prcs_rules.h"

using namespace qd::prcs;

namespace {

// Refusals here leave dst alone.
MTHANDLE complexPart(MTHANDLE src, MTHANDLE dst, bool imaginary) {
    if (!src || !MTIsComplex(src)) return nullptr;
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    MTHANDLE out = resultMatrix(w, h, MT_FLOAT, dst, {src});
    if (!out) return nullptr;
    for (int32_t x = 0; x < w; ++x) {
        for (int32_t y = 0; y < h; ++y)
            MTSetReal(out, x, y, imaginary ? MTImag(src, x, y) : MTReal(src, x, y));
        ProcessMessage();
    }
    return out;
}

} // namespace

extern "C" {

MTHANDLE RealPart2D(MTHANDLE src, MTHANDLE dst) noexcept { return complexPart(src, dst, false); }

MTHANDLE ImaginaryPart2D(MTHANDLE src, MTHANDLE dst) noexcept {
    return complexPart(src, dst, true);
}

MTHANDLE MakeComplex2D(MTHANDLE re, MTHANDLE im, MTHANDLE dst) noexcept {
    if (refusedSource(re) || refusedSource(im) || MTGetWidth(re) != MTGetWidth(im) ||
        MTGetHeight(re) != MTGetHeight(im))
        return nullptr;
    const int32_t w = MTGetWidth(re), h = MTGetHeight(re);
    MTHANDLE out = resultMatrix(w, h, MT_COMPLEX8, dst, {re, im});
    if (!out) return nullptr;
    for (int32_t x = 0; x < w; ++x) {
        for (int32_t y = 0; y < h; ++y) MTSetComplex(out, x, y, {MTReal(re, x, y), MTReal(im, x, y)});
        ProcessMessage();
    }
    return out;
}

} // extern "C"
