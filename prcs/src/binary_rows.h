// One-bit images on the row-pointer paths: unpacked into one byte per
// element, processed as MT_UCHAR, packed back.
#pragma once

#include "prcs_rules.h"

namespace qd::prcs {

// An MT_UCHAR copy (0 or 1) of a whole-window MT_BINARY matrix; null when it
// cannot be allocated.
MTHANDLE unpackBinary(MTHANDLE bits) noexcept;

// Writes the 0/1 bytes of a whole-window MT_UCHAR matrix into a whole-window
// MT_BINARY matrix of the same size.
void packBinary(MTHANDLE bytes, MTHANDLE bits) noexcept;

} // namespace qd::prcs
