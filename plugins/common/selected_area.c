#include "selected_area.h"

#include <stddef.h>

static int suitable(MTHANDLE data) {
    const int32_t type = qdMTGetFlags(data);
    return type != MT_BINARY && type != MT_4BITS && type != MT_COMPLEX8 &&
           type != MT_COMPLEX16 && type != MT_RGB;
}

int areaMenuUpdate(PLUGINSERVER server) {
    IWHANDLE window;
    qdConnectPlugInServer(server);
    window = qdGetActiveImageWindow();
    if (!window) return 1;
    return suitable(qdIMGetDataHandle(qdIWGetImageHandle(window))) ? 0 : 1;
}

int runOnSelectedArea(PLUGINSERVER server, AreaRemap remap) {
    IWHANDLE window;
    IMHANDLE image;
    MTHANDLE data, bitmap;
    int done;

    qdConnectPlugInServer(server);
    window = qdGetActiveImageWindow();
    if (!window) {
        qdRunMessageDialog("There is no active image window.", "warning", 16);
        return 0;
    }
    image = qdIWGetImageHandle(window);
    data = qdIMGetDataHandle(image);
    bitmap = qdIMGetBmpBitsHandle(image);
    /* The menu update refuses these too, but a plug-in run once from its
     * file is not asked first. */
    if (!suitable(data)) {
        qdRunMessageDialog("Not proper image data type.", "warning", 16);
        return 0;
    }
    qdIMSelect(image, 1);
    done = remap(data, bitmap, qdMTGetWidth(data), qdMTGetHeight(data));
    qdIMSelect(image, 0);
    if (!done) {
        qdRunMessageDialog("Not enough memory.", "warning", 48);
        return 0;
    }
    qdIWRepaint(window, NULL, 0);
    return 1;
}

int areaStretch(MTHANDLE data, int32_t w, int32_t h, double* s, double* o) {
    double lo = 1e300, hi = -1e300;
    int32_t x, y;
    for (x = 0; x < w; ++x)
        for (y = 0; y < h; ++y) {
            const double v = qdMTReal(data, x, y);
            if (v < lo) lo = v;
            if (v > hi) hi = v;
        }
    if (hi - lo < 1e-13) return 0;
    *s = 256.0 / (hi - lo);
    *o = -lo * *s;
    return 1;
}

void fillArea(MTHANDLE bitmap, int32_t w, int32_t h, int32_t level) {
    int32_t x, y;
    for (x = 0; x < w; ++x)
        for (y = 0; y < h; ++y) qdMTSetRealInt(bitmap, x, y, level);
}

int32_t truncLevel(double v) {
    if (v != v) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return (int32_t)v;
}
