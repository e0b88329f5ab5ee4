// Creating and destroying images, making the header for a data matrix and
// replacing the data matrix.
#include <cstring>
#include <new>

#include "image_object.h"

using qd::image::copyText;

namespace qd::image {

void copyText(char* field, size_t size, const char* text) {
    const size_t n = text ? textLength(text, size - 1) : 0;
    std::memmove(field, text ? text : "", n);
    std::memset(field + n, 0, size - n);
}

size_t textLength(const char* field, size_t size) { return strnlen(field, size); }

} // namespace qd::image

QDImage::~QDImage() {
    if (objects) {
        // The list never owns its objects; the image does.
        for (int32_t i = GMGetCount(objects) - 1; i >= 0; --i)
            GODestroy(GMGetGraphicObject(objects, i));
        GMDestroy(objects);
    }
    ARDestroy(histogram);
    MTDestroy(bitmap);
    MTDestroy(data);
}

int32_t QDImage::paletteColors() const {
    switch (header.DataType) {
    case MT_BINARY: return 2;
    case MT_4BITS: return 16;
    case MT_RGB: return 0;
    default: return 256;
    }
}

int32_t QDImage::bitsPerPixel() const {
    switch (header.DataType) {
    case MT_BINARY: return 1;
    case MT_4BITS: return 4;
    case MT_RGB: return 24;
    default: return 8;
    }
}

// Builds everything that depends on the data matrix. On failure the image
// keeps its previous matrix and display untouched.
bool QDImage::makeHeaderFor(MTHANDLE mt) {
    const int32_t type = MTGetFlags(mt);
    ARHANDLE newHisto = nullptr;
    if (type != MT_RGB) {
        const int32_t colours = type == MT_BINARY ? 2 : type == MT_4BITS ? 16 : 256;
        newHisto = ARCreate(colours, MT_FLOAT);
        if (!newHisto) return false;
    }
    const IMHEADER oldHeader = header;
    const MTHANDLE oldBitmap = bitmap;
    std::memset(&header, 0, sizeof header);
    header.Width = MTGetMaxXIndex(mt);
    header.Height = MTGetMaxYIndex(mt);
    header.DataType = type;
    copyText(header.Version, sizeof header.Version, IM_VERSION);
    header.Levels = 256;
    header.Scale = 1.0;
    header.Gain = 1.0; // a zero gain would flatten every calibrated value
    header.NumGraphicObjects = GMGetCount(objects);
    bitmap = nullptr;
    if (!setBmpBitMemory()) {
        header = oldHeader;
        bitmap = oldBitmap;
        ARDestroy(newHisto);
        setAllBmpStruct();
        return false;
    }
    MTDestroy(oldBitmap);
    ARDestroy(histogram);
    histogram = newHisto;
    data = mt;
    windowX = windowY = 0;
    selectedRect = QDRECT{0, 0, 0, 0};
    header.DisplayType = 0;
    return true;
}

void QDImage::writeDefaultPalette() {
    uint32_t* pal = header.Palette;
    switch (paletteColors()) {
    case 256:
        for (uint32_t i = 0; i < 256; ++i) pal[i] = i * 0x010101u;
        break;
    case 16:
        for (uint32_t i = 0; i < 256; ++i) pal[i] = i < 16 ? 17 * i * 0x010101u : 0;
        break;
    case 2:
        std::memset(pal, 0, sizeof header.Palette);
        pal[1] = 0xFFFFFF;
        break;
    default: break; // RGB images keep theirs
    }
}

// Makes every text of the header end inside its field, whatever it held.
void QDImage::terminateTexts() {
    header.Version[sizeof header.Version - 1] = 0;
    header.PaletteName[sizeof header.PaletteName - 1] = 0;
    header.XYUnit[sizeof header.XYUnit - 1] = 0;
    header.ZUnit[sizeof header.ZUnit - 1] = 0;
    header.Comment[sizeof header.Comment - 1] = 0;
}

QDImage* QDImage::create(MTHANDLE mt) {
    if (!mt) return nullptr;
    QDImage* im = new (std::nothrow) QDImage;
    if (!im) return nullptr;
    im->objects = GMCreate();
    if (!im->objects || !im->makeHeaderFor(mt)) {
        delete im; // the matrix stays the caller's
        return nullptr;
    }
    im->writeDefaultPalette();
    im->setPalette(nullptr);
    return im;
}

MTHANDLE QDImage::setDataHandle(MTHANDLE mt) {
    if (!mt) return nullptr;
    MTHANDLE old = data;
    if (!makeHeaderFor(mt)) return nullptr;
    writeDefaultPalette();
    setPalette(nullptr);
    return old;
}

extern "C" {

IMHANDLE IMCreateFromMatrix(MTHANDLE mt) noexcept { return QDImage::create(mt); }

IMHANDLE IMCreateFromHeader(const IMHEADER* h) noexcept {
    if (!h || h->Width <= 0 || h->Height <= 0) return nullptr;
    MTHANDLE mt = MTCreate(h->Width, h->Height, h->DataType);
    if (!mt) return nullptr;
    QDImage* im = QDImage::create(mt);
    if (!im) {
        MTDestroy(mt);
        return nullptr;
    }
    IMHEADER& hd = im->header;
    const IMHEADER made = hd;
    std::memcpy(&hd, h, sizeof hd);
    // The matrix decides size and type (an unknown type code became float).
    hd.Width = made.Width;
    hd.Height = made.Height;
    hd.DataType = made.DataType;
    copyText(hd.Version, sizeof hd.Version, IM_VERSION);
    copyText(hd.PaletteName, sizeof hd.PaletteName, h->PaletteName);
    copyText(hd.XYUnit, sizeof hd.XYUnit, h->XYUnit);
    copyText(hd.ZUnit, sizeof hd.ZUnit, h->ZUnit);
    std::memset(hd.Reserved2, 0, sizeof hd.Reserved2);
    copyText(hd.Comment, sizeof hd.Comment, h->Comment);
    im->writeDefaultPalette();
    im->setPalette(nullptr);
    return im;
}

void IMDestroy(IMHANDLE im) noexcept { delete im; }

MTHANDLE IMSetDataHandle(IMHANDLE im, MTHANDLE mt) noexcept { return im->setDataHandle(mt); }

} // extern "C"
