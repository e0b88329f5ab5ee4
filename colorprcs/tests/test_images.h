// Small images built in code for the colour tests.
#pragma once

#include <qd/colorprcs.h>

#include <cstdint>
#include <memory>

namespace colourtest {

struct ImageDeleter {
    void operator()(QDImage* im) const { IMDestroy(im); }
};
using Image = std::unique_ptr<QDImage, ImageDeleter>;

struct MatrixDeleter {
    void operator()(QDMatrix* m) const { MTDestroy(m); }
};
using Matrix = std::unique_ptr<QDMatrix, MatrixDeleter>;

inline uint32_t pack(uint32_t r, uint32_t g, uint32_t b) { return r << 16 | g << 8 | b; }
inline uint32_t red(uint32_t rgb) { return rgb >> 16 & 255; }
inline uint32_t green(uint32_t rgb) { return rgb >> 8 & 255; }
inline uint32_t blue(uint32_t rgb) { return rgb & 255; }

// A true-colour image whose pixel (x, y) is colourAt(x, y).
template <class ColourAt> Image rgbImage(int32_t w, int32_t h, ColourAt colourAt) {
    MTHANDLE m = MTCreate(w, h, MT_RGB);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            MTSetRgb(m, x, y, colourAt(x, y));
    return Image(IMCreateFromMatrix(m));
}

// A grey matrix of the given type whose element (x, y) is valueAt(x, y).
template <class ValueAt> Matrix greyMatrix(int32_t w, int32_t h, int32_t type, ValueAt valueAt) {
    Matrix m(MTCreate(w, h, type));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            MTSetReal(m.get(), x, y, valueAt(x, y));
    return m;
}

// A rendered 256-colour image with range 0..255, so that an MT_UCHAR value v
// is shown at level v.
template <class ValueAt> Image levelImage(int32_t w, int32_t h, ValueAt valueAt) {
    Image im(IMCreateFromMatrix(greyMatrix(w, h, MT_UCHAR, valueAt).release()));
    IMSetInitialValue(im.get(), 0.0);
    IMSetFinalValue(im.get(), 255.0);
    IMPrepareBitmap(im.get());
    return im;
}

} // namespace colourtest
