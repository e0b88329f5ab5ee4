/* The public header compiles as plain C and its functions link from C. */
#include <qd/memobj.h>
#include <qd/prcs.h>

int prcsCApiSmoke(void);

int prcsCApiSmoke(void) {
    int32_t values[9] = {0, 1, 0, 1, 1, 1, 0, 1, 0};
    MMKERNEL diamond = {"Diamond (3 X 3)", 3, values};
    StatisticsRecord stats;
    MTHANDLE m = MTCreate(4, 3, MT_UCHAR);
    MTHANDLE e = Erosion2D(m, &diamond, 0);
    int ok = e != 0 && Statistics2D(e, &stats) == 1 && stats.max == 0.0;
    MTDestroy(e);
    MTDestroy(m);
    return ok;
}
