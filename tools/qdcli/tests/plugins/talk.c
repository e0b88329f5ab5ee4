/* Result text, message boxes, input dialogs, image selections and the stop
 * count, each answer written as a result line. */
#include <signal.h>
#include <string.h>

#include "common.h"

const char* PlugInName(void) { return "Talk"; }

int PlugInMain(int runFlag, PLUGINSERVER server) {
    QDSELECTREQUEST select = {"Pick", NULL};
    char buffer[8];
    int i;
    qdConnectPlugInServer(server);
    qdWriteResultLnF("run flag %d", runFlag);
    qdWriteResultF("a");
    qdWriteResultF("a");
    qdWriteResultText("");
    qdWriteResultLnF("box %d", qdRunMessageDialog("Something to say.", "Talk", 0x40));
    qdWriteResultLnF("yes/no box %d", qdRunMessageDialog("Go on?", "Ask", 0x24));
    for (i = 0; i < 3; ++i) {
        int ok;
        strcpy(buffer, "preset");
        ok = qdRunInputDialog("Talk", "Say", buffer, (int32_t)sizeof buffer);
        qdWriteResultLnF("input %d: %d %s", i, ok, buffer);
    }
    for (i = 0; i < 3; ++i) qdWriteResultLnF("pick %d: %d", i, indexOf(qdSelectImageWindow("Pick")));
    /* The wrapper hides the reply that says no window is open. */
    qdWriteResultLnF("select reply %d", (int)server->send(server, QD_REQ_SELECT_WINDOW, (intptr_t)&select));
    qdWriteResultLnF("stop %d", qdGetStopCount());
    raise(SIGINT);
    qdWriteResultLnF("stop %d", qdGetStopCount());
    qdStopButtonOn();
    qdWriteResultLnF("stop %d", qdGetStopCount());
    qdStopButtonOff();
    return 0;
}
