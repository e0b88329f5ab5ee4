#pragma once

#include <string>

#include <qd/image.h>

namespace qd {

// Reads an uncompressed Windows bitmap of 1, 4, 8 or 24 bits per pixel as a
// new image, rendered and ready to show:
// - 1, 4 and 8 bits give MT_BINARY, MT_4BITS and MT_UCHAR images holding the
//   colour indices, with the file's colour table as the image palette (as
//   many entries as the colours-used field says, else 2, 16 or 256; the rest
//   0) and the display range 0 to 2, 16 or 256, so the picture shows as
//   drawn;
// - 24 bits give an MT_RGB image.
// Bottom-up files (positive height) put file row k in image row k; top-down
// files (negative height) are turned so that the picture stands the same way.
// Null, with nothing left open or allocated, for anything else: another
// signature, bit count or compression, or sizes the file cannot hold. The
// next reader may then try the file.
IMHANDLE readBitmapFile(const std::string& path);

// Writes the image's display bitmap (what is shown: display levels and the
// colour table, not the values) as a .bmp file. False when any part could not
// be written whole.
bool writeBitmapFile(IMHANDLE image, const std::string& path);

} // namespace qd
