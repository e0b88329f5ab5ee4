// The TIFF reader over every layout it takes, each file written by libtiff:
// values, element type, orientation and the way the image is shown.
#include <cmath>
#include <cstring>

#include "filter_fixture.h"
#include "formats.h"

namespace filters_test {
namespace {

namespace tiff = qd::filters::tiff;

struct GreyKind {
    uint16_t bits;
    uint16_t format;
    int32_t type;
};
constexpr GreyKind kGreyKinds[] = {
    {1, SAMPLEFORMAT_UINT, MT_BINARY},  {2, SAMPLEFORMAT_UINT, MT_UCHAR},   {4, SAMPLEFORMAT_UINT, MT_4BITS},
    {8, SAMPLEFORMAT_UINT, MT_UCHAR},   {8, SAMPLEFORMAT_INT, MT_CHAR},     {16, SAMPLEFORMAT_UINT, MT_USHORT},
    {16, SAMPLEFORMAT_INT, MT_SHORT},   {32, SAMPLEFORMAT_UINT, MT_ULONG},  {32, SAMPLEFORMAT_INT, MT_LONG},
    {32, SAMPLEFORMAT_IEEEFP, MT_FLOAT}, {64, SAMPLEFORMAT_IEEEFP, MT_DOUBLE}};

// The file's sample at (x, y): integers over the whole range, floats with
// fractions, large magnitudes and both signs.
uint64_t rawSample(const GreyKind& k, uint32_t x, uint32_t y) {
    if (k.format != SAMPLEFORMAT_IEEEFP) return spread(x, y, 0, k.bits);
    const double v = (double(x) - 6.5) * 1.25e3 + double(y) * 0.015625 + (x == 1 && y == 0 ? 3.0e38 : 0.0);
    uint64_t bits = 0;
    if (k.bits == 32) {
        const float f = float(v);
        std::memcpy(&bits, &f, 4);
    } else {
        std::memcpy(&bits, &v, 8);
    }
    return bits;
}

double valueOf(const GreyKind& k, uint64_t raw) {
    if (k.format == SAMPLEFORMAT_IEEEFP) {
        if (k.bits == 64) {
            double d;
            std::memcpy(&d, &raw, 8);
            return d;
        }
        float f;
        std::memcpy(&f, &raw, 4);
        return f;
    }
    if (k.format == SAMPLEFORMAT_INT && raw >> (k.bits - 1)) return double(int64_t(raw) - (int64_t(1) << k.bits));
    return double(raw);
}

class TiffReadTest : public FilterTest {
  protected:
    Image open(const TiffSpec& spec, const SampleFn& value) {
        writeTiff(path("in.tif"), spec, value);
        return Image(tiff::open(path("in.tif").c_str()));
    }
};

TEST_F(TiffReadTest, GreySamplesOfEveryDepthKeepTheirValues) {
    const uint16_t compressions[] = {COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE,
                                     COMPRESSION_PACKBITS};
    for (const GreyKind& k : kGreyKinds)
        for (uint16_t compression : compressions)
            for (bool tiled : {false, true})
                for (bool bigEndian : {false, true}) {
                    SCOPED_TRACE(testing::Message() << k.bits << " bits, format " << k.format << ", compression "
                                                    << compression << (tiled ? ", tiled" : ", strips")
                                                    << (bigEndian ? ", big-endian" : ""));
                    TiffSpec spec;
                    spec.width = tiled ? 37 : 13; // partial tiles on both edges
                    spec.height = tiled ? 19 : 7;
                    spec.bits = k.bits, spec.format = k.format, spec.compression = compression;
                    spec.tiled = tiled, spec.bigEndian = bigEndian;
                    Image im = open(spec, [&](uint32_t x, uint32_t y, int) { return rawSample(k, x, y); });
                    ASSERT_NE(im, nullptr);
                    MTHANDLE m = IMGetDataHandle(im.get());
                    ASSERT_EQ(MTGetFlags(m), k.type);
                    ASSERT_EQ(MTGetMaxXIndex(m), int32_t(spec.width));
                    ASSERT_EQ(MTGetMaxYIndex(m), int32_t(spec.height));
                    int wrong = 0;
                    for (uint32_t y = 0; y < spec.height; ++y)
                        for (uint32_t x = 0; x < spec.width; ++x)
                            wrong += valueAt(im.get(), x, y) != valueOf(k, rawSample(k, x, y));
                    EXPECT_EQ(wrong, 0);
                }
}

TEST_F(TiffReadTest, LevelsShowAsTheBuiltInReaderShowsThemAndWiderTypesGetTheirRange) {
    struct Case {
        GreyKind kind;
        double finalValue; // 0: the range covers the values
    };
    const Case cases[] = {{kGreyKinds[0], 2},  {kGreyKinds[1], 4}, {kGreyKinds[2], 16}, {kGreyKinds[3], 256},
                          {kGreyKinds[5], 0},  {kGreyKinds[9], 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind.bits);
        TiffSpec spec;
        spec.bits = c.kind.bits, spec.format = c.kind.format;
        Image im = open(spec, [&](uint32_t x, uint32_t y, int) { return rawSample(c.kind, x, y); });
        ASSERT_NE(im, nullptr);
        if (c.finalValue > 0) {
            EXPECT_EQ(IMGetInitialValue(im.get()), 0.0);
            EXPECT_EQ(IMGetFinalValue(im.get()), c.finalValue);
            continue;
        }
        double lo = INFINITY, hi = -INFINITY;
        for (uint32_t y = 0; y < spec.height; ++y)
            for (uint32_t x = 0; x < spec.width; ++x) {
                lo = std::min(lo, valueAt(im.get(), x, y));
                hi = std::max(hi, valueAt(im.get(), x, y));
            }
        EXPECT_LE(IMGetInitialValue(im.get()), lo);
        EXPECT_GE(IMGetFinalValue(im.get()), hi);
        EXPECT_LT(IMGetFinalValue(im.get()) - IMGetInitialValue(im.get()), 2 * (hi - lo) + 2);
    }
    // The built-in reader's rule: 255 shows at level 254, 128 at 128.
    TiffSpec spec;
    Image im = open(spec, [](uint32_t x, uint32_t, int) { return x == 0 ? 255 : 128; });
    ASSERT_NE(im, nullptr);
    EXPECT_EQ(IMBmpVal(im.get(), 0, 0), 254);
    EXPECT_EQ(IMBmpVal(im.get(), 1, 0), 128);
}

TEST_F(TiffReadTest, ColourLayoutsGiveRgb) {
    struct Case {
        const char* name;
        uint16_t bits, samples;
        bool alpha, separate, tiled;
        uint16_t compression;
    };
    const Case cases[] = {{"rgb", 8, 3, false, false, false, COMPRESSION_NONE},
                          {"rgba lzw", 8, 4, true, false, false, COMPRESSION_LZW},
                          {"planes deflate", 8, 3, false, true, false, COMPRESSION_ADOBE_DEFLATE},
                          {"planes tiled", 8, 3, false, true, true, COMPRESSION_NONE},
                          {"rgba tiled packbits", 8, 4, true, false, true, COMPRESSION_PACKBITS},
                          {"16-bit", 16, 3, false, false, false, COMPRESSION_LZW}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TiffSpec spec;
        spec.width = 21, spec.height = 18;
        spec.bits = c.bits, spec.samples = c.samples, spec.alpha = c.alpha, spec.separatePlanes = c.separate;
        spec.tiled = c.tiled, spec.compression = c.compression, spec.photometric = PHOTOMETRIC_RGB;
        const auto sample = [&](uint32_t x, uint32_t y, int s) { return spread(x, y, s, c.bits); };
        Image im = open(spec, sample);
        ASSERT_NE(im, nullptr);
        ASSERT_EQ(MTGetFlags(IMGetDataHandle(im.get())), MT_RGB);
        const auto eight = [&](uint64_t v) { return c.bits == 8 ? uint32_t(v) : uint32_t((v * 255 + 32767) / 65535); };
        int wrong = 0;
        for (uint32_t y = 0; y < spec.height; ++y)
            for (uint32_t x = 0; x < spec.width; ++x)
                wrong += rgbAt(im.get(), x, y) !=
                         (eight(sample(x, y, 0)) << 16 | eight(sample(x, y, 1)) << 8 | eight(sample(x, y, 2)));
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(TiffReadTest, PaletteFilesKeepTheirIndicesAndShowTheirColours) {
    for (uint16_t bits : {1, 4, 8}) {
        SCOPED_TRACE(bits);
        const int n = 1 << bits;
        TiffSpec spec;
        spec.bits = bits, spec.photometric = PHOTOMETRIC_PALETTE;
        for (int channel = 0; channel < 3; ++channel)
            for (int i = 0; i < n; ++i) spec.colorMap.push_back(uint16_t(((i * 37 + channel * 80) % 256) * 257));
        Image im = open(spec, [&](uint32_t x, uint32_t y, int) { return spread(x, y, 0, bits); });
        ASSERT_NE(im, nullptr);
        EXPECT_EQ(valueAt(im.get(), 1, 0), n - 1);
        EXPECT_EQ(valueAt(im.get(), 5, 3), double(spread(5, 3, 0, bits)));
        uint32_t palette[256];
        IMGetPaletteArray(im.get(), palette);
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(palette[i], uint32_t((i * 37) % 256) << 16 | uint32_t((i * 37 + 80) % 256) << 8 |
                                      uint32_t((i * 37 + 160) % 256))
                << i;
    }
}

TEST_F(TiffReadTest, GreyWithAlphaAndWhiteIsZeroFiles) {
    TiffSpec alpha;
    alpha.samples = 2, alpha.alpha = true;
    Image im = open(alpha, [](uint32_t x, uint32_t y, int s) { return s == 0 ? x * 10 + y : 77; });
    ASSERT_NE(im, nullptr);
    EXPECT_EQ(MTGetFlags(IMGetDataHandle(im.get())), MT_UCHAR);
    EXPECT_EQ(valueAt(im.get(), 12, 6), 126);

    // Values stay as stored; the palette turns them round.
    TiffSpec white;
    white.photometric = PHOTOMETRIC_MINISWHITE;
    im = open(white, [](uint32_t x, uint32_t, int) { return x; });
    ASSERT_NE(im, nullptr);
    EXPECT_EQ(valueAt(im.get(), 3, 0), 3);
    uint32_t palette[256];
    IMGetPaletteArray(im.get(), palette);
    EXPECT_EQ(palette[0], 0xFFFFFFu);
    EXPECT_EQ(palette[255], 0u);
}

TEST_F(TiffReadTest, JpegCompressedGreyAndColourOpenWithinTheirLoss) {
    for (int samples : {1, 3}) {
        SCOPED_TRACE(samples);
        TiffSpec spec;
        spec.width = 40, spec.height = 32, spec.rowsPerStrip = 16, spec.samples = uint16_t(samples);
        spec.compression = COMPRESSION_JPEG;
        spec.photometric = samples == 1 ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_YCBCR;
        Image im = open(spec, smooth);
        ASSERT_NE(im, nullptr);
        int worst = 0;
        for (uint32_t y = 0; y < spec.height; ++y)
            for (uint32_t x = 0; x < spec.width; ++x)
                for (int c = 0; c < samples; ++c) {
                    const int got = samples == 1 ? int(valueAt(im.get(), x, y))
                                                 : int(rgbAt(im.get(), x, y) >> (16 - 8 * c) & 0xFF);
                    worst = std::max(worst, std::abs(got - int(smooth(x, y, c))));
                }
        EXPECT_LE(worst, 6);
    }
}

TEST_F(TiffReadTest, SeveralPagesOpenTheFirstAndBigTiffOpens) {
    TiffSpec spec;
    spec.bits = 16, spec.pages = 3;
    const auto value = [](uint32_t x, uint32_t y, int) { return x * 100 + y; };
    Image im = open(spec, value);
    ASSERT_NE(im, nullptr);
    EXPECT_EQ(valueAt(im.get(), 12, 6), 1206);

    spec.pages = 1, spec.bigTiff = true, spec.compression = COMPRESSION_LZW;
    im = open(spec, value);
    ASSERT_NE(im, nullptr);
    EXPECT_EQ(valueAt(im.get(), 7, 2), 702);
    EXPECT_EQ(valueAt(im.get(), 0, 0), 0);
}

TEST_F(TiffReadTest, ResolutionTagsGiveTheCalibration) {
    TiffSpec spec;
    spec.resolution = 20000, spec.resolutionUnit = RESUNIT_CENTIMETER; // 0.5 um pixels
    Image im = open(spec, [](uint32_t, uint32_t, int) { return 1; });
    ASSERT_NE(im, nullptr);
    EXPECT_NEAR(IMGetScale(im.get()), 0.5, 1e-6);
    EXPECT_STREQ(IMGetXYUnit(im.get()), "\xB5m");

    spec.resolution = 300, spec.resolutionUnit = RESUNIT_INCH;
    im = open(spec, [](uint32_t, uint32_t, int) { return 1; });
    ASSERT_NE(im, nullptr);
    EXPECT_NEAR(IMGetScale(im.get()), 1.0 / 300, 1e-9);
    EXPECT_STREQ(IMGetXYUnit(im.get()), "inch");

    spec.resolution = 0;
    im = open(spec, [](uint32_t, uint32_t, int) { return 1; });
    ASSERT_NE(im, nullptr);
    EXPECT_EQ(IMGetScale(im.get()), 1.0);
    EXPECT_STREQ(IMGetXYUnit(im.get()), "");
}

TEST_F(TiffReadTest, LayoutsWithoutAnExactElementTypeAreRefused) {
    TiffSpec cmyk;
    cmyk.samples = 4, cmyk.photometric = PHOTOMETRIC_SEPARATED;
    EXPECT_EQ(open(cmyk, [](uint32_t, uint32_t, int) { return 1; }), nullptr);
    TiffSpec signedPalette;
    signedPalette.bits = 16, signedPalette.photometric = PHOTOMETRIC_PALETTE;
    signedPalette.colorMap.assign(3 * 65536, 0);
    EXPECT_EQ(open(signedPalette, [](uint32_t, uint32_t, int) { return 1; }), nullptr);
    TiffSpec wideInteger;
    wideInteger.bits = 64;
    EXPECT_EQ(open(wideInteger, [](uint32_t, uint32_t, int) { return 1; }), nullptr);
}

} // namespace
} // namespace filters_test
