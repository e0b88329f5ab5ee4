// Colour filters: channel by channel against the grey operations, and the
// two recombination rules worked out by hand.
#include <gtest/gtest.h>

#include <qd/fourier.h>
#include <qd/prcs.h>

#include <cmath>
#include <functional>
#include <vector>

#include "test_images.h"

using namespace colourtest;

namespace {

constexpr int32_t kW = 9, kH = 7;

// Three different grey pictures, so that swapped channels show.
double redAt(int32_t x, int32_t y) { return (x * 37 + y * 11) % 256; }
double greenAt(int32_t x, int32_t y) { return (x * x * 5 + y * 23) % 200; }
double blueAt(int32_t x, int32_t y) { return x == 4 && y == 3 ? 250 : (x + y) % 3 * 40; }

using Pattern = double (*)(int32_t, int32_t);
const Pattern kPatterns[3] = {redAt, greenAt, blueAt};

Image threeChannelImage() {
    return rgbImage(kW, kH, [](int32_t x, int32_t y) {
        return pack(uint32_t(redAt(x, y)), uint32_t(greenAt(x, y)), uint32_t(blueAt(x, y)));
    });
}

uint32_t channelOf(uint32_t rgb, int c) { return rgb >> (16 - 8 * c) & 255; }

// The scaled rule written out: trunc((v - lo) * 256 / (hi - lo) - 0.5) in 0..255.
uint32_t scaledByHand(double v, double lo, double hi) {
    const double t = std::trunc((v - lo) * 256 / (hi - lo) - 0.5);
    return t < 0 ? 0 : t > 255 ? 255 : uint32_t(t);
}

using ColourFilter = std::function<IMHANDLE(IMHANDLE)>;
using GreyFilter = std::function<MTHANDLE(MTHANDLE)>;

// Every channel of the colour result equals the grey operation on that
// channel, mapped by the recombination rule.
void expectChannelWise(const ColourFilter& colour, const GreyFilter& grey, bool scaled) {
    Image src = threeChannelImage();
    Image out(colour(src.get()));
    ASSERT_TRUE(out);
    MTHANDLE m = IMGetDataHandle(out.get());
    ASSERT_EQ(MTGetFlags(m), MT_RGB);
    ASSERT_EQ(MTGetWidth(m), kW);
    ASSERT_EQ(MTGetHeight(m), kH);
    for (int c = 0; c < 3; ++c) {
        Matrix channel = greyMatrix(kW, kH, MT_UCHAR, kPatterns[c]);
        Matrix want(grey(channel.get()));
        ASSERT_TRUE(want);
        for (int32_t y = 0; y < kH; ++y)
            for (int32_t x = 0; x < kW; ++x) {
                const uint32_t expected = scaled ? scaledByHand(MTReal(want.get(), x, y), 0, 256)
                                                 : uint32_t(MTRealInt(want.get(), x, y)) & 255;
                ASSERT_EQ(channelOf(MTRgb(m, x, y), c), expected)
                    << "channel " << c << " at " << x << ',' << y;
            }
    }
}

TEST(ColourFilters, DirectFiltersMatchTheGreyOperationPerChannel) {
    expectChannelWise([](IMHANDLE im) { return ColorMedianFilter2D(im, nullptr); },
                      [](MTHANDLE m) { return StMedianFilter2D(m, nullptr); }, false);
    expectChannelWise([](IMHANDLE im) { return ColorErosion2D(im, nullptr); },
                      [](MTHANDLE m) { return StErosion2D(m, nullptr); }, false);
    expectChannelWise([](IMHANDLE im) { return ColorDilation2D(im, nullptr); },
                      [](MTHANDLE m) { return StDilation2D(m, nullptr); }, false);
    expectChannelWise([](IMHANDLE im) { return ColorEdgeDetect2D(im, nullptr); },
                      [](MTHANDLE m) { return StEdgeDetect2D(m, nullptr); }, false);
}

TEST(ColourFilters, ScaledFiltersMatchTheGreyOperationPerChannel) {
    static const double sharpen[9] = {0, -1, 0, -1, 6, -1, 0, -1, 0};
    expectChannelWise(
        [](IMHANDLE im) { return ColorConvolution2D(im, 3, sharpen, 2.0, 0, 256, nullptr); },
        [](MTHANDLE m) { return SimpleConvolution2D(m, 3, sharpen, 2.0, nullptr); }, true);
    expectChannelWise(
        [](IMHANDLE im) { return ColorFTConvolution2D(im, 3, sharpen, 2.0, 0, 256, nullptr); },
        [](MTHANDLE m) { return Convolution2D(m, 3, sharpen, 2.0, nullptr); }, true);
    expectChannelWise([](IMHANDLE im) { return ColorFTLowPass2D(im, 0.4, 2, 1, 0, 256, nullptr); },
                      [](MTHANDLE m) { return BWLowPassFilter2D(m, 0.4, 2, nullptr); }, true);
    expectChannelWise([](IMHANDLE im) { return ColorFTLowPass2D(im, 0.4, 2, 0, 0, 256, nullptr); },
                      [](MTHANDLE m) { return LowPassFilter2D(m, 0.4, nullptr); }, true);
    expectChannelWise([](IMHANDLE im) { return ColorFTHighPass2D(im, 0.3, 1, 1, 0, 256, nullptr); },
                      [](MTHANDLE m) { return BWHighPassFilter2D(m, 0.3, 1, nullptr); }, true);
    expectChannelWise([](IMHANDLE im) { return ColorFTHighPass2D(im, 0.3, 1, 0, 0, 256, nullptr); },
                      [](MTHANDLE m) { return HighPassFilter2D(m, 0.3, nullptr); }, true);
    expectChannelWise(
        [](IMHANDLE im) { return ColorFTBandPass2D(im, 0.2, 0.7, 3, 1, 0, 256, nullptr); },
        [](MTHANDLE m) { return BWBandPassFilter2D(m, 0.2, 0.7, 3, nullptr); }, true);
    expectChannelWise(
        [](IMHANDLE im) { return ColorFTBandPass2D(im, 0.2, 0.7, 3, 0, 0, 256, nullptr); },
        [](MTHANDLE m) { return BandPassFilter2D(m, 0.2, 0.7, nullptr); }, true);
    expectChannelWise(
        [](IMHANDLE im) { return ColorFTHomomorphicFilter2D(im, 0.3, 0.5, 2.0, 2, 0, 256, nullptr); },
        [](MTHANDLE m) { return HomomorphicFilter2D(m, 0.3, 0.5, 2.0, 2, nullptr); }, true);
}

TEST(ColourFilters, EdgeDetectKeepsTheLowEightBits) {
    // Red steps by 16 (squared 256 -> 0), green by 17 (289 -> 33), blue by 3 (9).
    Image src = rgbImage(4, 1, [](int32_t x, int32_t) { return x < 2 ? 0u : pack(16, 17, 3); });
    Image out(ColorEdgeDetect2D(src.get(), nullptr));
    MTHANDLE m = IMGetDataHandle(out.get());
    // The rise at x = 1 and the wrap-around fall at x = 3; rows wrap onto
    // themselves and add nothing.
    const uint32_t step = pack(0, 33, 9);
    EXPECT_EQ(MTRgb(m, 0, 0), 0u);
    EXPECT_EQ(MTRgb(m, 1, 0), step);
    EXPECT_EQ(MTRgb(m, 2, 0), 0u);
    EXPECT_EQ(MTRgb(m, 3, 0), step);
}

TEST(ColourFilters, ScaledRecombinationRounding) {
    // A one-weight kernel passes each channel through unchanged, so the
    // colour result is the scaled rule applied to the source bytes.
    static const double identity[1] = {1.0};
    const uint32_t colours[4] = {pack(5, 11, 15), pack(30, 20, 10), pack(3, 2, 1), pack(255, 0, 128)};
    Image src = rgbImage(4, 1, [&](int32_t x, int32_t) { return colours[x]; });
    struct Range {
        double lo, hi;
    } ranges[] = {{10, 20}, {0, 512}, {0, 256}, {-256, 256}, {20, 10}};
    for (const Range& r : ranges) {
        Image out(ColorConvolution2D(src.get(), 1, identity, 1.0, r.lo, r.hi, nullptr));
        ASSERT_TRUE(out);
        for (int32_t x = 0; x < 4; ++x)
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(channelOf(IMRgb(out.get(), x, 0), c),
                          scaledByHand(channelOf(colours[x], c), r.lo, r.hi))
                    << r.lo << ".." << r.hi << " pixel " << x << " channel " << c;
    }
    // Hand-worked: over 10..20 the byte 15 gives 127.5 -> 127, 11 gives 25,
    // 5 gives 0 and 30 gives 255; over 0..512 the byte 3 gives 1, 2 gives 0.
    Image a(ColorConvolution2D(src.get(), 1, identity, 1.0, 10, 20, nullptr));
    EXPECT_EQ(IMRgb(a.get(), 0, 0), pack(0, 25, 127));
    EXPECT_EQ(IMRgb(a.get(), 1, 0), pack(255, 255, 0));
    Image b(ColorConvolution2D(src.get(), 1, identity, 1.0, 0, 512, nullptr));
    EXPECT_EQ(IMRgb(b.get(), 2, 0), pack(1, 0, 0));
}

TEST(ColourFilters, LowPassBoxMeanOfOneHundredGivesNinetyNine) {
    static const double box[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    Image src = rgbImage(5, 5, [](int32_t, int32_t) { return pack(100, 50, 1); });
    Image out(ColorConvolution2D(src.get(), 3, box, 9.0, 0, 256, nullptr));
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(IMRgb(out.get(), x, y), pack(99, 49, 0));
    // Ideal low pass at cutoff 0 leaves the mean: 40/60 checks have mean 50.
    Image checks = rgbImage(8, 6, [](int32_t x, int32_t y) { return pack(100, (x + y) % 2 ? 40 : 60, 1); });
    Image mean(ColorFTLowPass2D(checks.get(), 0.0, 1, 0, 0, 256, nullptr));
    for (int32_t y = 0; y < 6; ++y)
        for (int32_t x = 0; x < 8; ++x) EXPECT_EQ(IMRgb(mean.get(), x, y), pack(99, 49, 0));
}

TEST(ColourFilters, IdealBandPassTakesItsBoundsInEitherOrder) {
    Image src = threeChannelImage();
    Image upward(ColorFTBandPass2D(src.get(), 0.1, 0.8, 1, 0, -128, 128, nullptr));
    Image downward(ColorFTBandPass2D(src.get(), 0.8, 0.1, 1, 0, -128, 128, nullptr));
    int nonZero = 0;
    for (int32_t y = 0; y < kH; ++y)
        for (int32_t x = 0; x < kW; ++x) {
            ASSERT_EQ(IMRgb(upward.get(), x, y), IMRgb(downward.get(), x, y));
            nonZero += IMRgb(upward.get(), x, y) != pack(127, 127, 127);
        }
    EXPECT_GT(nonZero, 0); // not the empty band
}

TEST(ColourFilters, HomomorphicOfAConstantIsOne) {
    Image src = rgbImage(6, 4, [](int32_t, int32_t) { return pack(7, 90, 200); });
    Image out(ColorFTHomomorphicFilter2D(src.get(), 0.5, 0.5, 2.0, 1, 0, 2, nullptr));
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 6; ++x) EXPECT_EQ(IMRgb(out.get(), x, y), pack(127, 127, 127));
}

TEST(ColourFilters, PaletteImagesAreFilteredAsShown) {
    // Float values over 0..1 shown at levels 0..255 through a palette that
    // sends level k to (k, 255 - k, k / 2).
    Image src(IMCreateFromMatrix(
        greyMatrix(kW, kH, MT_FLOAT, [](int32_t x, int32_t y) { return redAt(x, y) / 255.0; }).release()));
    uint32_t palette[256];
    for (uint32_t k = 0; k < 256; ++k) palette[k] = pack(k, 255 - k, k / 2);
    IMSetBasicPalette(src.get(), palette);
    IMSetPalette(src.get(), nullptr);
    IMSetInitialValue(src.get(), 0.0);
    IMSetFinalValue(src.get(), 1.0);
    IMPrepareBitmap(src.get());

    Image out(ColorDilation2D(src.get(), nullptr));
    ASSERT_TRUE(out);
    MTHANDLE m = IMGetDataHandle(out.get());
    ASSERT_EQ(MTGetFlags(m), MT_RGB);
    // Each channel is the 3 x 3 wrap-around maximum of that channel's bytes.
    for (int32_t y = 0; y < kH; ++y)
        for (int32_t x = 0; x < kW; ++x) {
            uint32_t want[3] = {0, 0, 0};
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const uint32_t level = uint32_t(redAt((x + dx + kW) % kW, (y + dy + kH) % kH));
                    for (int c = 0; c < 3; ++c) want[c] = std::max(want[c], channelOf(palette[level], c));
                }
            ASSERT_EQ(MTRgb(m, x, y), pack(want[0], want[1], want[2])) << x << ',' << y;
        }
}

TEST(ColourFilters, WorkOnTheSelectionWindow) {
    Image src = threeChannelImage();
    ASSERT_TRUE(IMSetWindow(src.get(), 2, 1, 7, 5));
    Image out(ColorErosion2D(src.get(), nullptr));
    MTHANDLE m = IMGetDataHandle(out.get());
    ASSERT_EQ(MTGetWidth(m), 5);
    ASSERT_EQ(MTGetHeight(m), 4);
    // The window wraps onto itself: its own 3 x 3 minimum, red channel.
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 5; ++x) {
            double low = 1e9;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    low = std::min(low, redAt(2 + (x + dx + 5) % 5, 1 + (y + dy + 4) % 4));
            EXPECT_EQ(red(MTRgb(m, x, y)), uint32_t(low)) << x << ',' << y;
        }
}

TEST(ColourFilters, RefusalsLeaveOldAlone) {
    Image src = threeChannelImage();
    Image old(IMCreateFromMatrix(MTCreate(1, 1, MT_RGB)));
    static const double w[1] = {1.0};
    // An empty value range would divide by zero.
    EXPECT_EQ(ColorConvolution2D(src.get(), 1, w, 1.0, 5, 5, old.get()), nullptr);
    EXPECT_EQ(ColorFTLowPass2D(src.get(), 0.5, 1, 1, 3, 3, old.get()), nullptr);
    // The Fourier convolution refuses a kernel as large as the image.
    static const double big[225] = {};
    EXPECT_EQ(ColorFTConvolution2D(src.get(), 15, big, 1.0, 0, 256, old.get()), nullptr);
    EXPECT_EQ(ColorConvolution2D(src.get(), 3, nullptr, 1.0, 0, 256, old.get()), nullptr);
    EXPECT_EQ(ColorMedianFilter2D(nullptr, old.get()), nullptr);
    EXPECT_EQ(MTGetWidth(IMGetDataHandle(old.get())), 1);
    // Accepted, old goes (the leak check would see it otherwise), even when
    // old is the source itself.
    IMHANDLE mine = IMCreateFromMatrix(MTCreate(2, 2, MT_RGB));
    IMHANDLE out = ColorMedianFilter2D(mine, mine);
    ASSERT_NE(out, nullptr);
    IMDestroy(out);
}

} // namespace
