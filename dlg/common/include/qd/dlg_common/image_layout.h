#pragma once
// The element types a new or imported image may have, in the fixed order of
// their radio buttons, and the arithmetic of a headerless raw file laid out
// as one of them. Shared by the program's dialogs and the dialog library.

#include <cstdint>

#include <qd/image.h>

namespace qd::layout {

inline constexpr int kTypeCount = 13;
inline constexpr int kDefaultPosition = 3; // unsigned char

// The type code of a radio position; unsigned char outside 0..12.
int32_t typeCode(int position);
// Bytes one element takes in the file: 0.125 for binary, 0.5 for 4 bits.
double bytesPerPixel(int position);
// The radio's label ("4 bits" is the caller's to choose).
const char* typeLabel(int position);

// Side of the square image that the bytes after offset would fill:
// truncate(sqrt((fileSize - offset) / bytes) + 0.5), 0 when nothing is left.
int64_t proposedSide(int64_t fileSize, int64_t offset, int position);

// Bytes a width x height image of that type takes in the file; rows of
// binary and 4-bit images start on a byte. Saturates at INT64_MAX instead
// of wrapping; 0 for a side below 1.
int64_t dataSize(int64_t width, int64_t height, int position);

// All 2704 bytes zero except the version, 256 levels, the size, the type and
// a scale of 1.
void fillNewImageHeader(IMHEADER& header, int32_t width, int32_t height, int32_t type);

} // namespace qd::layout
