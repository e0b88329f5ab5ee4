/* The registry: windows, names, paths, flags, new and closed windows, and
 * handles that name no window. */
#include "common.h"

const char* PlugInName(void) { return "Registry"; }

int PlugInMain(int runFlag, PLUGINSERVER server) {
    IWHANDLE first, titled, fake;
    char shortName[4], kept[8] = "kept";
    QDWINDOWBUFFER stale;
    int i, local = 0;
    (void)runFlag;
    qdConnectPlugInServer(server);
    qdWriteResultLnF("objects %d %d", qdGetMainApp() && qdGetMainWindow() && qdGetResultWindow() && qdGetHistoWindow(),
                     qdGetToolBarWindow() != NULL);
    qdWriteResultLnF("palettes %d", qdGetPaletteManager() != NULL);
    qdWriteResultLnF("count %d, active %d", qdGetImageWindowCount(), indexOf(qdGetActiveImageWindow()));
    for (i = 0; i < qdGetImageWindowCount(); ++i) describe(qdGetImageWindow(i));
    first = qdGetImageWindow(0);
    qdWriteResultLnF("short %s", qdIWGetImageName(first, shortName, (int32_t)sizeof shortName));

    qdIWCreate(copyOf(first), NULL);
    titled = qdIWCreate(copyOf(first), "Titled");
    qdIWCreate(copyOf(first), NULL);
    /* A second window for an image a window holds would free it twice. */
    qdWriteResultLnF("twice %d", qdIWCreate(qdIWGetImageHandle(first), "twice") != NULL);
    qdWriteResultLnF("count %d, active %d", qdGetImageWindowCount(), indexOf(qdGetActiveImageWindow()));

    qdIWSetImageName(qdGetImageWindow(1), "renamed");
    qdIWSetImagePath(first, "dir/moved.qdw");
    qdIWLock(titled);
    qdIWUnlock(titled);
    qdIWDestroy(titled);
    qdWriteResultLnF("closed %d %d %d %d, count %d", qdIWIsValid(titled), qdIWGetImageHandle(titled) != NULL,
                     qdIWIsNew(titled), qdIWIsDirty(titled), qdGetImageWindowCount());
    /* Straight to the server: the wrapper clears the buffer first. */
    stale.window = titled;
    stale.buffer = kept;
    stale.size = (int32_t)sizeof kept;
    server->send(server, QD_REQ_IW_GET_NAME, (intptr_t)&stale);
    qdIWSetImageName(titled, "ghost");
    qdWriteResultLnF("closed name %s, save %d", kept, qdIWSave(titled, "ghost.npy"));
    qdIWDestroy(titled);

    fake = &local;
    qdIWSetImagePath(fake, "fake.qdw");
    qdIWDestroy(fake);
    qdWriteResultLnF("fake %d %d, null %d, index %d %d", qdIWIsValid(fake), qdIWGetImageHandle(fake) != NULL,
                     qdIWGetImageHandle(NULL) != NULL, qdGetImageWindow(99) != NULL,
                     qdGetImageWindow(-1) != NULL);
    qdWriteResultLnF("count %d, active %d", qdGetImageWindowCount(), indexOf(qdGetActiveImageWindow()));
    for (i = 0; i < qdGetImageWindowCount(); ++i) describe(qdGetImageWindow(i));
    return 0;
}
