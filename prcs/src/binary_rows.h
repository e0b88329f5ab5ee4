// One-bit images on the row-pointer paths: unpacked into one byte per
// element, processed as MT_UCHAR, packed back.
#pragma once

#include "prcs_rules.h"

namespace qd::prcs {

// An MT_UCHAR copy (0 or 1) of the window of an MT_BINARY matrix; null when
// it cannot be allocated.
MTHANDLE unpackBinary(MTHANDLE bits) noexcept;

// Writes the 0/1 bytes of a whole-window MT_UCHAR matrix into a whole-window
// MT_BINARY matrix of the same size.
void packBinary(MTHANDLE bytes, MTHANDLE bits) noexcept;

// Runs f(bytesIn, bytesOut) on MT_UCHAR copies of two MT_BINARY matrices,
// out with a whole window, and packs the result into out. False when they
// are not such matrices or the copies cannot be made.
template <class F> bool viaBytes(MTHANDLE src, MTHANDLE out, F f) {
    if (MTGetFlags(src) != MT_BINARY || MTGetFlags(out) != MT_BINARY || !wholeWindow(out)) return false;
    MTHANDLE in = unpackBinary(src);
    MTHANDLE res = in ? MTCreate(MTGetWidth(src), MTGetHeight(src), MT_UCHAR) : nullptr;
    if (res) {
        f(in, res);
        packBinary(res, out);
    }
    MTDestroy(in);
    MTDestroy(res);
    return res != nullptr;
}

} // namespace qd::prcs
