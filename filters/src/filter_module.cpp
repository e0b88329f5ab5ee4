// The entry points of one shipped filter module; the build names its
// extension, description and format.
#include <qd/file_filter.h>

#include "formats.h"

namespace format = qd::filters::QD_FILTER_FORMAT;

const char* GetExtName(void) noexcept { return QD_FILTER_EXTENSION; }

const char* GetFileDes(void) noexcept { return QD_FILTER_DESCRIPTION; }

IMHANDLE FileOpen(void*, const char* path) noexcept { return path ? format::open(path) : nullptr; }

int FileSave(void*, IMHANDLE image, const char* path) noexcept {
    return image && path && format::save(image, path) ? 1 : 0;
}
