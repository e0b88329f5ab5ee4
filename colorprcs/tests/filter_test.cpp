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

const double kSharpen[9] = {0, -1, 0, -1, 6, -1, 0, -1, 0};

TEST(ColourFilters, EachMatchesItsGreyOperationPerChannel) {
    struct Case {
        ColourFilter colour;
        GreyFilter grey;
        bool scaled;
    } cases[] = {
        {[](IMHANDLE i) { return ColorMedianFilter2D(i, nullptr); },
         [](MTHANDLE m) { return StMedianFilter2D(m, nullptr); }, false},
        {[](IMHANDLE i) { return ColorErosion2D(i, nullptr); },
         [](MTHANDLE m) { return StErosion2D(m, nullptr); }, false},
        {[](IMHANDLE i) { return ColorDilation2D(i, nullptr); },
         [](MTHANDLE m) { return StDilation2D(m, nullptr); }, false},
        {[](IMHANDLE i) { return ColorEdgeDetect2D(i, nullptr); },
         [](MTHANDLE m) { return StEdgeDetect2D(m, nullptr); }, false},
        {[](IMHANDLE i) { return ColorConvolution2D(i, 3, kSharpen, 2.0, 0, 256, nullptr); },
         [](MTHANDLE m) { return SimpleConvolution2D(m, 3, kSharpen, 2.0, nullptr); }, true},
        {[](IMHANDLE i) { return ColorFTConvolution2D(i, 3, kSharpen, 2.0, 0, 256, nullptr); },
         [](MTHANDLE m) { return Convolution2D(m, 3, kSharpen, 2.0, nullptr); }, true},
        {[](IMHANDLE i) { return ColorFTLowPass2D(i, 0.4, 2, 1, 0, 256, nullptr); },
         [](MTHANDLE m) { return BWLowPassFilter2D(m, 0.4, 2, nullptr); }, true},
        {[](IMHANDLE i) { return ColorFTLowPass2D(i, 0.4, 2, 0, 0, 256, nullptr); },
         [](MTHANDLE m) { return LowPassFilter2D(m, 0.4, nullptr); }, true},
        {[](IMHANDLE i) { return ColorFTHighPass2D(i, 0.3, 1, 1, 0, 256, nullptr); },
         [](MTHANDLE m) { return BWHighPassFilter2D(m, 0.3, 1, nullptr); }, true},
        {[](IMHANDLE i) { return ColorFTHighPass2D(i, 0.3, 1, 0, 0, 256, nullptr); },
         [](MTHANDLE m) { return HighPassFilter2D(m, 0.3, nullptr); }, true},
        {[](IMHANDLE i) { return ColorFTBandPass2D(i, 0.2, 0.7, 3, 1, 0, 256, nullptr); },
         [](MTHANDLE m) { return BWBandPassFilter2D(m, 0.2, 0.7, 3, nullptr); }, true},
        {[](IMHANDLE i) { return ColorFTBandPass2D(i, 0.2, 0.7, 3, 0, 0, 256, nullptr); },
         [](MTHANDLE m) { return BandPassFilter2D(m, 0.2, 0.7, nullptr); }, true},
        {[](IMHANDLE i) {
             return ColorFTHomomorphicFilter2D(i, 0.3, 0.5, 2.0, 2, 0, 256, nullptr);
         },
         [](MTHANDLE m) { return HomomorphicFilter2D(m, 0.3, 0.5, 2.0, 2, nullptr); }, true},
    };
    for (size_t k = 0; k < std::size(cases); ++k) {
        SCOPED_TRACE(k);
        expectChannelWise(cases[k].colour, cases[k].grey, cases[k].scaled);
    }
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
    // A one-weight kernel passes each byte through, so the result is the
    // scaled rule alone: over 10..20 the byte 15 gives 127.5 -> 127, 11 gives
    // 25.1 -> 25, 5 and 30 fall outside; over 0..512 the byte 3 gives 1.
    static const double identity[1] = {1.0};
    Image src =
        rgbImage(2, 1, [&](int32_t x, int32_t) { return x ? pack(30, 3, 2) : pack(5, 11, 15); });
    Image a(ColorConvolution2D(src.get(), 1, identity, 1.0, 10, 20, nullptr));
    EXPECT_EQ(IMRgb(a.get(), 0, 0), pack(0, 25, 127));
    EXPECT_EQ(IMRgb(a.get(), 1, 0), pack(255, 0, 0));
    Image b(ColorConvolution2D(src.get(), 1, identity, 1.0, 0, 512, nullptr));
    EXPECT_EQ(IMRgb(b.get(), 1, 0), pack(14, 1, 0));
}

TEST(ColourFilters, LowPassBoxMeanOfOneHundredGivesNinetyNine) {
    static const double box[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    Image src = rgbImage(5, 5, [](int32_t, int32_t) { return pack(100, 50, 1); });
    Image out(ColorConvolution2D(src.get(), 3, box, 9.0, 0, 256, nullptr));
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 5; ++x)
            EXPECT_EQ(IMRgb(out.get(), x, y), pack(99, 49, 0));
    // Ideal low pass at cutoff 0 leaves the mean: 40/60 checks have mean 50.
    Image checks =
        rgbImage(8, 6, [](int32_t x, int32_t y) { return pack(100, (x + y) % 2 ? 40 : 60, 1); });
    Image mean(ColorFTLowPass2D(checks.get(), 0.0, 1, 0, 0, 256, nullptr));
    for (int32_t y = 0; y < 6; ++y)
        for (int32_t x = 0; x < 8; ++x)
            EXPECT_EQ(IMRgb(mean.get(), x, y), pack(99, 49, 0));
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

// On a 3 x 3 picture every wrap-around window holds all nine pixels, so a
// dilation gives each channel's maximum everywhere.
TEST(ColourFilters, PaletteImagesAreFilteredAsShown) {
    // Values v / 255 shown over 0..1 at level v; level k shows (k, 255 - k, k / 2).
    Image src(IMCreateFromMatrix(greyMatrix(3, 3, MT_FLOAT, [](int32_t x, int32_t y) {
                                     return (10 + 30 * x + y) / 255.0;
                                 }).release()));
    uint32_t palette[256];
    for (uint32_t k = 0; k < 256; ++k)
        palette[k] = pack(k, 255 - k, k / 2);
    IMSetBasicPalette(src.get(), palette);
    IMSetPalette(src.get(), nullptr);
    IMSetFinalValue(src.get(), 1.0);
    IMPrepareBitmap(src.get());
    Image out(ColorDilation2D(src.get(), nullptr));
    ASSERT_EQ(MTGetFlags(IMGetDataHandle(out.get())), MT_RGB);
    EXPECT_EQ(IMRgb(out.get(), 1, 2), pack(72, 245, 36)); // levels 10..72
}

TEST(ColourFilters, WorkOnTheSelectionWindow) {
    Image src = threeChannelImage();
    ASSERT_TRUE(IMSetWindow(src.get(), 2, 1, 5, 4));
    Image out(ColorErosion2D(src.get(), nullptr));
    ASSERT_EQ(MTGetWidth(IMGetDataHandle(out.get())), 3);
    ASSERT_EQ(MTGetHeight(IMGetDataHandle(out.get())), 3);
    double low[3] = {1e9, 1e9, 1e9};
    for (int32_t y = 1; y < 4; ++y)
        for (int32_t x = 2; x < 5; ++x)
            for (int c = 0; c < 3; ++c)
                low[c] = std::min(low[c], kPatterns[c](x, y));
    EXPECT_EQ(IMRgb(out.get(), 0, 0), pack(uint32_t(low[0]), uint32_t(low[1]), uint32_t(low[2])));
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
