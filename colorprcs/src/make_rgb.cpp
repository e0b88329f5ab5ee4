#include <qd/colorprcs.h>

#include "image_results.h"

namespace qd::colour {
namespace {

// The display level of one channel image at (x, y). The sizes agree in full,
// but a caller may have left a selection window on an image: levels outside
// that window read as 0 rather than past the bitmap.
class LevelReader {
  public:
    explicit LevelReader(IMHANDLE im)
        : im_(im), width_(MTGetWidth(IMGetBmpBitsHandle(im))),
          height_(MTGetHeight(IMGetBmpBitsHandle(im))) {}
    uint32_t at(int32_t x, int32_t y) const {
        return x < width_ && y < height_ ? uint32_t(IMBmpVal(im_, x, y)) & 255u : 0u;
    }

  private:
    IMHANDLE im_;
    int32_t width_;
    int32_t height_;
};

} // namespace
} // namespace qd::colour

using namespace qd::colour;

extern "C" {

IMHANDLE ColorMakeRGB2D(IMHANDLE red, IMHANDLE green, IMHANDLE blue, IMHANDLE old) noexcept {
    if (!red || !green || !blue) return nullptr;
    MTHANDLE r = IMGetDataHandle(red);
    MTHANDLE g = IMGetDataHandle(green);
    MTHANDLE b = IMGetDataHandle(blue);
    const int32_t width = MTGetMaxXIndex(r);
    const int32_t height = MTGetMaxYIndex(r);
    if (MTGetMaxXIndex(g) != width || MTGetMaxXIndex(b) != width || MTGetMaxYIndex(g) != height ||
        MTGetMaxYIndex(b) != height)
        return nullptr;

    MTHANDLE out = MTCreate(width, height, MT_RGB);
    if (!out) return nullptr;
    const LevelReader levels[3] = {LevelReader(red), LevelReader(green), LevelReader(blue)};
    for (int32_t y = 0; y < height; ++y) {
        uint32_t* row = rowOf<uint32_t>(out, y);
        for (int32_t x = 0; x < width; ++x)
            row[x] = levels[0].at(x, y) << 16 | levels[1].at(x, y) << 8 | levels[2].at(x, y);
    }
    return finish(adoptMatrix(out), old);
}

} // extern "C"
