// The readers and writers behind the shipped filters, one namespace per
// format. open gives a rendered image or null; save writes through a
// temporary file beside path and is false, with nothing at path, on failure.
#pragma once

#include <qd/image.h>

namespace qd::filters {

namespace tiff {
IMHANDLE open(const char* path) noexcept;
bool save(IMHANDLE image, const char* path) noexcept;
} // namespace tiff

namespace png {
IMHANDLE open(const char* path) noexcept;
bool save(IMHANDLE image, const char* path) noexcept;
} // namespace png

namespace jpeg {
IMHANDLE open(const char* path) noexcept;
bool save(IMHANDLE image, const char* path) noexcept;
} // namespace jpeg

} // namespace qd::filters
