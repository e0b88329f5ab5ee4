#include <qd/colorprcs.h>

#include <cmath>
#include <iterator>

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

namespace {

// Sector of a hue and the hue measured from the sector's start.
int32_t sectorOf(float h, double& fromStart) {
    if (h <= kTwoThirdsPi) {
        fromStart = h;
        return 0;
    }
    if (h <= kFourThirdsPi) {
        fromStart = h - kTwoThirdsPi;
        return 1;
    }
    fromStart = h - kFourThirdsPi;
    return 2;
}

} // namespace

uint32_t toRgb(Hsi c) noexcept {
    double hue = 0;
    const int32_t sector = sectorOf(c.h, hue);
    return rgbInSector(sector, c.s, c.i, std::cos(hue), std::cos(kThirdPi - hue));
}

const HueCosines* buildHueCosines() noexcept {
    static HueCosines tables; // filled once, under the caller's static guard
    const HsiTables& hsi = hsiTables();
    for (size_t k = 0; k < std::size(tables.cosines); ++k) {
        double hue = 0;
        sectorOf(hsi.hue[k], hue);
        tables.cosines[k].lead = std::cos(hue);
        tables.cosines[k].rest = std::cos(kThirdPi - hue);
    }
    return &tables;
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
