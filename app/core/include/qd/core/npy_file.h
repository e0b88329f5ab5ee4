#pragma once

#include <string>

#include <qd/image.h>

namespace qd {

// NumPy .npy files, the way scientists exchange arrays.
//
// Arrays map to matrices of the matching element type:
//   bool -> MT_BINARY, int8 -> MT_CHAR, uint8 -> MT_UCHAR, int16 -> MT_SHORT,
//   uint16 -> MT_USHORT, int32 -> MT_LONG, uint32 -> MT_ULONG,
//   float32 -> MT_FLOAT, float64 -> MT_DOUBLE, complex64 -> MT_COMPLEX8,
//   complex128 -> MT_COMPLEX16, and uint8 of shape (H, W, 3) -> MT_RGB
//   (red, green, blue).
// A 2-D array of shape (H, W) gives an image W wide and H high; a 1-D array
// of N elements gives one row of N. Array row 0 is the top line of the
// picture as shown, that is matrix row H - 1, so that arrays look the same
// here as in every other imaging tool. Writing and reading back gives the
// same values and type, except that MT_4BITS matrices are written as uint8
// values 0 to 15.

// True when the file starts with the .npy signature.
bool isNpyFile(const std::string& path);

// Reads a version 1, 2 or 3 .npy file of either byte order in C order. Null
// on failure, with a sentence saying why in *error (when error is given):
// Fortran-order, object, structured and other element types, other shapes,
// and sizes the file cannot hold are refused.
MTHANDLE readNpyMatrix(const std::string& path, std::string* error = nullptr);

// The same as a new image, with the given palette list (may be null), the
// default display range of its values, and rendered.
IMHANDLE readNpyImage(const std::string& path, PMHANDLE palettes,
                      std::string* error = nullptr);

// Writes the whole matrix (whatever its window) as a version 1.0,
// little-endian, C-order .npy file. False on failure, with the reason in
// *error.
bool writeNpyMatrix(MTHANDLE matrix, const std::string& path, std::string* error = nullptr);

} // namespace qd
