// The display bitmap: a matrix in bottom-up device-independent bitmap row
// layout (rows padded to 4 bytes), its two headers and single-pixel access.
#include "image_object.h"
#include "pixel_reader.h"

namespace {

int64_t padTo4(int64_t bytes) { return (bytes + 3) / 4 * 4; }

int32_t toInt32(int64_t v) { return v > INT32_MAX ? 0 : int32_t(v); }

} // namespace

int32_t QDImage::bitmapWidth(int32_t w) const {
    if (w < 0) return 0;
    const int64_t wide = w;
    switch (bitsPerPixel()) {
    case 1: return toInt32(padTo4((wide + 7) / 8) * 8);
    case 4: return toInt32(padTo4((wide + 1) / 2) * 2);
    case 24: return toInt32(padTo4(3 * wide));
    default: return toInt32(padTo4(wide));
    }
}

bool QDImage::setBmpBitMemory() {
    const int32_t bits = bitsPerPixel();
    const int32_t type = bits == 1 ? MT_BINARY : bits == 4 ? MT_4BITS : MT_UCHAR;
    const int32_t w = bitmapWidth(header.Width);
    if (w <= 0 || header.Height <= 0) return false;
    MTHANDLE made = MTCreate(w, header.Height, type);
    if (!made) return false;
    MTDestroy(bitmap);
    bitmap = made;
    defaultRect = QDRECT{0, 0, header.Width, header.Height};
    drawRect = defaultRect;
    setAllBmpStruct();
    return true;
}

void QDImage::setAllBmpStruct() {
    const uint32_t colours = uint32_t(paletteColors());
    const uint32_t blockSize = bitmap ? uint32_t(MTGetMemorySize(bitmap)) : 0;
    fileHeader = QDBITMAPFILEHEADER{};
    fileHeader.bfType = 19778; // "BM"
    fileHeader.bfSize = blockSize + 4 * colours + 54;
    fileHeader.bfOffBits = 4 * colours + 54;
    QDBITMAPINFOHEADER& h = info.bmiHeader;
    h = QDBITMAPINFOHEADER{};
    h.biSize = 40;
    h.biWidth = header.Width;
    h.biHeight = header.Height;
    h.biPlanes = 1;
    h.biBitCount = uint16_t(bitsPerPixel());
    h.biSizeImage = blockSize;
}

int32_t QDImage::bmpVal(int32_t x, int32_t y) const { return MTRealInt(bitmap, x, y); }

void QDImage::setBmpVal(int32_t x, int32_t y, int32_t level) {
    MTSetRealInt(bitmap, x, y, level & 255);
}

uint32_t QDImage::bmpRgbVal(int32_t x, int32_t y) const {
    if (!isRgb()) return 0;
    const uint32_t b = uint32_t(MTRealInt(bitmap, 3 * x, y));
    const uint32_t g = uint32_t(MTRealInt(bitmap, 3 * x + 1, y));
    const uint32_t r = uint32_t(MTRealInt(bitmap, 3 * x + 2, y));
    return (r << 16) | (g << 8) | b;
}

void QDImage::setBmpRgbVal(int32_t x, int32_t y, uint32_t rgb) {
    if (!isRgb()) return;
    MTSetRealInt(bitmap, 3 * x, y, int32_t(rgb & 255));
    MTSetRealInt(bitmap, 3 * x + 1, y, int32_t((rgb >> 8) & 255));
    MTSetRealInt(bitmap, 3 * x + 2, y, int32_t((rgb >> 16) & 255));
}

extern "C" {

int32_t IMGetBitmapWidthByte(IMHANDLE im, int32_t w) noexcept { return im->bitmapWidth(w); }
int32_t IMSetBmpBitMemory(IMHANDLE im) noexcept { return im->setBmpBitMemory() ? 1 : 0; }
void IMSetAllBmpStruct(IMHANDLE im) noexcept { im->setAllBmpStruct(); }
int32_t IMBmpVal(IMHANDLE im, int32_t x, int32_t y) noexcept { return im->bmpVal(x, y); }
void IMSetBmpVal(IMHANDLE im, int32_t x, int32_t y, int32_t level) noexcept {
    im->setBmpVal(x, y, level);
}
uint32_t IMBmpRgbVal(IMHANDLE im, int32_t x, int32_t y) noexcept { return im->bmpRgbVal(x, y); }
void IMSetBmpRgbVal(IMHANDLE im, int32_t x, int32_t y, uint32_t rgb) noexcept {
    im->setBmpRgbVal(x, y, rgb);
}

MTHANDLE IMGetBmpBitsHandle(IMHANDLE im) noexcept { return im->bitmap; }
int64_t IMGetBmpSize(IMHANDLE im) noexcept { return MTGetMemorySize(im->bitmap); }
void* IMGetBmpPointer(IMHANDLE im) noexcept { return MTGetPointer(im->bitmap); }
QDBITMAPFILEHEADER* IMGetBmpFHeaderPointer(IMHANDLE im) noexcept { return &im->fileHeader; }
QDBITMAPINFO* IMGetBmpInfoPointer(IMHANDLE im) noexcept { return &im->info; }
int32_t IMGetBmpBitsCount(IMHANDLE im) noexcept { return im->bitsPerPixel(); }

} // extern "C"
