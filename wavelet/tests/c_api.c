/* The public header must compile and work as plain C. */
#include <qd/wavelet.h>
#include <stddef.h>

int waveletCApiSmoke(void);

int waveletCApiSmoke(void) {
    MTHANDLE in = MTCreate(4, 4, MT_UCHAR);
    MTHANDLE out;
    int ok;
    MTSetReal(in, 0, 0, 2.0);
    out = DauWt2D(in, 4, NULL);
    out = DauIWt2D(out, 4, out);
    ok = out != NULL && MTGetFlags(out) == MT_FLOAT && MTReal(out, 0, 0) > 1.999 &&
         MTReal(out, 0, 0) < 2.001;
    MTDestroy(out);
    MTDestroy(in);
    return ok;
}
