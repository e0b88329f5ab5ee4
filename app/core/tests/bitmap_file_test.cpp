// Bitmap reader and writer.
#include <gtest/gtest.h>

#include <qd/core/bitmap_file.h>

#include "file_fixtures.h"

using namespace fixtures;

namespace {

// Pixel value of the test pictures: fits every depth's range.
int32_t pattern(int32_t x, int32_t row, int32_t bits) {
    return (x * 5 + row * 3 + x / 7) % (1 << std::min<int32_t>(bits, 8));
}

// Packs one file row of `width` pixel values, most significant bits first.
std::vector<uint8_t> packRow(int32_t width, int32_t row, uint16_t bits) {
    std::vector<uint8_t> out((size_t(width) * bits + 7) / 8, 0);
    for (int32_t x = 0; x < width; ++x) {
        const int32_t v = pattern(x, row, bits);
        if (bits == 1) out[size_t(x / 8)] |= uint8_t(v << (7 - x % 8));
        if (bits == 4) out[size_t(x / 2)] |= uint8_t(x % 2 ? v : v << 4);
        if (bits == 8) out[size_t(x)] = uint8_t(v);
        if (bits == 24) { // blue, green, red
            out[3 * size_t(x)] = uint8_t(v);
            out[3 * size_t(x) + 1] = uint8_t(x);
            out[3 * size_t(x) + 2] = uint8_t(row);
        }
    }
    return out;
}

Bitmap picture(int32_t width, int32_t rows, uint16_t bits) {
    Bitmap b;
    b.width = width;
    b.height = rows;
    b.bits = bits;
    if (bits != 24)
        for (uint32_t i = 0; i < (1u << bits); ++i) b.palette.push_back(0x010203u * i);
    for (int32_t r = 0; r < rows; ++r) b.rows.push_back(packRow(width, r, bits));
    return b;
}

ImagePtr open(const std::string& name, const Bitmap& b) {
    return ImagePtr(qd::readBitmapFile(spill(name, b.bytes())));
}

void expectPicture(IMHANDLE im, int32_t width, int32_t rows, uint16_t bits, bool topDown) {
    ASSERT_NE(im, nullptr) << "width " << width << " bits " << bits;
    ASSERT_EQ(IMGetImageWidth(im), width);
    ASSERT_EQ(IMGetImageHeight(im), rows);
    for (int32_t r = 0; r < rows; ++r)
        for (int32_t x = 0; x < width; ++x) {
            const int32_t y = topDown ? rows - 1 - r : r;
            if (bits == 24)
                ASSERT_EQ(IMRgb(im, x, y), uint32_t(r) << 16 | uint32_t(x) << 8 | uint32_t(pattern(x, r, 24)))
                    << x << "," << r;
            else
                ASSERT_EQ(IMRealInt(im, x, y), pattern(x, r, bits)) << x << "," << r << " bits " << bits;
        }
}

TEST(BitmapReader, EveryDepthAtWidthsAroundTheRowPadding) {
    const struct {
        uint16_t bits;
        int32_t type;
        double finalValue;
        std::vector<int32_t> widths;
    } cases[] = {{1, MT_BINARY, 2, {1, 7, 8, 9, 31, 32, 33}},
                 {4, MT_4BITS, 16, {1, 7, 8, 9, 15}},
                 {8, MT_UCHAR, 256, {1, 3, 4, 5}},
                 {24, MT_RGB, 0, {1, 3, 4, 5}}};
    for (const auto& c : cases)
        for (int32_t w : c.widths) {
            ImagePtr im = open("depth.bmp", picture(w, 3, c.bits));
            ASSERT_TRUE(im) << w << " " << c.bits;
            expectPicture(im.get(), w, 3, c.bits, false);
            EXPECT_EQ(MTGetFlags(IMGetDataHandle(im.get())), c.type);
            EXPECT_DOUBLE_EQ(IMGetInitialValue(im.get()), 0.0);
            EXPECT_DOUBLE_EQ(IMGetFinalValue(im.get()), c.finalValue);
        }
}

TEST(BitmapReader, TwentyFourBitWidthFiveHasSixteenByteRows) {
    const std::vector<uint8_t> bytes = picture(5, 2, 24).bytes();
    EXPECT_EQ(bytes.size(), 54u + 2 * 16);
    ImagePtr im(qd::readBitmapFile(spill("w5.bmp", bytes)));
    expectPicture(im.get(), 5, 2, 24, false);
}

TEST(BitmapReader, TopDownFilesStandTheSameWay) {
    Bitmap b = picture(6, 4, 8);
    b.height = -4;
    ImagePtr im = open("topdown.bmp", b);
    expectPicture(im.get(), 6, 4, 8, true);
}

TEST(BitmapReader, PaletteAfterALargerInfoHeaderWithColoursUsed) {
    Bitmap b = picture(4, 2, 8);
    b.infoSize = 124; // newer information header
    b.colorsUsed = 3;
    b.palette = {0xFF0000, 0x00FF00, 0x123456};
    ImagePtr im = open("v5.bmp", b);
    ASSERT_TRUE(im);
    expectPicture(im.get(), 4, 2, 8, false);
    const IMHEADER* h = IMGetHeaderPointer(im.get());
    EXPECT_EQ(h->Palette[0], 0xFF0000u);
    EXPECT_EQ(h->Palette[2], 0x123456u);
    for (int i = 3; i < 256; ++i) ASSERT_EQ(h->Palette[i], 0u) << i;

    ImagePtr full = open("pal.bmp", picture(4, 2, 4));
    ASSERT_TRUE(full);
    EXPECT_EQ(IMGetHeaderPointer(full.get())->Palette[15], 0x010203u * 15);
}

bool refused(const std::string& name, const std::vector<uint8_t>& bytes) {
    IMHANDLE im = qd::readBitmapFile(spill(name, bytes));
    IMDestroy(im);
    return im == nullptr;
}

// Other depths, compression, header layouts and damaged sizes are in the
// corpus of testdata/damaged, which every reader runs over.
TEST(BitmapReader, RefusesEveryTruncationAndMissingFiles) {
    const std::vector<uint8_t> good = picture(9, 5, 24).bytes();
    ASSERT_FALSE(refused("good.bmp", good));
    for (size_t n = 0; n < good.size(); ++n)
        ASSERT_TRUE(refused("cut.bmp", std::vector<uint8_t>(good.begin(), good.begin() + long(n)))) << n;
    EXPECT_EQ(qd::readBitmapFile(tempPath("missing.bmp")), nullptr);
}

TEST(BitmapWriter, WritesTheDisplayedBitmapThatReadsBack) {
    // 8-bit values 0..255 with the default range render at level = value.
    MTHANDLE mt = MTCreate(7, 3, MT_UCHAR);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 7; ++x) MTSetRealInt(mt, x, y, (x * 40 + y * 90) % 256);
    MTSetRealInt(mt, 0, 0, 0), MTSetRealInt(mt, 1, 0, 255);
    ImagePtr im(IMCreateFromMatrix(mt));
    IMDefaultRange(im.get(), 0);
    IMPrepareBitmap(im.get());
    const std::string path = tempPath("written.bmp");
    ASSERT_TRUE(qd::writeBitmapFile(im.get(), path));
    // 54 + 1024 colour table + 3 rows of 8 bytes.
    EXPECT_EQ(slurp(path).size(), 54u + 1024 + 24);
    ImagePtr back(qd::readBitmapFile(path));
    ASSERT_TRUE(back);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 7; ++x) EXPECT_EQ(IMRealInt(back.get(), x, y), IMRealInt(im.get(), x, y));
    EXPECT_EQ(IMGetHeaderPointer(back.get())->Palette[77], 0x4D4D4Du);

    ImagePtr rgb(IMCreateFromMatrix(MTCreate(5, 2, MT_RGB)));
    IMSetRgb(rgb.get(), 4, 1, 0x123456);
    IMSetRgb(rgb.get(), 0, 0, 0xABCDEF);
    IMPrepareBitmap(rgb.get());
    ASSERT_TRUE(qd::writeBitmapFile(rgb.get(), path));
    ImagePtr rgbBack(qd::readBitmapFile(path));
    ASSERT_TRUE(rgbBack);
    EXPECT_EQ(IMRgb(rgbBack.get(), 4, 1), 0x123456u);
    EXPECT_EQ(IMRgb(rgbBack.get(), 0, 0), 0xABCDEFu);

    EXPECT_FALSE(qd::writeBitmapFile(rgb.get(), tempPath("no/dir/x.bmp")));
}

} // namespace
