/* The public header must compile as plain C, next to the shared types. */
#include "qd/grpobj.h"
#include "qd/types.h"

#include <stdlib.h>

int grpobjCApiCheck(void);

int grpobjCApiCheck(void) {
    GOHANDLE line = GOCreateLineObject(10, 20, 4, 8, 0xFF0000u, 2);
    GMHANDLE list = GMCreate();
    QDRECT r = GOGetDrawRect(line);
    void* record = GOGetData(line);
    int ok = line && list && GOGetType(line) == GO_LINE && r.left == 2 && r.top == 6 &&
             r.right == 12 && r.bottom == 22 && GMAddGraphicObject(list, line) == 1 &&
             GMGetGraphicObject(list, 0) == line && record &&
             GOSetData(line, record, GO_LINE_RECORD_SIZE) == 1;
    free(record);
    GMDestroy(list);
    GODestroy(line);
    return ok;
}
