/* Reader of uncompressed baseline TIFF files: 1-, 4- and 8-bit grey or
 * palette strips and 24-bit RGB strips, either byte order, first directory
 * only. */
#ifndef QD_TIFF_H
#define QD_TIFF_H

#include <qd/image.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Opens the file as a new image, rendered and ready to show (TIFF row 0 is
 * the top line). Null on any failure, with nothing left open or allocated:
 * wrong byte-order mark or version, compressed data, a bit depth other than
 * 1, 4, 8 or 24, missing size or strip tags, or any table or strip that does
 * not lie inside the file. */
QD_EXPORT IMHANDLE OpenTiff(const char* path) QD_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
