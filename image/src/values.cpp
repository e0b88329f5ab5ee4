// Values: forwarding to the data matrix, the pixel setters that keep the
// bitmap in step, and values as text.
#include <cstdio>

#include "image_object.h"
#include "pixel_reader.h"

using namespace qd::image;

namespace {

// The pixel setters' own rule for 256 colours: the value is read back from
// the data by display type and scaled by 256 (not 255) over the range.
int32_t pixelLevel(const QDImage& im, int32_t x, int32_t y) {
    const double r = im.range();
    if (!(r > 0)) return 0;
    const MTCOMPLEX z = MTComplex(im.data, x, y);
    const double v = withDisplayType(im.header.DisplayType, false, [&](auto d) {
        return displayValue(decltype(d)::value, z.re, z.im);
    });
    return level256((v - im.header.InitialValue) * (256.0 / r));
}

} // namespace

int32_t QDImage::setRealPixel(int32_t x, int32_t y, double v) {
    if (isRgb()) return 1;
    MTSetReal(data, x, y, v);
    const int32_t n = paletteColors();
    // 2 and 16 colours take the given value itself as the level.
    setBmpVal(x, y, n < 256 ? levelN(v, n, n - 0.5) : pixelLevel(*this, x, y));
    return 1;
}

int32_t QDImage::setComplexPixel(int32_t x, int32_t y, MTCOMPLEX v) {
    if (isRgb()) return 1;
    MTSetComplex(data, x, y, v);
    if (paletteColors() == 256) setBmpVal(x, y, pixelLevel(*this, x, y));
    return 1;
}

int32_t QDImage::setRgbPixel(int32_t x, int32_t y, uint32_t rgb) {
    if (!isRgb()) return 0;
    MTSetRgb(data, x, y, rgb);
    setBmpRgbVal(x, y, rgb);
    return 1;
}

extern "C" {

int32_t IMIsRgb(IMHANDLE im) noexcept { return MTIsRgb(im->data); }
double IMReal(IMHANDLE im, int32_t x, int32_t y) noexcept { return MTReal(im->data, x, y); }
double IMImag(IMHANDLE im, int32_t x, int32_t y) noexcept { return MTImag(im->data, x, y); }
MTCOMPLEX IMComplex(IMHANDLE im, int32_t x, int32_t y) noexcept {
    return MTComplex(im->data, x, y);
}
double IMNorm(IMHANDLE im, int32_t x, int32_t y) noexcept { return MTNorm(im->data, x, y); }
uint32_t IMRgb(IMHANDLE im, int32_t x, int32_t y) noexcept { return MTRgb(im->data, x, y); }
int32_t IMRealInt(IMHANDLE im, int32_t x, int32_t y) noexcept {
    return MTRealInt(im->data, x, y);
}
int32_t IMImagInt(IMHANDLE im, int32_t x, int32_t y) noexcept {
    return MTImagInt(im->data, x, y);
}
void IMSetReal(IMHANDLE im, int32_t x, int32_t y, double v) noexcept {
    MTSetReal(im->data, x, y, v);
}
void IMSetImag(IMHANDLE im, int32_t x, int32_t y, double v) noexcept {
    MTSetImag(im->data, x, y, v);
}
void IMSetComplex(IMHANDLE im, int32_t x, int32_t y, MTCOMPLEX v) noexcept {
    MTSetComplex(im->data, x, y, v);
}
void IMSetRealInt(IMHANDLE im, int32_t x, int32_t y, int32_t v) noexcept {
    MTSetRealInt(im->data, x, y, v);
}
void IMSetImagInt(IMHANDLE im, int32_t x, int32_t y, int32_t v) noexcept {
    MTSetImagInt(im->data, x, y, v);
}
void IMSetRgb(IMHANDLE im, int32_t x, int32_t y, uint32_t rgb) noexcept {
    MTSetRgb(im->data, x, y, rgb);
}

int32_t IMSetRealPixel(IMHANDLE im, int32_t x, int32_t y, double v) noexcept {
    return im->setRealPixel(x, y, v);
}
int32_t IMSetComplexPixel(IMHANDLE im, int32_t x, int32_t y, MTCOMPLEX v) noexcept {
    return im->setComplexPixel(x, y, v);
}
int32_t IMSetRGBPixel(IMHANDLE im, int32_t x, int32_t y, uint32_t rgb) noexcept {
    return im->setRgbPixel(x, y, rgb);
}

char* IMValueToString(IMHANDLE im, int32_t x, int32_t y, char* out) noexcept {
    if (!out) return out;
    constexpr size_t size = 64; // holds every format
    MTHANDLE mt = im->data;
    if (MTIsRgb(mt)) {
        const uint32_t v = MTRgb(mt, x, y);
        std::snprintf(out, size, "R : %03d   G : %03d   B : %03d", int((v >> 16) & 255),
                      int((v >> 8) & 255), int(v & 255));
    } else if (MTIsComplex(mt)) {
        std::snprintf(out, size, "%.5e, %.5e", MTReal(mt, x, y), MTImag(mt, x, y));
    } else if (MTIsInteger(mt)) {
        const int32_t v = MTRealInt(mt, x, y);
        if (MTIsSigned(mt)) std::snprintf(out, size, "%d", int(v));
        else std::snprintf(out, size, "%u", unsigned(uint32_t(v)));
    } else {
        std::snprintf(out, size, "%.5e", MTReal(mt, x, y));
    }
    return out;
}

} // extern "C"
