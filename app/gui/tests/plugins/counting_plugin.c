/* A plug-in without PlugInMenuUpdate: it tells the result window how it was
 * run and how many windows it saw. */
#include <qd/plugin.h>

QD_PLUGIN_EXPORT const char* PlugInName(void) { return "Counting"; }

QD_PLUGIN_EXPORT int PlugInMain(int runFlag, PLUGINSERVER server) {
    qdConnectPlugInServer(server);
    qdWriteResultLnF("run %d with %d windows", runFlag, (int)qdGetImageWindowCount());
    return 0;
}
