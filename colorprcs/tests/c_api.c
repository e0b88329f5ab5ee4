/* The public header must compile and work as plain C. */
#include <qd/colorprcs.h>
#include <stddef.h>

int colorprcsCApiSmoke(void);

int colorprcsCApiSmoke(void) {
    float hsi[3];
    int32_t rgb = 0;
    MTHANDLE m = MTCreate(3, 2, MT_RGB);
    IMHANDLE im, filtered;
    int ok;
    RGB2HSI(0x00FF0000, hsi);
    ok = HSI2RGB(hsi[0], hsi[1], hsi[2], &rgb) == 0x00FF0000 && rgb == 0x00FF0000;
    MTSetRgb(m, 1, 1, 0x00102030);
    im = IMCreateFromMatrix(m);
    filtered = ColorDilation2D(im, NULL);
    ok = ok && filtered != NULL && IMRgb(filtered, 0, 0) == 0x00102030;
    IMDestroy(filtered);
    IMDestroy(im);
    return ok;
}
