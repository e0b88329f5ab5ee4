#include "binary_rows.h"

namespace qd::prcs {

MTHANDLE unpackBinary(MTHANDLE bits) noexcept {
    const int32_t w = MTGetWidth(bits), h = MTGetHeight(bits);
    MTHANDLE bytes = MTCreate(w, h, MT_UCHAR);
    if (!bytes) return nullptr;
    const auto* const* from = rowsOf<const uint8_t>(bits);
    auto* const* to = rowsOf<uint8_t>(bytes);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) to[y][x] = uint8_t((from[y][x >> 3] >> (7 - (x & 7))) & 1);
    return bytes;
}

void packBinary(MTHANDLE bytes, MTHANDLE bits) noexcept {
    const int32_t w = MTGetWidth(bytes), h = MTGetHeight(bytes);
    const auto* const* from = rowsOf<const uint8_t>(bytes);
    auto* const* to = rowsOf<uint8_t>(bits);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x0 = 0; x0 < w; x0 += 8) {
            uint8_t b = 0;
            for (int32_t i = 0; i < 8 && x0 + i < w; ++i) b = uint8_t(b | ((from[y][x0 + i] & 1) << (7 - i)));
            to[y][x0 >> 3] = b;
        }
}

} // namespace qd::prcs
