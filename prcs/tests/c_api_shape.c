/* The shape and object declarations compile as plain C and link from C. */
#include <qd/memobj.h>
#include <qd/prcs.h>

int prcsShapeCApiSmoke(void);

int prcsShapeCApiSmoke(void) {
    ObjectPropertyRecord props[1];
    MTHANDLE labels = 0;
    MTHANDLE m = MTCreate(5, 5, MT_BINARY);
    MTHANDLE outline;
    int n, ok;
    MTSetRealInt(m, 2, 2, 1);
    n = FindObjects(m, 1, 1, &labels);
    ok = n == 1 && ObjectProperty(labels, n, 1, 1, props) == 1 && props[0].area == 1.0;
    outline = Contour(m, 0);
    ok = ok && outline != 0 && MTRealInt(outline, 2, 2) == 1;
    MTDestroy(outline);
    MTDestroy(labels);
    MTDestroy(m);
    return ok;
}
