/* The file-filter contract: the four entry points the program looks up by
 * name in a filter library. A filter adds one extension to Open and Save As. */
#ifndef QD_FILE_FILTER_H
#define QD_FILE_FILTER_H

#include <qd/image.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The extension without its dot ("tif"), compared lower-cased. */
QD_EXPORT const char* GetExtName(void) QD_NOEXCEPT;
/* The text shown in the file dialogs beside "(*.ext)". */
QD_EXPORT const char* GetFileDes(void) QD_NOEXCEPT;
/* A new image, rendered and ready to show, or null when the file is not one
 * the filter reads. window is the program's main window (may be null). */
QD_EXPORT IMHANDLE FileOpen(void* window, const char* path) QD_NOEXCEPT;
/* 1 when the image was written to path; 0 leaves nothing at path. */
QD_EXPORT int FileSave(void* window, IMHANDLE image, const char* path) QD_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
