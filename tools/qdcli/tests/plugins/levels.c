/* Changes only what the active image shows: level x + 10 y at (x, y). */
#include "common.h"

const char* PlugInName(void) { return "Levels"; }

int PlugInMain(int runFlag, PLUGINSERVER server) {
    IMHANDLE image;
    int32_t x, y;
    (void)runFlag;
    qdConnectPlugInServer(server);
    image = qdIWGetImageHandle(qdGetActiveImageWindow());
    for (y = 0; image && y < qdIMGetImageHeight(image); ++y)
        for (x = 0; x < qdIMGetImageWidth(image); ++x) qdIMSetBmpVal(image, x, y, x + 10 * y);
    return 0;
}
