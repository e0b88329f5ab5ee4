// Files written by hand from the TIFF layout open with the right values,
// colours and orientation.
#include <gtest/gtest.h>

#include <memory>

#include <qd/tiff.h>

#include "tiff_writer.h"

using namespace tifftest;

namespace {

using Image = std::unique_ptr<QDImage, decltype(&IMDestroy)>;

Image open(const std::string& name, const std::vector<uint8_t>& bytes) {
    return Image(OpenTiff(writeTemp(name, bytes).c_str()), &IMDestroy);
}

// 3 x 2 grey picture, top row 10 20 30, bottom row 40 50 60.
const std::vector<uint8_t> kGrey = {10, 20, 30, 40, 50, 60};

void expectGreyPicture(IMHANDLE im) {
    ASSERT_NE(im, nullptr);
    EXPECT_EQ(IMGetImageWidth(im), 3);
    EXPECT_EQ(IMGetImageHeight(im), 2);
    EXPECT_EQ(MTGetFlags(IMGetDataHandle(im)), MT_UCHAR);
    // Image row 0 is the bottom line of the picture.
    EXPECT_EQ(IMRealInt(im, 0, 0), 40);
    EXPECT_EQ(IMRealInt(im, 2, 0), 60);
    EXPECT_EQ(IMRealInt(im, 0, 1), 10);
    EXPECT_EQ(IMRealInt(im, 1, 1), 20);
    EXPECT_DOUBLE_EQ(IMGetInitialValue(im), 0.0);
    EXPECT_DOUBLE_EQ(IMGetFinalValue(im), 256.0);
}

TEST(OpenTiff, GreyFileOpensTheSameInBothByteOrders) {
    Image little = open("grey_ii.tif", simpleTiff(false, 3, 2, 8, kGrey));
    expectGreyPicture(little.get());

    // Big-endian twin with SHORT width, height and compression.
    TiffWriter w(true);
    const uint32_t strip = w.blob(kGrey);
    w.shortTag(256, 3);
    w.shortTag(257, 2);
    w.shortTag(258, 8);
    w.shortTag(259, 1);
    w.longTag(273, strip);
    w.shortTag(279, 6);
    Image big = open("grey_mm.tif", w.bytes());
    expectGreyPicture(big.get());
}

TEST(OpenTiff, EightBitValuesShowThroughTheZeroTo256Range) {
    Image im = open("levels.tif", simpleTiff(false, 2, 1, 8, {255, 128}));
    ASSERT_NE(im, nullptr);
    // t = v * 255 / 256, rounded: 255 -> 254.004 -> 254, 128 -> 127.5 -> 128.
    EXPECT_EQ(IMBmpVal(im.get(), 0, 0), 254);
    EXPECT_EQ(IMBmpVal(im.get(), 1, 0), 128);
}

TEST(OpenTiff, ColorMapBecomesThePalette) {
    TiffWriter w(false);
    const uint32_t strip = w.blob({0, 1, 255});
    w.longTag(256, 3);
    w.longTag(257, 1);
    w.shortTag(258, 8);
    w.longTag(273, strip);
    w.longTag(279, 3);
    std::vector<uint16_t> map(3 * 256);
    for (int i = 0; i < 256; ++i) {
        map[size_t(i)] = uint16_t((255 - i) << 8 | 0x7F);  // red: high byte counts
        map[size_t(256 + i)] = uint16_t(i << 8);          // green
        map[size_t(512 + i)] = uint16_t((i / 2) << 8);    // blue
    }
    w.shorts(320, map);
    Image im = open("colormap.tif", w.bytes());
    ASSERT_NE(im, nullptr);
    const IMHEADER* h = IMGetHeaderPointer(im.get());
    EXPECT_EQ(h->Palette[0], 0xFF0000u);
    EXPECT_EQ(h->Palette[1], 0xFE0100u);
    EXPECT_EQ(h->Palette[255], 0x00FF7Fu);

    Image grey = open("nomap.tif", simpleTiff(false, 3, 1, 8, {0, 1, 255}));
    ASSERT_NE(grey, nullptr);
    EXPECT_EQ(IMGetHeaderPointer(grey.get())->Palette[200], 0xC8C8C8u);
}

TEST(OpenTiff, BilevelFileWithoutBitsPerSampleAndTwoColourMap) {
    // Width 9: rows of 2 bytes, most significant bit first.
    TiffWriter w(true);
    const uint32_t strip = w.blob({0x80, 0x80, 0x01, 0x00});
    w.shortTag(256, 9);
    w.shortTag(257, 2);
    w.longTag(273, strip);
    w.shortTag(279, 4);
    w.shorts(320, {0xFFFF, 0x0000, 0x1200, 0x3400, 0x5600, 0x7800});
    Image im = open("bilevel.tif", w.bytes());
    ASSERT_NE(im, nullptr);
    EXPECT_EQ(MTGetFlags(IMGetDataHandle(im.get())), MT_BINARY);
    EXPECT_DOUBLE_EQ(IMGetFinalValue(im.get()), 2.0);
    // Top row (image row 1): pixels 0 and 8 set.
    for (int x = 0; x < 9; ++x) EXPECT_EQ(IMRealInt(im.get(), x, 1), x == 0 || x == 8) << x;
    // Bottom row: pixel 7 set.
    for (int x = 0; x < 9; ++x) EXPECT_EQ(IMRealInt(im.get(), x, 0), x == 7) << x;
    const IMHEADER* h = IMGetHeaderPointer(im.get());
    EXPECT_EQ(h->Palette[0], 0xFF1256u);
    EXPECT_EQ(h->Palette[1], 0x003478u);
    for (int i = 2; i < 256; ++i) EXPECT_EQ(h->Palette[i], 0u);
}

TEST(OpenTiff, FourBitRowsHighNibbleFirst) {
    // Width 3: rows of 2 bytes.
    Image im = open("nibbles.tif", simpleTiff(false, 3, 2, 4, {0x12, 0x30, 0xAB, 0xC0}));
    ASSERT_NE(im, nullptr);
    EXPECT_EQ(MTGetFlags(IMGetDataHandle(im.get())), MT_4BITS);
    EXPECT_DOUBLE_EQ(IMGetFinalValue(im.get()), 16.0);
    const int top[3] = {1, 2, 3}, bottom[3] = {10, 11, 12};
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(IMRealInt(im.get(), x, 1), top[x]);
        EXPECT_EQ(IMRealInt(im.get(), x, 0), bottom[x]);
    }
}

// RGB picture of width 2: pixel (x, row) = (row, x, 7) as red, green, blue.
std::vector<uint8_t> rgbRows(uint32_t rows, uint32_t samples) {
    std::vector<uint8_t> px;
    for (uint32_t r = 0; r < rows; ++r)
        for (uint8_t x = 0; x < 2; ++x) {
            px.insert(px.end(), {uint8_t(r), x, 7});
            if (samples == 4) px.push_back(0xEE);
        }
    return px;
}

TEST(OpenTiff, RgbStripsFillRowsAndIgnoreTheRestOfTheLastStrip) {
    // Three strips of 10 rows for 25 rows: the last strip holds 10 rows.
    TiffWriter w(false);
    const std::vector<uint8_t> all = rgbRows(30, 3);
    std::vector<uint32_t> offsets;
    for (int s = 0; s < 3; ++s)
        offsets.push_back(w.blob(std::vector<uint8_t>(all.begin() + s * 60, all.begin() + s * 60 + 60)));
    w.longTag(256, 2);
    w.longTag(257, 25);
    w.shortTag(258, 24);
    w.longs(273, offsets);
    w.shortTag(277, 3);
    w.shortTag(278, 10);
    w.shorts(279, {60, 60, 60});
    Image im = open("rgb_strips.tif", w.bytes());
    ASSERT_NE(im, nullptr);
    EXPECT_EQ(IMGetImageHeight(im.get()), 25);
    EXPECT_TRUE(IMIsRgb(im.get()));
    for (int row = 0; row < 25; ++row)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(IMRgb(im.get(), x, 24 - row), uint32_t(row) << 16 | uint32_t(x) << 8 | 7u);
}

TEST(OpenTiff, RgbGivenAsSampleListWithDefaults) {
    // BitsPerSample 8,8,8 through an offset, no RowsPerStrip, no SamplesPerPixel.
    TiffWriter w(true);
    const uint32_t strip = w.blob(rgbRows(3, 3));
    w.longTag(256, 2);
    w.longTag(257, 3);
    w.shorts(258, {8, 8, 8});
    w.longTag(273, strip);
    w.longTag(279, 18);
    Image im = open("rgb_list.tif", w.bytes());
    ASSERT_NE(im, nullptr);
    EXPECT_EQ(IMRgb(im.get(), 1, 0), 0x020107u);
    EXPECT_EQ(IMRgb(im.get(), 0, 2), 0x000007u);

    // Four samples per pixel: the fourth is skipped.
    TiffWriter a(false);
    const uint32_t s4 = a.blob(rgbRows(2, 4));
    a.longTag(256, 2);
    a.longTag(257, 2);
    a.shorts(258, {8, 8, 8, 8});
    a.longTag(273, s4);
    a.shortTag(277, 4);
    a.longTag(279, 16);
    Image rgba = open("rgba.tif", a.bytes());
    ASSERT_NE(rgba, nullptr);
    EXPECT_EQ(IMRgb(rgba.get(), 1, 0), 0x010107u);
    EXPECT_EQ(IMRgb(rgba.get(), 1, 1), 0x000107u);
}

TEST(OpenTiff, ShortStripTablesInlineAndThroughAnOffset) {
    const std::vector<uint8_t> rows = {1, 2, 3, 4, 5, 6};
    for (uint16_t strips : {2, 3}) {
        TiffWriter w(strips == 2);
        std::vector<uint16_t> offsets, counts;
        const int per = 6 / strips;
        for (int s = 0; s < strips; ++s) {
            offsets.push_back(uint16_t(w.blob({rows.begin() + s * per, rows.begin() + (s + 1) * per})));
            counts.push_back(uint16_t(per));
        }
        w.shortTag(256, 1);
        w.shortTag(257, 6);
        w.shortTag(258, 8);
        w.shorts(273, offsets);
        w.shortTag(278, uint16_t(per));
        w.shorts(279, counts);
        Image im = open("short_tables.tif", w.bytes());
        ASSERT_NE(im, nullptr) << strips;
        for (int y = 0; y < 6; ++y) EXPECT_EQ(IMRealInt(im.get(), 0, y), 6 - y);
    }
}

} // namespace
