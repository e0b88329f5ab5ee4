// Rectangles, magnification, conversions between window and image
// coordinates (image row 0 at the bottom), selection and matrix windows.
#include <algorithm>
#include <cmath>
#include <utility>

#include "image_object.h"

using qd::image::truncToInt;

namespace {

QDRECT ordered(int32_t l, int32_t t, int32_t r, int32_t b) {
    return QDRECT{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

// floor / ceil of a real quotient; an empty draw rectangle gives defined,
// saturated results instead of a division fault.
int32_t floorDiv(double num, double den) { return truncToInt(std::floor(num / den)); }
int32_t ceilDiv(double num, double den) { return truncToInt(std::ceil(num / den)); }

} // namespace

bool QDImage::isSelected() const {
    return selectedRect.right - selectedRect.left > 0 || selectedRect.bottom - selectedRect.top > 0;
}

QDRECT QDImage::imageRect() const { return isSelected() ? selectedRect : defaultRect; }

void QDImage::magnification(int32_t& reduction, int32_t& enlargement) const {
    const int32_t w = header.Width;
    const int64_t drawWidth = int64_t(drawRect.right) - drawRect.left;
    if (drawWidth >= w) {
        reduction = 1;
        enlargement = w > 0 ? int32_t(std::min<int64_t>(drawWidth / w, INT32_MAX)) : 1;
    } else {
        reduction = int32_t(w / std::max<int64_t>(drawWidth, 1));
        enlargement = 1;
    }
}

QDRECT QDImage::selectedRectOnImage() const {
    const QDRECT& d = drawRect;
    const QDRECT& s = selectedRect;
    const double sx = (double(d.right) - d.left) / header.Width;
    const double sy = (double(d.bottom) - d.top) / header.Height;
    return QDRECT{truncToInt(std::floor(s.left * sx)) + d.left,
                  d.bottom - truncToInt(std::ceil(s.bottom * sy)),
                  truncToInt(std::floor(s.right * sx)) + d.left,
                  d.bottom - truncToInt(std::ceil(s.top * sy))};
}

int32_t QDImage::setWindow(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    if (!MTSetWindow(data, x0, y0, x1, y1)) return 0;
    windowX = x0;
    windowY = y0;
    const int32_t k = isRgb() ? 3 : 1;
    return MTSetWindow(bitmap, k * x0, y0, k * x1, y1);
}

int32_t QDImage::setDefaultWindow() {
    MTSetDefaultWindow(data);
    MTSetDefaultWindow(bitmap);
    windowX = windowY = 0;
    return 1;
}

int32_t QDImage::select(bool on) {
    if (!on) return setDefaultWindow();
    const QDRECT s = selectedRect;
    if (setWindow(s.left, s.top, s.right, s.bottom)) return 1;
    selectedRect = QDRECT{0, 0, 0, 0};
    return 0;
}

extern "C" {

QDRECT IMGetDrawRect(IMHANDLE im) noexcept { return im->drawRect; }
QDRECT IMGetSelectedRect(IMHANDLE im) noexcept { return im->selectedRect; }
QDRECT IMGetDefaultRect(IMHANDLE im) noexcept { return im->defaultRect; }
QDRECT IMGetImageRect(IMHANDLE im) noexcept { return im->imageRect(); }
QDRECT IMGetSelectedRectOnImage(IMHANDLE im) noexcept { return im->selectedRectOnImage(); }

void IMGetMagnification(IMHANDLE im, int32_t* reduction, int32_t* enlargement) noexcept {
    int32_t d = 1, m = 1;
    im->magnification(d, m);
    if (reduction) *reduction = d;
    if (enlargement) *enlargement = m;
}

QDRECT IMSetDrawRect(IMHANDLE im, int32_t l, int32_t t, int32_t r, int32_t b) noexcept {
    return std::exchange(im->drawRect, ordered(l, t, r, b));
}

void IMMoveDrawRect(IMHANDLE im, int32_t dx, int32_t dy) noexcept {
    QDRECT& d = im->drawRect;
    d = QDRECT{d.left + dx, d.top + dy, d.right + dx, d.bottom + dy};
}

int32_t IMIsInDefaultRect(IMHANDLE im, int32_t l, int32_t t, int32_t r, int32_t b) noexcept {
    return (l != r || t != b) && l >= 0 && r <= im->header.Width && t >= 0 &&
           b <= im->header.Height;
}

QDRECT IMSetSelectedRect(IMHANDLE im, int32_t l, int32_t t, int32_t r, int32_t b) noexcept {
    const bool keep = IMIsInDefaultRect(im, l, t, r, b) && l != r && t != b;
    return std::exchange(im->selectedRect, keep ? ordered(l, t, r, b) : QDRECT{0, 0, 0, 0});
}

void IMMoveSelectedRect(IMHANDLE im, int32_t dx, int32_t dy) noexcept {
    QDRECT& s = im->selectedRect;
    s = QDRECT{s.left + dx, s.top + dy, s.right + dx, s.bottom + dy};
}

int32_t IMIsSelected(IMHANDLE im) noexcept { return im->isSelected(); }
int32_t IMSelect(IMHANDLE im, int32_t on) noexcept { return im->select(on != 0); }
int32_t IMSetWindow(IMHANDLE im, int32_t x0, int32_t y0, int32_t x1, int32_t y1) noexcept {
    return im->setWindow(x0, y0, x1, y1);
}
int32_t IMSetDefaultWindow(IMHANDLE im) noexcept { return im->setDefaultWindow(); }

QDPOINT IMGetImagePoint(IMHANDLE im, int32_t wx, int32_t wy) noexcept {
    const QDRECT& d = im->drawRect;
    return QDPOINT{floorDiv(im->header.Width * (double(wx) - d.left), double(d.right) - d.left),
                   floorDiv(im->header.Height * (double(d.bottom) - wy), double(d.bottom) - d.top)};
}

QDPOINT IMGetDrawPoint(IMHANDLE im, int32_t x, int32_t y) noexcept {
    const QDRECT& d = im->drawRect;
    return QDPOINT{d.left + floorDiv(x * (double(d.right) - d.left), im->header.Width),
                   d.bottom - ceilDiv(y * (double(d.bottom) - d.top), im->header.Height)};
}

int32_t IMDrawRectContain(IMHANDLE im, int32_t wx, int32_t wy) noexcept {
    const QDRECT& d = im->drawRect;
    return d.left <= wx && wx < d.right && d.top <= wy && wy < d.bottom;
}

} // extern "C"
