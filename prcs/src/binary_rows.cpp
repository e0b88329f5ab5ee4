#include "binary_rows.h"

#include "binary_plane.h"

namespace qd::prcs {

MTHANDLE unpackBinary(MTHANDLE bits) noexcept {
    const int32_t w = MTGetWidth(bits), h = MTGetHeight(bits);
    MTHANDLE bytes = MTCreate(w, h, MT_UCHAR);
    if (!bytes) return nullptr;
    const WindowRows<const uint8_t> from = rowsOf<const uint8_t>(bits);
    const WindowRows<uint8_t> to = rowsOf<uint8_t>(bytes);
    for (int32_t y = 0; y < h; ++y) unpackBits(from.storedRow(y), from.x0, w, to[y]);
    return bytes;
}

void packBinary(MTHANDLE bytes, MTHANDLE bits) noexcept {
    const int32_t w = MTGetWidth(bytes), h = MTGetHeight(bytes);
    const WindowRows<const uint8_t> from = rowsOf<const uint8_t>(bytes);
    const WindowRows<uint8_t> to = rowsOf<uint8_t>(bits);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x0 = 0; x0 < w; x0 += 8) {
            uint8_t b = 0;
            for (int32_t i = 0; i < 8 && x0 + i < w; ++i) b = uint8_t(b | ((from[y][x0 + i] & 1) << (7 - i)));
            to[y][x0 >> 3] = b;
        }
}

} // namespace qd::prcs
