#include <qd/fourier.h>
#include <qd/memobj.h>

#include "fft_kernel.h"
#include "matrix_access.h"

using namespace qd::fourier;

namespace {

ARHANDLE transform1D(ARHANDLE in, ARHANDLE out, bool inverse) {
    const int32_t n = ARGetWidth(in);
    if (!IsPowerOf2(n)) return nullptr;
    ARHANDLE result = fitComplexArray(in, out, n);
    if (!result) return nullptr;
    WorkBuffers work;
    bool ok = work.allocate(n, 1);
    if (ok) {
        // Everything is loaded before anything is stored: in place is exact.
        for (int32_t k = 0; k < n; ++k) {
            const int32_t src = inverse ? centredIndex(k, n) : k;
            work.xr[k] = ARReal(in, src);
            work.xi[k] = inverse ? -ARImag(in, src) : ARImag(in, src);
        }
        ok = forwardTransform(n, 1, work);
    }
    if (!ok) {
        if (result != out) ARDestroy(result);
        return nullptr;
    }
    float* dst = static_cast<float*>(ARGetPointer(result));
    const double scale = 1.0 / n;
    for (int32_t k = 0; k < n; ++k) {
        if (inverse) {
            dst[2 * k] = static_cast<float>(work.yr[k] * scale);
            dst[2 * k + 1] = static_cast<float>(-work.yi[k] * scale);
        } else {
            const int32_t c = centredIndex(k, n);
            dst[2 * c] = static_cast<float>(work.yr[k]);
            dst[2 * c + 1] = static_cast<float>(work.yi[k]);
        }
    }
    return result;
}

} // namespace

extern "C" {

ARHANDLE Fft1D(ARHANDLE in, ARHANDLE out) noexcept { return transform1D(in, out, false); }

ARHANDLE IFft1D(ARHANDLE in, ARHANDLE out) noexcept { return transform1D(in, out, true); }

} // extern "C"
