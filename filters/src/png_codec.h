/* libpng behind a plain C interface: libpng reports errors by longjmp, which
 * must not cross C++ frames, so every libpng call and its setjmp live in
 * png_codec.c. */
#ifndef QD_PNG_CODEC_H
#define QD_PNG_CODEC_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum { QD_PNG_GREY = 0, QD_PNG_PALETTE = 1, QD_PNG_RGB = 2 };

/* A picture as rows are handed over: grey or palette indices of 1, 4, 8 or
 * 16 bits (packed first pixel highest below 8; 16 little-endian), or RGB as
 * four bytes a pixel, blue, green, red, 0. */
typedef struct QdPngImage {
    uint32_t width;
    uint32_t height;
    int colour;
    int bits;
    int fileBits; /* the file's bit depth: 2-bit data arrives as 8 */
    int paletteSize;
    uint32_t palette[256]; /* 0x00RRGGBB */
} QdPngImage;

/* Asked once the header is read: the height row pointers, in file order,
 * each for rowBytes bytes, or null to refuse the file. */
typedef void** (*QdPngRows)(void* user, const QdPngImage* image, size_t rowBytes);

/* 1 when every row was decoded, 0 when the file is not a PNG, is damaged
 * or was refused. Alpha and transparency are dropped; 16-bit colour
 * becomes 8-bit. */
int qdPngRead(const char* path, QdPngRows rows, void* user);

/* Writes grey (1, 4, 8, 16 bits) or RGB rows in the layout above, top line
 * first. 1 on success. */
int qdPngWrite(const char* path, const QdPngImage* image, const void* const* rows);

#ifdef __cplusplus
}
#endif

#endif
