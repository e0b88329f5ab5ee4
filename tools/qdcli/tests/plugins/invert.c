/* Inverts the active image in place. */
#include "common.h"

const char* PlugInName(void) { return "Invert"; }

int PlugInMain(int runFlag, PLUGINSERVER server) {
    (void)runFlag;
    qdConnectPlugInServer(server);
    qdIMInverse(qdIWGetImageHandle(qdGetActiveImageWindow()));
    return 0;
}
