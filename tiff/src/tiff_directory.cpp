// Header and first image file directory of a TIFF file.
#include <algorithm>

#include "tiff_file.h"

namespace qd::tiff {

namespace {

enum : uint16_t {
    kImageWidth = 256,
    kImageLength = 257,
    kBitsPerSample = 258,
    kCompression = 259,
    kStripOffsets = 273,
    kSamplesPerPixel = 277,
    kRowsPerStrip = 278,
    kStripByteCounts = 279,
    kPlanarConfiguration = 284,
    kColorMap = 320
};
enum : uint16_t { kTypeShort = 3 };

struct ByteOrder {
    bool big = false;
    uint16_t u16(const uint8_t* p) const {
        return big ? uint16_t(p[0] << 8 | p[1]) : uint16_t(p[1] << 8 | p[0]);
    }
    uint32_t u32(const uint8_t* p) const {
        return big ? uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]
                   : uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    }
};

struct Entry {
    uint16_t tag = 0;
    uint16_t type = 0;
    uint32_t count = 0;
    uint8_t field[4] = {};
    bool present = false;
};

// A SHORT with a count of 1 sits in the first two bytes of the value field;
// everything else is read as the whole 32-bit field.
uint32_t entryValue(const Entry& e, const ByteOrder& order) {
    return e.type == kTypeShort && e.count == 1 ? order.u16(e.field) : order.u32(e.field);
}

// Reads the entry's array of SHORT (16-bit) or, for every other type, 32-bit
// numbers. Arrays of up to four bytes sit in the value field itself, longer
// ones at the offset it holds, which must lie inside the file.
bool readNumbers(InputFile& file, const Entry& e, const ByteOrder& order,
                 std::vector<int64_t>& out) {
    const int64_t size = e.type == kTypeShort ? 2 : 4;
    const int64_t bytes = size * e.count;
    if (e.count == 0) return false;
    std::vector<uint8_t> raw;
    const uint8_t* src = e.field;
    if (bytes > 4) {
        const int64_t offset = order.u32(e.field);
        if (offset == 0 || !file.contains(offset, bytes)) return false;
        raw.resize(size_t(bytes));
        if (!file.readAt(offset, raw.data(), bytes)) return false;
        src = raw.data();
    }
    out.resize(e.count);
    for (uint32_t i = 0; i < e.count; ++i)
        out[i] = size == 2 ? order.u16(src + 2 * i) : order.u32(src + 4 * i);
    return true;
}

// A single number, or (as common writers give RGB data) one size per sample;
// all-8 lists of three or more samples are 24-bit pixels.
bool readBitDepth(InputFile& file, const Entry& e, const ByteOrder& order, int32_t& depth) {
    if (e.count <= 1) {
        const uint32_t v = entryValue(e, order);
        depth = v > 64 ? 0 : int32_t(v);
        return true;
    }
    std::vector<int64_t> sizes;
    if (!readNumbers(file, e, order, sizes)) return false;
    const bool allEight = std::all_of(sizes.begin(), sizes.end(), [](int64_t s) { return s == 8; });
    depth = sizes.size() >= 3 && allEight ? 24 : 0;
    return true;
}

// Red, green and blue runs of 16-bit values; the high bytes make 0x00RRGGBB.
bool readColorMap(InputFile& file, const Entry& e, const ByteOrder& order, int32_t colors,
                  uint32_t* palette) {
    const int64_t bytes = int64_t(6) * colors;
    const int64_t offset = order.u32(e.field);
    std::vector<uint8_t> raw(size_t(bytes), 0);
    if (!file.readAt(offset, raw.data(), bytes)) return false;
    for (int32_t i = 0; i < colors; ++i) {
        const uint32_t r = order.u16(&raw[size_t(2 * i)]) >> 8;
        const uint32_t g = order.u16(&raw[size_t(2 * (colors + i))]) >> 8;
        const uint32_t b = order.u16(&raw[size_t(2 * (2 * colors + i))]) >> 8;
        palette[i] = r << 16 | g << 8 | b;
    }
    return true;
}

} // namespace

int32_t TiffLayout::elementType() const {
    switch (bitDepth) {
    case 1: return MT_BINARY;
    case 4: return MT_4BITS;
    case 8: return MT_UCHAR;
    default: return MT_RGB;
    }
}

bool readLayout(InputFile& file, TiffLayout& layout) {
    uint8_t head[8];
    if (!file.readAt(0, head, 8)) return false;
    ByteOrder order;
    if (head[0] == 'I' && head[1] == 'I') order.big = false;
    else if (head[0] == 'M' && head[1] == 'M') order.big = true;
    else return false;
    if (order.u16(head + 2) != 42) return false;

    const int64_t dirOffset = order.u32(head + 4);
    uint8_t countBytes[2];
    if (!file.readAt(dirOffset, countBytes, 2)) return false;
    const int64_t entryCount = order.u16(countBytes);
    if (!file.contains(dirOffset + 2, entryCount * 12)) return false;
    std::vector<uint8_t> raw(size_t(entryCount * 12));
    if (!file.readAt(dirOffset + 2, raw.data(), entryCount * 12)) return false;

    Entry bits, offsets, counts, colorMap;
    for (int64_t i = 0; i < entryCount; ++i) {
        const uint8_t* p = &raw[size_t(i * 12)];
        Entry e;
        e.tag = order.u16(p);
        e.type = order.u16(p + 2);
        e.count = order.u32(p + 4);
        std::copy(p + 8, p + 12, e.field);
        e.present = true;
        const uint32_t value = entryValue(e, order);
        switch (e.tag) {
        case kImageWidth: layout.width = value; break;
        case kImageLength: layout.height = value; break;
        case kBitsPerSample: bits = e; break;
        case kCompression:
            if (value != 1) return false;
            break;
        case kStripOffsets: offsets = e; break;
        case kSamplesPerPixel: layout.samplesPerPixel = value; break;
        case kRowsPerStrip: layout.rowsPerStrip = value; break;
        case kStripByteCounts: counts = e; break;
        case kPlanarConfiguration:
            // Separate colour planes would be read as interleaved pixels.
            if (value == 2) return false;
            break;
        case kColorMap: colorMap = e; break;
        default: break;
        }
    }

    // Bilevel files commonly leave BitsPerSample out: its default is 1.
    layout.bitDepth = 1;
    if (bits.present && !readBitDepth(file, bits, order, layout.bitDepth)) return false;
    // One 8-bit sample size with three samples per pixel is RGB as well.
    if (layout.bitDepth == 8 && layout.samplesPerPixel >= 3) layout.bitDepth = 24;

    if (layout.width == 0 || layout.height == 0 || layout.width > INT32_MAX ||
        layout.height > INT32_MAX)
        return false;
    const int32_t depth = layout.bitDepth;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24) return false;
    if (!offsets.present || !counts.present || entryValue(offsets, order) == 0) return false;
    if (!readNumbers(file, offsets, order, layout.stripOffsets) ||
        !readNumbers(file, counts, order, layout.stripByteCounts) ||
        layout.stripOffsets.size() != layout.stripByteCounts.size())
        return false;

    // The block must be allocatable and the file must be able to hold the
    // uncompressed pixels it claims, before anything is allocated.
    const int64_t rowBytes = MTGetRowBytes(layout.elementType(), layout.width);
    if (rowBytes > kMaxBlockBytes / layout.height) return false;
    const int64_t fileRowBytes = depth == 24 ? layout.bytesPerRgbPixel() * layout.width : rowBytes;
    if (fileRowBytes > file.size() / layout.height) return false;

    if (colorMap.present && depth != 24) {
        const int32_t colors = depth == 1 ? 2 : depth == 4 ? 16 : 256;
        if (!readColorMap(file, colorMap, order, colors, layout.palette)) return false;
        layout.hasColorMap = true;
    }
    return true;
}

} // namespace qd::tiff
