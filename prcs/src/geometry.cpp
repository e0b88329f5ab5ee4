// Nearest-neighbour resizing and copying.
#include "prcs_rules.h"

#include <algorithm>
#include <cstring>

using namespace qd::prcs;

namespace {

void copyElement(MTHANDLE src, int32_t sx, int32_t sy, MTHANDLE dst, int32_t dx, int32_t dy) {
    if (MTIsRgb(src)) MTSetRgb(dst, dx, dy, MTRgb(src, sx, sy));
    else if (MTIsComplex(src)) MTSetComplex(dst, dx, dy, MTComplex(src, sx, sy));
    else MTSetReal(dst, dx, dy, MTReal(src, sx, sy));
}

int32_t elementBits(int32_t type) {
    switch (type) {
    case MT_BINARY: return 1;
    case MT_4BITS: return 4;
    case MT_CHAR: case MT_UCHAR: return 8;
    case MT_SHORT: case MT_USHORT: return 16;
    case MT_DOUBLE: case MT_COMPLEX8: return 64;
    case MT_COMPLEX16: return 128;
    default: return 32;
    }
}

// Same type and size: the window's rows are copied byte for byte when they
// start on a byte. The padding bits of a last byte are left 0, as element
// stores leave them.
bool copyRows(MTHANDLE src, MTHANDLE out, int32_t w, int32_t h) {
    const int64_t bits = elementBits(MTGetFlags(src));
    const WindowRows<const uint8_t> from = rowsOf<const uint8_t>(src);
    const int64_t first = from.x0 * bits, total = w * bits;
    if (first % 8 != 0) return false;
    if (total == 0) return true;
    const size_t bytes = size_t((total + 7) / 8);
    const uint8_t pad = uint8_t(0xFFu << ((8 - total % 8) % 8));
    const WindowRows<uint8_t> to = rowsOf<uint8_t>(out);
    for (int32_t y = 0; y < h; ++y) {
        uint8_t* row = to.storedRow(y);
        std::memcpy(row, from.storedRow(y) + first / 8, bytes);
        row[bytes - 1] &= pad;
    }
    return true;
}

} // namespace

extern "C" {

MTHANDLE Resize2D(MTHANDLE src, int32_t newWidth, int32_t newHeight, MTHANDLE dst) noexcept {
    if (!src || newWidth < 1 || newHeight < 1) return refuse(dst, {src});
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    MTHANDLE out = resultMatrix(newWidth, newHeight, MTGetFlags(src), dst, {src});
    if (!out) return nullptr;
    const double sx = double(w) / newWidth, sy = double(h) / newHeight;
    for (int32_t i = 0; i < newWidth; ++i) {
        const int32_t x = std::min(int32_t(sx * i), w - 1);
        for (int32_t j = 0; j < newHeight; ++j)
            copyElement(src, x, std::min(int32_t(sy * j), h - 1), out, i, j);
        ProcessMessage();
    }
    return out;
}

MTHANDLE Duplicate2D(MTHANDLE src, MTHANDLE dst) noexcept {
    if (!src) return refuse(dst);
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    MTHANDLE out = resultMatrix(w, h, MTGetFlags(src), dst, {src});
    if (!out || out == src) return out;
    if (h > 0 && wholeWindow(out) && copyRows(src, out, w, h)) return out;
    for (int32_t x = 0; x < w; ++x) {
        for (int32_t y = 0; y < h; ++y) copyElement(src, x, y, out, x, y);
        ProcessMessage();
    }
    return out;
}

} // extern "C"
