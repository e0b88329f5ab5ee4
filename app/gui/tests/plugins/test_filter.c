/* A file filter for the tests: ".tst" files hold the width and height as
 * two bytes, then one byte per pixel. Built twice: with FileOpen and
 * FileSave, and (QD_SAVE_ONLY) with FileSave alone. */
#include <stdio.h>

#include <qd/image.h>

#define EXPORT __attribute__((visibility("default")))

EXPORT const char* GetExtName(void) { return "tst"; }

#ifdef QD_SAVE_ONLY
EXPORT const char* GetFileDes(void) { return "Test save-only"; }
#else
EXPORT const char* GetFileDes(void) { return "Test images"; }

EXPORT IMHANDLE FileOpen(void* window, const char* path) {
    (void)window;
    FILE* f = fopen(path, "rb");
    if (!f) return 0;
    unsigned char size[2];
    IMHANDLE im = 0;
    if (fread(size, 1, 2, f) == 2 && size[0] && size[1]) {
        MTHANDLE m = MTCreate(size[0], size[1], MT_UCHAR);
        for (int y = 0; m && y < size[1]; ++y)
            for (int x = 0; x < size[0]; ++x) MTSetRealInt(m, x, y, fgetc(f));
        im = m ? IMCreateFromMatrix(m) : 0;
    }
    fclose(f);
    return im;
}
#endif

EXPORT int FileSave(void* window, IMHANDLE image, const char* path) {
    (void)window;
    MTHANDLE m = IMGetDataHandle(image);
    FILE* f = fopen(path, "wb");
    if (!f) return 0;
    fputc(MTGetWidth(m), f);
    fputc(MTGetHeight(m), f);
    for (int y = 0; y < MTGetHeight(m); ++y)
        for (int x = 0; x < MTGetWidth(m); ++x) fputc(MTRealInt(m, x, y), f);
    return fclose(f) == 0;
}
