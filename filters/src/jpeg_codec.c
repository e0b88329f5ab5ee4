#include "jpeg_codec.h"

#include <setjmp.h>
#include <stdio.h>
#include <string.h>

#include <jerror.h>
#include <jpeglib.h>

/* A hostile progressive file can ask for thousands of scans over the same
 * coefficients; real ones have a dozen. */
enum { kMaxScans = 1000 };

typedef struct ErrorManager {
    struct jpeg_error_mgr base;
    jmp_buf back;
    int damaged;
    struct jpeg_progress_mgr progress;
} ErrorManager;

/* Fatal errors return to the call's setjmp instead of ending the process. */
static void onFatal(j_common_ptr cinfo) {
    longjmp(((ErrorManager*)cinfo->err)->back, 1);
}

/* Nothing is printed; data that runs out or is corrupt marks the file
 * damaged, where libjpeg would go on with grey blocks. */
static void onMessage(j_common_ptr cinfo, int level) {
    ErrorManager* e = (ErrorManager*)cinfo->err;
    if (level >= 0) return;
    switch (e->base.msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_HUFF_BAD_CODE:
        e->damaged = 1;
        break;
    default: break;
    }
}

static void onProgress(j_common_ptr cinfo) {
    const j_decompress_ptr d = (j_decompress_ptr)cinfo;
    if (cinfo->is_decompressor && d->input_scan_number > kMaxScans) onFatal(cinfo);
}

static void installErrors(ErrorManager* e, j_common_ptr cinfo) {
    cinfo->err = jpeg_std_error(&e->base);
    e->base.error_exit = onFatal;
    e->base.emit_message = onMessage;
    e->damaged = 0;
}

static int decode(struct jpeg_decompress_struct* cinfo, ErrorManager* errors, FILE* file, QdJpegRows rows,
                  void* user) {
    QdJpegImage image;
    void** pointers;
    if (setjmp(errors->back)) return 0;
    jpeg_create_decompress(cinfo);
    errors->progress.progress_monitor = onProgress;
    cinfo->progress = &errors->progress;
    jpeg_stdio_src(cinfo, file);
    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK) return 0;
    if (cinfo->num_components == 1) {
        cinfo->out_color_space = JCS_GRAYSCALE;
    } else if (cinfo->num_components == 3) {
        cinfo->out_color_space = JCS_EXT_BGRX;
    } else {
        return 0; /* CMYK and other separations */
    }
    image.width = cinfo->image_width;
    image.height = cinfo->image_height;
    image.colour = cinfo->num_components == 3;
    pointers = rows(user, &image);
    if (!pointers) return 0;
    jpeg_start_decompress(cinfo);
    while (cinfo->output_scanline < cinfo->output_height && !errors->damaged) {
        JSAMPROW row = (JSAMPROW)pointers[cinfo->output_scanline];
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1) return 0;
        if (image.colour) /* libjpeg fills the fourth byte with 0xFF */
            for (uint32_t x = 0; x < image.width; ++x) row[4 * (size_t)x + 3] = 0;
    }
    return !errors->damaged;
}

int qdJpegRead(const char* path, QdJpegRows rows, void* user) {
    struct jpeg_decompress_struct cinfo;
    ErrorManager errors;
    int ok;
    FILE* file = fopen(path, "rb");
    if (!file) return 0;
    memset(&cinfo, 0, sizeof cinfo);
    installErrors(&errors, (j_common_ptr)&cinfo);
    ok = decode(&cinfo, &errors, file, rows, user);
    /* Frees whatever was allocated, also after a fatal error. */
    jpeg_destroy_decompress(&cinfo);
    fclose(file);
    return ok;
}

static int encode(struct jpeg_compress_struct* cinfo, ErrorManager* errors, FILE* file, const QdJpegImage* image,
                  const void* const* rows, int quality) {
    if (setjmp(errors->back)) return 0;
    jpeg_create_compress(cinfo);
    jpeg_stdio_dest(cinfo, file);
    cinfo->image_width = image->width;
    cinfo->image_height = image->height;
    cinfo->input_components = image->colour ? 4 : 1;
    cinfo->in_color_space = image->colour ? JCS_EXT_BGRX : JCS_GRAYSCALE;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        JSAMPROW row = (JSAMPROW)rows[cinfo->next_scanline];
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return 1;
}

int qdJpegWrite(const char* path, const QdJpegImage* image, const void* const* rows, int quality) {
    struct jpeg_compress_struct cinfo;
    ErrorManager errors;
    int ok;
    FILE* file = fopen(path, "wb");
    if (!file) return 0;
    memset(&cinfo, 0, sizeof cinfo);
    installErrors(&errors, (j_common_ptr)&cinfo);
    ok = encode(&cinfo, &errors, file, image, rows, quality);
    jpeg_destroy_compress(&cinfo);
    return fclose(file) == 0 && ok;
}
