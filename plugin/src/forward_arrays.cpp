// Typed arrays, as QDMemObj gives them. An array is only made once the
// plug-in has connected.
#include <qd/plugin.h>

#include "connection.h"

using qd::plugin::connected;

extern "C" {

ARHANDLE qdARCreate(int32_t count, int32_t type) noexcept {
    return connected() ? ARCreate(count, type) : nullptr;
}
void qdARDestroy(ARHANDLE ar) noexcept { ARDestroy(ar); }
int64_t qdARGetMemorySize(ARHANDLE ar) noexcept { return ARGetMemorySize(ar); }
void* qdARGetPointer(ARHANDLE ar) noexcept { return ARGetPointer(ar); }
int32_t qdARGetFlags(ARHANDLE ar) noexcept { return ARGetFlags(ar); }
int32_t qdARIsInteger(ARHANDLE ar) noexcept { return ARIsInteger(ar); }
int32_t qdARIsSigned(ARHANDLE ar) noexcept { return ARIsSigned(ar); }
int32_t qdARIsComplex(ARHANDLE ar) noexcept { return ARIsComplex(ar); }
int32_t qdARIsRgb(ARHANDLE ar) noexcept { return ARIsRgb(ar); }
double qdARGetMaxLimit(ARHANDLE ar) noexcept { return ARGetMaxLimit(ar); }
double qdARGetMinLimit(ARHANDLE ar) noexcept { return ARGetMinLimit(ar); }
int32_t qdARGetMaxIndex(ARHANDLE ar) noexcept { return ARGetMaxIndex(ar); }
int32_t qdARGetWidth(ARHANDLE ar) noexcept { return ARGetWidth(ar); }
double qdARReal(ARHANDLE ar, int32_t i) noexcept { return ARReal(ar, i); }
double qdARImag(ARHANDLE ar, int32_t i) noexcept { return ARImag(ar, i); }
MTCOMPLEX qdARComplex(ARHANDLE ar, int32_t i) noexcept { return ARComplex(ar, i); }
double qdARNorm(ARHANDLE ar, int32_t i) noexcept { return ARNorm(ar, i); }
int32_t qdARRealInt(ARHANDLE ar, int32_t i) noexcept { return ARRealInt(ar, i); }
int32_t qdARImagInt(ARHANDLE ar, int32_t i) noexcept { return ARImagInt(ar, i); }
uint32_t qdARRgb(ARHANDLE ar, int32_t i) noexcept { return ARRgb(ar, i); }
void qdARSetReal(ARHANDLE ar, int32_t i, double v) noexcept { ARSetReal(ar, i, v); }
void qdARSetImag(ARHANDLE ar, int32_t i, double v) noexcept { ARSetImag(ar, i, v); }
void qdARSetComplex(ARHANDLE ar, int32_t i, MTCOMPLEX v) noexcept { ARSetComplex(ar, i, v); }
void qdARSetRgb(ARHANDLE ar, int32_t i, uint32_t rgb) noexcept { ARSetRgb(ar, i, rgb); }
void qdARSetRealInt(ARHANDLE ar, int32_t i, int32_t v) noexcept { ARSetRealInt(ar, i, v); }
void qdARSetImagInt(ARHANDLE ar, int32_t i, int32_t v) noexcept { ARSetImagInt(ar, i, v); }
void qdARSwapBytes(ARHANDLE ar) noexcept { ARSwapBytes(ar); }
void qdARInverse(ARHANDLE ar) noexcept { ARInverse(ar); }
int32_t qdARSwitchComplex(ARHANDLE ar) noexcept { return ARSwitchComplex(ar); }
int32_t qdARSetWindow(ARHANDLE ar, int32_t start, int32_t end) noexcept {
    return ARSetWindow(ar, start, end);
}
void qdARSetDefaultWindow(ARHANDLE ar) noexcept { ARSetDefaultWindow(ar); }

} // extern "C"
