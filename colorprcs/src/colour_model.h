// RGB <-> HSI conversion shared by the exports and the image loops.
#pragma once

#include <cstdint>

namespace qd::colour {

struct Hsi {
    float h;
    float s;
    float i;
};

// Hue of every (r - g, r - b) pair, indexed by (r - g + 255) * 511 + (r - b + 255).
// Built on first use; hue depends only on these two differences.
const float* hueTable() noexcept;

inline Hsi toHsi(uint32_t rgb, const float* hues) noexcept {
    const int32_t r = int32_t((rgb >> 16) & 255);
    const int32_t g = int32_t((rgb >> 8) & 255);
    const int32_t b = int32_t(rgb & 255);
    const int32_t sum = r + g + b;
    const int32_t lowest = r < g ? (r < b ? r : b) : (g < b ? g : b);
    // The 1/255 scale cancels in I = sum / 3 and S = 1 - 3 min / sum; taking
    // them from the integers keeps greys at exactly S = 0.
    Hsi c;
    c.i = float(sum) / 765.0f;
    c.s = sum == 0 ? 0.0f : float(sum - 3 * lowest) / float(sum);
    c.h = hues[(r - g + 255) * 511 + (r - b + 255)];
    return c;
}

inline Hsi toHsi(uint32_t rgb) noexcept { return toHsi(rgb, hueTable()); }

uint32_t toRgb(Hsi c) noexcept;

// 2 pi as the hue results use it.
inline constexpr float kTwoPi = 6.2831855f;

} // namespace qd::colour
