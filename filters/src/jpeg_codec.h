/* libjpeg behind a plain C interface: its fatal errors leave by longjmp,
 * which must not cross C++ frames, so every libjpeg call and its setjmp
 * live in jpeg_codec.c. */
#ifndef QD_JPEG_CODEC_H
#define QD_JPEG_CODEC_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Grey rows hold one byte a pixel; colour rows four: blue, green, red, 0. */
typedef struct QdJpegImage {
    uint32_t width;
    uint32_t height;
    int colour;
} QdJpegImage;

/* Asked once the header is read: the height row pointers, in file order,
 * or null to refuse the file. */
typedef void** (*QdJpegRows)(void* user, const QdJpegImage* image);

/* 1 when every row was decoded; 0 when the file is not a grey or colour
 * JPEG, is damaged or cut short, or was refused. */
int qdJpegRead(const char* path, QdJpegRows rows, void* user);

/* Writes the rows, top line first, at the quality (1 to 100). 1 on success. */
int qdJpegWrite(const char* path, const QdJpegImage* image, const void* const* rows, int quality);

#ifdef __cplusplus
}
#endif

#endif
