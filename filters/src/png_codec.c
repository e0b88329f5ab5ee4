#include "png_codec.h"

#include <png.h>
#include <stdio.h>

/* Errors go back to the setjmp of the call; nothing is printed. */
static void onError(png_structp png, png_const_charp message) {
    (void)message;
    png_longjmp(png, 1);
}

static void onWarning(png_structp png, png_const_charp message) {
    (void)png;
    (void)message;
}

/* The transforms that give the row layout of png_codec.h. */
static void chooseLayout(png_structp png, png_infop info, QdPngImage* image) {
    const int type = png_get_color_type(png, info);
    const int bits = png_get_bit_depth(png, info);
    image->fileBits = bits;
    image->bits = bits == 2 ? 8 : bits;
    if (bits == 2) png_set_packing(png);
    if (type & PNG_COLOR_MASK_ALPHA) png_set_strip_alpha(png);
    if (type == PNG_COLOR_TYPE_PALETTE) {
        png_colorp colours = NULL;
        int n = 0;
        image->colour = QD_PNG_PALETTE;
        if (png_get_PLTE(png, info, &colours, &n) && colours) {
            if (n > 256) n = 256;
            for (int i = 0; i < n; ++i)
                image->palette[i] = (uint32_t)colours[i].red << 16 | (uint32_t)colours[i].green << 8 |
                                    colours[i].blue;
            image->paletteSize = n;
        }
    } else if (type & PNG_COLOR_MASK_COLOR) {
        image->colour = QD_PNG_RGB;
        image->bits = 8;
        if (bits == 16) png_set_scale_16(png);
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    } else {
        image->colour = QD_PNG_GREY;
        if (bits == 16) png_set_swap(png);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

static int decode(png_structp png, png_infop info, FILE* file, QdPngRows rows, void* user) {
    QdPngImage image = {0};
    void** pointers;
    if (setjmp(png_jmpbuf(png))) return 0;
    png_init_io(png, file);
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);
    image.width = png_get_image_width(png, info);
    image.height = png_get_image_height(png, info);
    chooseLayout(png, info, &image);
    pointers = rows(user, &image, png_get_rowbytes(png, info));
    if (!pointers) return 0;
    png_read_image(png, (png_bytepp)pointers);
    return 1;
}

int qdPngRead(const char* path, QdPngRows rows, void* user) {
    unsigned char signature[8];
    png_structp png;
    png_infop info = NULL;
    int ok = 0;
    FILE* file = fopen(path, "rb");
    if (!file) return 0;
    if (fread(signature, 1, 8, file) == 8 && png_sig_cmp(signature, 0, 8) == 0) {
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, NULL, onError, onWarning);
        if (png) info = png_create_info_struct(png);
        if (info) ok = decode(png, info, file, rows, user);
        if (png) png_destroy_read_struct(&png, info ? &info : NULL, NULL);
    }
    fclose(file);
    return ok;
}

static int encode(png_structp png, png_infop info, FILE* file, const QdPngImage* image,
                  const void* const* rows) {
    const int rgb = image->colour == QD_PNG_RGB;
    if (setjmp(png_jmpbuf(png))) return 0;
    png_init_io(png, file);
    png_set_IHDR(png, info, image->width, image->height, image->bits,
                 rgb ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    if (rgb) {
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    }
    if (image->bits == 16) png_set_swap(png);
    /* libpng copies each row before transforming it. */
    png_write_image(png, (png_bytepp)rows);
    png_write_end(png, NULL);
    return 1;
}

int qdPngWrite(const char* path, const QdPngImage* image, const void* const* rows) {
    png_structp png;
    png_infop info = NULL;
    int ok = 0;
    FILE* file = fopen(path, "wb");
    if (!file) return 0;
    png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, onError, onWarning);
    if (png) info = png_create_info_struct(png);
    if (info) ok = encode(png, info, file, image, rows);
    if (png) png_destroy_write_struct(&png, info ? &info : NULL);
    return fclose(file) == 0 && ok;
}
