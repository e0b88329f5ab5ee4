// Straight lines of one value written into the image, point by point through
// the pixel setters so that the bitmap follows.
#include <algorithm>

#include "image_object.h"

using qd::image::truncToInt;

namespace {

// Points are relative to the current window. A point is written when it lies
// inside the image both as seen from the selection's corner and as addressed
// through the matrix's actual window, so no write leaves the matrix.
template <class Put>
void drawLine(const QDImage& im, int32_t x1, int32_t y1, int32_t x2, int32_t y2, Put put) {
    const bool selected = im.isSelected();
    const int64_t gx = selected ? im.selectedRect.left : 0;
    const int64_t gy = selected ? im.selectedRect.top : 0;
    const int64_t w = im.width(), h = im.height();
    auto inside = [&](int64_t ox, int64_t oy, int64_t x, int64_t y) {
        return ox + x >= 0 && ox + x < w && oy + y >= 0 && oy + y < h;
    };
    auto plot = [&](int64_t x, int64_t y) {
        if (inside(gx, gy, x, y) && inside(im.windowX, im.windowY, x, y))
            put(int32_t(x), int32_t(y));
    };
    if (x1 == x2) {
        for (int64_t y = std::min(y1, y2); y <= std::max(y1, y2); ++y) plot(x1, y);
    } else if (y1 == y2) {
        for (int64_t x = std::min(x1, x2); x <= std::max(x1, x2); ++x) plot(x, y1);
    } else {
        const double dx = double(x2) - x1, dy = double(y2) - y1;
        if (std::abs(dx) < std::abs(dy)) {
            for (int64_t y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
                plot(truncToInt(dx / dy * double(y) + x1 - y1 * dx / dy + 0.5), y);
        } else {
            for (int64_t x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
                plot(x, truncToInt(dy / dx * double(x) + y1 - x1 * dy / dx + 0.5));
        }
    }
}

} // namespace

extern "C" {

void IMDrawRealLine(IMHANDLE im, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                    double v) noexcept {
    drawLine(*im, x1, y1, x2, y2, [&](int32_t x, int32_t y) { im->setRealPixel(x, y, v); });
}

void IMDrawComplexLine(IMHANDLE im, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                       MTCOMPLEX v) noexcept {
    drawLine(*im, x1, y1, x2, y2, [&](int32_t x, int32_t y) { im->setComplexPixel(x, y, v); });
}

void IMDrawRGBLine(IMHANDLE im, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                   uint32_t rgb) noexcept {
    drawLine(*im, x1, y1, x2, y2, [&](int32_t x, int32_t y) { im->setRgbPixel(x, y, rgb); });
}

} // extern "C"
