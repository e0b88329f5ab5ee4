/* The public header must compile as plain C: plug-ins may be written in C. */
#include <qd/memobj.h>

int qd_memobj_c_api_check(void);

int qd_memobj_c_api_check(void) {
    MTHANDLE m = MTCreate(2, 2, MT_UCHAR);
    MTCOMPLEX c = {1.0, 2.0};
    int ok;
    MTSetComplex(m, 0, 0, c);
    ok = MTRealInt(m, 0, 0) == 1 && ProcessMessage() == 0;
    MTDestroy(m);
    return ok;
}
