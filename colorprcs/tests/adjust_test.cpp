// HSI and brightness/contrast adjustments and RGB composition on images.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "test_images.h"

using namespace colourtest;

extern "C" int colorprcsCApiSmoke(void);

namespace {

const std::vector<uint32_t> kColours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF,
                                        0x808080, 0x000000, 0xFFFFFF, 0x102030, 0x7F3A11, 0x20C0A0};

// A 4 x 3 image holding kColours in row order.
Image paletteOfColours() {
    return rgbImage(4, 3, [](int32_t x, int32_t y) { return kColours[size_t(y * 4 + x)]; });
}

std::vector<uint32_t> pixels(IMHANDLE im) {
    MTHANDLE m = IMGetDataHandle(im);
    std::vector<uint32_t> out;
    for (int32_t y = 0; y < MTGetHeight(m); ++y)
        for (int32_t x = 0; x < MTGetWidth(m); ++x)
            out.push_back(MTRgb(m, x, y));
    return out;
}

bool withinOneStep(uint32_t a, uint32_t b) {
    return std::abs(int(red(a)) - int(red(b))) <= 1 &&
           std::abs(int(green(a)) - int(green(b))) <= 1 &&
           std::abs(int(blue(a)) - int(blue(b))) <= 1;
}

TEST(CApi, HeaderWorksFromC) { EXPECT_EQ(colorprcsCApiSmoke(), 1); }

TEST(Adjust, ZeroChangesKeepColours) {
    Image src = paletteOfColours();
    Image hsi(AdjustHSI(src.get(), 0, 0, 0, nullptr));
    Image bc(ChangeBrightnessAndContrast(src.get(), 0, 0, nullptr));
    ASSERT_TRUE(hsi && bc);
    EXPECT_EQ(MTGetFlags(IMGetDataHandle(hsi.get())), MT_RGB);
    const std::vector<uint32_t> a = pixels(hsi.get()), b = pixels(bc.get());
    ASSERT_EQ(a.size(), kColours.size());
    for (size_t k = 0; k < kColours.size(); ++k) {
        EXPECT_PRED2(withinOneStep, a[k], kColours[k]) << k;
        EXPECT_PRED2(withinOneStep, b[k], kColours[k]) << k;
    }
}

// Saturation, intensity, brightness and contrast keep the hue and take the
// inverse's cosines from a table; every colour must come out exactly as the
// conversion one pixel at a time gives it.
TEST(Adjust, HueKeepingChangesEqualTheConversionPixelByPixel) {
    // Every third level of each channel, the extremes included.
    Image src = rgbImage(97, 96 * 96, [](int32_t x, int32_t y) {
        auto level = [](int32_t k) { return uint32_t(std::min(255, k * 3 - (k == 95 ? 30 : 0))); };
        return level(x) << 16 | level(y % 96) << 8 | level(y / 96);
    });
    auto clamp01 = [](double v) { return float(std::clamp(v, 0.0, 1.0)); };
    struct Case {
        int32_t sat, inten, brightness, contrast;
        bool hsi;
    };
    for (const Case& c : {Case{0, 0, 0, 0, true}, Case{-35, 20, 0, 0, true}, Case{60, -45, 0, 0, true},
                          Case{0, 0, 25, 0, false}, Case{0, 0, -10, 40, false}}) {
        Image out(c.hsi ? AdjustHSI(src.get(), 0, c.sat, c.inten, nullptr)
                        : ChangeBrightnessAndContrast(src.get(), c.brightness, c.contrast, nullptr));
        ASSERT_TRUE(out);
        MTHANDLE in = IMGetDataHandle(src.get()), res = IMGetDataHandle(out.get());
        for (int32_t y = 0; y < MTGetHeight(in); ++y)
            for (int32_t x = 0; x < MTGetWidth(in); ++x) {
                float hsi[3];
                RGB2HSI(int32_t(MTRgb(in, x, y)), hsi);
                if (c.hsi) {
                    hsi[2] = clamp01((1.0 + c.inten / 100.0) * hsi[2]);
                    hsi[1] = clamp01((1.0 + c.sat / 100.0) * hsi[1]);
                } else {
                    hsi[2] = clamp01((hsi[2] + c.brightness / 100.0 - 0.5) * (c.contrast / 50.0 + 1.0) + 0.5);
                }
                ASSERT_EQ(MTRgb(res, x, y) & 0xFFFFFFu, uint32_t(HSI2RGB(hsi[0], hsi[1], hsi[2], nullptr)))
                    << std::hex << MTRgb(in, x, y) << " sat " << std::dec << c.sat << " inten " << c.inten
                    << " brightness " << c.brightness << " contrast " << c.contrast;
            }
    }
}

TEST(Adjust, HueIsScaledNotShifted) {
    Image src = rgbImage(6, 1, [](int32_t x, int32_t) {
        return std::vector<uint32_t>{
            0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF}[size_t(x)];
    });
    // -100: every hue becomes 0, red.
    Image none(AdjustHSI(src.get(), -100, 0, 0, nullptr));
    EXPECT_EQ(pixels(none.get()),
              (std::vector<uint32_t>{0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000}));
    // +100 doubles: green 2pi/3 -> blue, blue 4pi/3 -> 8pi/3 wraps to green,
    // yellow pi/3 -> green, cyan pi -> 2pi (red), magenta 5pi/3 wraps to blue.
    Image twice(AdjustHSI(src.get(), 100, 0, 0, nullptr));
    EXPECT_EQ(pixels(twice.get()),
              (std::vector<uint32_t>{0xFF0000, 0x0000FF, 0x00FF00, 0x00FF00, 0xFF0000, 0x0000FF}));
    // A hue factor beyond the dialog's range still lands on the circle:
    // x4 takes green to 8pi/3, which is green again.
    Image four(AdjustHSI(src.get(), 300, 0, 0, nullptr));
    EXPECT_EQ(pixels(four.get())[1], 0x00FF00u);
}

TEST(Adjust, SaturationAndIntensityScale) {
    Image src = paletteOfColours();
    Image grey(AdjustHSI(src.get(), 0, -100, 0, nullptr));
    const std::vector<uint32_t> greys = pixels(grey.get());
    for (size_t k = 0; k < kColours.size(); ++k) {
        const uint32_t c = kColours[k];
        const double mean = (red(c) + green(c) + blue(c)) / 3.0;
        EXPECT_EQ(red(greys[k]), green(greys[k])) << k;
        EXPECT_EQ(green(greys[k]), blue(greys[k])) << k;
        EXPECT_LE(std::abs(double(red(greys[k])) - mean), 0.51) << k;
    }
    Image dark = rgbImage(2, 1, [](int32_t x, int32_t) { return x ? 0x102030u : 0x202020u; });
    Image bright(AdjustHSI(dark.get(), 0, 0, 100, nullptr));
    EXPECT_PRED2(withinOneStep, pixels(bright.get())[0], 0x404040u);
    EXPECT_PRED2(withinOneStep, pixels(bright.get())[1], 0x204060u);
    // Intensity is clamped at 1: white stays white, whatever the factor.
    Image white = rgbImage(1, 1, [](int32_t, int32_t) { return 0xFFFFFFu; });
    Image whiter(AdjustHSI(white.get(), 0, 0, 100, nullptr));
    EXPECT_EQ(pixels(whiter.get())[0], 0xFFFFFFu);
}

TEST(Adjust, BrightnessAndContrastOnGreys) {
    Image src = rgbImage(3, 1, [](int32_t x, int32_t) {
        return std::vector<uint32_t>{0x404040, 0x646464, 0x000000}[size_t(x)];
    });
    // Brightness 25: I + 0.25, 64 -> 127.75 -> 128.
    EXPECT_EQ(pixels(Image(ChangeBrightnessAndContrast(src.get(), 25, 0, nullptr)).get())[0],
              0x808080u);
    // Contrast 100: factor 3 about the middle, 100 -> 3 * 100 - 255 = 45, 64 -> 0.
    const std::vector<uint32_t> steep =
        pixels(Image(ChangeBrightnessAndContrast(src.get(), 0, 100, nullptr)).get());
    EXPECT_EQ(steep[0], 0x000000u);
    EXPECT_EQ(steep[1], 0x2D2D2Du);
    // Contrast -100: factor -1 inverts, 64 -> 191, black -> white.
    const std::vector<uint32_t> inverted =
        pixels(Image(ChangeBrightnessAndContrast(src.get(), 0, -100, nullptr)).get());
    EXPECT_EQ(inverted[0], 0xBFBFBFu);
    EXPECT_EQ(inverted[2], 0xFFFFFFu);
}

TEST(Adjust, PaletteImageKeepsValuesAndCarriesDisplay) {
    Matrix values = greyMatrix(5, 4, MT_SHORT, [](int32_t x, int32_t y) { return x * 10 - y * 7; });
    Image src(IMCreateFromMatrix(values.release()));
    uint32_t palette[256];
    for (uint32_t k = 0; k < 256; ++k)
        palette[k] = pack(0, k, 0); // shades of green
    IMSetBasicPalette(src.get(), palette);
    IMSetPalette(src.get(), nullptr);
    IMSetDisplayType(src.get(), IM_REAL_LOG);
    IMSetInitialValue(src.get(), -21.0);
    IMSetFinalValue(src.get(), 40.0);
    // Selection window: the result covers columns 1..3 and rows 1..2.
    ASSERT_TRUE(IMSetWindow(src.get(), 1, 1, 4, 3));

    Image out(AdjustHSI(src.get(), -100, 0, 0, nullptr));
    ASSERT_TRUE(out);
    MTHANDLE m = IMGetDataHandle(out.get());
    EXPECT_EQ(MTGetFlags(m), MT_SHORT);
    ASSERT_EQ(MTGetWidth(m), 3);
    ASSERT_EQ(MTGetHeight(m), 2);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            EXPECT_EQ(MTReal(m, x, y), (x + 1) * 10 - (y + 1) * 7);
    // Hue 0: each green shade turns into the red of the same strength.
    const IMHEADER* h = IMGetHeaderPointer(out.get());
    EXPECT_EQ(h->Palette[0], 0u);
    EXPECT_EQ(h->Palette[255], 0xFF0000u);
    EXPECT_EQ(h->Palette[100], 0x640000u);
    EXPECT_EQ(IMGetDisplayType(out.get()), IM_REAL_LOG);
    EXPECT_EQ(IMGetInitialValue(out.get()), -21.0);
    EXPECT_EQ(IMGetFinalValue(out.get()), 40.0);

    // The adjustment starts from the colours shown, brightness included.
    Image grey(IMCreateFromMatrix(MTCreate(2, 2, MT_UCHAR)));
    IMSetBrightness(grey.get(), 100); // entry 0 shows source colour 192
    IMSetPalette(grey.get(), nullptr);
    Image kept(ChangeBrightnessAndContrast(grey.get(), 0, 0, nullptr));
    EXPECT_EQ(IMGetHeaderPointer(kept.get())->Palette[0], 0xC0C0C0u);
}

TEST(Adjust, OldImageIsDisposedOfEvenWhenItIsTheSource) {
    Image src = paletteOfColours();
    IMHANDLE old = IMCreateFromMatrix(MTCreate(2, 2, MT_RGB));
    Image out(AdjustHSI(src.get(), 10, 10, 10, old)); // leak check covers old
    ASSERT_TRUE(out);
    IMHANDLE replaced = ChangeBrightnessAndContrast(out.get(), 5, 5, out.get());
    ASSERT_TRUE(replaced);
    (void)out.release(); // destroyed by the call
    Image keep(replaced);
    EXPECT_EQ(pixels(keep.get()).size(), kColours.size());
    EXPECT_EQ(AdjustHSI(nullptr, 0, 0, 0, nullptr), nullptr);
}

TEST(MakeRgb, ChannelsComeFromDisplayLevels) {
    Image r = levelImage(3, 2, [](int32_t x, int32_t y) { return 10 * x + y; });
    Image g = levelImage(3, 2, [](int32_t x, int32_t) { return 200 + x; });
    // A float image shown over 0..1: the value 0.5 is level 128, not 0.
    Image b(IMCreateFromMatrix(
        greyMatrix(3, 2, MT_FLOAT, [](int32_t x, int32_t) { return x * 0.5; }).release()));
    IMSetInitialValue(b.get(), 0.0);
    IMSetFinalValue(b.get(), 1.0);
    IMPrepareBitmap(b.get());

    IMHANDLE old = IMCreateFromMatrix(MTCreate(1, 1, MT_UCHAR));
    Image out(ColorMakeRGB2D(r.get(), g.get(), b.get(), old));
    ASSERT_TRUE(out);
    MTHANDLE m = IMGetDataHandle(out.get());
    ASSERT_EQ(MTGetFlags(m), MT_RGB);
    const uint32_t blueLevels[3] = {0, 128, 255};
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            EXPECT_EQ(MTRgb(m, x, y), pack(uint32_t(10 * x + y), uint32_t(200 + x), blueLevels[x]));
}

TEST(MakeRgb, SizesMustAgree) {
    Image a = levelImage(3, 2, [](int32_t, int32_t) { return 1; });
    Image wide = levelImage(4, 2, [](int32_t, int32_t) { return 1; });
    Image tall = levelImage(3, 3, [](int32_t, int32_t) { return 1; });
    Image old(IMCreateFromMatrix(MTCreate(1, 1, MT_UCHAR))); // kept on refusal
    EXPECT_EQ(ColorMakeRGB2D(a.get(), wide.get(), a.get(), old.get()), nullptr);
    EXPECT_EQ(ColorMakeRGB2D(a.get(), a.get(), tall.get(), old.get()), nullptr);
    EXPECT_EQ(MTGetWidth(IMGetDataHandle(old.get())), 1);
}

} // namespace
