/* A plug-in for the tests: it writes one result line, and it is enabled only
 * while an image window is active. */
#include <qd/plugin.h>

/* Asks to be visible; the module's version script keeps it inside. */
__attribute__((visibility("default"))) int sampleHelper(int runFlag);

int sampleHelper(int runFlag) { return runFlag + 1; }

const char* PlugInName(void) { return "Sample"; }

int PlugInMain(int runFlag, PLUGINSERVER server) {
    qdConnectPlugInServer(server);
    qdWriteResultLnF("Sample run %d", runFlag);
    return sampleHelper(runFlag);
}

int PlugInMenuUpdate(PLUGINSERVER server) {
    qdConnectPlugInServer(server);
    return qdGetActiveImageWindow() ? 0 : 1;
}
