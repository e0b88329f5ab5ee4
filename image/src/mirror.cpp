// Whole-image operations. Mirrors and the axis exchange move data values and
// bitmap levels together, inside the current window, so no re-render is
// needed.
#include "image_object.h"

namespace {

// Exchanges two pixels, value and bitmap level, as the image's kind needs.
class PixelSwapper {
public:
    explicit PixelSwapper(QDImage& im)
        : im_(im), kind_(im.isRgb() ? Kind::Rgb : MTIsComplex(im.data) ? Kind::Complex
                                                                        : Kind::Real) {}

    void operator()(int32_t xa, int32_t ya, int32_t xb, int32_t yb) const {
        MTHANDLE mt = im_.data;
        switch (kind_) {
        case Kind::Rgb: {
            const uint32_t a = MTRgb(mt, xa, ya), b = MTRgb(mt, xb, yb);
            MTSetRgb(mt, xa, ya, b);
            MTSetRgb(mt, xb, yb, a);
            const uint32_t la = im_.bmpRgbVal(xa, ya), lb = im_.bmpRgbVal(xb, yb);
            im_.setBmpRgbVal(xa, ya, lb);
            im_.setBmpRgbVal(xb, yb, la);
            return;
        }
        case Kind::Complex: {
            const MTCOMPLEX a = MTComplex(mt, xa, ya), b = MTComplex(mt, xb, yb);
            MTSetComplex(mt, xa, ya, b);
            MTSetComplex(mt, xb, yb, a);
            break;
        }
        case Kind::Real: {
            const double a = MTReal(mt, xa, ya), b = MTReal(mt, xb, yb);
            MTSetReal(mt, xa, ya, b);
            MTSetReal(mt, xb, yb, a);
            break;
        }
        }
        const int32_t la = im_.bmpVal(xa, ya), lb = im_.bmpVal(xb, yb);
        im_.setBmpVal(xa, ya, lb);
        im_.setBmpVal(xb, yb, la);
    }

private:
    enum class Kind { Rgb, Complex, Real };
    QDImage& im_;
    Kind kind_;
};

} // namespace

extern "C" {

void IMYMirror(IMHANDLE im) noexcept {
    const PixelSwapper swap(*im);
    const int32_t w = MTGetWidth(im->data), h = MTGetHeight(im->data);
    for (int32_t x = 0; x < w / 2; ++x) {
        for (int32_t y = 0; y < h; ++y) swap(x, y, w - 1 - x, y);
        ProcessMessage();
    }
}

void IMXMirror(IMHANDLE im) noexcept {
    const PixelSwapper swap(*im);
    const int32_t w = MTGetWidth(im->data), h = MTGetHeight(im->data);
    for (int32_t x = 0; x < w; ++x) {
        for (int32_t y = 0; y < h / 2; ++y) swap(x, y, x, h - 1 - y);
        ProcessMessage();
    }
}

void IMExchangeAxes(IMHANDLE im) noexcept {
    const int32_t w = MTGetWidth(im->data), h = MTGetHeight(im->data);
    if (w != h) return;
    const PixelSwapper swap(*im);
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < y; ++x) swap(x, y, y, x);
        ProcessMessage();
    }
}

void IMSwapBytes(IMHANDLE im) noexcept {
    MTSwapBytes(im->data);
    im->defaultRange(true);
    im->prepareBitmap();
}

void IMInverse(IMHANDLE im) noexcept {
    MTInverse(im->data);
    im->defaultRange(true);
    im->prepareBitmap();
}

void IMChangeValueDomain(IMHANDLE im, double initial, double finalValue) noexcept {
    im->header.InitialValue = initial;
    im->header.FinalValue = finalValue;
    im->prepareBitmap();
}

} // extern "C"
