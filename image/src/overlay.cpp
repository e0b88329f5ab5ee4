// Overlay objects: created in coordinates whose y runs down from the top
// image row, kept in the image's list and drawn over the picture.
#include "image_object.h"

int32_t QDImage::addObject(GOHANDLE obj) {
    if (!obj) return header.NumGraphicObjects;
    if (GMAddGraphicObject(objects, obj) > 0) ++header.NumGraphicObjects;
    else GODestroy(obj); // the list could not take it
    return header.NumGraphicObjects;
}

void QDImage::drawGraphicObjects(HDC hdc) {
    int32_t d = 1, m = 1;
    magnification(d, m);
    const int32_t count = GMGetCount(objects);
    if (hdc)
        for (int32_t i = 0; i < count; ++i)
            GODraw(hdc, GMGetGraphicObject(objects, i), drawRect.left, drawRect.top, d, m);
    header.NumGraphicObjects = count;
}

extern "C" {

int32_t IMAddLineObject(IMHANDLE im, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                        uint32_t colour, int32_t width) noexcept {
    const int32_t h = im->height();
    return im->addObject(GOCreateLineObject(x1, h - y1 - 1, x2, h - y2 - 1, colour, width));
}

int32_t IMAddTextObject(IMHANDLE im, int32_t x, int32_t y, const char* text, const char* face,
                        int32_t size, int32_t bold, int32_t italic, uint32_t colour) noexcept {
    return im->addObject(
        GOCreateTextObject(x, im->height() - y - 1, text, face, size, bold, italic, colour));
}

void IMDrawGraphicObject(IMHANDLE im, HDC hdc) noexcept { im->drawGraphicObjects(hdc); }

} // extern "C"
