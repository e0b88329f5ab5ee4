/* Overlay graphic objects (lines and texts), their lists, and the palette
 * manager with its palette file. */
#ifndef QD_GRPOBJ_H
#define QD_GRPOBJ_H

#include <stdint.h>

#ifndef QD_EXPORT
#define QD_EXPORT __attribute__((visibility("default")))
#endif

#ifndef QD_NOEXCEPT
#ifdef __cplusplus
#define QD_NOEXCEPT noexcept
#else
#define QD_NOEXCEPT
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Rectangle and point, also declared (identically, under the same guard) by
 * headers of libraries that do not link this one. */
#ifndef QD_RECT_DEFINED
#define QD_RECT_DEFINED
/* Rectangle: right and bottom exclusive. */
typedef struct QDRECT {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
} QDRECT;

/* Point: x then y. */
typedef struct QDPOINT {
    int32_t x;
    int32_t y;
} QDPOINT;
#endif

/* Device context: a QPainter* behind an opaque pointer. */
#ifndef QD_HDC_DEFINED
#define QD_HDC_DEFINED
typedef void* HDC;
#endif

typedef struct QDGraphicObject* GOHANDLE;
typedef struct QDGraphicList* GMHANDLE;
typedef struct QDPaletteManager* PMHANDLE;

/* Graphic object type codes. */
enum { GO_TEXT = 1, GO_LINE = 2 };

/* Data records are little-endian 32-bit fields:
 *   line (40 bytes): left, top, right, bottom, x1, y1, x2, y2, colour, width
 *   text (72 + length): left, top, right, bottom, size, bold, italic, colour,
 *     face name (32 bytes), text length, text with its NUL (and padding). */
enum { GO_LINE_RECORD_SIZE = 40, GO_TEXT_RECORD_BASE = 72, GO_FACE_SIZE = 32 };

/* Graphic objects. Colours are 0x00RRGGBB. Object coordinates are image
 * coordinates whose y runs downward from the top image row. */
QD_EXPORT GOHANDLE GOCreate(int32_t type) QD_NOEXCEPT;
QD_EXPORT GOHANDLE GOCreateLineObject(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                      uint32_t colour, int32_t width) QD_NOEXCEPT;
/* Text centred on (x, y); a null text or face counts as empty, a face longer
 * than 31 characters is cut. */
QD_EXPORT GOHANDLE GOCreateTextObject(int32_t x, int32_t y, const char* text, const char* face,
                                      int32_t size, int32_t bold, int32_t italic,
                                      uint32_t colour) QD_NOEXCEPT;
QD_EXPORT void GODestroy(GOHANDLE obj) QD_NOEXCEPT;
/* 1 (text) or 2 (line); 0 for a null object. */
QD_EXPORT int32_t GOGetType(GOHANDLE obj) QD_NOEXCEPT;
/* Bytes of the object's data record. */
QD_EXPORT int32_t GOGetObjectSize(GOHANDLE obj) QD_NOEXCEPT;
QD_EXPORT QDRECT GOGetDrawRect(GOHANDLE obj) QD_NOEXCEPT;
QD_EXPORT void GOMoveDrawRect(GOHANDLE obj, int32_t dx, int32_t dy) QD_NOEXCEPT;
/* Replaces the object's contents by the record of `size` bytes. Returns 1, or
 * 0 (object unchanged) when the record is shorter than its kind needs or a
 * text record states a text length that runs past `size`. */
QD_EXPORT int32_t GOSetData(GOHANDLE obj, const void* record, int64_t size) QD_NOEXCEPT;
/* A newly allocated copy of the data record (GOGetObjectSize bytes), owned by
 * the caller and released with free(); null on failure. */
QD_EXPORT void* GOGetData(GOHANDLE obj) QD_NOEXCEPT;
/* Draws the object scaled: image coordinate c becomes
 * origin + c * multiplier / divisor. A divisor of 0 draws nothing. The
 * painter's state is left as it was. */
QD_EXPORT void GODraw(HDC hdc, GOHANDLE obj, int32_t originX, int32_t originY, int32_t divisor,
                      int32_t multiplier) QD_NOEXCEPT;

/* Lists of graphic objects. A list never owns nor destroys its objects. */
QD_EXPORT GMHANDLE GMCreate(void) QD_NOEXCEPT;
QD_EXPORT void GMDestroy(GMHANDLE list) QD_NOEXCEPT;
QD_EXPORT int32_t GMGetCount(GMHANDLE list) QD_NOEXCEPT;
/* Null when index is not in 0..count-1. */
QD_EXPORT GOHANDLE GMGetGraphicObject(GMHANDLE list, int32_t index) QD_NOEXCEPT;
/* Appends; the new count, or 0 when the object could not be added. */
QD_EXPORT int32_t GMAddGraphicObject(GMHANDLE list, GOHANDLE obj) QD_NOEXCEPT;
/* Remove the first entry equal to obj / the entry at index; the new count, or
 * -1 when it is not in the list. */
QD_EXPORT int32_t GMDeleteGraphicObject(GMHANDLE list, GOHANDLE obj) QD_NOEXCEPT;
QD_EXPORT int32_t GMDeleteGraphicObjectAt(GMHANDLE list, int32_t index) QD_NOEXCEPT;

/* Palette colour flags. */
enum { PAL_256 = 0, PAL_16 = 1, PAL_2 = 2 };

/* Number of built-in palettes; user palettes follow from this index. */
enum { PM_BUILTIN_COUNT = 20 };

/* A named palette. A record given to PMAddPal and its colour array must come
 * from malloc(): the manager frees both with free(). */
typedef struct QDPALETTE {
    char name[128];    /* NUL-terminated; the key of PMFindPal */
    int32_t colorFlag; /* PAL_256, PAL_16 or PAL_2 */
    uint32_t* colors;  /* 256, 16 or 2 colours by the flag, each 0x00RRGGBB */
} QDPALETTE;

/* The name of the palette file in the settings directory. */
#define PM_FILE_NAME "QDPalette.dat"

/* A manager with the built-in palettes and the user palettes read from the
 * file at path. A null or empty path means PM_FILE_NAME in the settings
 * directory ($QD_SETTINGS_DIR, else $XDG_CONFIG_HOME/quidora, else
 * $HOME/.config/quidora). */
QD_EXPORT PMHANDLE PMCreate(const char* path) QD_NOEXCEPT;
/* Writes the user palettes back to the file (the old file is replaced only by
 * a complete new one), then frees the manager and all its palettes. */
QD_EXPORT void PMDestroy(PMHANDLE pm) QD_NOEXCEPT;
QD_EXPORT int32_t PMGetCount(PMHANDLE pm) QD_NOEXCEPT;
/* The palette at index, or null outside 0..count-1. */
QD_EXPORT QDPALETTE* PMGetPal(PMHANDLE pm, int32_t index) QD_NOEXCEPT;
QD_EXPORT QDPALETTE* PMGetPalDescriptor(PMHANDLE pm, int32_t index) QD_NOEXCEPT;
/* The palette's colour flag; -1 for an index outside 0..count-1. */
QD_EXPORT int32_t PMGetColorFlag(PMHANDLE pm, int32_t index) QD_NOEXCEPT;
/* Appends the palette, which the manager then owns; the new count, or 0 when
 * it was not added (null record or colours, already listed, out of memory). */
QD_EXPORT int32_t PMAddPal(PMHANDLE pm, QDPALETTE* pal) QD_NOEXCEPT;
/* Remove a user palette (index PM_BUILTIN_COUNT and up); the record is not
 * freed and belongs to the caller again. The new count, or -1 when the entry
 * is built in or not in the list. */
QD_EXPORT int32_t PMDeletePal(PMHANDLE pm, QDPALETTE* pal) QD_NOEXCEPT;
QD_EXPORT int32_t PMDeletePalAt(PMHANDLE pm, int32_t index) QD_NOEXCEPT;
/* The first palette whose name equals name exactly, or null. */
QD_EXPORT QDPALETTE* PMFindPal(PMHANDLE pm, const char* name) QD_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
