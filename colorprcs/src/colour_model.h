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

inline int32_t hueIndex(uint32_t rgb) noexcept {
    const int32_t r = int32_t((rgb >> 16) & 255);
    const int32_t g = int32_t((rgb >> 8) & 255);
    const int32_t b = int32_t(rgb & 255);
    return (r - g + 255) * 511 + (r - b + 255);
}

// Saturation and intensity, hue 0: changes that keep the hue need no more,
// and the hue table is the largest and the one read least in order.
inline Hsi toSi(uint32_t rgb, const HsiTables& t) noexcept {
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
    c.h = 0.0f;
    return c;
}

inline Hsi toHsi(uint32_t rgb, const HsiTables& t) noexcept {
    Hsi c = toSi(rgb, t);
    c.h = t.hue[hueIndex(rgb)];
    return c;
}

inline Hsi toHsi(uint32_t rgb) noexcept { return toHsi(rgb, hsiTables()); }

// 3 I c x 255 clamped to 0..255 and rounded; NaN (from a hue far outside
// 0..2 pi) gives 0.
inline uint32_t channelLevel(float i, float c) noexcept {
    const double v = 3.0 * double(i) * double(c) * 255.0;
    // Selections rather than branches: the hues of a photograph are not
    // predictable.
    const double clamped = v > 255.0 ? 255.0 : v;
    return v > 0.0 ? uint32_t(clamped + 0.5) : 0;
}

// The inverse within one third of the circle: `sector` names the lowest
// channel (0 blue, 1 red, 2 green), lead and rest are the cosines of the hue
// from the sector's start and of its distance to pi/3.
inline uint32_t rgbInSector(int32_t sector, float s, float i, double cosLead, double cosRest) noexcept {
    const float k = (1.0f - s) / 3.0f;
    // The chromaticity of the channel that follows the lowest one.
    const float lead = float((s * cosLead / cosRest + 1.0) / 3.0);
    const float other = 1.0f - (k + lead);
    const float r = sector == 0 ? lead : sector == 1 ? k : other;
    const float g = sector == 0 ? other : sector == 1 ? lead : k;
    const float b = sector == 0 ? k : sector == 1 ? other : lead;
    return channelLevel(i, r) << 16 | channelLevel(i, g) << 8 | channelLevel(i, b);
}


uint32_t toRgb(Hsi c) noexcept;

// For changes that keep every hue as it is, the inverse's cosines by hue
// index, so a pixel costs no trigonometry. The two of one index lie side by
// side, one aligned 16-byte pair, so that a pixel reads one cache line of
// the table. (The sector follows from the channels; see sector_lanes.h.)
// Built once on first use.
struct HueCosines {
    struct alignas(16) Pair {
        double lead;
        double rest;
    };
    Pair cosines[511 * 511];
};
const HueCosines* buildHueCosines() noexcept;

inline const HueCosines& hueCosines() noexcept {
    static const HueCosines* const tables = buildHueCosines();
    return *tables;
}

} // namespace qd::colour
