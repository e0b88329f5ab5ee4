// RGB <-> HSI conversion shared by the exports and the image loops.
#pragma once

#include <cstdint>

namespace qd::colour {

struct Hsi {
    float h;
    float s;
    float i;
};

// 2 pi as the hue results use it.
inline constexpr float kTwoPi = 6.2831855f;

// Tables of the conversion, built once on first use. Hue depends only on
// r - g and r - b; it sits at (r - g + 255) * 511 + (r - b + 255). Intensity
// and the reciprocal for saturation go by the channel sum.
struct HsiTables {
    float hue[511 * 511];
    float intensity[766];
    double reciprocal[766]; // 1 / sum, 0 for black
};
const HsiTables* buildHsiTables() noexcept;

// Inline so that the per-pixel cost is one guard test, not a call.
inline const HsiTables& hsiTables() noexcept {
    static const HsiTables* const tables = buildHsiTables();
    return *tables;
}

inline Hsi toHsi(uint32_t rgb, const HsiTables& t) noexcept {
    const int32_t r = int32_t((rgb >> 16) & 255);
    const int32_t g = int32_t((rgb >> 8) & 255);
    const int32_t b = int32_t(rgb & 255);
    const int32_t sum = r + g + b;
    const int32_t lowest = r < g ? (r < b ? r : b) : (g < b ? g : b);
    // The 1/255 scale cancels in I = sum / 3 and S = 1 - 3 min / sum; taking
    // them from the integers keeps greys at exactly S = 0.
    Hsi c;
    c.i = t.intensity[sum];
    // Rounding the double product gives the float quotient exactly: a ratio
    // of integers below 766 never lies close enough to a halfway point for
    // the product's own error to matter.
    c.s = float(double(sum - 3 * lowest) * t.reciprocal[sum]);
    c.h = t.hue[(r - g + 255) * 511 + (r - b + 255)];
    return c;
}

inline Hsi toHsi(uint32_t rgb) noexcept { return toHsi(rgb, hsiTables()); }

uint32_t toRgb(Hsi c) noexcept;

} // namespace qd::colour
