// RGB <-> HSI conversion against hand-worked values and a double-precision
// evaluation of the formulas.
#include <qd/colorprcs.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Hsi {
    float h, s, i;
};

Hsi toHsi(uint32_t rgb) {
    float v[3] = {-1, -1, -1};
    RGB2HSI(int32_t(rgb), v);
    return {v[0], v[1], v[2]};
}

uint32_t pack(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

// The conversion rules written out plainly in double precision.
Hsi referenceHsi(int R, int G, int B) {
    const double r = R / 255.0, g = G / 255.0, b = B / 255.0, s = r + g + b;
    Hsi c{};
    c.i = float(s / 3);
    c.s = s < 1e-13 ? 0.0f : float(1 - 3 / s * std::min({r, g, b}));
    if (R == G && G == B) return c;
    const double q = ((r - g) + (r - b)) / 2 / std::sqrt((r - g) * (r - g) + (g - b) * (r - b));
    double h = q > 1 ? 0 : q < -1 ? kPi : std::acos(q);
    if (g < b) h = 2 * kPi - h;
    c.h = float(h);
    return c;
}

TEST(ColourModel, PrimariesSecondariesGreysAndBlack) {
    struct Case {
        uint32_t rgb;
        double h, s, i;
    } cases[] = {
        {0xFF0000, 0, 1, 1.0 / 3},
        {0x00FF00, 2 * kPi / 3, 1, 1.0 / 3},
        {0x0000FF, 4 * kPi / 3, 1, 1.0 / 3},
        {0xFFFF00, kPi / 3, 1, 2.0 / 3},
        {0x00FFFF, kPi, 1, 2.0 / 3},
        {0xFF00FF, 5 * kPi / 3, 1, 2.0 / 3},
        {0x808080, 0, 0, 128.0 / 255},
        {0xFFFFFF, 0, 0, 1},
        {0x000000, 0, 0, 0},
        {0x800000, 0, 1, 128.0 / 765},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rgb);
        const Hsi got = toHsi(c.rgb);
        EXPECT_NEAR(got.h, c.h, 2e-6);
        EXPECT_NEAR(got.s, c.s, 1e-7);
        EXPECT_NEAR(got.i, c.i, 1e-7);
    }
    // Greys are exactly unsaturated, whatever the rounding of the sum.
    for (int v = 0; v < 256; ++v)
        EXPECT_EQ(toHsi(pack(v, v, v)).s, 0.0f) << v;
}

TEST(ColourModel, AgreesWithPlainFormulasOverManyColours) {
    std::vector<int> levels = {0,  1,  2,   3,   5,   8,   13,  21,  34,
                               55, 89, 127, 128, 144, 200, 233, 254, 255};
    std::vector<uint32_t> colours;
    for (int r : levels)
        for (int g : levels)
            for (int b : levels)
                colours.push_back(pack(r, g, b));
    std::mt19937 rng(7);
    for (int k = 0; k < 50000; ++k)
        colours.push_back(rng() & 0xFFFFFF);

    for (uint32_t rgb : colours) {
        const Hsi want = referenceHsi(int(rgb >> 16 & 255), int(rgb >> 8 & 255), int(rgb & 255));
        const Hsi got = toHsi(rgb);
        ASSERT_NEAR(got.h, want.h, 3e-6) << std::hex << rgb;
        ASSERT_NEAR(got.s, want.s, 2e-7) << std::hex << rgb;
        ASSERT_NEAR(got.i, want.i, 1e-7) << std::hex << rgb;
        ASSERT_GE(got.h, 0.0f);
        ASSERT_LT(got.h, 2 * kPi);
    }
}

TEST(ColourModel, InverseAtHandWorkedPoints) {
    int32_t stored = -1;
    EXPECT_EQ(HSI2RGB(0, 1, 1.0f / 3, &stored), 0xFF0000);
    EXPECT_EQ(stored, 0xFF0000);
    EXPECT_EQ(HSI2RGB(float(2 * kPi / 3), 1, 1.0f / 3, nullptr), 0x00FF00);
    EXPECT_EQ(HSI2RGB(float(4 * kPi / 3), 1, 1.0f / 3, nullptr), 0x0000FF);
    EXPECT_EQ(HSI2RGB(float(kPi / 3), 1, 2.0f / 3, nullptr), 0xFFFF00);
    EXPECT_EQ(HSI2RGB(float(kPi), 1, 2.0f / 3, nullptr), 0x00FFFF);
    EXPECT_EQ(HSI2RGB(0, 0, 0, nullptr), 0);
    // No saturation: a grey of I x 255 whatever the hue.
    for (float h : {0.0f, 1.0f, 2.5f, 4.0f, 6.0f}) {
        EXPECT_EQ(HSI2RGB(h, 0, 0.25f, nullptr), 0x404040) << h; // 63.75
        EXPECT_EQ(HSI2RGB(h, 0, 0.6f, nullptr), 0x999999) << h;  // 153
    }
    // Channels beyond 0..255 are clamped.
    EXPECT_EQ(HSI2RGB(0, 0, 2.0f, nullptr), 0xFFFFFF);
    EXPECT_EQ(HSI2RGB(0, 1, 1.0f, nullptr), 0xFF0000); // red 765 -> 255, others 0
}

TEST(ColourModel, HuesOutsideTheCircleStayDefined) {
    // 13 pi / 6 puts a zero in the sector's denominator; NaN reaches every
    // branch. Both must still give a colour.
    for (float h : {float(13 * kPi / 6), std::nanf(""), -100.0f, 1e30f}) {
        const int32_t rgb = HSI2RGB(h, 0.5f, 0.5f, nullptr);
        EXPECT_GE(rgb, 0) << h;
        EXPECT_LE(rgb, 0xFFFFFF) << h;
    }
}

TEST(ColourModel, RoundTripWithinOneStep) {
    for (int r = 0; r < 256; r += 5)
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 5) {
                const Hsi c = toHsi(pack(r, g, b));
                const uint32_t back = uint32_t(HSI2RGB(c.h, c.s, c.i, nullptr));
                ASSERT_LE(std::abs(int(back >> 16) - r), 1) << r << ' ' << g << ' ' << b;
                ASSERT_LE(std::abs(int(back >> 8 & 255) - g), 1) << r << ' ' << g << ' ' << b;
                ASSERT_LE(std::abs(int(back & 255) - b), 1) << r << ' ' << g << ' ' << b;
            }
    for (int v = 0; v < 256; ++v) {
        const Hsi c = toHsi(pack(v, v, v));
        EXPECT_EQ(uint32_t(HSI2RGB(c.h, c.s, c.i, nullptr)), pack(v, v, v));
    }
}

} // namespace
