#include "image_clipboard.h"

#include "undo_step.h"

#include <QMimeData>
#include <cstring>

namespace qd {
namespace {

// The private form: this header, then the element block of a matrix of
// that size and type.
struct ClipHeader {
    char magic[8];
    int32_t type, width, height, drawType;
    double initial, final;
};
constexpr char kMagic[8] = {'Q', 'D', 'C', 'L', 'I', 'P', '1', 0};

IMHANDLE fromValues(const QByteArray& bytes) {
    ClipHeader h{};
    if (bytes.size() < qsizetype(sizeof h)) return nullptr;
    std::memcpy(&h, bytes.constData(), sizeof h);
    if (std::memcmp(h.magic, kMagic, sizeof kMagic) != 0 || h.width <= 0 || h.height <= 0) return nullptr;
    const int64_t expected = int64_t(MTGetRowBytes(h.type, h.width)) * h.height;
    if (bytes.size() - qsizetype(sizeof h) != expected) return nullptr;
    MTHANDLE m = MTCreate(h.width, h.height, h.type);
    if (!m || MTGetFlags(m) != h.type || MTGetMemorySize(m) != expected) {
        MTDestroy(m);
        return nullptr;
    }
    std::memcpy(MTGetPointer(m), bytes.constData() + sizeof h, size_t(expected));
    IMHANDLE im = IMCreateFromMatrix(m);
    if (!im) {
        MTDestroy(m);
        return nullptr;
    }
    IMSetDrawType(im, h.drawType);
    IMSetInitialValue(im, h.initial);
    IMSetFinalValue(im, h.final);
    return im;
}

IMHANDLE fromPicture(const QImage& picture) {
    if (picture.isNull()) return nullptr;
    const bool grey = picture.allGray();
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const int w = rgb.width(), h = rgb.height();
    MTHANDLE m = MTCreate(w, h, grey ? MT_UCHAR : MT_RGB);
    if (!m) return nullptr;
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(h - 1 - y));
        for (int x = 0; x < w; ++x) {
            if (grey) MTSetRealInt(m, x, y, qGray(line[x]));
            else MTSetRgb(m, x, y, line[x] & 0xFFFFFF);
        }
    }
    IMHANDLE im = IMCreateFromMatrix(m);
    if (!im) {
        MTDestroy(m);
        return nullptr;
    }
    IMSetInitialValue(im, 0);
    IMSetFinalValue(im, grey ? 256 : 0);
    return im;
}

} // namespace

QRect clipboardRect(IMHANDLE im) {
    MTHANDLE m = IMGetDataHandle(im);
    IMSelect(im, 1);
    int32_t x0 = 0, y0 = 0;
    MTGetWindowOrigin(m, &x0, &y0);
    const QRect r(x0, y0, MTGetWidth(m), MTGetHeight(m));
    IMSelect(im, 0);
    return r;
}

QImage shownImage(IMHANDLE im, QRect rect) {
    QImage out(rect.size(), QImage::Format_RGB32);
    if (out.isNull()) return out;
    const bool rgb = IMIsRgb(im);
    uint32_t palette[256] = {};
    if (!rgb) IMGetPaletteArray(im, palette);
    for (int y = 0; y < rect.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(rect.height() - 1 - y));
        for (int x = 0; x < rect.width(); ++x) {
            const int ix = rect.x() + x, iy = rect.y() + y;
            const uint32_t c = rgb ? IMBmpRgbVal(im, ix, iy) : palette[IMBmpVal(im, ix, iy) & 255];
            line[x] = 0xFF000000u | (c & 0xFFFFFF);
        }
    }
    return out;
}

QMimeData* imageMimeData(IMHANDLE im, QRect rect) {
    auto* data = new QMimeData;
    data->setImageData(shownImage(im, rect));
    MTHANDLE source = IMGetDataHandle(im);
    if (MTHANDLE part = MTCreate(rect.width(), rect.height(), MTGetFlags(source))) {
        copyElements(source, rect.topLeft(), part, {0, 0}, rect.size());
        ClipHeader h{};
        std::memcpy(h.magic, kMagic, sizeof kMagic);
        h.type = MTGetFlags(part);
        h.width = rect.width();
        h.height = rect.height();
        h.drawType = IMGetDrawType(im);
        h.initial = IMGetInitialValue(im);
        h.final = IMGetFinalValue(im);
        QByteArray bytes(reinterpret_cast<const char*>(&h), sizeof h);
        bytes.append(static_cast<const char*>(MTGetPointer(part)), qsizetype(MTGetMemorySize(part)));
        MTDestroy(part);
        data->setData(kImageMimeType, bytes);
    }
    return data;
}

bool mimeDataHasImage(const QMimeData* data) {
    return data && (data->hasFormat(kImageMimeType) || data->hasImage());
}

IMHANDLE imageFromMimeData(const QMimeData* data) {
    if (!data) return nullptr;
    if (data->hasFormat(kImageMimeType))
        if (IMHANDLE im = fromValues(data->data(kImageMimeType))) return im;
    return data->hasImage() ? fromPicture(qvariant_cast<QImage>(data->imageData())) : nullptr;
}

} // namespace qd
