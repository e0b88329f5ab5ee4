/* The active image's values in a new window with the default title. */
#include "common.h"

const char* PlugInName(void) { return "Duplicate"; }

int PlugInMain(int runFlag, PLUGINSERVER server) {
    IMHANDLE image;
    (void)runFlag;
    qdConnectPlugInServer(server);
    image = copyOf(qdGetActiveImageWindow());
    if (image && !qdIWCreate(image, NULL)) qdIMDestroy(image);
    return 0;
}
