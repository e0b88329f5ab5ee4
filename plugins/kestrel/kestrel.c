/* Kestrel: the logarithm of the gradient magnitude inside the selection,
 * on screen only. */
#include "selected_area.h"

#include <math.h>

static int edges(MTHANDLE data, MTHANDLE bitmap, int32_t w, int32_t h) {
    MTHANDLE g = qdMTCreate(w, h, MT_FLOAT);
    double m = -1e300;
    int32_t x, y;
    if (!g) return 0;
    /* Forward differences that wrap around inside the area. */
    for (x = 0; x < w; ++x)
        for (y = 0; y < h; ++y) {
            const double v = qdMTReal(data, x, y);
            const double dx = qdMTReal(data, x + 1 == w ? 0 : x + 1, y) - v;
            const double dy = qdMTReal(data, x, y + 1 == h ? 0 : y + 1) - v;
            double stored;
            qdMTSetReal(g, x, y, log(dx * dx + dy * dy + 1.0));
            /* The maximum of what g holds, so that it maps to 256 exactly. */
            stored = qdMTReal(g, x, y);
            if (stored > m) m = stored;
        }
    if (m >= 1e-13) {
        for (x = 0; x < w; ++x)
            for (y = 0; y < h; ++y)
                qdMTSetRealInt(bitmap, x, y, truncLevel(256.0 / m * qdMTReal(g, x, y)));
    } else {
        fillArea(bitmap, w, h, 0);
    }
    qdMTDestroy(g);
    return 1;
}

const char* PlugInName(void) { return "Kestrel"; }

int PlugInMenuUpdate(PLUGINSERVER server) { return areaMenuUpdate(server); }

int PlugInMain(int runFlag, PLUGINSERVER server) {
    (void)runFlag;
    return runOnSelectedArea(server, edges);
}
