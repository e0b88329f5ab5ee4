// Row and column passes over MT_COMPLEX8 results, shared by the transforms.
#pragma once

#include <qd/memobj.h>

#include "matrix_access.h"

namespace qd::fourier {

// Transforms every row of `in` (both parts) into the same row of `out`:
// forward with centring, or unscaled inverse of a centred row.
bool complexRowPass(MTHANDLE in, MTHANDLE out, bool inverse) noexcept;

// Forward transform with centring of columns 0..count-1 of `m` in place.
bool forwardColumnPass(MTHANDLE m, int count) noexcept;

// Spectra of real images: fills each column past the middle with the
// conjugates of its mirror column, at mirrored rows.
void fillMirrorColumns(MTHANDLE m) noexcept;

// Inverse transform of every centred column of `m` in place, each value of
// the result multiplied by scale.
bool inverseColumnPass(MTHANDLE m, double scale) noexcept;

// Output rule, then fn(result); a result made here is dropped again when fn
// fails. The caller's own output object is kept in any case.
template <class Fn> MTHANDLE withComplexResult(MTHANDLE in, MTHANDLE out, Fn&& fn) noexcept {
    const int32_t w = MTGetWidth(in);
    const int32_t h = MTGetHeight(in);
    if (w < 1 || h < 1) return nullptr;
    MTHANDLE result = fitComplexMatrix(in, out, w, h);
    if (!result) return nullptr;
    if (fn(result)) return result;
    if (result != out) MTDestroy(result);
    return nullptr;
}

} // namespace qd::fourier
