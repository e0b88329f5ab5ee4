/* Opens the file of the first answer, saves it to the second, and tries a
 * file that cannot be read and paths that cannot be written. */
#include "common.h"

const char* PlugInName(void) { return "Files"; }

int PlugInMain(int runFlag, PLUGINSERVER server) {
    char in[256] = "", out[256] = "";
    IWHANDLE window;
    (void)runFlag;
    qdConnectPlugInServer(server);
    qdRunInputDialog("Files", "open", in, (int32_t)sizeof in);
    qdRunInputDialog("Files", "save", out, (int32_t)sizeof out);
    window = qdIWOpen(in);
    qdWriteResultLnF("opened %d of %d, active %d", indexOf(window), qdGetImageWindowCount(),
                     indexOf(qdGetActiveImageWindow()));
    describe(window);
    qdWriteResultLnF("missing %d", qdIWOpen("missing.npy") != NULL);
    qdWriteResultLnF("save %d", qdIWSave(window, out));
    describe(window);
    qdWriteResultLnF("save gif %d", qdIWSave(window, "x.gif"));
    qdWriteResultLnF("save nowhere %d", qdIWSave(window, "no/such/dir/x.npy"));
    return 0;
}
