// The program's own computations against hand-worked values.
#include <gtest/gtest.h>

#include <qd/core/program_ops.h>

#include <cmath>
#include <functional>

#include "file_fixtures.h"

namespace {

using fixtures::ImagePtr;
using fixtures::MatrixPtr;

ImagePtr imageOf(int32_t w, int32_t h, int32_t type, const std::function<double(int32_t, int32_t)>& value,
                 double from, double to) {
    MTHANDLE m = MTCreate(w, h, type);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            if (type == MT_RGB) MTSetRgb(m, x, y, uint32_t(value(x, y)));
            else MTSetReal(m, x, y, value(x, y));
        }
    ImagePtr im(IMCreateFromMatrix(m));
    IMSetInitialValue(im.get(), from);
    IMSetFinalValue(im.get(), to);
    IMPrepareBitmap(im.get());
    return im;
}

TEST(GreyAndChannels, RgbPixelsAverageTheirBytes) {
    // (10, 20, 31) -> 61 / 3 + 0.5 = 20.83 -> 20; (255, 255, 254) -> 255.
    ImagePtr rgb = imageOf(2, 1, MT_RGB, [](int32_t x, int32_t) { return x ? 0xFFFFFE : 0x0A141F; }, 0, 0);
    ImagePtr grey(qd::greyScaleImage(rgb.get()));
    ASSERT_TRUE(grey);
    EXPECT_EQ(MTGetFlags(IMGetDataHandle(grey.get())), MT_UCHAR);
    EXPECT_EQ(IMRealInt(grey.get(), 0, 0), 20);
    EXPECT_EQ(IMRealInt(grey.get(), 1, 0), 255);
    EXPECT_EQ(IMGetFinalValue(grey.get()), 256.0);

    ImagePtr green(qd::channelImage(rgb.get(), qd::ColourChannel::Green, nullptr));
    ASSERT_TRUE(green);
    EXPECT_EQ(IMRealInt(green.get(), 0, 0), 0x14);
    EXPECT_STREQ(IMGetPaletteName(green.get()), "Green (256)");
    ImagePtr blue(qd::channelImage(rgb.get(), qd::ColourChannel::Blue, nullptr));
    EXPECT_EQ(IMRealInt(blue.get(), 1, 0), 0xFE);
}

TEST(GreyAndChannels, PaletteImagesUseTheColourShown) {
    // A 4-bit image on its grey palette (level i shows 17 i in every byte)
    // with range 0 to 15: value v shows level v, grey 17 v, 4-bit grey v.
    ImagePtr four = imageOf(16, 1, MT_4BITS, [](int32_t x, int32_t) { return x; }, 0, 15);
    ImagePtr grey(qd::greyScaleImage(four.get()));
    ASSERT_TRUE(grey);
    EXPECT_EQ(MTGetFlags(IMGetDataHandle(grey.get())), MT_4BITS);
    for (int32_t x = 0; x < 16; ++x) EXPECT_EQ(IMRealInt(grey.get(), x, 0), x) << x;
    EXPECT_EQ(IMGetFinalValue(grey.get()), 16.0);
    ImagePtr red(qd::channelImage(four.get(), qd::ColourChannel::Red, nullptr));
    EXPECT_STREQ(IMGetPaletteName(red.get()), "Red (16)");

    // Bytes shown over 0 to 510: value 200 shows level 100, grey 100.
    ImagePtr bytes = imageOf(1, 1, MT_UCHAR, [](int32_t, int32_t) { return 200; }, 0, 510);
    ImagePtr half(qd::greyScaleImage(bytes.get()));
    EXPECT_EQ(IMRealInt(half.get(), 0, 0), 100);

    ImagePtr binary = imageOf(2, 2, MT_BINARY, [](int32_t, int32_t) { return 1; }, 0, 2);
    EXPECT_EQ(qd::greyScaleImage(binary.get()), nullptr);
}

TEST(Thresholds, FollowTheDisplayLevels) {
    // Levels 0 and 255 only: every split has zero entropy on both sides, so
    // the lowest candidate, 1, wins and exactly the bright pixels are set.
    ImagePtr im = imageOf(4, 2, MT_SHORT, [](int32_t x, int32_t y) { return (x + y) % 2 ? 255 : 0; }, 0, 255);
    MatrixPtr t(qd::autoThreshold(im.get()));
    ASSERT_TRUE(t);
    EXPECT_EQ(MTGetFlags(t.get()), MT_BINARY);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(MTRealInt(t.get(), x, y), (x + y) % 2);

    // 50 and 150 over 0 to 255 show 50 and 150; over 0 to 100, 128 and 255.
    ImagePtr two = imageOf(2, 1, MT_SHORT, [](int32_t x, int32_t) { return x ? 150 : 50; }, 0, 255);
    MatrixPtr a(qd::manualThreshold(two.get(), 100, 255));
    EXPECT_EQ(MTRealInt(a.get(), 0, 0), 0);
    EXPECT_EQ(MTRealInt(a.get(), 1, 0), 1);
    IMSetFinalValue(two.get(), 100);
    IMPrepareBitmap(two.get());
    MatrixPtr b(qd::manualThreshold(two.get(), 100, 200));
    EXPECT_EQ(MTRealInt(b.get(), 0, 0), 1);
    EXPECT_EQ(MTRealInt(b.get(), 1, 0), 0);

    ImagePtr rgb = imageOf(2, 1, MT_RGB, [](int32_t, int32_t) { return 0x808080; }, 0, 0);
    EXPECT_EQ(qd::autoThreshold(rgb.get()), nullptr);
}

TEST(BackgroundSubtraction, LeavesWhatTheMorphologyRemoved) {
    int32_t diamond[9] = {0, 1, 0, 1, 1, 1, 0, 1, 0};
    const MMKERNEL kernel = {"Diamond (3 X 3)", 3, diamond};
    // A bright pixel on a flat background of 10 in the middle of 7 x 7.
    ImagePtr im = imageOf(7, 7, MT_UCHAR, [](int32_t x, int32_t y) { return x == 3 && y == 3 ? 50 : 10; }, 0, 256);
    MTHANDLE src = IMGetDataHandle(im.get());
    MatrixPtr eroded(qd::backgroundSubtract(src, 1, false, kernel));
    ASSERT_TRUE(eroded);
    EXPECT_EQ(MTGetFlags(eroded.get()), MT_FLOAT);
    EXPECT_EQ(MTReal(eroded.get(), 3, 3), 40.0);
    EXPECT_EQ(MTReal(eroded.get(), 1, 1), 0.0);
    // Dilating twice spreads the spot over distance 2; the source's type stays.
    MatrixPtr dilated(qd::backgroundSubtract(src, 2, true, kernel));
    ASSERT_TRUE(dilated);
    EXPECT_EQ(MTGetFlags(dilated.get()), MT_UCHAR);
    EXPECT_EQ(MTReal(dilated.get(), 3, 3), 0.0);
    EXPECT_EQ(MTReal(dilated.get(), 3, 5), 40.0);
    EXPECT_EQ(MTReal(dilated.get(), 4, 4), 40.0);
    EXPECT_EQ(MTReal(dilated.get(), 3, 6), 0.0);
    EXPECT_EQ(qd::backgroundSubtract(src, 0, false, kernel), nullptr);
}

TEST(ResultLines, StatisticsAsTheResultWindowShowsThem) {
    const StatisticsRecord s = {10.0, 2.5, 1.25, 1.9, 4.7};
    const std::vector<std::string> ints = qd::statisticsLines(s, true);
    ASSERT_EQ(ints.size(), 3u);
    EXPECT_EQ(ints[0], "sum : 1.00000e+01");
    EXPECT_EQ(ints[1], "mean : 2.50000e+00   standard deviation : 1.11803e+00");
    EXPECT_EQ(ints[2], "minimum : 1   maximum : 4");
    EXPECT_EQ(qd::statisticsLines(s, false)[2], "minimum : 1.90000e+00   maximum : 4.70000e+00");
    // Rounding can leave a constant image a tiny negative variance.
    EXPECT_EQ(qd::meanLine(3.0, -1e-17), "mean : 3.00000e+00   standard deviation : 0.00000e+00");
    EXPECT_EQ(qd::minMaxLine(-2.9, 4294967295.0, true), "minimum : -2   maximum : 4294967295");
    EXPECT_EQ(qd::wholeNumber(std::nan("")), 0);
}

TEST(ResultLines, ObjectTable) {
    std::vector<ObjectPropertyRecord> objects(2);
    objects[0] = {4.0, 8.0, std::atan(1.0), 2.5, 1.5, 1, 0.75};
    objects[1] = {3.0, 6.5, 0.0, 3.0, 1.0, 0, 0.5};
    const std::vector<std::string> lines = qd::objectTableLines(objects);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "The number of identified objects is 2.");
    EXPECT_EQ(lines[1], "Object\tArea\tPerimeter\tAngle\tMajor Axis\tMinor Axis\tnumber of holes\tRg");
    EXPECT_EQ(lines[2], "1\t4.000000e+00\t8.000000e+00\t4.500000e+01\t2.500000e+00\t1.500000e+00\t1\t7.500000e-01");
    EXPECT_EQ(lines[3], "2\t3.000000e+00\t6.500000e+00\t0.000000e+00\t3.000000e+00\t1.000000e+00\t0\t5.000000e-01");
    EXPECT_EQ(lines[4], "Total\t7.000000e+00\t1.450000e+01\t\t\t\t1");
}

TEST(ObjectIdentification, LabelImageNamesEachObjectOnce) {
    // Two objects: an L of three pixels and a single pixel.
    ImagePtr im = imageOf(5, 4, MT_BINARY, [](int32_t x, int32_t y) {
        return (x == 0 && y <= 1) || (x == 1 && y == 0) || (x == 3 && y == 3) ? 1 : 0;
    }, 0, 2);
    qd::ObjectTable table = qd::identifyObjects(IMGetDataHandle(im.get()), false, false);
    ASSERT_EQ(table.count, 2);
    ASSERT_EQ(table.objects.size(), 2u);
    EXPECT_EQ(table.objects[0].area + table.objects[1].area, 4.0);
    ImagePtr labels(qd::labelImage(table.labels, table.count, nullptr));
    ASSERT_TRUE(labels);
    EXPECT_EQ(IMGetHeaderPointer(labels.get())->NumGraphicObjects, 2);
    EXPECT_STREQ(IMGetPaletteName(labels.get()), "Separate (256)");
    EXPECT_EQ(IMGetFinalValue(labels.get()), 256.0);

    ImagePtr empty = imageOf(3, 3, MT_BINARY, [](int32_t, int32_t) { return 0; }, 0, 2);
    const qd::ObjectTable none = qd::identifyObjects(IMGetDataHandle(empty.get()), true, false);
    EXPECT_EQ(none.count, 0);
    EXPECT_EQ(none.labels, nullptr);
}

} // namespace
