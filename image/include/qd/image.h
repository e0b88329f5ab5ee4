/* The image object: a typed matrix bound to its header record, display
 * bitmap, colour table, display histogram, rectangles and overlay objects. */
#ifndef QD_IMAGE_H
#define QD_IMAGE_H

#include <stddef.h>
#include <stdint.h>

#include <qd/grpobj.h>
#include <qd/memobj.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct QDImage* IMHANDLE;

/* A colour table handed out by IMGetPalette; free it with IMDeletePalette. */
typedef struct QDColorTable* HPALETTE;

/* Display types. 48 to 50 have a default range but render as real values. */
enum {
    IM_REAL_LINEAR = 0,
    IM_MODULUS_LINEAR = 1,
    IM_IMAGINARY_LINEAR = 2,
    IM_REAL_LOG = 16,
    IM_MODULUS_LOG = 17,
    IM_IMAGINARY_LOG = 18,
    IM_REAL_POWER_LOG = 48,
    IM_MODULUS_POWER_LOG = 49,
    IM_IMAGINARY_POWER_LOG = 50,
    IM_EQUALIZED = 256
};

#define IM_VERSION "Quidora 1.00"

/* Text field sizes of the header, terminating NUL included. */
enum {
    IM_VERSION_SIZE = 128,
    IM_PALETTE_NAME_SIZE = 128,
    IM_UNIT_SIZE = 32,
    IM_COMMENT_SIZE = 1024
};

/* The header record, also the first 2704 bytes of a native image file
 * (little-endian, no padding). */
typedef struct IMHEADER {
    char Version[128];
    int32_t Levels;
    int32_t Width;
    int32_t Height;
    int32_t DataType;
    int32_t Reserved1;
    int32_t DisplayType;
    double InitialValue;
    double FinalValue;
    int32_t Brightness;
    int32_t Contrast;
    char PaletteName[128];
    double Scale;
    char XYUnit[32];
    double Gain;
    double Offset;
    char ZUnit[32];
    int32_t NumGraphicObjects;
    uint32_t Palette[256];
    uint8_t Reserved2[256];
    char Comment[1024];
    int32_t Reserved3;
} IMHEADER;

/* Device-independent bitmap headers in their file layout. */
#pragma pack(push, 1)
typedef struct QDBITMAPFILEHEADER {
    uint16_t bfType;
    uint32_t bfSize;
    uint16_t bfReserved1;
    uint16_t bfReserved2;
    uint32_t bfOffBits;
} QDBITMAPFILEHEADER;
#pragma pack(pop)

typedef struct QDBITMAPINFOHEADER {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
} QDBITMAPINFOHEADER;

typedef struct QDRGBQUAD {
    uint8_t rgbBlue;
    uint8_t rgbGreen;
    uint8_t rgbRed;
    uint8_t rgbReserved;
} QDRGBQUAD;

/* The information header followed by the colour table (2, 16 or 256 entries
 * in use; none for RGB images). */
typedef struct QDBITMAPINFO {
    QDBITMAPINFOHEADER bmiHeader;
    QDRGBQUAD bmiColors[256];
} QDBITMAPINFO;

#if defined(__cplusplus)
#define QD_IMAGE_ASSERT static_assert
#else
#define QD_IMAGE_ASSERT _Static_assert
#endif
QD_IMAGE_ASSERT(sizeof(IMHEADER) == 2704, "IMHEADER layout");
QD_IMAGE_ASSERT(offsetof(IMHEADER, Levels) == 128, "IMHEADER layout");
QD_IMAGE_ASSERT(offsetof(IMHEADER, DataType) == 140, "IMHEADER layout");
QD_IMAGE_ASSERT(offsetof(IMHEADER, DisplayType) == 148, "IMHEADER layout");
QD_IMAGE_ASSERT(offsetof(IMHEADER, InitialValue) == 152, "IMHEADER layout");
QD_IMAGE_ASSERT(offsetof(IMHEADER, Brightness) == 168, "IMHEADER layout");
QD_IMAGE_ASSERT(offsetof(IMHEADER, PaletteName) == 176, "IMHEADER layout");
QD_IMAGE_ASSERT(offsetof(IMHEADER, Scale) == 304, "IMHEADER layout");
QD_IMAGE_ASSERT(offsetof(IMHEADER, XYUnit) == 312, "IMHEADER layout");
QD_IMAGE_ASSERT(offsetof(IMHEADER, Gain) == 344, "IMHEADER layout");
QD_IMAGE_ASSERT(offsetof(IMHEADER, Offset) == 352, "IMHEADER layout");
QD_IMAGE_ASSERT(offsetof(IMHEADER, ZUnit) == 360, "IMHEADER layout");
QD_IMAGE_ASSERT(offsetof(IMHEADER, NumGraphicObjects) == 392, "IMHEADER layout");
QD_IMAGE_ASSERT(offsetof(IMHEADER, Palette) == 396, "IMHEADER layout");
QD_IMAGE_ASSERT(offsetof(IMHEADER, Reserved2) == 1420, "IMHEADER layout");
QD_IMAGE_ASSERT(offsetof(IMHEADER, Comment) == 1676, "IMHEADER layout");
QD_IMAGE_ASSERT(offsetof(IMHEADER, Reserved3) == 2700, "IMHEADER layout");
QD_IMAGE_ASSERT(sizeof(QDBITMAPFILEHEADER) == 14, "bitmap file header layout");
QD_IMAGE_ASSERT(sizeof(QDBITMAPINFOHEADER) == 40, "bitmap information header layout");
QD_IMAGE_ASSERT(sizeof(QDRGBQUAD) == 4, "colour table entry layout");
QD_IMAGE_ASSERT(offsetof(QDBITMAPINFO, bmiColors) == 40, "colour table follows the header");

/* ---- Creation and ownership ---- */

/* The image takes over the matrix. Null when it cannot be made. */
QD_EXPORT IMHANDLE IMCreateFromMatrix(MTHANDLE mt) QD_NOEXCEPT;
/* A zero-filled image of the header's size and type with its settings. */
QD_EXPORT IMHANDLE IMCreateFromHeader(const IMHEADER* header) QD_NOEXCEPT;
QD_EXPORT void IMDestroy(IMHANDLE im) QD_NOEXCEPT;
/* Installs a new data matrix and rebuilds header and display for it. Returns
 * the previous matrix, which the caller then owns; null (and no change) when
 * mt is null or the new display cannot be allocated. */
QD_EXPORT MTHANDLE IMSetDataHandle(IMHANDLE im, MTHANDLE mt) QD_NOEXCEPT;

/* Native files and raw import (image_file.cpp). */
QD_EXPORT IMHANDLE IMCreateFromFile(const char* path) QD_NOEXCEPT;
QD_EXPORT int32_t IMReadFile(IMHANDLE im, const char* path) QD_NOEXCEPT;
QD_EXPORT int32_t IMImportFile(IMHANDLE im, const char* path, int64_t offset) QD_NOEXCEPT;
QD_EXPORT int32_t IMWriteFile(IMHANDLE im, const char* path) QD_NOEXCEPT;

/* ---- Members (owned by the image) ---- */
QD_EXPORT MTHANDLE IMGetDataHandle(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT MTHANDLE IMGetBmpBitsHandle(IMHANDLE im) QD_NOEXCEPT;
/* Null for RGB images. */
QD_EXPORT ARHANDLE IMGetHistogramHandle(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int64_t IMGetDataSize(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int64_t IMGetBmpSize(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int64_t IMGetHistoSize(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void* IMGetDataPointer(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void* IMGetBmpPointer(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void* IMGetHistoPointer(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT IMHEADER* IMGetHeaderPointer(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT QDBITMAPFILEHEADER* IMGetBmpFHeaderPointer(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT QDBITMAPINFO* IMGetBmpInfoPointer(IMHANDLE im) QD_NOEXCEPT;

/* ---- Header fields ---- */
QD_EXPORT int32_t IMGetImageWidth(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int32_t IMGetImageHeight(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT double IMGetScale(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT double IMGetGain(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT double IMGetOffset(IMHANDLE im) QD_NOEXCEPT;
/* The setters return the previous value; a scale below 1e-13 in magnitude
 * is stored as 1.0. */
QD_EXPORT double IMSetScale(IMHANDLE im, double scale) QD_NOEXCEPT;
QD_EXPORT double IMSetGain(IMHANDLE im, double gain) QD_NOEXCEPT;
QD_EXPORT double IMSetOffset(IMHANDLE im, double offset) QD_NOEXCEPT;
/* Texts inside the header. Setters cut longer texts to the field (31, 31 and
 * 127 characters); null stores an empty text. */
QD_EXPORT const char* IMGetXYUnit(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT const char* IMGetZUnit(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT const char* IMGetPaletteName(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void IMSetXYUnit(IMHANDLE im, const char* unit) QD_NOEXCEPT;
QD_EXPORT void IMSetZUnit(IMHANDLE im, const char* unit) QD_NOEXCEPT;
QD_EXPORT void IMChangePaletteName(IMHANDLE im, const char* name) QD_NOEXCEPT;
/* Display type; the setter returns the previous one and does not re-render. */
QD_EXPORT int32_t IMGetDrawType(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int32_t IMGetDisplayType(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int32_t IMSetDrawType(IMHANDLE im, int32_t type) QD_NOEXCEPT;
QD_EXPORT int32_t IMSetDisplayType(IMHANDLE im, int32_t type) QD_NOEXCEPT;
QD_EXPORT double IMGetInitialValue(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT double IMGetFinalValue(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void IMSetInitialValue(IMHANDLE im, double v) QD_NOEXCEPT;
QD_EXPORT void IMSetFinalValue(IMHANDLE im, double v) QD_NOEXCEPT;
QD_EXPORT int32_t IMGetBrightness(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int32_t IMGetContrast(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void IMSetBrightness(IMHANDLE im, int32_t brightness) QD_NOEXCEPT;
QD_EXPORT void IMSetContrast(IMHANDLE im, int32_t contrast) QD_NOEXCEPT;
/* 2, 16, 0 (RGB) or 256. */
QD_EXPORT int32_t IMGetNumPaletteColors(IMHANDLE im) QD_NOEXCEPT;
/* 1, 4, 24 or 8. */
QD_EXPORT int32_t IMGetBmpBitsCount(IMHANDLE im) QD_NOEXCEPT;
/* Appends "\r\n" and the text; 0 (and no change) when it would not fit. */
QD_EXPORT int32_t IMInsertComment(IMHANDLE im, const char* text) QD_NOEXCEPT;

/* ---- Values (forwarded to the data matrix) ---- */
QD_EXPORT int32_t IMIsRgb(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT double IMReal(IMHANDLE im, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT double IMImag(IMHANDLE im, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT MTCOMPLEX IMComplex(IMHANDLE im, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT double IMNorm(IMHANDLE im, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT uint32_t IMRgb(IMHANDLE im, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT int32_t IMRealInt(IMHANDLE im, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT int32_t IMImagInt(IMHANDLE im, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT void IMSetReal(IMHANDLE im, int32_t x, int32_t y, double v) QD_NOEXCEPT;
QD_EXPORT void IMSetImag(IMHANDLE im, int32_t x, int32_t y, double v) QD_NOEXCEPT;
QD_EXPORT void IMSetComplex(IMHANDLE im, int32_t x, int32_t y, MTCOMPLEX v) QD_NOEXCEPT;
QD_EXPORT void IMSetRealInt(IMHANDLE im, int32_t x, int32_t y, int32_t v) QD_NOEXCEPT;
QD_EXPORT void IMSetImagInt(IMHANDLE im, int32_t x, int32_t y, int32_t v) QD_NOEXCEPT;
QD_EXPORT void IMSetRgb(IMHANDLE im, int32_t x, int32_t y, uint32_t rgb) QD_NOEXCEPT;
/* Store a value and update that one bitmap pixel (not the histogram). */
QD_EXPORT int32_t IMSetRealPixel(IMHANDLE im, int32_t x, int32_t y, double v) QD_NOEXCEPT;
QD_EXPORT int32_t IMSetComplexPixel(IMHANDLE im, int32_t x, int32_t y, MTCOMPLEX v) QD_NOEXCEPT;
QD_EXPORT int32_t IMSetRGBPixel(IMHANDLE im, int32_t x, int32_t y, uint32_t rgb) QD_NOEXCEPT;
/* Writes the value at (x, y) as text into out (64 bytes) and returns out. */
QD_EXPORT char* IMValueToString(IMHANDLE im, int32_t x, int32_t y, char* out) QD_NOEXCEPT;

/* ---- Whole-image operations ---- */
QD_EXPORT void IMSwapBytes(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void IMInverse(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void IMXMirror(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void IMYMirror(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void IMExchangeAxes(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void IMChangeValueDomain(IMHANDLE im, double initial, double finalValue) QD_NOEXCEPT;

/* ---- Display bitmap ---- */
/* Width of the bitmap matrix for an image width w (rows padded to 4 bytes). */
QD_EXPORT int32_t IMGetBitmapWidthByte(IMHANDLE im, int32_t w) QD_NOEXCEPT;
/* Rebuilds the bitmap matrix and both headers; 0 when out of memory. */
QD_EXPORT int32_t IMSetBmpBitMemory(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void IMSetAllBmpStruct(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void IMPrepareBitmap(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void IMDefaultRange(IMHANDLE im, int32_t quick) QD_NOEXCEPT;
QD_EXPORT int32_t IMBmpVal(IMHANDLE im, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT void IMSetBmpVal(IMHANDLE im, int32_t x, int32_t y, int32_t level) QD_NOEXCEPT;
QD_EXPORT uint32_t IMBmpRgbVal(IMHANDLE im, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT void IMSetBmpRgbVal(IMHANDLE im, int32_t x, int32_t y, uint32_t rgb) QD_NOEXCEPT;
/* Value histogram of the current window into the first count elements of a
 * float array (never more than the array's window holds). */
QD_EXPORT void IMHistogram(IMHANDLE im, ARHANDLE ar, double min, double max,
                           int32_t count) QD_NOEXCEPT;

/* ---- Palette and colour table ---- */
QD_EXPORT void IMSetBasicPalette(IMHANDLE im, const uint32_t* colors) QD_NOEXCEPT;
/* Recomputes the colour table from the named palette of the list (or the
 * header's palette), brightness and contrast. The list may be null. */
QD_EXPORT void IMSetPalette(IMHANDLE im, PMHANDLE palettes) QD_NOEXCEPT;
/* A copy of the colour table; null for RGB images. */
QD_EXPORT HPALETTE IMGetPalette(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void IMDeletePalette(HPALETTE pal) QD_NOEXCEPT;
QD_EXPORT int32_t IMGetPaletteSize(HPALETTE pal) QD_NOEXCEPT;
/* Colour i of the table as 0x00RRGGBB; 0 outside the table. */
QD_EXPORT uint32_t IMGetPaletteEntry(HPALETTE pal, int32_t i) QD_NOEXCEPT;
/* Writes the colour table as 0x00RRGGBB values; returns their number. */
QD_EXPORT int32_t IMGetPaletteArray(IMHANDLE im, uint32_t* out) QD_NOEXCEPT;

/* ---- Drawing (HDC is a QPainter*) ---- */
QD_EXPORT void IMDrawImage(IMHANDLE im, HDC hdc) QD_NOEXCEPT;
QD_EXPORT void IMDrawPixel(IMHANDLE im, HDC hdc, int32_t x, int32_t y) QD_NOEXCEPT;
/* Inverting frame: drawing it twice removes it. 0 when nothing is selected. */
QD_EXPORT int32_t IMDrawSelectedRect(IMHANDLE im, HDC hdc) QD_NOEXCEPT;
QD_EXPORT void IMDrawGraphicObject(IMHANDLE im, HDC hdc) QD_NOEXCEPT;

/* ---- Rectangles, coordinates and selection ---- */
QD_EXPORT QDRECT IMGetDrawRect(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT QDRECT IMGetSelectedRect(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT QDRECT IMGetDefaultRect(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT QDRECT IMGetImageRect(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT QDRECT IMGetSelectedRectOnImage(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void IMGetMagnification(IMHANDLE im, int32_t* reduction,
                                  int32_t* enlargement) QD_NOEXCEPT;
/* The setters return the previous rectangle. */
QD_EXPORT QDRECT IMSetDrawRect(IMHANDLE im, int32_t l, int32_t t, int32_t r,
                               int32_t b) QD_NOEXCEPT;
QD_EXPORT void IMMoveDrawRect(IMHANDLE im, int32_t dx, int32_t dy) QD_NOEXCEPT;
QD_EXPORT QDRECT IMSetSelectedRect(IMHANDLE im, int32_t l, int32_t t, int32_t r,
                                   int32_t b) QD_NOEXCEPT;
QD_EXPORT void IMMoveSelectedRect(IMHANDLE im, int32_t dx, int32_t dy) QD_NOEXCEPT;
QD_EXPORT int32_t IMIsInDefaultRect(IMHANDLE im, int32_t l, int32_t t, int32_t r,
                                    int32_t b) QD_NOEXCEPT;
QD_EXPORT int32_t IMIsSelected(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int32_t IMSelect(IMHANDLE im, int32_t on) QD_NOEXCEPT;
QD_EXPORT int32_t IMSetWindow(IMHANDLE im, int32_t x0, int32_t y0, int32_t x1,
                              int32_t y1) QD_NOEXCEPT;
QD_EXPORT int32_t IMSetDefaultWindow(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT QDPOINT IMGetImagePoint(IMHANDLE im, int32_t wx, int32_t wy) QD_NOEXCEPT;
QD_EXPORT QDPOINT IMGetDrawPoint(IMHANDLE im, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT int32_t IMDrawRectContain(IMHANDLE im, int32_t wx, int32_t wy) QD_NOEXCEPT;

/* ---- Overlays and line drawing ---- */
/* Coordinates in image rows (row 0 at the bottom); the other arguments as
 * GOCreateLineObject / GOCreateTextObject. Return NumGraphicObjects. */
QD_EXPORT int32_t IMAddLineObject(IMHANDLE im, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                  uint32_t colour, int32_t width) QD_NOEXCEPT;
QD_EXPORT int32_t IMAddTextObject(IMHANDLE im, int32_t x, int32_t y, const char* text,
                                  const char* face, int32_t size, int32_t bold, int32_t italic,
                                  uint32_t colour) QD_NOEXCEPT;
/* Coordinates relative to the current window; points outside the image are
 * skipped. */
QD_EXPORT void IMDrawRealLine(IMHANDLE im, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                              double v) QD_NOEXCEPT;
QD_EXPORT void IMDrawComplexLine(IMHANDLE im, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                 MTCOMPLEX v) QD_NOEXCEPT;
QD_EXPORT void IMDrawRGBLine(IMHANDLE im, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                             uint32_t rgb) QD_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
