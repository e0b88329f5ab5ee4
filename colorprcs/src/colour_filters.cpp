#include <qd/colorprcs.h>
#include <qd/fourier.h>
#include <qd/prcs.h>

#include <algorithm>

#include "channels.h"
#include "image_results.h"

namespace qd::colour {
namespace {

constexpr Recombination kLowBits{false, 0.0, 0.0};

Recombination scaled(double lo, double hi) { return Recombination{true, lo, hi}; }

// Runs a grey operation on the red, green and blue channels of img and joins
// the three results. Null when a channel cannot be made or filtered.
template <class GreyOp>
IMHANDLE filterChannels(IMHANDLE img, IMHANDLE old, Recombination how, GreyOp op) noexcept {
    if (!img) return nullptr;
    if (how.scaled && how.lo == how.hi) return nullptr; // no range to spread
    ChannelSet channels;
    if (!splitChannels(img, channels)) return nullptr;
    const int32_t width = MTGetWidth(channels.m[0]);
    const int32_t height = MTGetHeight(channels.m[0]);

    ChannelSet results;
    for (int c = 0; c < 3; ++c) {
        results.m[c] = op(channels.m[c]);
        MTDestroy(channels.m[c]);
        channels.m[c] = nullptr;
        if (!results.m[c]) return nullptr;
    }
    return finish(adoptMatrix(recombine(results, width, height, how)), old);
}

} // namespace
} // namespace qd::colour

using namespace qd::colour;

extern "C" {

IMHANDLE ColorMedianFilter2D(IMHANDLE img, IMHANDLE old) noexcept {
    return filterChannels(img, old, kLowBits,
                          [](MTHANDLE c) { return StMedianFilter2D(c, nullptr); });
}

IMHANDLE ColorErosion2D(IMHANDLE img, IMHANDLE old) noexcept {
    return filterChannels(img, old, kLowBits, [](MTHANDLE c) { return StErosion2D(c, nullptr); });
}

IMHANDLE ColorDilation2D(IMHANDLE img, IMHANDLE old) noexcept {
    return filterChannels(img, old, kLowBits, [](MTHANDLE c) { return StDilation2D(c, nullptr); });
}

IMHANDLE ColorEdgeDetect2D(IMHANDLE img, IMHANDLE old) noexcept {
    return filterChannels(img, old, kLowBits,
                          [](MTHANDLE c) { return StEdgeDetect2D(c, nullptr); });
}

IMHANDLE ColorConvolution2D(IMHANDLE img, int32_t N, const double* weights, double divisor,
                            double lo, double hi, IMHANDLE old) noexcept {
    if (!weights || N < 1) return nullptr;
    return filterChannels(img, old, scaled(lo, hi), [=](MTHANDLE c) {
        return SimpleConvolution2D(c, N, weights, divisor, nullptr);
    });
}

IMHANDLE ColorFTConvolution2D(IMHANDLE img, int32_t N, const double* weights, double divisor,
                              double lo, double hi, IMHANDLE old) noexcept {
    if (!weights || N < 1) return nullptr;
    return filterChannels(img, old, scaled(lo, hi), [=](MTHANDLE c) {
        return Convolution2D(c, N, weights, divisor, nullptr);
    });
}

IMHANDLE ColorFTLowPass2D(IMHANDLE img, double cutoff, int32_t order, int32_t butterworth,
                          double lo, double hi, IMHANDLE old) noexcept {
    return filterChannels(img, old, scaled(lo, hi), [=](MTHANDLE c) {
        return butterworth ? BWLowPassFilter2D(c, cutoff, order, nullptr)
                           : LowPassFilter2D(c, cutoff, nullptr);
    });
}

IMHANDLE ColorFTHighPass2D(IMHANDLE img, double cutoff, int32_t order, int32_t butterworth,
                           double lo, double hi, IMHANDLE old) noexcept {
    return filterChannels(img, old, scaled(lo, hi), [=](MTHANDLE c) {
        return butterworth ? BWHighPassFilter2D(c, cutoff, order, nullptr)
                           : HighPassFilter2D(c, cutoff, nullptr);
    });
}

IMHANDLE ColorFTBandPass2D(IMHANDLE img, double lower, double upper, int32_t order,
                           int32_t butterworth, double lo, double hi, IMHANDLE old) noexcept {
    // The program hands the upper cutoff first; the ideal band would then be
    // empty. The Butterworth band does not mind the order.
    const double inner = std::min(lower, upper);
    const double outer = std::max(lower, upper);
    return filterChannels(img, old, scaled(lo, hi), [=](MTHANDLE c) {
        return butterworth ? BWBandPassFilter2D(c, lower, upper, order, nullptr)
                           : BandPassFilter2D(c, inner, outer, nullptr);
    });
}

IMHANDLE ColorFTHomomorphicFilter2D(IMHANDLE img, double cutoff, double lowGain, double highGain,
                                    int32_t order, double lo, double hi, IMHANDLE old) noexcept {
    return filterChannels(img, old, scaled(lo, hi), [=](MTHANDLE c) {
        return HomomorphicFilter2D(c, cutoff, lowGain, highGain, order, nullptr);
    });
}

} // extern "C"
