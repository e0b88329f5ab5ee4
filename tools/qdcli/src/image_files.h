#pragma once

// Reading inputs and writing results through the program's file code.

#include <cstdint>
#include <string>

#include <qd/core/file_filter_list.h>
#include <qd/image.h>

#include "options.h"

namespace qdcli {

// Name of a type code ("short"), or its number as text for unknown codes.
std::string typeName(int32_t type);
// A type name or a type code; UsageError for anything else.
int32_t parseType(const std::string& text);

// Owns one image.
class ImageRef {
public:
    ImageRef() = default;
    explicit ImageRef(IMHANDLE im) : im_(im) {}
    ImageRef(ImageRef&& o) noexcept : im_(o.release()) {}
    ImageRef& operator=(ImageRef&& o) noexcept;
    ~ImageRef();
    IMHANDLE get() const { return im_; }
    IMHANDLE release();

private:
    IMHANDLE im_ = nullptr;
};

// The file filters the program has: those installed in its settings, then
// those shipped beside it.
const qd::CFileFilterList& fileFilters();

// Reads an image file by its content, or as raw data when --raw is given,
// then converts it by --as. FileError when it cannot be read.
ImageRef readInput(const std::string& path, const Options& options, PMHANDLE palettes);

// Replaces the image's matrix by one of the given type, every element
// copied through the value path (saturating). False when out of memory.
bool convertImage(IMHANDLE im, int32_t type);

// Applies --display-type and --range, then renders the display bitmap.
void applyDisplayOptions(IMHANDLE im, const Options& options);

// UsageError unless the path names a format qdcli writes.
void checkOutputPath(const std::string& path);

// Writes by extension through a temporary file renamed over the target, so
// that a failed write leaves nothing at path. FileError on failure.
void writeImage(IMHANDLE im, const std::string& path);

} // namespace qdcli
