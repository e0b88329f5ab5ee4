// Samples along a line: one per pixel step, nearest pixel, calibrated.
#include <qd/core/line_profile.h>

#include <cmath>
#include <gtest/gtest.h>

#include "file_fixtures.h"

namespace {

fixtures::ImagePtr ramp(int type) {
    MTHANDLE m = MTCreate(6, 4, type);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            if (type == MT_RGB) MTSetRgb(m, x, y, uint32_t(x << 16 | y << 8 | (x + y)));
            else MTSetComplex(m, x, y, MTCOMPLEX{double(10 * y + x), type == MT_COMPLEX16 ? 1.0 : 0.0});
        }
    return fixtures::ImagePtr(IMCreateFromMatrix(m));
}

TEST(LineProfile, HorizontalVerticalAndSteepLines) {
    fixtures::ImagePtr im = ramp(MT_SHORT);
    qd::LineProfile h = qd::lineProfile(im.get(), 4, 2, 1, 2); // right to left
    ASSERT_EQ(h.count(), 4);
    EXPECT_EQ(h.value(0), 24);
    EXPECT_EQ(h.value(3), 21);
    EXPECT_DOUBLE_EQ(h.distance[3], 3.0);

    qd::LineProfile v = qd::lineProfile(im.get(), 0, 0, 0, 3);
    ASSERT_EQ(v.count(), 4);
    EXPECT_EQ(v.value(2), 20);

    // Five steps along x, two along y: y rounds to the nearest row.
    qd::LineProfile s = qd::lineProfile(im.get(), 0, 0, 5, 2);
    ASSERT_EQ(s.count(), 6);
    const double expected[6] = {0, 1, 12, 13, 24, 25}; // rows 0, 0, 1, 1, 2, 2 (0.4 -> 0, 1.2 -> 1, ...)
    for (int i = 0; i < 6; ++i) EXPECT_EQ(s.value(i), expected[i]) << i;
    EXPECT_DOUBLE_EQ(s.distance[5], std::hypot(5.0, 2.0));
}

TEST(LineProfile, CalibrationModulusColourAndTheEdge) {
    fixtures::ImagePtr im = ramp(MT_FLOAT);
    IMSetScale(im.get(), 0.25);
    IMSetGain(im.get(), -1);
    IMSetOffset(im.get(), 100);
    IMSetZUnit(im.get(), "K");
    qd::LineProfile p = qd::lineProfile(im.get(), 0, 1, 2, 1);
    EXPECT_EQ(p.value(2), 100 - 12);
    EXPECT_DOUBLE_EQ(p.distance[2], 0.5);
    EXPECT_EQ(p.valueUnit, "K");
    EXPECT_EQ(qd::profileLines(p)[1], "0.25\t89");

    fixtures::ImagePtr c = ramp(MT_COMPLEX16);
    EXPECT_DOUBLE_EQ(qd::lineProfile(c.get(), 3, 0, 3, 0).value(0), std::hypot(3.0, 1.0));

    fixtures::ImagePtr rgb = ramp(MT_RGB);
    qd::LineProfile r = qd::lineProfile(rgb.get(), 2, 3, 2, 3);
    ASSERT_EQ(r.channels, 3);
    EXPECT_EQ(r.value(0, 0), 2);
    EXPECT_EQ(r.value(0, 1), 3);
    EXPECT_EQ(r.value(0, 2), 5);

    // Points off the image are left out.
    EXPECT_EQ(qd::lineProfile(im.get(), -2, 0, 2, 0).count(), 3);
}

} // namespace
