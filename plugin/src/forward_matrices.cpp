// Typed matrices, as QDMemObj gives them. A matrix is only made once the
// plug-in has connected.
#include <qd/plugin.h>

#include "connection.h"

using qd::plugin::connected;

extern "C" {

MTHANDLE qdMTCreate(int32_t width, int32_t height, int32_t type) noexcept {
    return connected() ? MTCreate(width, height, type) : nullptr;
}
void qdMTDestroy(MTHANDLE mt) noexcept { MTDestroy(mt); }
int64_t qdMTGetMemorySize(MTHANDLE mt) noexcept { return MTGetMemorySize(mt); }
void* qdMTGetPointer(MTHANDLE mt) noexcept { return MTGetPointer(mt); }
void** qdMTGetMatrixPointer(MTHANDLE mt) noexcept { return MTGetMatrixPointer(mt); }
int32_t qdMTGetFlags(MTHANDLE mt) noexcept { return MTGetFlags(mt); }
int32_t qdMTIsInteger(MTHANDLE mt) noexcept { return MTIsInteger(mt); }
int32_t qdMTIsSigned(MTHANDLE mt) noexcept { return MTIsSigned(mt); }
int32_t qdMTIsComplex(MTHANDLE mt) noexcept { return MTIsComplex(mt); }
int32_t qdMTIsRgb(MTHANDLE mt) noexcept { return MTIsRgb(mt); }
double qdMTGetMaxLimit(MTHANDLE mt) noexcept { return MTGetMaxLimit(mt); }
double qdMTGetMinLimit(MTHANDLE mt) noexcept { return MTGetMinLimit(mt); }
int32_t qdMTGetMaxXIndex(MTHANDLE mt) noexcept { return MTGetMaxXIndex(mt); }
int32_t qdMTGetMaxYIndex(MTHANDLE mt) noexcept { return MTGetMaxYIndex(mt); }
int32_t qdMTGetWidth(MTHANDLE mt) noexcept { return MTGetWidth(mt); }
int32_t qdMTGetHeight(MTHANDLE mt) noexcept { return MTGetHeight(mt); }
double qdMTReal(MTHANDLE mt, int32_t x, int32_t y) noexcept { return MTReal(mt, x, y); }
double qdMTImag(MTHANDLE mt, int32_t x, int32_t y) noexcept { return MTImag(mt, x, y); }
MTCOMPLEX qdMTComplex(MTHANDLE mt, int32_t x, int32_t y) noexcept { return MTComplex(mt, x, y); }
double qdMTNorm(MTHANDLE mt, int32_t x, int32_t y) noexcept { return MTNorm(mt, x, y); }
int32_t qdMTRealInt(MTHANDLE mt, int32_t x, int32_t y) noexcept { return MTRealInt(mt, x, y); }
int32_t qdMTImagInt(MTHANDLE mt, int32_t x, int32_t y) noexcept { return MTImagInt(mt, x, y); }
uint32_t qdMTRgb(MTHANDLE mt, int32_t x, int32_t y) noexcept { return MTRgb(mt, x, y); }
void qdMTSetReal(MTHANDLE mt, int32_t x, int32_t y, double v) noexcept { MTSetReal(mt, x, y, v); }
void qdMTSetImag(MTHANDLE mt, int32_t x, int32_t y, double v) noexcept { MTSetImag(mt, x, y, v); }
void qdMTSetComplex(MTHANDLE mt, int32_t x, int32_t y, MTCOMPLEX v) noexcept {
    MTSetComplex(mt, x, y, v);
}
void qdMTSetRgb(MTHANDLE mt, int32_t x, int32_t y, uint32_t rgb) noexcept {
    MTSetRgb(mt, x, y, rgb);
}
void qdMTSetRealInt(MTHANDLE mt, int32_t x, int32_t y, int32_t v) noexcept {
    MTSetRealInt(mt, x, y, v);
}
void qdMTSetImagInt(MTHANDLE mt, int32_t x, int32_t y, int32_t v) noexcept {
    MTSetImagInt(mt, x, y, v);
}
void qdMTSwapBytes(MTHANDLE mt) noexcept { MTSwapBytes(mt); }
void qdMTInverse(MTHANDLE mt) noexcept { MTInverse(mt); }
int32_t qdMTSwitchComplex(MTHANDLE mt) noexcept { return MTSwitchComplex(mt); }
int32_t qdMTSetWindow(MTHANDLE mt, int32_t x0, int32_t y0, int32_t x1, int32_t y1) noexcept {
    return MTSetWindow(mt, x0, y0, x1, y1);
}
void qdMTSetDefaultWindow(MTHANDLE mt) noexcept { MTSetDefaultWindow(mt); }

} // extern "C"
