// Windows bitmap files: the reader of uncompressed 1-, 4-, 8- and 24-bit
// files and the writer of an image's display bitmap.
#include <qd/core/bitmap_file.h>

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "checked_file.h"

namespace qd {

using detail::InputFile;
using detail::le16;
using detail::le32;

namespace {

constexpr int64_t kFileHeaderBytes = 14;
constexpr int64_t kInfoHeaderBytes = 40;

struct BitmapLayout {
    int64_t pixelOffset = 0;
    int64_t infoSize = 0;
    int32_t width = 0;
    int32_t rows = 0;
    bool topDown = false;
    int32_t bits = 0;
    int32_t colors = 0;       // 2, 16, 256, or 0 for 24 bits
    int32_t colorsStored = 0; // entries present in the file's colour table

    int32_t elementType() const {
        switch (bits) {
        case 1: return MT_BINARY;
        case 4: return MT_4BITS;
        case 8: return MT_UCHAR;
        default: return MT_RGB;
        }
    }
    // File rows are padded to whole 32-bit words.
    int64_t fileRowBytes() const { return (int64_t(bits) * width + 31) / 32 * 4; }
};

bool readLayout(InputFile& file, BitmapLayout& b) {
    uint8_t head[kFileHeaderBytes + kInfoHeaderBytes];
    if (!file.readAt(0, head, sizeof head) || le16(head) != 0x4D42) return false;
    const uint8_t* info = head + kFileHeaderBytes;
    b.pixelOffset = le32(head + 10);
    b.infoSize = le32(info);
    b.width = int32_t(le32(info + 4));
    const auto height = int32_t(le32(info + 8));
    b.bits = le16(info + 14);
    const uint32_t compression = le32(info + 16);
    const uint32_t colorsUsed = le32(info + 32);
    // Smaller information headers are of another layout; compressed pixels
    // are left to the next reader rather than shown as raw bytes.
    if (b.infoSize < kInfoHeaderBytes || compression != 0) return false;
    if (b.bits != 1 && b.bits != 4 && b.bits != 8 && b.bits != 24) return false;
    if (b.width <= 0 || height == 0 || height == INT32_MIN) return false;
    b.topDown = height < 0;
    b.rows = b.topDown ? -height : height;
    b.colors = b.bits == 24 ? 0 : 1 << b.bits;
    b.colorsStored = colorsUsed == 0 ? b.colors : int32_t(std::min<uint32_t>(colorsUsed, b.colors));

    if (MTGetRowBytes(b.elementType(), b.width) > detail::kMaxBlockBytes / b.rows) return false;
    return file.contains(kFileHeaderBytes + b.infoSize, 4 * int64_t(b.colorsStored)) &&
           b.fileRowBytes() <= (file.size() - std::min(b.pixelOffset, file.size())) / b.rows;
}

// The colour table follows the information header, whatever size it states.
bool readPalette(InputFile& file, const BitmapLayout& b, uint32_t* palette) {
    uint8_t quads[256 * 4];
    if (!file.readAt(kFileHeaderBytes + b.infoSize, quads, 4 * int64_t(b.colorsStored)))
        return false;
    for (int32_t i = 0; i < b.colorsStored; ++i) {
        const uint8_t* q = quads + 4 * i;
        palette[i] = uint32_t(q[0]) | uint32_t(q[1]) << 8 | uint32_t(q[2]) << 16;
    }
    return true;
}

void storeRow(MTHANDLE mt, const BitmapLayout& b, const uint8_t* row, int32_t y) {
    for (int32_t x = 0; x < b.width; ++x) {
        switch (b.bits) {
        case 1: MTSetRealInt(mt, x, y, (row[x / 8] & (0x80 >> (x % 8))) != 0); break;
        case 4: MTSetRealInt(mt, x, y, x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F); break;
        case 8: MTSetRealInt(mt, x, y, row[x]); break;
        default: {
            const uint8_t* p = row + 3 * int64_t(x);
            MTSetRgb(mt, x, y, uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16);
        }
        }
    }
}

MTHANDLE readPixels(InputFile& file, const BitmapLayout& b) {
    std::unique_ptr<QDMatrix, decltype(&MTDestroy)> mt(
        MTCreate(b.width, b.rows, b.elementType()), &MTDestroy);
    if (!mt) return nullptr;
    const int64_t rowBytes = b.fileRowBytes();
    std::vector<uint8_t> row(static_cast<size_t>(rowBytes));
    for (int32_t k = 0; k < b.rows; ++k) {
        if (!file.readAt(b.pixelOffset + k * rowBytes, row.data(), rowBytes)) return nullptr;
        storeRow(mt.get(), b, row.data(), b.topDown ? b.rows - 1 - k : k);
    }
    return mt.release();
}

IMHANDLE readBitmap(const std::string& path) {
    BitmapLayout layout;
    uint32_t palette[256] = {};
    MTHANDLE mt = nullptr;
    {
        InputFile file(path);
        if (!file.isOpen() || !readLayout(file, layout) || !readPalette(file, layout, palette))
            return nullptr;
        mt = readPixels(file, layout);
    }
    if (!mt) return nullptr;
    IMHANDLE im = IMCreateFromMatrix(mt);
    if (!im) {
        MTDestroy(mt);
        return nullptr;
    }
    IMSetBasicPalette(im, palette);
    IMSetPalette(im, nullptr);
    IMSetInitialValue(im, 0.0);
    IMSetFinalValue(im, layout.colors);
    IMPrepareBitmap(im);
    return im;
}

} // namespace

IMHANDLE readBitmapFile(const std::string& path) {
    try {
        return readBitmap(path);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool writeBitmapFile(IMHANDLE image, const std::string& path) {
    if (!image) return false;
    MTHANDLE bits = IMGetBmpBitsHandle(image);
    detail::OutputFile out(path);
    out.write(IMGetBmpFHeaderPointer(image), kFileHeaderBytes);
    out.write(IMGetBmpInfoPointer(image), kInfoHeaderBytes + 4 * int64_t(IMGetNumPaletteColors(image)));
    out.write(MTGetPointer(bits), MTGetMemorySize(bits));
    return out.close();
}

} // namespace qd
