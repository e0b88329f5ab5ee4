// Grey scale, colour channels, background subtraction and statistics lines,
// computed the way the image commands do.
#include <qd/core/program_ops.h>

#include <cmath>
#include <cstdio>

namespace qd {
namespace {

uint32_t redOf(uint32_t c) { return (c >> 16) & 255; }
uint32_t greenOf(uint32_t c) { return (c >> 8) & 255; }
uint32_t blueOf(uint32_t c) { return c & 255; }

// Builds a new 8- or 4-bit image over the source's window from the colour
// each pixel shows, reduced to one level by pick(colour).
template <class Pick> IMHANDLE shownColourImage(IMHANDLE source, Pick pick) {
    MTHANDLE data = IMGetDataHandle(source);
    const int32_t type = MTGetFlags(data);
    if (type == MT_BINARY) return nullptr;
    const bool rgb = type == MT_RGB;
    const bool fourBits = type == MT_4BITS;
    const int32_t w = MTGetWidth(data), h = MTGetHeight(data);
    MTHANDLE out = MTCreate(w, h, fourBits ? MT_4BITS : MT_UCHAR);
    if (!out) return nullptr;
    uint32_t palette[256] = {};
    if (!rgb) IMGetPaletteArray(source, palette);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const uint32_t colour = rgb ? MTRgb(data, x, y) : palette[IMBmpVal(source, x, y) & 255];
            const double level = pick(colour) / (fourBits ? 17.0 : 1.0) + 0.5;
            MTSetRealInt(out, x, y, int32_t(level));
        }
    IMHANDLE im = IMCreateFromMatrix(out);
    if (!im) {
        MTDestroy(out);
        return nullptr;
    }
    IMSetInitialValue(im, 0.0);
    IMSetFinalValue(im, fourBits ? 16.0 : 256.0);
    return im;
}

} // namespace

IMHANDLE greyScaleImage(IMHANDLE source) {
    IMHANDLE im = shownColourImage(source, [](uint32_t c) {
        return double(redOf(c) + greenOf(c) + blueOf(c)) / 3.0;
    });
    if (im) IMPrepareBitmap(im);
    return im;
}

MTHANDLE shownColourMatrix(IMHANDLE source) {
    MTHANDLE data = IMGetDataHandle(source);
    if (MTGetFlags(data) == MT_RGB) return nullptr;
    const int32_t w = MTGetWidth(data), h = MTGetHeight(data);
    MTHANDLE out = MTCreate(w, h, MT_RGB);
    if (!out) return nullptr;
    uint32_t palette[256] = {};
    IMGetPaletteArray(source, palette);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) MTSetRgb(out, x, y, palette[IMBmpVal(source, x, y) & 255]);
    return out;
}

IMHANDLE channelImage(IMHANDLE source, ColourChannel channel, PMHANDLE palettes) {
    uint32_t (*pick)(uint32_t) = channel == ColourChannel::Red     ? redOf
                                 : channel == ColourChannel::Green ? greenOf
                                                                   : blueOf;
    IMHANDLE im = shownColourImage(source, [pick](uint32_t c) { return double(pick(c)); });
    if (!im) return nullptr;
    const bool fourBits = IMGetNumPaletteColors(im) == 16;
    static const char* const names[3][2] = {{"Red (256)", "Red (16)"},
                                            {"Green (256)", "Green (16)"},
                                            {"Blue (256)", "Blue (16)"}};
    IMChangePaletteName(im, names[int(channel)][fourBits ? 1 : 0]);
    IMSetPalette(im, palettes);
    IMPrepareBitmap(im);
    return im;
}

MTHANDLE backgroundSubtract(MTHANDLE source, int32_t count, bool dilation,
                            const MMKERNEL& kernel) {
    if (!source || count < 1) return nullptr;
    MTHANDLE last = nullptr;
    for (int32_t i = 0; i < count; ++i) {
        MTHANDLE from = last ? last : source;
        MTHANDLE next = dilation ? Dilation2D(from, &kernel, nullptr) : Erosion2D(from, &kernel, nullptr);
        if (last) MTDestroy(last);
        if (!next) return nullptr;
        last = next;
    }
    const int32_t w = MTGetWidth(source), h = MTGetHeight(source);
    MTHANDLE out = nullptr;
    if (MTGetWidth(last) == w && MTGetHeight(last) == h)
        out = MTCreate(w, h, dilation ? MTGetFlags(source) : MT_FLOAT);
    if (out) {
        for (int32_t x = 0; x < w; ++x) {
            for (int32_t y = 0; y < h; ++y) {
                const double s = MTReal(source, x, y), b = MTReal(last, x, y);
                MTSetReal(out, x, y, dilation ? b - s : s - b);
            }
            ProcessMessage();
        }
    }
    MTDestroy(last);
    return out;
}

double standardDeviation(double variance) {
    if (std::isnan(variance)) return variance;
    return variance > 0.0 ? std::sqrt(variance) : 0.0;
}

long long wholeNumber(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 9.2e18) return 9200000000000000000LL;
    if (value <= -9.2e18) return -9200000000000000000LL;
    return static_cast<long long>(value);
}

namespace {
template <class... Args> std::string format(const char* pattern, Args... args) {
    char line[256];
    std::snprintf(line, sizeof line, pattern, args...);
    return line;
}
} // namespace

std::string sumLine(double sum) { return format("sum : %.5e", sum); }

std::string meanLine(double mean, double variance) {
    return format("mean : %.5e   standard deviation : %.5e", mean, standardDeviation(variance));
}

std::string minMaxLine(double min, double max, bool integer) {
    if (integer) return format("minimum : %lld   maximum : %lld", wholeNumber(min), wholeNumber(max));
    return format("minimum : %.5e   maximum : %.5e", min, max);
}

std::vector<std::string> statisticsLines(const StatisticsRecord& stats, bool integer) {
    return {sumLine(stats.sum), meanLine(stats.mean, stats.variance),
            minMaxLine(stats.min, stats.max, integer)};
}

} // namespace qd
