#include <qd/fourier.h>

#include "complex_passes.h"

using namespace qd::fourier;

extern "C" {

MTHANDLE Ft2D(MTHANDLE in, MTHANDLE out) noexcept {
    return withComplexResult(in, out, [&](MTHANDLE res) {
        return complexRowPass(in, res, false) && forwardColumnPass(res, MTGetWidth(res));
    });
}

MTHANDLE IFt2D(MTHANDLE in, MTHANDLE out) noexcept {
    return withComplexResult(in, out, [&](MTHANDLE res) {
        const double scale = 1.0 / MTGetWidth(res) / MTGetHeight(res);
        return complexRowPass(in, res, true) && inverseColumnPass(res, scale);
    });
}

} // extern "C"
