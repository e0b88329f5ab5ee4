/* Selected Area Equalize: histogram equalisation of the selection, on
 * screen only. */
#include "selected_area.h"

static int equalize(MTHANDLE data, MTHANDLE bitmap, int32_t w, int32_t h) {
    double s, o, hist[256] = {0}, cumulative[256];
    const double perElement = 255.0 / ((double)w * (double)h);
    int32_t x, y, k;
    if (!areaStretch(data, w, h, &s, &o)) {
        fillArea(bitmap, w, h, 128);
        return 1;
    }
    /* The stretched levels go into the bitmap first; the maximum (256) and
     * anything out of range count in the top bin. */
    for (x = 0; x < w; ++x)
        for (y = 0; y < h; ++y) {
            const int32_t v = truncLevel(s * qdMTReal(data, x, y) + o);
            qdMTSetRealInt(bitmap, x, y, v);
            hist[v < 0 || v > 255 ? 255 : v] += 1.0;
        }
    cumulative[0] = perElement * hist[0];
    for (k = 1; k < 256; ++k) cumulative[k] = perElement * hist[k] + cumulative[k - 1];
    /* Each stored level, saturated to a byte, looks up its new level. */
    for (x = 0; x < w; ++x)
        for (y = 0; y < h; ++y)
            qdMTSetRealInt(bitmap, x, y, truncLevel(cumulative[qdMTRealInt(bitmap, x, y) & 255]));
    return 1;
}

const char* PlugInName(void) { return "Selected Area Equalize"; }

int PlugInMenuUpdate(PLUGINSERVER server) { return areaMenuUpdate(server); }

int PlugInMain(int runFlag, PLUGINSERVER server) {
    (void)runFlag;
    return runOnSelectedArea(server, equalize);
}
