// RGB <-> HSI for plug-ins, computed here so that a plug-in needs no colour
// library. The arithmetic (constants, float and double steps, rounding) is
// the colour library's, step for step: both give the same bits.
#include <qd/plugin.h>

#include <cmath>

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;
constexpr double kThirdPi = 1.047197551197;
constexpr double kTwoThirdsPi = 2.094395102393;
constexpr double kFourThirdsPi = 4.188790204786;

// a = r - g and c = r - b in 0..255 units; the 1/255 scale cancels in q.
float hueOf(int32_t a, int32_t c) {
    if (a == 0 && c == 0) return 0.0f; // grey
    const double radicand = double(a) * a + double(c - a) * c;
    const double q = (a + c) / (2.0 * std::sqrt(radicand));
    double h = q > 1.0 ? 0.0 : q < -1.0 ? double(kPi) : std::acos(q);
    if (c - a < 0) h = double(kTwoPi) - h; // g < b
    return float(h);
}

// The chromaticity of the channel that follows the sector's lowest one, for
// the hue measured from the sector's start.
float leadingChroma(double hue, float s) {
    return float((s * std::cos(hue) / std::cos(kThirdPi - hue) + 1.0) / 3.0);
}

// 3 I c x 255 clamped to 0..255 and rounded; NaN gives 0.
uint32_t channelLevel(float i, float c) {
    const double v = 3.0 * double(i) * double(c) * 255.0;
    if (!(v > 0.0)) return 0;
    if (v > 255.0) return 255;
    return uint32_t(v + 0.5);
}

} // namespace

extern "C" {

void qdRGB2HSI(int32_t rgb, float* hsi) noexcept {
    if (!hsi) return;
    const int32_t r = (rgb >> 16) & 255;
    const int32_t g = (rgb >> 8) & 255;
    const int32_t b = rgb & 255;
    const int32_t sum = r + g + b;
    const int32_t lowest = r < g ? (r < b ? r : b) : (g < b ? g : b);
    // From the integers, so that greys come out at exactly S = 0.
    const double reciprocal = sum == 0 ? 0.0 : 1.0 / sum;
    hsi[0] = hueOf(r - g, r - b);
    hsi[1] = float(double(sum - 3 * lowest) * reciprocal);
    hsi[2] = float(sum) / 765.0f;
}

int32_t qdHSI2RGB(float h, float s, float i, int32_t* rgb) noexcept {
    const float k = (1.0f - s) / 3.0f;
    float r, g, b;
    if (h <= kTwoThirdsPi) {
        b = k;
        r = leadingChroma(h, s);
        g = 1.0f - (k + r);
    } else if (h <= kFourThirdsPi) {
        r = k;
        g = leadingChroma(h - kTwoThirdsPi, s);
        b = 1.0f - (k + g);
    } else {
        g = k;
        b = leadingChroma(h - kFourThirdsPi, s);
        r = 1.0f - (k + b);
    }
    const int32_t v =
        int32_t(channelLevel(i, r) << 16 | channelLevel(i, g) << 8 | channelLevel(i, b));
    if (rgb) *rgb = v;
    return v;
}

} // extern "C"
