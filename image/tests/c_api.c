/* The public header compiles as plain C and links from C. */
#include <qd/image.h>

int image_c_api_smoke(void);

int image_c_api_smoke(void) {
    MTHANDLE mt = MTCreate(4, 3, MT_UCHAR);
    IMHANDLE im = IMCreateFromMatrix(mt);
    char text[64];
    QDRECT r;
    int ok;
    if (!im) return 0;
    IMSetReal(im, 1, 1, 9.0);
    IMDefaultRange(im, 0);
    IMPrepareBitmap(im);
    r = IMGetDefaultRect(im);
    ok = r.right == 4 && r.bottom == 3 && IMGetHeaderPointer(im)->Levels == 256 &&
         IMValueToString(im, 1, 1, text) == text && IMBmpVal(im, 1, 1) == 255;
    IMDestroy(im);
    return ok;
}
