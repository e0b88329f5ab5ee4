// Automatic and manual thresholds of what an image shows.
#include <qd/core/program_ops.h>

namespace qd {
namespace {

// 1 where keep(display level) holds, over the whole image.
template <class Keep> MTHANDLE thresholdShown(IMHANDLE source, Keep keep) {
    MTHANDLE bitmap = IMGetBmpBitsHandle(source);
    if (IMIsRgb(source) || !bitmap) return nullptr;
    const int32_t w = IMGetImageWidth(source), h = IMGetImageHeight(source);
    MTHANDLE out = MTCreate(w, h, MT_BINARY);
    if (!out) return nullptr;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) MTSetRealInt(out, x, y, keep(MTRealInt(bitmap, x, y)) ? 1 : 0);
    return out;
}

} // namespace

MTHANDLE autoThreshold(IMHANDLE source) {
    ARHANDLE histogram = IMGetHistogramHandle(source);
    if (!histogram) return nullptr;
    const int32_t t = ThresholdPun(histogram);
    return thresholdShown(source, [t](int32_t level) { return level >= t; });
}

MTHANDLE manualThreshold(IMHANDLE source, int32_t lower, int32_t upper) {
    return thresholdShown(source, [lower, upper](int32_t level) { return lower <= level && level <= upper; });
}

} // namespace qd
