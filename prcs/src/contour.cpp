// Outline of binary objects against the 4-neighbours, wrapping around the edges.
#include "binary_plane.h"

#include <algorithm>

using namespace qd::prcs;

extern "C" MTHANDLE Contour(MTHANDLE src, MTHANDLE dst) noexcept {
    return binaryToBinary(src, dst, [](std::vector<uint8_t>& plane, int32_t w, int32_t h) {
        std::vector<uint8_t> edge(plane.size(), 0);
        auto at = [&](int32_t x, int32_t y) { return plane[size_t(y) * size_t(w) + size_t(x)]; };
        // Strips of columns, each read row by row, then one pump per column.
        constexpr int32_t kStrip = 64;
        for (int32_t x0 = 0; x0 < w; x0 += kStrip) {
            const int32_t x1 = std::min(w, x0 + kStrip);
            for (int32_t y = 0; y < h; ++y) {
                const int32_t up = y == 0 ? h - 1 : y - 1, down = y == h - 1 ? 0 : y + 1;
                for (int32_t x = x0; x < x1; ++x) {
                    if (!at(x, y)) continue;
                    const int32_t left = x == 0 ? w - 1 : x - 1, right = x == w - 1 ? 0 : x + 1;
                    const int32_t sum = at(left, y) + at(right, y) + at(x, up) + at(x, down);
                    edge[size_t(y) * size_t(w) + size_t(x)] = sum != 4;
                }
            }
            for (int32_t x = x0; x < x1; ++x) ProcessMessage();
        }
        // Only object pixels are written; background keeps what dst held.
        plane.swap(edge);
        return edge;
    });
}
