/* The plug-in header must compile and work as plain C, and a C host can
 * answer the requests. */
#include <qd/plugin.h>
#include <stddef.h>
#include <string.h>

int pluginCApiSmoke(void);

typedef struct Host {
    QDPLUGINSERVER server; /* first, so that the server is the host */
    int requests;
    char lastLine[64];
} Host;

static intptr_t answer(QDPLUGINSERVER* server, uint32_t code, intptr_t arg) {
    Host* host = (Host*)server;
    host->requests++;
    if (code == QD_REQ_MAIN_APP) return 1;
    if (code == QD_REQ_RESULT_LINE) {
        strncpy(host->lastLine, (const char*)arg, sizeof host->lastLine - 1);
        host->lastLine[sizeof host->lastLine - 1] = '\0';
    }
    return 0;
}

int pluginCApiSmoke(void) {
    Host host;
    MTHANDLE m;
    IMHANDLE im;
    QDRECT rect;
    float hsi[3];
    int ok;
    memset(&host, 0, sizeof host);
    host.server.send = answer;

    ok = qdGetPDKVersion() == 272;
    qdConnectPlugInServer(&host.server);
    ok = ok && host.requests == 5;
    m = qdMTCreate(4, 3, MT_UCHAR);
    ok = ok && m != NULL;
    qdMTSetRealInt(m, 1, 2, 300); /* saturates */
    im = qdIMCreateFromMatrix(m);
    rect = qdIMGetImageRect(im);
    ok = ok && rect.right - rect.left == 4 && rect.bottom - rect.top == 3;
    qdWriteResultLnF("%s %d", "value", qdMTRealInt(qdIMGetDataHandle(im), 1, 2));
    ok = ok && strcmp(host.lastLine, "value 255") == 0;
    qdRGB2HSI(0x00FF0000, hsi);
    ok = ok && qdHSI2RGB(hsi[0], hsi[1], hsi[2], NULL) == 0x00FF0000;
    qdIMDestroy(im);
    qdConnectPlugInServer(NULL);
    return ok;
}
