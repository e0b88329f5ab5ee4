/* What the test plug-ins share: their result lines name windows by their
 * place in the registry. */
#ifndef QDCLI_TEST_PLUGIN_COMMON_H
#define QDCLI_TEST_PLUGIN_COMMON_H

#include <qd/plugin.h>

/* Registry index of the window, -1 for null or a window not registered. */
static inline int indexOf(IWHANDLE window) {
    int i;
    for (i = 0; window && i < qdGetImageWindowCount(); ++i)
        if (qdGetImageWindow(i) == window) return i;
    return -1;
}

/* One result line: name|path|no-file|not-saved|registered. */
static inline void describe(IWHANDLE window) {
    char name[64] = "-", path[64] = "-";
    qdIWGetImageName(window, name, (int32_t)sizeof name);
    qdIWGetImagePath(window, path, (int32_t)sizeof path);
    qdWriteResultLnF("%s|%s|%d|%d|%d", name, path, qdIWIsNew(window), qdIWIsDirty(window),
                     qdIWIsValid(window));
}

/* A new image with the values of the window's image. */
static inline IMHANDLE copyOf(IWHANDLE window) {
    MTHANDLE copy = qdDuplicate2D(qdIMGetDataHandle(qdIWGetImageHandle(window)));
    IMHANDLE image = copy ? qdIMCreateFromMatrix(copy) : NULL;
    if (!image) {
        qdMTDestroy(copy);
        return NULL;
    }
    qdIMDefaultRange(image, 1);
    return image;
}

#endif
