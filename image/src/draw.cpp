// Drawing into a QPainter (the HDC): the bitmap stretched into the draw
// rectangle, single pixels and the inverting selection frame.
#include <algorithm>
#include <vector>

#include <QImage>
#include <QPainter>

#include "image_object.h"
#include "pixel_reader.h"

using qd::image::truncToInt;

namespace {

QPainter* painterOf(HDC hdc) { return static_cast<QPainter*>(hdc); }

QList<QRgb> colourTable(const QDImage& im) {
    QList<QRgb> table(im.paletteColors());
    for (qsizetype i = 0; i < table.size(); ++i) table[i] = 0xFF000000u | im.tableColor(int32_t(i));
    return table;
}

// The bitmap as a QImage. 1-, 8- and 24-bit rows are wrapped where they lie;
// 4-bit rows have no QImage format and are expanded to 8 bits.
QImage bitmapImage(const QDImage& im) {
    const int w = im.width(), h = im.height();
    const auto* bits = static_cast<const uchar*>(MTGetPointer(im.bitmap));
    const qsizetype stride = qsizetype(
        MTGetRowBytes(MTGetFlags(im.bitmap), MTGetMaxXIndex(im.bitmap)));
    QImage img;
    switch (im.bitsPerPixel()) {
    case 1: img = QImage(bits, w, h, stride, QImage::Format_Mono); break;
    case 24: return QImage(bits, w, h, stride, QImage::Format_BGR888);
    case 4:
        img = QImage(w, h, QImage::Format_Indexed8);
        if (img.isNull()) return img;
        for (int y = 0; y < h; ++y) {
            const uchar* s = bits + y * stride;
            uchar* d = img.scanLine(y);
            for (int x = 0; x < w; ++x) d[x] = (x & 1) ? (s[x >> 1] & 0x0F) : (s[x >> 1] >> 4);
        }
        break;
    default: img = QImage(bits, w, h, stride, QImage::Format_Indexed8); break;
    }
    img.setColorTable(colourTable(im));
    return img;
}

// Nearest-pixel stretch of the part of the bitmap that falls into `area`
// (device pixels inside the draw rectangle): device pixel X shows the
// bitmap column whose span holds X + 0.5, as the painter's own sampling
// does. The cost follows the area, not the image.
QImage visiblePart(const QDImage& im, const QRect& area) {
    const QDRECT& d = im.drawRect;
    const int w = im.width(), h = im.height();
    const double fx = double(w) / (d.right - d.left), fy = double(h) / (d.bottom - d.top);
    QImage out(area.size(), QImage::Format_RGB32);
    if (out.isNull()) return out;
    std::vector<int> column(size_t(area.width()));
    for (int i = 0; i < area.width(); ++i)
        column[size_t(i)] = std::clamp(int((area.left() + i + 0.5 - d.left) * fx), 0, w - 1);
    const QList<QRgb> table = im.bitsPerPixel() == 24 ? QList<QRgb>() : colourTable(im);
    const auto* bits = static_cast<const uchar*>(MTGetPointer(im.bitmap));
    const qsizetype stride =
        qsizetype(MTGetRowBytes(MTGetFlags(im.bitmap), MTGetMaxXIndex(im.bitmap)));
    const int bpp = im.bitsPerPixel();
    auto colour = [&](int level) { return level < table.size() ? table[level] : 0xFF000000u; };
    for (int j = 0; j < area.height(); ++j) {
        // Bottom-up bitmap: the top of the rectangle shows the last row.
        const int fromTop = std::clamp(int((area.top() + j + 0.5 - d.top) * fy), 0, h - 1);
        const uchar* row = bits + qsizetype(h - 1 - fromTop) * stride;
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(j));
        const int* c = column.data();
        switch (bpp) {
        case 1:
            for (int i = 0; i < area.width(); ++i) dst[i] = colour((row[c[i] >> 3] >> (7 - (c[i] & 7))) & 1);
            break;
        case 4:
            for (int i = 0; i < area.width(); ++i)
                dst[i] = colour((c[i] & 1) ? (row[c[i] >> 1] & 0x0F) : (row[c[i] >> 1] >> 4));
            break;
        case 24:
            for (int i = 0; i < area.width(); ++i) {
                const uchar* px = row + 3 * qsizetype(c[i]);
                dst[i] = 0xFF000000u | QRgb(px[2]) << 16 | QRgb(px[1]) << 8 | px[0];
            }
            break;
        default:
            for (int i = 0; i < area.width(); ++i) dst[i] = colour(row[c[i]]);
        }
    }
    return out;
}

// The device pixels a paint can touch: the clip where there is one, else
// the whole device.
QRect paintableArea(const QPainter& p) {
    const QRect device(0, 0, p.device()->width(), p.device()->height());
    return p.hasClipping() ? device & p.clipBoundingRect().toAlignedRect() : device;
}

} // namespace

void QDImage::drawImage(HDC hdc) {
    QPainter* p = painterOf(hdc);
    if (!p || !bitmap) return;
    const QDRECT& d = drawRect;
    if (d.right > d.left && d.bottom > d.top && width() > 0 && height() > 0) {
        p->save();
        p->setRenderHint(QPainter::SmoothPixmapTransform, false);
        p->setCompositionMode(QPainter::CompositionMode_Source);
        if (p->worldTransform().isIdentity()) {
            // Screens: only what can be seen is converted.
            const QRect area = paintableArea(*p) & QRect(d.left, d.top, d.right - d.left, d.bottom - d.top);
            if (!area.isEmpty()) {
                const QImage part = visiblePart(*this, area);
                if (!part.isNull()) p->drawImage(area.topLeft(), part);
            }
        } else if (const QImage img = bitmapImage(*this); !img.isNull()) {
            // Printers and other scaled devices: the painter maps the whole
            // bitmap. Bottom-up: image row 0 ends at the bottom of the rectangle.
            p->setTransform(QTransform(double(d.right - d.left) / width(), 0, 0,
                                       -double(d.bottom - d.top) / height(), d.left, d.bottom),
                            true);
            p->drawImage(QPointF(0, 0), img);
        }
        p->restore();
    }
    drawSelectedRect(hdc);
    drawGraphicObjects(hdc);
}

void QDImage::drawPixel(HDC hdc, int32_t x, int32_t y) const {
    QPainter* p = painterOf(hdc);
    if (!p || width() <= 0) return;
    const QDRECT& d = drawRect;
    const double f = double(d.right - d.left) / width();
    const int32_t x0 = truncToInt(f * x + d.left);
    const int32_t y0 = truncToInt(f * (height() - y - 1) + d.top);
    const QColor colour = QColor::fromRgb(isRgb() ? bmpRgbVal(x, y) : tableColor(bmpVal(x, y)));
    if (f > 1.5) {
        const int32_t x1 = truncToInt(d.left + f * (x + 1) + 0.5);
        const int32_t y1 = truncToInt(d.top + f * (height() - y) + 0.5);
        p->fillRect(QRect(x0, y0, x1 - x0, y1 - y0), colour);
    } else {
        p->fillRect(QRect(x0, y0, 1, 1), colour);
    }
}

int32_t QDImage::drawSelectedRect(HDC hdc) const {
    QPainter* p = painterOf(hdc);
    if (!p || !isSelected()) return 0;
    const QDRECT s = selectedRectOnImage();
    const int32_t l = std::min(s.left, s.right), r = std::max(s.left, s.right);
    const int32_t t = std::min(s.top, s.bottom), b = std::max(s.top, s.bottom);
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setCompositionMode(QPainter::RasterOp_NotDestination);
    p->setPen(QPen(Qt::black, 0));
    p->setBrush(Qt::NoBrush);
    // The outline covers columns l..r-1 and rows t..b-1.
    p->drawRect(QRect(l, t, r - l - 1, b - t - 1));
    p->restore();
    return 1;
}

extern "C" {

// Qt reports an exhausted heap by throwing; nothing may cross the C interface.
void IMDrawImage(IMHANDLE im, HDC hdc) noexcept {
    try {
        im->drawImage(hdc);
    } catch (...) {
    }
}
void IMDrawPixel(IMHANDLE im, HDC hdc, int32_t x, int32_t y) noexcept {
    try {
        im->drawPixel(hdc, x, y);
    } catch (...) {
    }
}
int32_t IMDrawSelectedRect(IMHANDLE im, HDC hdc) noexcept {
    try {
        return im->drawSelectedRect(hdc);
    } catch (...) {
        return 0;
    }
}

} // extern "C"
