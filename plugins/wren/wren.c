/* Selected Area Stretch: the selection's value range spread over the whole
 * grey scale, on screen only. */
#include "selected_area.h"

static int stretch(MTHANDLE data, MTHANDLE bitmap, int32_t w, int32_t h) {
    double s, o;
    int32_t x, y;
    if (!areaStretch(data, w, h, &s, &o)) {
        fillArea(bitmap, w, h, 128);
        return 1;
    }
    /* The maximum gives 256, which the store saturates to 255. */
    for (x = 0; x < w; ++x)
        for (y = 0; y < h; ++y)
            qdMTSetRealInt(bitmap, x, y, truncLevel(s * qdMTReal(data, x, y) + o));
    return 1;
}

const char* PlugInName(void) { return "Selected Area Stretch"; }

int PlugInMenuUpdate(PLUGINSERVER server) { return areaMenuUpdate(server); }

int PlugInMain(int runFlag, PLUGINSERVER server) {
    (void)runFlag;
    return runOnSelectedArea(server, stretch);
}
