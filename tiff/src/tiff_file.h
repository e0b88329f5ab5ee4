// Internals of the TIFF reader: the checked file access, the parsed first
// directory and the strip reader.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include <qd/memobj.h>

namespace qd::tiff {

// A file opened for reading whose size is known up front, so that every read
// is checked against the bytes that really exist before anything is
// allocated for it.
class InputFile {
public:
    explicit InputFile(const char* path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    int64_t size() const { return size_; }
    bool contains(int64_t offset, int64_t count) const {
        return offset >= 0 && count >= 0 && offset <= size_ && count <= size_ - offset;
    }
    // Reads count bytes at offset; false when any of them lies outside the
    // file or the read comes up short.
    bool readAt(int64_t offset, void* out, int64_t count);

private:
    std::FILE* file_ = nullptr;
    int64_t size_ = 0;
};

// Largest data block an image may have; anything above is taken for a
// damaged header rather than allocated.
inline constexpr int64_t kMaxBlockBytes = int64_t(16) << 30;

struct TiffLayout {
    uint32_t width = 0;
    uint32_t height = 0;
    int32_t bitDepth = 0;           // 1, 4, 8 or 24 once validated
    uint32_t samplesPerPixel = 0;   // 0: tag absent
    uint32_t rowsPerStrip = 0;      // 0: tag absent, all rows in one strip
    std::vector<int64_t> stripOffsets;
    std::vector<int64_t> stripByteCounts;
    bool hasColorMap = false;
    uint32_t palette[256] = {};     // entries beyond the map's size stay 0

    int32_t elementType() const;
    // Bytes of one 24-bit pixel in the strips.
    int64_t bytesPerRgbPixel() const { return samplesPerPixel >= 3 ? samplesPerPixel : 3; }
};

// Reads the header and the first directory, with the strip tables and the
// colour map, and validates sizes against the file. False on any fault.
bool readLayout(InputFile& file, TiffLayout& layout);

// Creates the matrix and fills it from the strips, TIFF row 0 in matrix
// row 0. Null on failure.
MTHANDLE readStrips(InputFile& file, const TiffLayout& layout);

} // namespace qd::tiff
