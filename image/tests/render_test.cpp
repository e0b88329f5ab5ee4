// Display rendering: bitmap layout, levels for every display type, the
// equalisation, the 2- and 16-colour branch, the colour table, the default
// range, the pixel setters and the value histogram.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include <qd/image.h>

#include "test_images.h"

namespace {

const double e = std::exp(1.0);

// Classic bitmap row size: bits rounded up to whole 32-bit words.
int64_t dibRowBytes(int64_t bits, int64_t w) { return (bits * w + 31) / 32 * 4; }

TEST(BitmapLayout, RowsArePaddedToFourBytes) {
    const struct {
        int32_t type;
        int32_t bits;
    } kinds[] = {{MT_BINARY, 1}, {MT_4BITS, 4}, {MT_UCHAR, 8}, {MT_DOUBLE, 8}, {MT_RGB, 24}};
    for (const auto& k : kinds) {
        for (int32_t w : {1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 32, 33, 63, 64, 65}) {
            ImagePtr im = makeImage(w, 3, k.type);
            const int64_t row = dibRowBytes(k.bits, w);
            EXPECT_EQ(IMGetBmpSize(im.get()), 3 * row) << k.type << " w " << w;
            const int64_t elements = k.bits == 24 ? row : row * 8 / k.bits;
            EXPECT_EQ(IMGetBitmapWidthByte(im.get(), w), elements);
            EXPECT_EQ(MTGetMaxXIndex(IMGetBmpBitsHandle(im.get())), elements);
        }
    }
    // The cases worked out by hand.
    ImagePtr eight = makeImage(5, 1, MT_UCHAR);
    EXPECT_EQ(IMGetBmpSize(eight.get()), 8);
    ImagePtr one = makeImage(33, 1, MT_BINARY);
    EXPECT_EQ(IMGetBmpSize(one.get()), 8);
    EXPECT_EQ(IMGetBitmapWidthByte(one.get(), 33), 64);
    ImagePtr rgb = makeImage(5, 1, MT_RGB);
    EXPECT_EQ(IMGetBmpSize(rgb.get()), 16);
}

TEST(BitmapLayout, HeadersDescribeTheBitmap) {
    ImagePtr im = makeImage(5, 3, MT_4BITS);
    const QDBITMAPFILEHEADER* f = IMGetBmpFHeaderPointer(im.get());
    const QDBITMAPINFO* i = IMGetBmpInfoPointer(im.get());
    // Packed fields: copied out before comparing.
    const uint32_t type = f->bfType, offset = f->bfOffBits, size = f->bfSize;
    EXPECT_EQ(type, 19778u);
    EXPECT_EQ(offset, 4u * 16 + 54);
    EXPECT_EQ(size, 3u * 4 + 4 * 16 + 54);
    EXPECT_EQ(i->bmiHeader.biSize, 40u);
    EXPECT_EQ(i->bmiHeader.biWidth, 5);
    EXPECT_EQ(i->bmiHeader.biHeight, 3);
    EXPECT_EQ(i->bmiHeader.biPlanes, 1);
    EXPECT_EQ(i->bmiHeader.biBitCount, 4);
    EXPECT_EQ(i->bmiHeader.biCompression, 0u);
    EXPECT_EQ(i->bmiHeader.biSizeImage, 12u);
    EXPECT_EQ(i->bmiColors[15].rgbRed, 255);

    ImagePtr rgb = makeImage(2, 2, MT_RGB);
    const uint32_t rgbOffset = IMGetBmpFHeaderPointer(rgb.get())->bfOffBits;
    EXPECT_EQ(rgbOffset, 54u);
    EXPECT_EQ(IMGetBmpInfoPointer(rgb.get())->bmiHeader.biBitCount, 24);
}

TEST(Levels, UcharRampOverItsDefaultRangeIsTheIdentity) {
    ImagePtr im = makeImage(16, 16, MT_UCHAR);
    fillRamp(im.get(), 1);
    IMDefaultRange(im.get(), 0);
    EXPECT_EQ(IMGetInitialValue(im.get()), -0.498046875);
    EXPECT_EQ(IMGetFinalValue(im.get()), 255.498046875);
    IMPrepareBitmap(im.get());
    const auto* hist = static_cast<const float*>(IMGetHistoPointer(im.get()));
    for (int32_t v = 0; v < 256; ++v) {
        ASSERT_EQ(IMBmpVal(im.get(), v % 16, v / 16), v);
        ASSERT_EQ(hist[v], 1.0f);
    }
}

TEST(Levels, EachDisplayTypeShowsItsValue) {
    struct Case {
        int32_t type;
        MTCOMPLEX z;
        double initial, final_;
        int32_t level;
    };
    const Case cases[] = {
        {IM_REAL_LINEAR, {5, 9}, 0, 10, 128},          // t = 127.5
        {IM_REAL_LINEAR, {-1, 0}, 0, 10, 0},           // below the range
        {IM_REAL_LINEAR, {0.0196, 0}, 0, 10, 0},       // t = 0.4998
        {IM_REAL_LINEAR, {0.0197, 0}, 0, 10, 1},       // t = 0.50235
        {IM_REAL_LINEAR, {9.98, 0}, 0, 10, 254},       // t = 254.49
        {IM_REAL_LINEAR, {9.981, 0}, 0, 10, 255},      // t = 254.5155
        {IM_REAL_LINEAR, {5, 0}, 4, 6, 128},           // narrow range
        {IM_MODULUS_LINEAR, {3, -4}, 0, 10, 128},      // modulus 5
        {IM_IMAGINARY_LINEAR, {7, 2}, 0, 10, 51},      // t = 51
        {IM_REAL_LOG, {-(e - 1), 0}, 0, 2, 128},       // ln(|re| + 1) = 1
        {IM_MODULUS_LOG, {0, e * e - 1}, 0, 2, 255},   // ln(modulus + 1) = 2
        {IM_IMAGINARY_LOG, {0, -(std::sqrt(e) - 1)}, 0, 2, 64}, // 0.5 gives 63.75
        {IM_REAL_POWER_LOG, {5, 0}, 0, 10, 128},       // renders as real
        {77, {5, 0}, 0, 10, 128},                      // unknown type: real
    };
    for (const Case& c : cases) {
        ImagePtr im = makeImage(3, 2, MT_COMPLEX16);
        IMSetComplex(im.get(), 2, 1, c.z);
        IMSetDisplayType(im.get(), c.type);
        IMChangeValueDomain(im.get(), c.initial, c.final_);
        EXPECT_EQ(IMBmpVal(im.get(), 2, 1), c.level) << "type " << c.type << " re " << c.z.re;
    }
}

TEST(Levels, DecisionPointsAreExact) {
    // Range 0..255 makes the scaled value the value itself.
    const double values[] = {std::nextafter(0.5, 0.0), 0.5, std::nextafter(254.5, 0.0), 254.5,
                             std::nan(""), HUGE_VAL, -HUGE_VAL, 1.4999999999999998};
    const int32_t levels[] = {0, 1, 254, 255, 0, 255, 0, 1};
    ImagePtr im = makeImage(8, 1, MT_DOUBLE);
    for (int x = 0; x < 8; ++x) IMSetReal(im.get(), x, 0, values[x]);
    IMChangeValueDomain(im.get(), 0, 255);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(IMBmpVal(im.get(), x, 0), levels[x]) << values[x];
}

TEST(Levels, EmptyOrInvertedRangeGivesLevelZero) {
    for (double final_ : {5.0, 4.0}) {
        ImagePtr im = makeImage(3, 2, MT_FLOAT);
        fillRamp(im.get(), 1);
        IMChangeValueDomain(im.get(), 5.0, final_);
        for (int32_t level : readLevels(im.get())) EXPECT_EQ(level, 0);
        const auto* hist = static_cast<const float*>(IMGetHistoPointer(im.get()));
        EXPECT_EQ(hist[0], 6.0f);
        EXPECT_EQ(hist[255], 0.0f);
    }
}

TEST(Levels, EqualisationOfASmallImage) {
    ImagePtr im = makeImage(2, 2, MT_UCHAR);
    IMSetReal(im.get(), 0, 1, 100);
    IMSetReal(im.get(), 1, 1, 255);
    IMSetDisplayType(im.get(), IM_EQUALIZED);
    // Levels before equalisation 0, 0, 100, 255; s = 255 / 4 = 63.75, so the
    // cumulative table holds 127.5 from 0, 191.25 from 100 and 255 at 255.
    IMChangeValueDomain(im.get(), 0, 255);
    EXPECT_EQ(IMBmpVal(im.get(), 0, 0), 127);
    EXPECT_EQ(IMBmpVal(im.get(), 1, 0), 127);
    EXPECT_EQ(IMBmpVal(im.get(), 0, 1), 191);
    EXPECT_EQ(IMBmpVal(im.get(), 1, 1), 255);
    const auto* hist = static_cast<const float*>(IMGetHistoPointer(im.get()));
    EXPECT_EQ(hist[127], 2.0f);
    EXPECT_EQ(hist[191], 1.0f);
    EXPECT_EQ(hist[255], 1.0f);
    EXPECT_EQ(hist[0], 0.0f);
    EXPECT_EQ(hist[100], 0.0f);
}

TEST(FewColours, BinaryImage) {
    ImagePtr im = makeImage(9, 1, MT_BINARY);
    IMSetReal(im.get(), 8, 0, 1);
    IMDefaultRange(im.get(), 0);
    EXPECT_EQ(IMGetInitialValue(im.get()), -0.25);
    EXPECT_EQ(IMGetFinalValue(im.get()), 1.25);
    IMPrepareBitmap(im.get());
    EXPECT_EQ(IMBmpVal(im.get(), 0, 0), 0);
    EXPECT_EQ(IMBmpVal(im.get(), 8, 0), 1);
    const auto* bits = static_cast<const uint8_t*>(IMGetBmpPointer(im.get()));
    EXPECT_EQ(bits[0], 0x00);
    EXPECT_EQ(bits[1], 0x80);
    const auto* hist = static_cast<const float*>(IMGetHistoPointer(im.get()));
    EXPECT_EQ(hist[0], 8.0f);
    EXPECT_EQ(hist[1], 1.0f);
}

TEST(FewColours, BinaryImageWithoutARangeStillRenders) {
    ImagePtr im = makeImage(2, 1, MT_BINARY);
    IMSetReal(im.get(), 1, 0, 1);
    IMPrepareBitmap(im.get()); // range 0..0: the scale is infinite
    EXPECT_EQ(IMBmpVal(im.get(), 0, 0), 0);
    EXPECT_EQ(IMBmpVal(im.get(), 1, 0), 1);
}

TEST(FewColours, SixteenColours) {
    ImagePtr im = makeImage(16, 1, MT_4BITS);
    fillRamp(im.get(), 1);
    IMDefaultRange(im.get(), 0);
    EXPECT_EQ(IMGetInitialValue(im.get()), -0.46875);
    IMPrepareBitmap(im.get());
    for (int32_t v = 0; v < 16; ++v) EXPECT_EQ(IMBmpVal(im.get(), v, 0), v);
    // Range 0..30: g = 0.5; 1 -> 0.5 -> 1, 14 -> 7, 15 -> 7.5 -> 8.
    IMChangeValueDomain(im.get(), 0, 30);
    EXPECT_EQ(IMBmpVal(im.get(), 0, 0), 0);
    EXPECT_EQ(IMBmpVal(im.get(), 1, 0), 1);
    EXPECT_EQ(IMBmpVal(im.get(), 2, 0), 1);
    EXPECT_EQ(IMBmpVal(im.get(), 14, 0), 7);
    EXPECT_EQ(IMBmpVal(im.get(), 15, 0), 8);
    const auto* bits = static_cast<const uint8_t*>(IMGetBmpPointer(im.get()));
    EXPECT_EQ(bits[7], 0x78); // levels 7 and 8 in one byte, high nibble first
    const auto* hist = static_cast<const float*>(IMGetHistoPointer(im.get()));
    EXPECT_EQ(hist[1], 2.0f); // values 1 and 2
    EXPECT_EQ(hist[15], 0.0f);
}

// Level of one value by the rendering rule, written out plainly.
int32_t referenceLevel(double t) {
    if (t < 0.5) return 0;
    if (t >= 254.5) return 255;
    return int32_t(std::trunc(t + 0.5));
}

double referenceValue(MTHANDLE mt, int32_t type, int32_t x, int32_t y) {
    switch (type) {
    case IM_MODULUS_LINEAR: return MTNorm(mt, x, y);
    case IM_IMAGINARY_LINEAR: return MTImag(mt, x, y);
    case IM_REAL_LOG: return std::log(std::fabs(MTReal(mt, x, y)) + 1);
    case IM_MODULUS_LOG: return std::log(MTNorm(mt, x, y) + 1);
    case IM_IMAGINARY_LOG: return std::log(std::fabs(MTImag(mt, x, y)) + 1);
    default: return MTReal(mt, x, y);
    }
}

// The whole rendering pass, element by element, levels and histogram.
void referenceRender(IMHANDLE im, std::vector<int32_t>& levels, std::vector<double>& hist) {
    MTHANDLE mt = IMGetDataHandle(im);
    const int32_t w = IMGetImageWidth(im), h = IMGetImageHeight(im);
    const int32_t type = IMGetDisplayType(im);
    const double init = IMGetInitialValue(im);
    const double c = 255 / (IMGetFinalValue(im) - init);
    levels.assign(size_t(w) * h, 0);
    hist.assign(256, 0);
    if (!(IMGetFinalValue(im) - init > 0)) {
        hist[0] = double(w) * h; // no range: everything at level 0
        return;
    }
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const int32_t shown = type == IM_EQUALIZED ? 0 : type;
            levels[size_t(y) * w + x] = referenceLevel((referenceValue(mt, shown, x, y) - init) * c);
        }
    if (type == IM_EQUALIZED) {
        float count[256] = {};
        for (int32_t l : levels) count[l] += 1;
        const float s = float(255.0 / (w * h));
        float cum[256];
        cum[0] = count[0] * s;
        for (int k = 1; k < 256; ++k) cum[k] = count[k] * s + cum[k - 1];
        for (int32_t& l : levels) l = int32_t(cum[l]);
    }
    for (int32_t l : levels) hist[size_t(l)] += 1;
}

// The default range, element by element: {initial, final}.
std::pair<double, double> referenceRange(IMHANDLE im) {
    MTHANDLE mt = IMGetDataHandle(im);
    const int32_t type = IMGetDisplayType(im);
    double lo = 1e307, hi = -1e307;
    for (int32_t y = 0; y < IMGetImageHeight(im); ++y)
        for (int32_t x = 0; x < IMGetImageWidth(im); ++x) {
            const double re = MTReal(mt, x, y), im_ = MTImag(mt, x, y);
            double v = re;
            switch (type) {
            case 1: case 17: v = MTNorm(mt, x, y); break;
            case 2: v = im_; break;
            case 16: v = std::fabs(re); break;
            case 18: v = std::fabs(im_); break;
            case 48: v = re * re; break;
            case 49: v = re * re + im_ * im_; break;
            case 50: v = im_ * im_; break;
            default: break;
            }
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    if (type == 16 || type == 17 || type == 18 || type == 48 || type == 49 || type == 50) {
        lo = std::log(lo + 1);
        hi = std::log(hi + 1);
    }
    const double half = (hi - lo) / 256 / 2;
    return {lo - half, hi + half};
}

uint32_t nextRandom(uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

TEST(Levels, FastRangeAndRenderingMatchElementByElementOnes) {
    const int32_t types[] = {MT_CHAR,  MT_UCHAR, MT_SHORT,    MT_USHORT,   MT_LONG,
                             MT_ULONG, MT_FLOAT, MT_DOUBLE, MT_COMPLEX8, MT_COMPLEX16};
    const int32_t displays[] = {0, 1, 2, 16, 17, 18, 48, 49, 50, IM_EQUALIZED};
    uint32_t state = 12345;
    for (int32_t type : types) {
        for (int32_t display : displays) {
            const int32_t w = 1 + int32_t(nextRandom(state) % 23);
            const int32_t h = 1 + int32_t(nextRandom(state) % 7);
            ImagePtr im = makeImage(w, h, type);
            MTHANDLE mt = IMGetDataHandle(im.get());
            for (int32_t y = 0; y < h; ++y)
                for (int32_t x = 0; x < w; ++x) {
                    // Zeros over part of every other row, as in a mask's background.
                    const bool background = y % 2 == 1 && x < 2 * w / 3;
                    MTSetReal(mt, x, y, background ? 0.0 : double(nextRandom(state) % 70000) - 20000.5);
                    MTSetImag(mt, x, y, double(nextRandom(state) % 3000) / 7.0 - 200);
                }
            IMSetDisplayType(im.get(), display);
            IMDefaultRange(im.get(), 0);
            const auto range = referenceRange(im.get());
            ASSERT_EQ(IMGetInitialValue(im.get()), range.first) << type << " " << display;
            ASSERT_EQ(IMGetFinalValue(im.get()), range.second) << type << " " << display;
            // Also a range that cuts values off at both ends.
            for (int pass = 0; pass < 2; ++pass) {
                if (pass == 1) {
                    const double lo = IMGetInitialValue(im.get()), hi = IMGetFinalValue(im.get());
                    IMSetInitialValue(im.get(), lo + (hi - lo) / 3);
                    IMSetFinalValue(im.get(), hi - (hi - lo) / 4);
                }
                IMPrepareBitmap(im.get());
                std::vector<int32_t> levels;
                std::vector<double> hist;
                referenceRender(im.get(), levels, hist);
                ASSERT_EQ(readLevels(im.get()), levels) << "type " << type << " display " << display;
                for (int k = 0; k < 256; ++k)
                    ASSERT_EQ(ARReal(IMGetHistogramHandle(im.get()), k), hist[size_t(k)]);
            }
        }
    }
}

TEST(Levels, RgbBitmapHoldsBlueGreenRed) {
    ImagePtr im = makeImage(2, 2, MT_RGB);
    IMSetRgb(im.get(), 1, 1, 0x00A1B2C3);
    IMPrepareBitmap(im.get());
    EXPECT_EQ(IMBmpRgbVal(im.get(), 1, 1), 0x00A1B2C3u);
    const auto* bits = static_cast<const uint8_t*>(IMGetBmpPointer(im.get()));
    EXPECT_EQ(bits[8 + 3], 0xC3); // row 1 starts at byte 8
    EXPECT_EQ(bits[8 + 4], 0xB2);
    EXPECT_EQ(bits[8 + 5], 0xA1);
    ImagePtr grey = makeImage(1, 1, MT_UCHAR);
    EXPECT_EQ(IMBmpRgbVal(grey.get(), 0, 0), 0u);
}

TEST(DefaultRange, QuickScanReadsOnlyTheMiddleRowAndColumn) {
    ImagePtr im = makeImage(5, 5, MT_FLOAT);
    IMSetReal(im.get(), 0, 0, 1000); // off the middle cross
    IMSetReal(im.get(), 4, 2, 8);    // middle row
    IMSetReal(im.get(), 2, 0, -8);   // middle column
    IMDefaultRange(im.get(), 1);
    EXPECT_EQ(IMGetInitialValue(im.get()), -8 - 16.0 / 512);
    EXPECT_EQ(IMGetFinalValue(im.get()), 8 + 16.0 / 512);
    IMDefaultRange(im.get(), 0);
    EXPECT_EQ(IMGetFinalValue(im.get()), 1000 + 1008.0 / 512);
}

TEST(DefaultRange, LogarithmicTypesTakeTheLogOfTheExtremes) {
    ImagePtr im = makeImage(2, 1, MT_COMPLEX16);
    IMSetComplex(im.get(), 1, 0, MTCOMPLEX{0, -(e * e - 1)});
    IMSetDisplayType(im.get(), IM_MODULUS_LOG);
    IMDefaultRange(im.get(), 0);
    EXPECT_DOUBLE_EQ(IMGetInitialValue(im.get()), -1.0 / 256);
    EXPECT_DOUBLE_EQ(IMGetFinalValue(im.get()), 2 + 1.0 / 256);
    // Power types: ln(imaginary^2 + 1) of the extremes 0 and 9.
    IMSetComplex(im.get(), 1, 0, MTCOMPLEX{0, 3});
    IMSetDisplayType(im.get(), IM_IMAGINARY_POWER_LOG);
    IMDefaultRange(im.get(), 0);
    EXPECT_DOUBLE_EQ(IMGetFinalValue(im.get()), std::log(10.0) * (1 + 1.0 / 512));
    IMSetDisplayType(im.get(), IM_IMAGINARY_LINEAR);
    IMDefaultRange(im.get(), 0);
    EXPECT_DOUBLE_EQ(IMGetFinalValue(im.get()), 3 + 3.0 / 512);
}

TEST(DefaultRange, RgbImagesKeepTheirRange) {
    ImagePtr im = makeImage(2, 1, MT_RGB);
    IMSetRgb(im.get(), 0, 0, 0xFFFFFF);
    IMSetInitialValue(im.get(), 3);
    IMDefaultRange(im.get(), 0);
    EXPECT_EQ(IMGetInitialValue(im.get()), 3);
}

TEST(ColourTable, NeutralSettingsGiveTheSourceColours) {
    ImagePtr im = makeImage(2, 2, MT_UCHAR);
    uint32_t table[256];
    EXPECT_EQ(IMGetPaletteArray(im.get(), table), 256);
    for (uint32_t i = 0; i < 256; ++i) ASSERT_EQ(table[i], i * 0x010101u);
    HPALETTE pal = IMGetPalette(im.get());
    ASSERT_NE(pal, nullptr);
    EXPECT_EQ(IMGetPaletteSize(pal), 256);
    EXPECT_EQ(IMGetPaletteEntry(pal, 77), 0x4D4D4Du);
    EXPECT_EQ(IMGetPaletteEntry(pal, 256), 0u);
    IMDeletePalette(pal);
}

uint32_t tableEntry(IMHANDLE im, int32_t i) {
    uint32_t table[256] = {};
    IMGetPaletteArray(im, table);
    return table[i];
}

TEST(ColourTable, BrightnessShiftsTheTable) {
    ImagePtr im = makeImage(2, 2, MT_UCHAR);
    IMSetBrightness(im.get(), 100);
    EXPECT_EQ(tableEntry(im.get(), 0), 0u); // not applied until IMSetPalette
    IMSetPalette(im.get(), nullptr);
    EXPECT_EQ(tableEntry(im.get(), 0), 0xC0C0C0u);   // 0 + 192
    EXPECT_EQ(tableEntry(im.get(), 62), 0xFEFEFEu);  // 254
    EXPECT_EQ(tableEntry(im.get(), 63), 0xFFFFFFu);  // 255 clamps
    IMSetBrightness(im.get(), -100);
    IMSetPalette(im.get(), nullptr);
    EXPECT_EQ(tableEntry(im.get(), 255), 0x3F3F3Fu); // 63
    EXPECT_EQ(tableEntry(im.get(), 192), 0u);
    EXPECT_EQ(tableEntry(im.get(), 100), 0u);
}

TEST(ColourTable, ContrastScalesAboutTheCentre) {
    ImagePtr im = makeImage(2, 2, MT_UCHAR);
    IMSetContrast(im.get(), 100); // factor e^5 = 148.41
    IMSetPalette(im.get(), nullptr);
    EXPECT_EQ(tableEntry(im.get(), 126), 0u);
    EXPECT_EQ(tableEntry(im.get(), 127), 0x353535u); // 53.29 -> 53
    EXPECT_EQ(tableEntry(im.get(), 128), 0xCACACAu); // 201.71 -> 202
    EXPECT_EQ(tableEntry(im.get(), 129), 0xFFFFFFu);
    IMSetContrast(im.get(), -100); // factor e^-5
    IMSetPalette(im.get(), nullptr);
    EXPECT_EQ(tableEntry(im.get(), 0), 0x7F7F7Fu);   // 126.64 -> 127
    EXPECT_EQ(tableEntry(im.get(), 255), 0x808080u); // 128.36 -> 128
}

TEST(ColourTable, FewColourImagesUseTheirOwnStep) {
    ImagePtr nib = makeImage(2, 2, MT_4BITS);
    IMSetBrightness(nib.get(), 100); // 0.12 per step: 12 entries
    IMSetPalette(nib.get(), nullptr);
    EXPECT_EQ(tableEntry(nib.get(), 0), 0xCCCCCCu);
    EXPECT_EQ(tableEntry(nib.get(), 3), 0xFFFFFFu);

    ImagePtr bin = makeImage(2, 2, MT_BINARY);
    IMSetBrightness(bin.get(), 20); // d = 0.4 for entry 0
    IMSetPalette(bin.get(), nullptr);
    EXPECT_EQ(tableEntry(bin.get(), 0), 0u);
    IMSetBrightness(bin.get(), 30); // d = 0.6
    IMSetPalette(bin.get(), nullptr);
    EXPECT_EQ(tableEntry(bin.get(), 0), 0xFFFFFFu);
}

TEST(ColourTable, NamedPaletteOfTheRightKindFromTheList) {
    const std::string path = ::testing::TempDir() + "qd_image_palettes.dat";
    std::remove(path.c_str());
    PMHANDLE pm = PMCreate(path.c_str());
    ASSERT_NE(pm, nullptr);
    ImagePtr im = makeImage(2, 2, MT_UCHAR);
    IMChangePaletteName(im.get(), "Fire (256)");
    IMSetPalette(im.get(), pm);
    EXPECT_EQ(tableEntry(im.get(), 200), 0xFF9100u);
    IMChangePaletteName(im.get(), "Fire (16)"); // wrong kind: the header's palette
    IMSetPalette(im.get(), pm);
    EXPECT_EQ(tableEntry(im.get(), 200), 0xC8C8C8u);

    ImagePtr nib = makeImage(2, 2, MT_4BITS);
    IMChangePaletteName(nib.get(), "Red (16)");
    IMSetPalette(nib.get(), pm);
    EXPECT_EQ(tableEntry(nib.get(), 15), 0xFF0000u);
    PMDestroy(pm);
    std::remove(path.c_str());
}

TEST(ColourTable, BasicPaletteCopiesTheImagesColourCount) {
    ImagePtr im = makeImage(2, 2, MT_BINARY);
    const uint32_t colours[2] = {0x123456, 0xABCDEF};
    IMHEADER* h = IMGetHeaderPointer(im.get());
    h->Palette[2] = 0x777777;
    IMSetBasicPalette(im.get(), colours);
    IMSetBasicPalette(im.get(), nullptr);
    EXPECT_EQ(h->Palette[0], 0x123456u);
    EXPECT_EQ(h->Palette[1], 0xABCDEFu);
    EXPECT_EQ(h->Palette[2], 0x777777u);
    IMSetPalette(im.get(), nullptr);
    EXPECT_EQ(tableEntry(im.get(), 1), 0xABCDEFu);
}

TEST(PixelSetters, TwoFiftySixColoursScaleBy256) {
    ImagePtr im = makeImage(3, 1, MT_FLOAT);
    IMChangeValueDomain(im.get(), 0, 255);
    EXPECT_EQ(IMSetRealPixel(im.get(), 1, 0, 200), 1);
    EXPECT_EQ(IMReal(im.get(), 1, 0), 200);
    EXPECT_EQ(IMBmpVal(im.get(), 1, 0), 201); // 200 * 256 / 255 = 200.78
    IMPrepareBitmap(im.get());
    EXPECT_EQ(IMBmpVal(im.get(), 1, 0), 200);
    // The histogram is left as the last rendering made it.
    const float before = static_cast<const float*>(IMGetHistoPointer(im.get()))[200];
    IMSetRealPixel(im.get(), 2, 0, 100);
    EXPECT_EQ(static_cast<const float*>(IMGetHistoPointer(im.get()))[200], before);
    EXPECT_EQ(IMBmpVal(im.get(), 2, 0), 100); // 100.39
}

TEST(PixelSetters, ValueIsReadBackByDisplayType) {
    ImagePtr im = makeImage(1, 1, MT_COMPLEX8);
    IMSetDisplayType(im.get(), IM_MODULUS_LINEAR);
    IMChangeValueDomain(im.get(), 0, 256);
    IMSetComplexPixel(im.get(), 0, 0, MTCOMPLEX{-30, 40});
    EXPECT_EQ(IMBmpVal(im.get(), 0, 0), 50);
    IMSetDisplayType(im.get(), IM_REAL_LOG);
    IMChangeValueDomain(im.get(), 0, 1);
    IMSetRealPixel(im.get(), 0, 0, -(e - 1)); // ln 2.718 = 1, t = 256
    EXPECT_EQ(IMBmpVal(im.get(), 0, 0), 255);
    IMChangeValueDomain(im.get(), 1, 1);
    IMSetRealPixel(im.get(), 0, 0, 3);
    EXPECT_EQ(IMBmpVal(im.get(), 0, 0), 0);
}

TEST(PixelSetters, FewColoursTakeTheValueItself) {
    ImagePtr nib = makeImage(4, 1, MT_4BITS);
    IMChangeValueDomain(nib.get(), 0, 100); // ignored by the setter
    IMSetRealPixel(nib.get(), 0, 0, 3.4);
    IMSetRealPixel(nib.get(), 1, 0, 14.6);
    IMSetRealPixel(nib.get(), 2, 0, 20);
    EXPECT_EQ(IMBmpVal(nib.get(), 0, 0), 3);
    EXPECT_EQ(IMBmpVal(nib.get(), 1, 0), 15);
    EXPECT_EQ(IMBmpVal(nib.get(), 2, 0), 15);
    EXPECT_EQ(IMSetComplexPixel(nib.get(), 3, 0, MTCOMPLEX{9, 0}), 1);
    EXPECT_EQ(IMReal(nib.get(), 3, 0), 9);
    EXPECT_EQ(IMBmpVal(nib.get(), 3, 0), 0); // no bitmap update
    ImagePtr bin = makeImage(2, 1, MT_BINARY);
    IMSetRealPixel(bin.get(), 1, 0, 1);
    EXPECT_EQ(IMBmpVal(bin.get(), 1, 0), 1);
}

TEST(PixelSetters, RgbOnlyThroughTheRgbSetter) {
    ImagePtr rgb = makeImage(1, 1, MT_RGB);
    EXPECT_NE(IMSetRealPixel(rgb.get(), 0, 0, 9), 0);
    EXPECT_EQ(IMRgb(rgb.get(), 0, 0), 0u);
    EXPECT_EQ(IMSetRGBPixel(rgb.get(), 0, 0, 0x010203), 1);
    EXPECT_EQ(IMBmpRgbVal(rgb.get(), 0, 0), 0x010203u);
    ImagePtr grey = makeImage(1, 1, MT_UCHAR);
    EXPECT_EQ(IMSetRGBPixel(grey.get(), 0, 0, 0x010203), 0);
    IMSetBmpVal(grey.get(), 0, 0, 300); // kept to 8 bits
    EXPECT_EQ(IMBmpVal(grey.get(), 0, 0), 300 & 255);
}

TEST(ValueHistogram, CountsTheWindowIntoBins) {
    ImagePtr im = makeImage(5, 1, MT_FLOAT);
    const double values[] = {0, 1, 2.5, 10, -3};
    for (int x = 0; x < 5; ++x) IMSetReal(im.get(), x, 0, values[x]);
    ARHANDLE ar = ARCreate(6, MT_FLOAT);
    ARSetReal(ar, 5, 99); // beyond count: untouched
    IMHistogram(im.get(), ar, 0, 4, 4);
    EXPECT_EQ(ARReal(ar, 0), 2); // 0 and -3
    EXPECT_EQ(ARReal(ar, 1), 1);
    EXPECT_EQ(ARReal(ar, 2), 1);
    EXPECT_EQ(ARReal(ar, 3), 1); // 10
    EXPECT_EQ(ARReal(ar, 5), 99);
    IMSetSelectedRect(im.get(), 2, 0, 4, 1);
    IMSelect(im.get(), 1);
    IMHistogram(im.get(), ar, 0, 4, 4);
    IMSelect(im.get(), 0);
    EXPECT_EQ(ARReal(ar, 0), 0);
    EXPECT_EQ(ARReal(ar, 2), 1);
    EXPECT_EQ(ARReal(ar, 3), 1);
    IMHistogram(im.get(), ar, 3, 3, 4); // empty bin width
    for (int k = 0; k < 4; ++k) EXPECT_EQ(ARReal(ar, k), 0);
    IMHistogram(im.get(), ar, 0, 100, 50); // more bins than the array holds
    EXPECT_EQ(ARReal(ar, 0), 3);
    EXPECT_EQ(ARReal(ar, 5), 1); // 10 falls in bin 5
    ARDestroy(ar);
}

} // namespace

namespace {

int pumpCalls = 0;
int32_t countingPump() {
    ++pumpCalls;
    return 0;
}

// Pump calls made by one action.
template <class F> int pumped(F&& action) {
    pumpCalls = 0;
    SetMessagePump(countingPump);
    action();
    SetMessagePump(nullptr);
    return pumpCalls;
}

TEST(MessagePump, LongPassesLetTheProgramBreathe) {
    ImagePtr im = makeImage(5, 3, MT_UCHAR);
    fillRamp(im.get(), 1);
    EXPECT_EQ(pumped([&] { IMDefaultRange(im.get(), 1); }), 0);
    EXPECT_GT(pumped([&] { IMDefaultRange(im.get(), 0); }), 0);
    EXPECT_GT(pumped([&] { IMPrepareBitmap(im.get()); }), 0);
    IMSetDisplayType(im.get(), IM_EQUALIZED);
    EXPECT_GT(pumped([&] { IMPrepareBitmap(im.get()); }), 0);
    IMChangeValueDomain(im.get(), 1, 1); // no range: one quick fill
    EXPECT_EQ(pumped([&] { IMPrepareBitmap(im.get()); }), 0);
    ImagePtr bin = makeImage(5, 3, MT_BINARY);
    EXPECT_EQ(pumped([&] { IMPrepareBitmap(bin.get()); }), 0);
    ImagePtr rgb = makeImage(5, 3, MT_RGB);
    EXPECT_GT(pumped([&] { IMPrepareBitmap(rgb.get()); }), 0);
    ARHANDLE ar = ARCreate(4, MT_FLOAT);
    EXPECT_EQ(pumped([&] { IMHistogram(im.get(), ar, 0, 8, 4); }), 5); // one per column
    ARDestroy(ar);
}

} // namespace
