#include "binary_plane.h"

namespace qd::prcs {

std::vector<uint8_t> readBinaryPlane(MTHANDLE m) {
    const int32_t w = MTGetWidth(m), h = MTGetHeight(m);
    std::vector<uint8_t> plane(size_t(w) * size_t(h));
    if (wholeWindow(m)) {
        // Bits are packed from the high bit of each row's first byte.
        auto rows = reinterpret_cast<const uint8_t* const*>(MTGetMatrixPointer(m));
        for (int32_t y = 0; y < h; ++y) {
            const uint8_t* row = rows[y];
            uint8_t* out = plane.data() + int64_t(y) * w;
            for (int32_t x = 0; x < w; ++x) out[x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
        }
    } else {
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                plane[size_t(y) * size_t(w) + size_t(x)] = MTRealInt(m, x, y) != 0;
    }
    return plane;
}

void writeBinaryPlane(MTHANDLE m, const uint8_t* plane, const uint8_t* mask) noexcept {
    const int32_t w = MTGetWidth(m), h = MTGetHeight(m);
    if (wholeWindow(m) && !mask) {
        auto rows = reinterpret_cast<uint8_t* const*>(MTGetMatrixPointer(m));
        for (int32_t y = 0; y < h; ++y) {
            uint8_t* row = rows[y];
            const uint8_t* in = plane + int64_t(y) * w;
            for (int32_t b = 0; b < (w + 7) / 8; ++b) {
                uint8_t byte = 0;
                for (int32_t i = 0; i < 8; ++i) {
                    const int32_t x = b * 8 + i;
                    if (x < w && in[x]) byte |= uint8_t(0x80u >> i);
                }
                row[b] = byte;
            }
        }
        return;
    }
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            if (!mask || mask[i]) MTSetRealInt(m, x, y, plane[i] ? 1 : 0);
        }
}

} // namespace qd::prcs
