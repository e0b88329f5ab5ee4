#include "channels.h"

#include <cstdint>

#include "image_results.h"

namespace qd::colour {
namespace {

template <class ColourAt>
void fillChannels(ChannelSet& channels, int32_t width, int32_t height, ColourAt colourAt) {
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* red = rowOf<uint8_t>(channels.m[0], y);
        uint8_t* green = rowOf<uint8_t>(channels.m[1], y);
        uint8_t* blue = rowOf<uint8_t>(channels.m[2], y);
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t rgb = colourAt(x, y);
            red[x] = uint8_t(rgb >> 16);
            green[x] = uint8_t(rgb >> 8);
            blue[x] = uint8_t(rgb);
        }
    }
}

bool sameSize(MTHANDLE m, int32_t width, int32_t height) {
    return MTGetWidth(m) == width && MTGetHeight(m) == height;
}

} // namespace

bool splitChannels(IMHANDLE img, ChannelSet& channels) noexcept {
    MTHANDLE data = IMGetDataHandle(img);
    const int32_t width = MTGetWidth(data);
    const int32_t height = MTGetHeight(data);
    for (MTHANDLE& c : channels.m)
        if (!(c = MTCreate(width, height, MT_UCHAR))) return false;

    if (MTGetFlags(data) == MT_RGB) {
        fillChannels(channels, width, height,
                     [&](int32_t x, int32_t y) { return MTRgb(data, x, y); });
    } else {
        // Filtered as shown: the rendered level picks the colour.
        uint32_t palette[256] = {};
        IMGetPaletteArray(img, palette);
        fillChannels(channels, width, height,
                     [&](int32_t x, int32_t y) { return palette[IMBmpVal(img, x, y) & 255]; });
    }
    return true;
}

uint32_t scaledLevel(double v, double lo, double hi) noexcept {
    const double t = (v - lo) * 256.0 / (hi - lo) - 0.5;
    if (!(t >= 1.0)) return 0; // truncates to 0 or below, or NaN
    if (t >= 256.0) return 255;
    return uint32_t(t);
}

MTHANDLE recombine(const ChannelSet& results, int32_t width, int32_t height,
                   Recombination how) noexcept {
    for (MTHANDLE c : results.m)
        if (!sameSize(c, width, height)) return nullptr;
    MTHANDLE out = MTCreate(width, height, MT_RGB);
    if (!out) return nullptr;
    auto level = [&](MTHANDLE c, int32_t x, int32_t y) -> uint32_t {
        if (how.scaled) return scaledLevel(MTReal(c, x, y), how.lo, how.hi);
        return uint32_t(MTRealInt(c, x, y)) & 255u;
    };
    for (int32_t y = 0; y < height; ++y) {
        uint32_t* row = rowOf<uint32_t>(out, y);
        for (int32_t x = 0; x < width; ++x)
            row[x] = level(results.m[0], x, y) << 16 | level(results.m[1], x, y) << 8 |
                     level(results.m[2], x, y);
    }
    return out;
}

} // namespace qd::colour
