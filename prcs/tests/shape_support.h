// Helpers of the binary shape and object tests: binary matrices drawn as
// text ('X' or '1' is an object pixel), and an independent flood fill.
#pragma once

#include <qd/memobj.h>
#include <qd/prcs.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace shape_test {

using Art = std::vector<std::string>;

// Row y of the art is matrix row y.
inline MTHANDLE binary(const Art& art) {
    const auto h = int32_t(art.size()), w = int32_t(art[0].size());
    MTHANDLE m = MTCreate(w, h, MT_BINARY);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const char c = art[size_t(y)][size_t(x)];
            MTSetRealInt(m, x, y, c == 'X' || c == '1');
        }
    return m;
}

inline Art artOf(MTHANDLE m) {
    Art art(size_t(MTGetHeight(m)), std::string(size_t(MTGetWidth(m)), '.'));
    for (int32_t y = 0; y < MTGetHeight(m); ++y)
        for (int32_t x = 0; x < MTGetWidth(m); ++x)
            if (MTRealInt(m, x, y)) art[size_t(y)][size_t(x)] = 'X';
    return art;
}

inline Art blank(int32_t w, int32_t h) { return Art(size_t(h), std::string(size_t(w), '.')); }

inline Art randomArt(int32_t w, int32_t h, double density, uint32_t seed) {
    std::mt19937 rng(seed);
    std::bernoulli_distribution on(density);
    Art art = blank(w, h);
    for (auto& row : art)
        for (auto& c : row)
            if (on(rng)) c = 'X';
    return art;
}

// Components of the cells for which `inside(x, y)` holds, by an explicit
// stack flood fill; -1 outside, 0 .. count-1 inside, numbered in raster order.
template <class Inside>
std::vector<int32_t> floodFill(int32_t w, int32_t h, bool eight, Inside inside, int32_t& count) {
    std::vector<int32_t> comp(size_t(w) * size_t(h), -1);
    count = 0;
    std::vector<std::pair<int32_t, int32_t>> stack;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            if (!inside(x, y) || comp[size_t(y * w + x)] >= 0) continue;
            comp[size_t(y * w + x)] = count;
            stack.push_back({x, y});
            while (!stack.empty()) {
                auto [cx, cy] = stack.back();
                stack.pop_back();
                for (int32_t dy = -1; dy <= 1; ++dy)
                    for (int32_t dx = -1; dx <= 1; ++dx) {
                        if ((dx == 0 && dy == 0) || (!eight && dx != 0 && dy != 0)) continue;
                        const int32_t nx = cx + dx, ny = cy + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                        if (!inside(nx, ny) || comp[size_t(ny * w + nx)] >= 0) continue;
                        comp[size_t(ny * w + nx)] = count;
                        stack.push_back({nx, ny});
                    }
            }
            ++count;
        }
    return comp;
}

inline bool isOn(const Art& art, int32_t x, int32_t y) { return art[size_t(y)][size_t(x)] == 'X'; }

} // namespace shape_test
