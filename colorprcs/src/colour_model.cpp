#include <qd/colorprcs.h>

#include <cmath>

#include "colour_model.h"

namespace qd::colour {
namespace {

constexpr float kPi = 3.1415927f;
constexpr double kThirdPi = 1.047197551197;
constexpr double kTwoThirdsPi = 2.094395102393;
constexpr double kFourThirdsPi = 4.188790204786;

// a = r - g and c = r - b in 0..255 units. With the 1/255 scale cancelled,
// q = ((r - g) + (r - b)) / (2 sqrt((r - g)^2 + (g - b)(r - b))), exact up to
// the square root.
float hueOf(int a, int c) {
    if (a == 0 && c == 0) return 0.0f; // grey
    const double radicand = double(a) * a + double(c - a) * c;
    const double q = (a + c) / (2.0 * std::sqrt(radicand));
    double h = q > 1.0 ? 0.0 : q < -1.0 ? double(kPi) : std::acos(q);
    if (c - a < 0) h = double(kTwoPi) - h; // g < b
    return float(h);
}

// One sector of the inverse: the chromaticity of the channel that follows the
// sector's lowest one, for the hue measured from the sector's start.
float leadingChroma(double hue, float s) {
    return float((s * std::cos(hue) / std::cos(kThirdPi - hue) + 1.0) / 3.0);
}

// 3 I c x 255 clamped to 0..255 and rounded; NaN (from a hue far outside
// 0..2 pi) gives 0.
uint32_t channelLevel(float i, float c) {
    const double v = 3.0 * double(i) * double(c) * 255.0;
    if (!(v > 0.0)) return 0;
    if (v > 255.0) return 255;
    return uint32_t(v + 0.5);
}

} // namespace

const HsiTables* buildHsiTables() noexcept {
    static HsiTables tables; // filled once, under the caller's static guard
    for (int a = -255; a <= 255; ++a)
        for (int c = -255; c <= 255; ++c)
            tables.hue[(a + 255) * 511 + (c + 255)] = hueOf(a, c);
    for (int sum = 0; sum <= 765; ++sum) {
        tables.intensity[sum] = float(sum) / 765.0f;
        tables.reciprocal[sum] = sum == 0 ? 0.0 : 1.0 / sum;
    }
    return &tables;
}

uint32_t toRgb(Hsi c) noexcept {
    const float k = (1.0f - c.s) / 3.0f;
    float r, g, b;
    if (c.h <= kTwoThirdsPi) {
        b = k;
        r = leadingChroma(c.h, c.s);
        g = 1.0f - (k + r);
    } else if (c.h <= kFourThirdsPi) {
        r = k;
        g = leadingChroma(c.h - kTwoThirdsPi, c.s);
        b = 1.0f - (k + g);
    } else {
        g = k;
        b = leadingChroma(c.h - kFourThirdsPi, c.s);
        r = 1.0f - (k + b);
    }
    return channelLevel(c.i, r) << 16 | channelLevel(c.i, g) << 8 | channelLevel(c.i, b);
}

} // namespace qd::colour

extern "C" {

void RGB2HSI(int32_t rgb, float* hsi) noexcept {
    if (!hsi) return;
    const qd::colour::Hsi c = qd::colour::toHsi(uint32_t(rgb));
    hsi[0] = c.h;
    hsi[1] = c.s;
    hsi[2] = c.i;
}

int32_t HSI2RGB(float h, float s, float i, int32_t* rgb) noexcept {
    const int32_t v = int32_t(qd::colour::toRgb({h, s, i}));
    if (rgb) *rgb = v;
    return v;
}

} // extern "C"
