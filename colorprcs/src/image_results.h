// Helpers shared by the functions that return a new image.
#pragma once

#include <qd/image.h>

#include <cstdint>

namespace qd::colour {

// Wraps a new matrix in a new image; the matrix is destroyed when that fails.
IMHANDLE adoptMatrix(MTHANDLE m) noexcept;

// Disposes of the caller's old image once the result exists. Done last, so
// that old may be one of the sources.
IMHANDLE finish(IMHANDLE result, IMHANDLE old) noexcept;

// Row y of a matrix created here (full window, so rows start at column 0).
template <class T> T* rowOf(MTHANDLE m, int32_t y) noexcept {
    return static_cast<T*>(MTGetMatrixPointer(m)[y]);
}

} // namespace qd::colour
