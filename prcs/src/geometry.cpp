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
    if (h > 0 && wholeWindow(src) && wholeWindow(out)) {
        // Same type and size: the rows are byte-for-byte the same.
        const int64_t rowBytes = MTGetMemorySize(src) / h;
        auto* const* from = reinterpret_cast<const uint8_t* const*>(MTGetMatrixPointer(src));
        auto* const* to = reinterpret_cast<uint8_t* const*>(MTGetMatrixPointer(out));
        for (int32_t y = 0; y < h; ++y) std::memcpy(to[y], from[y], size_t(rowBytes));
        return out;
    }
    for (int32_t x = 0; x < w; ++x) {
        for (int32_t y = 0; y < h; ++y) copyElement(src, x, y, out, x, y);
        ProcessMessage();
    }
    return out;
}

} // extern "C"
