// The plug-in's own colour conversions must give exactly what the colour
// library gives.
#include <gtest/gtest.h>
#include <qd/colorprcs.h>
#include <qd/plugin.h>

#include <bit>
#include <cmath>
#include <limits>

namespace {

uint32_t bits(float v) { return std::bit_cast<uint32_t>(v); }

TEST(ColourModel, RgbToHsiIsBitIdenticalToTheColourLibrary) {
    std::vector<int32_t> levels;
    for (int32_t v = 0; v < 256; v += 3)
        levels.push_back(v);
    levels.insert(levels.end(), {1, 2, 127, 128, 254, 255});
    for (int32_t r : levels)
        for (int32_t g : levels)
            for (int32_t b : levels) {
                const int32_t rgb = r << 16 | g << 8 | b;
                float mine[3] = {-1, -1, -1}, theirs[3] = {-2, -2, -2};
                qdRGB2HSI(rgb, mine);
                RGB2HSI(rgb, theirs);
                for (int k = 0; k < 3; ++k)
                    ASSERT_EQ(bits(mine[k]), bits(theirs[k])) << std::hex << rgb << " part " << k;
            }
}

TEST(ColourModel, RgbToHsiIgnoresTheTopByte) {
    float a[3], b[3];
    qdRGB2HSI(int32_t(0xFF336699u), a);
    qdRGB2HSI(0x00336699, b);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(bits(a[k]), bits(b[k]));
    qdRGB2HSI(0x00336699, nullptr); // nothing to fill, no crash
}

TEST(ColourModel, HsiToRgbIsIdenticalToTheColourLibrary) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> hues, parts;
    for (float h = -0.5f; h < 7.0f; h += 0.013f)
        hues.push_back(h);
    hues.insert(hues.end(), {0.0f, 2.0943951f, 2.0943952f, 4.1887903f, 4.1887902f, 6.2831855f,
                             1e30f, -1e30f, nan});
    for (float v = -0.2f; v < 1.25f; v += 0.05f)
        parts.push_back(v);
    parts.insert(parts.end(), {0.0f, 1.0f / 3.0f, 1.0f, nan});
    for (float h : hues)
        for (float s : parts)
            for (float i : parts) {
                int32_t mine = -1, theirs = -2;
                const int32_t r1 = qdHSI2RGB(h, s, i, &mine);
                const int32_t r2 = HSI2RGB(h, s, i, &theirs);
                ASSERT_EQ(r1, r2) << h << " " << s << " " << i;
                ASSERT_EQ(mine, r1);
                ASSERT_EQ(theirs, r2);
            }
}

} // namespace
