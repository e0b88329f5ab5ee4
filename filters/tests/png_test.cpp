// PNG files written by libpng: every depth and colour type read value for
// value (alpha dropped), and grey and colour saved and read back.
#include <png.h>

#include "filter_fixture.h"
#include "formats.h"

namespace filters_test {
namespace {

namespace png = qd::filters::png;

class PngTest : public FilterTest {
  protected:
    Image open(const PngSpec& spec, const SampleFn& value) {
        writePng(path("in.png"), spec, value);
        return Image(png::open(path("in.png").c_str()));
    }
};

TEST_F(PngTest, GreyOfEveryDepthKeepsItsValues) {
    struct Case {
        int bits;
        int32_t type;
        double finalValue; // 0: the range of the values
    };
    const Case cases[] = {{1, MT_BINARY, 2}, {2, MT_UCHAR, 4}, {4, MT_4BITS, 16}, {8, MT_UCHAR, 256}, {16, MT_USHORT, 0}};
    for (const Case& c : cases)
        for (bool interlaced : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.bits << (interlaced ? " interlaced" : ""));
            PngSpec spec;
            spec.bits = c.bits, spec.interlaced = interlaced;
            const auto value = [&](uint32_t x, uint32_t y, int) { return spread(x, y, 0, c.bits); };
            Image im = open(spec, value);
            ASSERT_NE(im, nullptr);
            ASSERT_EQ(MTGetFlags(IMGetDataHandle(im.get())), c.type);
            int wrong = 0;
            for (uint32_t y = 0; y < spec.height; ++y)
                for (uint32_t x = 0; x < spec.width; ++x) wrong += valueAt(im.get(), x, y) != double(value(x, y, 0));
            EXPECT_EQ(wrong, 0);
            if (c.finalValue > 0) EXPECT_EQ(IMGetFinalValue(im.get()), c.finalValue);
            else EXPECT_GE(IMGetFinalValue(im.get()), 65535);
        }
}

TEST_F(PngTest, PaletteFilesKeepIndicesAndColours) {
    for (int bits : {1, 2, 4, 8}) {
        SCOPED_TRACE(bits);
        PngSpec spec;
        spec.bits = bits, spec.colorType = PNG_COLOR_TYPE_PALETTE;
        for (int i = 0; i < (1 << bits); ++i) spec.palette.push_back(uint32_t(i * 0x010203 + 0x400000) & 0xFFFFFF);
        Image im = open(spec, [&](uint32_t x, uint32_t y, int) { return spread(x, y, 0, bits); });
        ASSERT_NE(im, nullptr);
        EXPECT_EQ(valueAt(im.get(), 4, 2), double(spread(4, 2, 0, bits)));
        uint32_t palette[256];
        IMGetPaletteArray(im.get(), palette);
        for (size_t i = 0; i < spec.palette.size(); ++i) EXPECT_EQ(palette[i], spec.palette[i]) << i;
    }
}

TEST_F(PngTest, ColourAndAlphaLayoutsGiveTheirColourValues) {
    struct Case {
        int colorType, bits;
    };
    for (const Case& c : {Case{PNG_COLOR_TYPE_RGB, 8}, Case{PNG_COLOR_TYPE_RGB_ALPHA, 8}, Case{PNG_COLOR_TYPE_RGB, 16},
                          Case{PNG_COLOR_TYPE_RGB_ALPHA, 16}}) {
        SCOPED_TRACE(testing::Message() << c.colorType << " " << c.bits);
        PngSpec spec;
        spec.colorType = c.colorType, spec.bits = c.bits;
        const auto value = [&](uint32_t x, uint32_t y, int s) { return spread(x, y, s, c.bits); };
        Image im = open(spec, value);
        ASSERT_NE(im, nullptr);
        ASSERT_EQ(MTGetFlags(IMGetDataHandle(im.get())), MT_RGB);
        const auto eight = [&](uint64_t v) { return c.bits == 8 ? uint32_t(v) : uint32_t((v * 255 + 32767) / 65535); };
        int wrong = 0;
        for (uint32_t y = 0; y < spec.height; ++y)
            for (uint32_t x = 0; x < spec.width; ++x)
                wrong += rgbAt(im.get(), x, y) !=
                         (eight(value(x, y, 0)) << 16 | eight(value(x, y, 1)) << 8 | eight(value(x, y, 2)));
        EXPECT_EQ(wrong, 0);
    }
    for (int bits : {8, 16}) {
        PngSpec spec;
        spec.colorType = PNG_COLOR_TYPE_GRAY_ALPHA, spec.bits = bits;
        Image im = open(spec, [](uint32_t x, uint32_t y, int s) { return s == 0 ? x + 20 * y : 9; });
        ASSERT_NE(im, nullptr);
        EXPECT_EQ(MTGetFlags(IMGetDataHandle(im.get())), bits == 8 ? MT_UCHAR : MT_USHORT);
        EXPECT_EQ(valueAt(im.get(), 10, 5), 110);
    }
}

TEST_F(PngTest, GreyAndColourSaveAndComeBack) {
    for (int32_t type : {MT_BINARY, MT_4BITS, MT_UCHAR, MT_USHORT, MT_RGB}) {
        SCOPED_TRACE(type);
        MTHANDLE m = MTCreate(17, 5, type);
        for (int32_t y = 0; y < 5; ++y)
            for (int32_t x = 0; x < 17; ++x) {
                const uint64_t v = spread(uint32_t(x), uint32_t(y), 0, 24);
                if (type == MT_RGB) MTSetRgb(m, x, y, uint32_t(v));
                else MTSetReal(m, x, y, double(v % uint64_t(MTGetMaxLimit(m) + 1)));
            }
        Image im(IMCreateFromMatrix(m));
        ASSERT_TRUE(png::save(im.get(), path("out.png").c_str()));
        Image back(png::open(path("out.png").c_str()));
        ASSERT_NE(back, nullptr);
        MTHANDLE b = IMGetDataHandle(back.get());
        ASSERT_EQ(MTGetFlags(b), type);
        int wrong = 0;
        for (int32_t y = 0; y < 5; ++y)
            for (int32_t x = 0; x < 17; ++x)
                wrong += type == MT_RGB ? MTRgb(m, x, y) != MTRgb(b, x, y) : MTReal(m, x, y) != MTReal(b, x, y);
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(PngTest, TypesPngCannotHoldAreNotSaved) {
    for (int32_t type : {MT_SHORT, MT_FLOAT, MT_COMPLEX8}) {
        Image im(IMCreateFromMatrix(MTCreate(3, 3, type)));
        EXPECT_FALSE(png::save(im.get(), path("x.png").c_str())) << type;
    }
    EXPECT_TRUE(files().empty());
}

} // namespace
} // namespace filters_test
