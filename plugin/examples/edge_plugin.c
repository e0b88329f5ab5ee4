/* Edge detection of the active image, opened in a new window. */
#include <qd/plugin.h>

const char* PlugInName(void) { return "Edge Detect"; }

int PlugInMain(int runFlag, PLUGINSERVER server) {
    IWHANDLE window;
    MTHANDLE edges;
    IMHANDLE image;
    (void)runFlag;

    qdConnectPlugInServer(server);
    window = qdGetActiveImageWindow();
    if (!window) {
        qdRunMessageDialog("There is no active image window.", "warning", 16);
        return 0;
    }
    /* A new matrix; the window's image is not changed. */
    edges = qdStEdgeDetect2D(qdIMGetDataHandle(qdIWGetImageHandle(window)));
    image = edges ? qdIMCreateFromMatrix(edges) : NULL;
    if (!image) {
        qdMTDestroy(edges);
        return 0;
    }
    qdIMDefaultRange(image, 1);
    qdIMPrepareBitmap(image);
    qdIWCreate(image, "Edges"); /* the program now owns the image */
    return 1;
}
