// The image object, as QDImage gives it. The display type is the draw type
// under its other name.
#include <qd/plugin.h>

extern "C" {

IMHANDLE qdIMCreateFromMatrix(MTHANDLE mt) noexcept { return IMCreateFromMatrix(mt); }
void qdIMDestroy(IMHANDLE im) noexcept { IMDestroy(im); }
MTHANDLE qdIMGetDataHandle(IMHANDLE im) noexcept { return IMGetDataHandle(im); }
MTHANDLE qdIMGetBmpBitsHandle(IMHANDLE im) noexcept { return IMGetBmpBitsHandle(im); }
ARHANDLE qdIMGetHistogramHandle(IMHANDLE im) noexcept { return IMGetHistogramHandle(im); }
int64_t qdIMGetDataSize(IMHANDLE im) noexcept { return IMGetDataSize(im); }
int64_t qdIMGetBmpSize(IMHANDLE im) noexcept { return IMGetBmpSize(im); }
int64_t qdIMGetHistoSize(IMHANDLE im) noexcept { return IMGetHistoSize(im); }
void* qdIMGetDataPointer(IMHANDLE im) noexcept { return IMGetDataPointer(im); }
void* qdIMGetBmpPointer(IMHANDLE im) noexcept { return IMGetBmpPointer(im); }
void* qdIMGetHistoPointer(IMHANDLE im) noexcept { return IMGetHistoPointer(im); }
QDBITMAPFILEHEADER* qdIMGetBmpFHeaderPointer(IMHANDLE im) noexcept {
    return IMGetBmpFHeaderPointer(im);
}
QDBITMAPINFO* qdIMGetBmpInfoPointer(IMHANDLE im) noexcept { return IMGetBmpInfoPointer(im); }
int32_t qdIMGetImageWidth(IMHANDLE im) noexcept { return IMGetImageWidth(im); }
int32_t qdIMGetImageHeight(IMHANDLE im) noexcept { return IMGetImageHeight(im); }
double qdIMGetScale(IMHANDLE im) noexcept { return IMGetScale(im); }
double qdIMGetGain(IMHANDLE im) noexcept { return IMGetGain(im); }
double qdIMGetOffset(IMHANDLE im) noexcept { return IMGetOffset(im); }
const char* qdIMGetXYUnit(IMHANDLE im) noexcept { return IMGetXYUnit(im); }
const char* qdIMGetZUnit(IMHANDLE im) noexcept { return IMGetZUnit(im); }
int32_t qdIMGetDrawType(IMHANDLE im) noexcept { return IMGetDrawType(im); }
int32_t qdIMGetDisplayType(IMHANDLE im) noexcept { return IMGetDrawType(im); }
QDRECT qdIMGetDrawRect(IMHANDLE im) noexcept { return IMGetDrawRect(im); }
QDRECT qdIMGetSelectedRect(IMHANDLE im) noexcept { return IMGetSelectedRect(im); }
QDRECT qdIMGetDefaultRect(IMHANDLE im) noexcept { return IMGetDefaultRect(im); }
QDRECT qdIMGetImageRect(IMHANDLE im) noexcept { return IMGetImageRect(im); }
const char* qdIMGetPaletteName(IMHANDLE im) noexcept { return IMGetPaletteName(im); }
int32_t qdIMGetNumPaletteColors(IMHANDLE im) noexcept { return IMGetNumPaletteColors(im); }
HPALETTE qdIMGetPalette(IMHANDLE im) noexcept { return IMGetPalette(im); }
int32_t qdIMGetPaletteArray(IMHANDLE im, uint32_t* out) noexcept {
    return IMGetPaletteArray(im, out);
}
int32_t qdIMGetBmpBitsCount(IMHANDLE im) noexcept { return IMGetBmpBitsCount(im); }
QDRECT qdIMGetSelectedRectOnImage(IMHANDLE im) noexcept { return IMGetSelectedRectOnImage(im); }
void qdIMGetMagnification(IMHANDLE im, int32_t* reduction, int32_t* enlargement) noexcept {
    IMGetMagnification(im, reduction, enlargement);
}
int32_t qdIMSetBmpBitMemory(IMHANDLE im) noexcept { return IMSetBmpBitMemory(im); }
void qdIMSetAllBmpStruct(IMHANDLE im) noexcept { IMSetAllBmpStruct(im); }
double qdIMSetScale(IMHANDLE im, double scale) noexcept { return IMSetScale(im, scale); }
double qdIMSetGain(IMHANDLE im, double gain) noexcept { return IMSetGain(im, gain); }
double qdIMSetOffset(IMHANDLE im, double offset) noexcept { return IMSetOffset(im, offset); }
void qdIMSetXYUnit(IMHANDLE im, const char* unit) noexcept { IMSetXYUnit(im, unit); }
void qdIMSetZUnit(IMHANDLE im, const char* unit) noexcept { IMSetZUnit(im, unit); }
int32_t qdIMSetDrawType(IMHANDLE im, int32_t type) noexcept { return IMSetDrawType(im, type); }
int32_t qdIMSetDisplayType(IMHANDLE im, int32_t type) noexcept { return IMSetDrawType(im, type); }
void qdIMSetBasicPalette(IMHANDLE im, const uint32_t* colors) noexcept {
    IMSetBasicPalette(im, colors);
}
void qdIMSetPalette(IMHANDLE im, PMHANDLE palettes) noexcept { IMSetPalette(im, palettes); }
QDRECT qdIMSetDrawRect(IMHANDLE im, int32_t l, int32_t t, int32_t r, int32_t b) noexcept {
    return IMSetDrawRect(im, l, t, r, b);
}
void qdIMMoveDrawRect(IMHANDLE im, int32_t dx, int32_t dy) noexcept { IMMoveDrawRect(im, dx, dy); }
QDRECT qdIMSetSelectedRect(IMHANDLE im, int32_t l, int32_t t, int32_t r, int32_t b) noexcept {
    return IMSetSelectedRect(im, l, t, r, b);
}
void qdIMMoveSelectedRect(IMHANDLE im, int32_t dx, int32_t dy) noexcept {
    IMMoveSelectedRect(im, dx, dy);
}
int32_t qdIMIsInDefaultRect(IMHANDLE im, int32_t l, int32_t t, int32_t r, int32_t b) noexcept {
    return IMIsInDefaultRect(im, l, t, r, b);
}
int32_t qdIMSelect(IMHANDLE im, int32_t on) noexcept { return IMSelect(im, on); }
int32_t qdIMIsSelected(IMHANDLE im) noexcept { return IMIsSelected(im); }
void qdIMChangePaletteName(IMHANDLE im, const char* name) noexcept {
    IMChangePaletteName(im, name);
}
int32_t qdIMDrawSelectedRect(IMHANDLE im, HDC hdc) noexcept { return IMDrawSelectedRect(im, hdc); }
void qdIMDrawGraphicObject(IMHANDLE im, HDC hdc) noexcept { IMDrawGraphicObject(im, hdc); }
void qdIMDrawImage(IMHANDLE im, HDC hdc) noexcept { IMDrawImage(im, hdc); }
void qdIMDrawPixel(IMHANDLE im, HDC hdc, int32_t x, int32_t y) noexcept {
    IMDrawPixel(im, hdc, x, y);
}
int32_t qdIMSetWindow(IMHANDLE im, int32_t x0, int32_t y0, int32_t x1, int32_t y1) noexcept {
    return IMSetWindow(im, x0, y0, x1, y1);
}
int32_t qdIMSetDefaultWindow(IMHANDLE im) noexcept { return IMSetDefaultWindow(im); }
int32_t qdIMIsRgb(IMHANDLE im) noexcept { return IMIsRgb(im); }
int32_t qdIMBmpVal(IMHANDLE im, int32_t x, int32_t y) noexcept { return IMBmpVal(im, x, y); }
void qdIMSetBmpVal(IMHANDLE im, int32_t x, int32_t y, int32_t level) noexcept {
    IMSetBmpVal(im, x, y, level);
}
uint32_t qdIMBmpRgbVal(IMHANDLE im, int32_t x, int32_t y) noexcept { return IMBmpRgbVal(im, x, y); }
void qdIMSetBmpRgbVal(IMHANDLE im, int32_t x, int32_t y, uint32_t rgb) noexcept {
    IMSetBmpRgbVal(im, x, y, rgb);
}
void qdIMDefaultRange(IMHANDLE im, int32_t quick) noexcept { IMDefaultRange(im, quick); }
int32_t qdIMSetRealPixel(IMHANDLE im, int32_t x, int32_t y, double v) noexcept {
    return IMSetRealPixel(im, x, y, v);
}
int32_t qdIMSetComplexPixel(IMHANDLE im, int32_t x, int32_t y, MTCOMPLEX v) noexcept {
    return IMSetComplexPixel(im, x, y, v);
}
int32_t qdIMSetRGBPixel(IMHANDLE im, int32_t x, int32_t y, uint32_t rgb) noexcept {
    return IMSetRGBPixel(im, x, y, rgb);
}
void qdIMDrawRealLine(IMHANDLE im, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                      double v) noexcept {
    IMDrawRealLine(im, x1, y1, x2, y2, v);
}
void qdIMDrawComplexLine(IMHANDLE im, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                         MTCOMPLEX v) noexcept {
    IMDrawComplexLine(im, x1, y1, x2, y2, v);
}
void qdIMDrawRGBLine(IMHANDLE im, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                     uint32_t rgb) noexcept {
    IMDrawRGBLine(im, x1, y1, x2, y2, rgb);
}
void qdIMPrepareBitmap(IMHANDLE im) noexcept { IMPrepareBitmap(im); }
void qdIMChangeValueDomain(IMHANDLE im, double initial, double finalValue) noexcept {
    IMChangeValueDomain(im, initial, finalValue);
}
void qdIMSwapBytes(IMHANDLE im) noexcept { IMSwapBytes(im); }
void qdIMInverse(IMHANDLE im) noexcept { IMInverse(im); }
void qdIMXMirror(IMHANDLE im) noexcept { IMXMirror(im); }
void qdIMYMirror(IMHANDLE im) noexcept { IMYMirror(im); }
void qdIMExchangeAxes(IMHANDLE im) noexcept { IMExchangeAxes(im); }
void qdIMHistogram(IMHANDLE im, ARHANDLE ar, double min, double max, int32_t count) noexcept {
    IMHistogram(im, ar, min, max, count);
}
QDPOINT qdIMGetImagePoint(IMHANDLE im, int32_t wx, int32_t wy) noexcept {
    return IMGetImagePoint(im, wx, wy);
}
QDPOINT qdIMGetDrawPoint(IMHANDLE im, int32_t x, int32_t y) noexcept {
    return IMGetDrawPoint(im, x, y);
}
int32_t qdIMDrawRectContain(IMHANDLE im, int32_t wx, int32_t wy) noexcept {
    return IMDrawRectContain(im, wx, wy);
}
int32_t qdIMGetBrightness(IMHANDLE im) noexcept { return IMGetBrightness(im); }
void qdIMSetBrightness(IMHANDLE im, int32_t brightness) noexcept {
    IMSetBrightness(im, brightness);
}
int32_t qdIMGetContrast(IMHANDLE im) noexcept { return IMGetContrast(im); }
void qdIMSetContrast(IMHANDLE im, int32_t contrast) noexcept { IMSetContrast(im, contrast); }
double qdIMGetInitialValue(IMHANDLE im) noexcept { return IMGetInitialValue(im); }
void qdIMSetInitialValue(IMHANDLE im, double v) noexcept { IMSetInitialValue(im, v); }
double qdIMGetFinalValue(IMHANDLE im) noexcept { return IMGetFinalValue(im); }
void qdIMSetFinalValue(IMHANDLE im, double v) noexcept { IMSetFinalValue(im, v); }
int32_t qdIMInsertComment(IMHANDLE im, const char* text) noexcept {
    return IMInsertComment(im, text);
}
int32_t qdIMAddLineObject(IMHANDLE im, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                          uint32_t colour, int32_t width) noexcept {
    return IMAddLineObject(im, x1, y1, x2, y2, colour, width);
}
int32_t qdIMAddTextObject(IMHANDLE im, int32_t x, int32_t y, const char* text, const char* face,
                          int32_t size, int32_t bold, int32_t italic, uint32_t colour) noexcept {
    return IMAddTextObject(im, x, y, text, face, size, bold, italic, colour);
}

} // extern "C"
