// Exported matrix functions: one-line dispatches into the type's table.
#include <qd/memobj.h>

#include "matrix.h"
#include "type_codes.h"

using namespace qd::mem;

extern "C" {

MTHANDLE MTCreate(int32_t width, int32_t height, int32_t type) noexcept {
    return createMatrix(width, height, type);
}
void MTDestroy(MTHANDLE mt) noexcept { destroyMatrix(mt); }
int64_t MTGetMemorySize(MTHANDLE mt) noexcept { return blockBytes(mt->type, mt->width, mt->height); }
void* MTGetPointer(MTHANDLE mt) noexcept { return mt->ops->dataBlock(*mt); }
void** MTGetMatrixPointer(MTHANDLE mt) noexcept { return mt->ops->rowTable(*mt); }
int32_t MTGetFlags(MTHANDLE mt) noexcept { return mt->ops->type(*mt); }
int32_t MTIsInteger(MTHANDLE mt) noexcept { return codeIsInteger(mt->type); }
int32_t MTIsSigned(MTHANDLE mt) noexcept { return codeIsSigned(mt->type); }
int32_t MTIsComplex(MTHANDLE mt) noexcept { return codeIsComplex(mt->type); }
int32_t MTIsRgb(MTHANDLE mt) noexcept { return codeIsRgb(mt->type); }
double MTGetMaxLimit(MTHANDLE mt) noexcept { return codeMaxLimit(mt->type); }
double MTGetMinLimit(MTHANDLE mt) noexcept { return codeMinLimit(mt->type); }
int32_t MTGetMaxXIndex(MTHANDLE mt) noexcept { return mt->ops->width(*mt); }
int32_t MTGetMaxYIndex(MTHANDLE mt) noexcept { return mt->ops->height(*mt); }
int32_t MTGetWidth(MTHANDLE mt) noexcept { return mt->ops->windowWidth(*mt); }
int32_t MTGetHeight(MTHANDLE mt) noexcept { return mt->ops->windowHeight(*mt); }
double MTReal(MTHANDLE mt, int32_t x, int32_t y) noexcept { return mt->ops->real(*mt, x, y); }
double MTImag(MTHANDLE mt, int32_t x, int32_t y) noexcept { return mt->ops->imag(*mt, x, y); }
MTCOMPLEX MTComplex(MTHANDLE mt, int32_t x, int32_t y) noexcept {
    return mt->ops->complexValue(*mt, x, y);
}
double MTNorm(MTHANDLE mt, int32_t x, int32_t y) noexcept { return mt->ops->modulus(*mt, x, y); }
int32_t MTRealInt(MTHANDLE mt, int32_t x, int32_t y) noexcept { return mt->ops->realInt(*mt, x, y); }
int32_t MTImagInt(MTHANDLE mt, int32_t x, int32_t y) noexcept { return mt->ops->imagInt(*mt, x, y); }
uint32_t MTRgb(MTHANDLE mt, int32_t x, int32_t y) noexcept { return mt->ops->rgb(*mt, x, y); }
void MTSetReal(MTHANDLE mt, int32_t x, int32_t y, double v) noexcept {
    mt->ops->setReal(*mt, x, y, v);
}
void MTSetImag(MTHANDLE mt, int32_t x, int32_t y, double v) noexcept {
    mt->ops->setImag(*mt, x, y, v);
}
void MTSetComplex(MTHANDLE mt, int32_t x, int32_t y, MTCOMPLEX v) noexcept {
    mt->ops->setComplex(*mt, x, y, v);
}
void MTSetRgb(MTHANDLE mt, int32_t x, int32_t y, uint32_t rgb) noexcept {
    mt->ops->setRgb(*mt, x, y, rgb);
}
void MTSetRealInt(MTHANDLE mt, int32_t x, int32_t y, int32_t v) noexcept {
    mt->ops->setRealInt(*mt, x, y, v);
}
void MTSetImagInt(MTHANDLE mt, int32_t x, int32_t y, int32_t v) noexcept {
    mt->ops->setImagInt(*mt, x, y, v);
}
void MTSwapBytes(MTHANDLE mt) noexcept { mt->ops->swapBytes(*mt); }
void MTInverse(MTHANDLE mt) noexcept { mt->ops->invert(*mt); }
int32_t MTSwitchComplex(MTHANDLE mt) noexcept { return mt->ops->exchange(*mt); }
int32_t MTSetWindow(MTHANDLE mt, int32_t x0, int32_t y0, int32_t x1, int32_t y1) noexcept {
    return mt->ops->setWindow(*mt, x0, y0, x1, y1);
}
void MTSetDefaultWindow(MTHANDLE mt) noexcept { mt->ops->setDefaultWindow(*mt); }
int64_t MTGetRowBytes(int32_t type, int64_t width) noexcept {
    return rowBytes(creatableCode(type), width);
}
void MTGetWindowOrigin(MTHANDLE mt, int32_t* x0, int32_t* y0) noexcept {
    if (x0) *x0 = mt->winX;
    if (y0) *y0 = mt->winY;
}

} // extern "C"
