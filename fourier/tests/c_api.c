/* The public header must compile as plain C. */
#include <qd/fourier.h>
#include <qd/memobj.h>

int fourierCApiSmoke(void);

int fourierCApiSmoke(void) {
    QDPOINT fixedPoint = {10, 10};
    QDPOINT moving = {30, 3};
    MTHANDLE m = MTCreate(4, 2, MT_FLOAT);
    MTHANDLE s;
    int ok;
    ReduceToPowerOf2Rect(&fixedPoint, &moving);
    ok = IsPowerOf2(8) == 1 && GetPowerOf2(5) == 8 && moving.x == 26 && moving.y == 6;
    MTSetReal(m, 0, 0, 1.0);
    s = Ft2D(m, 0);
    ok = ok && s != 0 && MTReal(s, 1, 1) == 1.0f;
    MTDestroy(s);
    MTDestroy(m);
    return ok;
}
