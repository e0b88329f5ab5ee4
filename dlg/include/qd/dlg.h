/* Four modal dialogs with a plain C interface, for code outside the
 * program's own windows (the plug-in server path and plug-ins): a line of
 * text, a palette, a new image's size and type, and the layout of a
 * headerless raw file.
 *
 * Each call runs its dialog modally over the parent and returns 1 for OK, 0
 * for Cancel or when the dialog could not be shown (a null record, no
 * QApplication can be had in this thread). Without any Qt application the
 * call makes a QApplication for its own duration; beside a QCoreApplication
 * that is not a QApplication it returns 0. Texts are UTF-8. */
#ifndef QD_DLG_H
#define QD_DLG_H

#include <stdint.h>

#include <qd/grpobj.h>
#include <qd/image.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Window handle: a QWidget* behind an opaque pointer; null for none. */
#ifndef QD_HWND_DEFINED
#define QD_HWND_DEFINED
typedef void* HWND;
#endif

/* The palette record of the palette manager. */
#ifndef QD_PALETTEDESC_DEFINED
#define QD_PALETTEDESC_DEFINED
typedef QDPALETTE PALETTEDESC;
#endif

/* Where a raw file's image lies, filled by RunImportDialog. */
typedef struct QDRAWIMPORT {
    int32_t Offset;   /* bytes before the image data */
    int32_t DataSize; /* bytes of the image data */
    int32_t ByteSwap; /* 1: swap the bytes of each element, else 0 */
} QDRAWIMPORT;

#if defined(__cplusplus)
static_assert(sizeof(QDRAWIMPORT) == 12, "raw-import record layout");
#else
_Static_assert(sizeof(QDRAWIMPORT) == 12, "raw-import record layout");
#endif

/* Asks for a line of text under the window title caption and the prompt;
 * the field starts with the buffer's text (read up to size bytes). OK
 * writes at most size - 1 bytes and a NUL, never splitting a character.
 * Null caption or prompt show nothing; a null buffer or a size below 1
 * returns 0. */
QD_EXPORT int32_t RunInputTextDialog(HWND parent, const char* caption, const char* prompt,
                                     char* text, int32_t size) QD_NOEXCEPT;

/* Lets the user pick one of the manager's palettes whose colour flag equals
 * colorFlag (PAL_2, PAL_16, PAL_256), in manager order. On OK *chosen
 * receives the chosen palette as PMFindPal gives it (still owned by the
 * manager); chosen may be null, then nothing is written. Nothing is written
 * on Cancel. */
QD_EXPORT int32_t RunPalDialog(HWND parent, PMHANDLE pm, int32_t colorFlag,
                               PALETTEDESC** chosen) QD_NOEXCEPT;

/* Asks for the width, height and element type of a new image (256 x 256
 * unsigned short to start with). OK fills the header: all bytes zero except
 * Version "Quidora 1.00", Levels 256, Width, Height, DataType and Scale 1.0.
 * The header is written only on OK. */
QD_EXPORT int32_t RunNewImageDialog(HWND parent, IMHEADER* header) QD_NOEXCEPT;

/* Asks how the file at path is laid out: width, height, element type, bytes
 * to skip and byte swapping. Returns 0 without a dialog when the file does
 * not exist. OK fills the header as RunNewImageDialog does and the record
 * with the offset, the image's size in bytes and the swap flag; it refuses
 * an image that does not fit in the file after the offset. Both records are
 * written only on OK. */
QD_EXPORT int32_t RunImportDialog(HWND parent, const char* path, IMHEADER* header,
                                  QDRAWIMPORT* record) QD_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
