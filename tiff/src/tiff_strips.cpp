// Uncompressed strips into a matrix.
#include <algorithm>
#include <memory>

#include "tiff_file.h"

namespace qd::tiff {

namespace {

// 1-, 4- and 8-bit rows are packed as the matrix packs them (most
// significant bit and high nibble first, rows padded to whole bytes), so the
// strips are appended to the data block as they stand, never past its end.
bool readPackedStrips(InputFile& file, const TiffLayout& layout, MTHANDLE mt) {
    auto* block = static_cast<uint8_t*>(MTGetPointer(mt));
    const int64_t blockBytes = MTGetMemorySize(mt);
    int64_t filled = 0;
    for (size_t i = 0; i < layout.stripOffsets.size() && filled < blockBytes; ++i) {
        const int64_t offset = layout.stripOffsets[i];
        const int64_t count = layout.stripByteCounts[i];
        if (!file.contains(offset, count)) return false;
        const int64_t take = std::min(count, blockBytes - filled);
        if (!file.readAt(offset, block + filled, take)) return false;
        filled += take;
    }
    return true;
}

// 24-bit strips: red, green, blue first in each pixel of samplesPerPixel
// bytes. A strip must hold every row it is responsible for.
bool readRgbStrips(InputFile& file, const TiffLayout& layout, MTHANDLE mt) {
    const int64_t height = layout.height;
    const int64_t width = layout.width;
    const int64_t rowsPerStrip =
        layout.rowsPerStrip == 0 ? height : std::min<int64_t>(layout.rowsPerStrip, height);
    const int64_t pixelBytes = layout.bytesPerRgbPixel();
    const int64_t rowBytes = pixelBytes * width;
    std::vector<uint8_t> strip;
    for (int64_t i = 0; i * rowsPerStrip < height; ++i) {
        if (size_t(i) >= layout.stripOffsets.size()) return false;
        const int64_t rows = std::min(rowsPerStrip, height - i * rowsPerStrip);
        const int64_t need = rows * rowBytes;
        const int64_t offset = layout.stripOffsets[size_t(i)];
        if (layout.stripByteCounts[size_t(i)] < need || !file.contains(offset, need)) return false;
        strip.resize(size_t(need));
        if (!file.readAt(offset, strip.data(), need)) return false;
        for (int64_t j = 0; j < rows; ++j) {
            const uint8_t* p = strip.data() + j * rowBytes;
            const auto y = int32_t(i * rowsPerStrip + j);
            for (int64_t k = 0; k < width; ++k, p += pixelBytes)
                MTSetRgb(mt, int32_t(k), y, uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]);
        }
    }
    return true;
}

} // namespace

MTHANDLE readStrips(InputFile& file, const TiffLayout& layout) {
    // Owned here until filled, so that a failed read or allocation frees it.
    std::unique_ptr<QDMatrix, decltype(&MTDestroy)> mt(
        MTCreate(int32_t(layout.width), int32_t(layout.height), layout.elementType()), &MTDestroy);
    if (!mt) return nullptr;
    const bool ok = layout.bitDepth == 24 ? readRgbStrips(file, layout, mt.get())
                                          : readPackedStrips(file, layout, mt.get());
    return ok ? mt.release() : nullptr;
}

} // namespace qd::tiff
