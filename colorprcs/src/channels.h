// Splitting a colour image into three grey channels and joining three grey
// results into a true-colour matrix.
#pragma once

#include <qd/image.h>

namespace qd::colour {

// Red, green and blue, destroyed with the set.
struct ChannelSet {
    MTHANDLE m[3] = {nullptr, nullptr, nullptr};
    ChannelSet() = default;
    ChannelSet(const ChannelSet&) = delete;
    ChannelSet& operator=(const ChannelSet&) = delete;
    ~ChannelSet() {
        for (MTHANDLE c : m) MTDestroy(c);
    }
};

// MT_UCHAR channels of the data matrix's window: the bytes of a true-colour
// pixel, or of the palette colour a palette image shows at that pixel.
bool splitChannels(IMHANDLE img, ChannelSet& channels) noexcept;

// How channel results become bytes: their low 8 bits, or the range lo..hi
// spread over 0..255.
struct Recombination {
    bool scaled;
    double lo;
    double hi;
};

// A new MT_RGB matrix of the given size, or null when a result has another
// size or memory runs out.
MTHANDLE recombine(const ChannelSet& results, int32_t width, int32_t height,
                   Recombination how) noexcept;

// trunc((v - lo) * 256 / (hi - lo) - 0.5) clamped to 0..255; NaN gives 0.
uint32_t scaledLevel(double v, double lo, double hi) noexcept;

} // namespace qd::colour
