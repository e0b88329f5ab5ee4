/* A plug-in that sends every request of the protocol and checks each reply
 * the protocol fixes. The host opens two windows first: "first", read from a
 * file in a writable directory, then "second", the active one. Each check
 * writes "ok WHAT" or "FAIL WHAT" to the result window, and the last line is
 * "done N" with the number of failures. */
#include <stdio.h>
#include <string.h>

#include <qd/plugin.h>

static int failures;

static void check(int ok, const char* what) {
    if (!ok) ++failures;
    qdWriteResultLnF("%s %s", ok ? "ok" : "FAIL", what);
}

QD_PLUGIN_EXPORT const char* PlugInName(void) { return "Every request"; }

QD_PLUGIN_EXPORT int PlugInMain(int runFlag, PLUGINSERVER server) {
    failures = 0;
    check(qdConnectPlugInServer(server) == 0, "connect replies 0");
    void* app = qdGetMainApp();
    check(qdConnectPlugInServer(server) == 0 && qdGetMainApp() == app, "connect twice");
    check(app && qdGetMainWindow() && qdGetResultWindow() && qdGetHistoWindow(), "program objects");
    check(qdGetToolBarWindow() == 0, "no toolbar object");
    check(qdGetPDKVersion() == 272, "version");
    check(runFlag == 1 || runFlag == 0, "run flag");
    PMHANDLE pm = qdGetPaletteManager();
    check(pm && qdPMGetCount(pm) > 0, "palette manager");
    check(qdProcessMessage() == 0, "pump");
    check(qdGetStopCount() == 0, "stop count");
    check(qdStopButtonOn() == 0 && qdGetStopCount() == 0 && qdStopButtonOff() == 0, "stop button");

    qdWriteResultF("a");
    qdWriteResultF("a");
    qdWriteResultLnF("%d", 5);

    char text[16] = "preset";
    check(qdRunInputDialog("caption", "prompt", text, sizeof text) == 1 && strcmp(text, "typed") == 0,
          "input dialog");
    check(qdRunMessageDialog("text", "caption", 48) == 1, "message box");

    check(qdGetImageWindowCount() == 2, "window count");
    IWHANDLE first = qdGetImageWindow(0), second = qdGetImageWindow(1);
    check(first && second && qdGetActiveImageWindow() == second, "windows and active window");
    check(qdSelectImageWindow("pick one") == first, "select window");
    char small[4];
    check(qdIWGetImageName(first, small, sizeof small) == small && strcmp(small, "fir") == 0, "name cut");
    char dir[260];
    qdIWGetImagePath(first, dir, sizeof dir);
    char* slash = strrchr(dir, '/');
    check(slash != 0, "path of a file");
    if (slash) *slash = '\0';
    qdIWSetImageName(first, "renamed");
    char name[32];
    check(strcmp(qdIWGetImageName(first, name, sizeof name), "renamed") == 0, "set name");
    check(qdIWIsNew(first) == 0 && qdIWIsDirty(first) == 0, "opened file's flags");

    IMHANDLE image = qdIWGetImageHandle(second);
    check(image != 0 && qdIWGetImageHandle(0) == 0, "image handle");
    check(qdIWGetHWND(second) != 0, "window handle");

    MTHANDLE m = qdMTCreate(3, 2, MT_UCHAR);
    qdMTSetReal(m, 1, 1, 42);
    IWHANDLE made = qdIWCreate(qdIMCreateFromMatrix(m), 0);
    check(made && qdIWIsValid(made) && qdIWIsNew(made) == 1 && qdIWIsDirty(made) == 1, "create window");
    check(qdIWLock(made) == 0 && qdIWUnlock(made) == 0, "lock");
    check(qdIWRepaint(made, 0, 1) == 0, "repaint");
    char saved[300];
    snprintf(saved, sizeof saved, "%s/made.qdw", dir);
    check(qdIWSave(made, saved) == 1 && qdIWIsNew(made) == 0 && qdIWIsDirty(made) == 0, "save");
    char elsewhere[300];
    snprintf(elsewhere, sizeof elsewhere, "%s/other.qdw", dir);
    qdIWSetImagePath(made, elsewhere);
    qdIWGetImagePath(made, saved, sizeof saved);
    check(strcmp(saved, elsewhere) == 0 && qdIWIsNew(made) == 1 && qdIWIsDirty(made) == 1, "set path");
    qdIWGetImageName(made, name, sizeof name);
    check(strcmp(name, "other.qdw") == 0, "name from path");

    snprintf(saved, sizeof saved, "%s/made.qdw", dir);
    IWHANDLE opened = qdIWOpen(saved);
    check(opened && qdMTReal(qdIMGetDataHandle(qdIWGetImageHandle(opened)), 1, 1) == 42, "open");
    check(qdIWOpen("no such file.qdw") == 0, "open a missing file");

    qdIWDestroy(made);
    check(!qdIWIsValid(made), "destroy");
    check(qdIWGetImageHandle(made) == 0 && qdIWIsNew(made) == 0, "a closed window answers 0");

    qdWriteResultLnF("done %d", failures);
    return 0;
}
