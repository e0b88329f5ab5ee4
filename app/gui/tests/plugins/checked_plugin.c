/* A plug-in whose item shows checked and disabled. */
#include <qd/plugin.h>

QD_PLUGIN_EXPORT const char* PlugInName(void) { return "Checked"; }

QD_PLUGIN_EXPORT int PlugInMenuUpdate(PLUGINSERVER server) {
    qdConnectPlugInServer(server);
    return 3;
}

QD_PLUGIN_EXPORT int PlugInMain(int runFlag, PLUGINSERVER server) {
    (void)runFlag;
    qdConnectPlugInServer(server);
    qdWriteResultText("checked ran");
    return 0;
}
