// Exported array functions: one-line dispatches into the type's table.
#include <qd/memobj.h>

#include "array.h"
#include "type_codes.h"

using namespace qd::mem;

extern "C" {

ARHANDLE ARCreate(int32_t count, int32_t type) noexcept { return createArray(count, type); }
void ARDestroy(ARHANDLE ar) noexcept { destroyArray(ar); }
int64_t ARGetMemorySize(ARHANDLE ar) noexcept { return blockBytes(ar->type, ar->count, 1); }
void* ARGetPointer(ARHANDLE ar) noexcept { return ar->ops->dataBlock(*ar); }
int32_t ARGetFlags(ARHANDLE ar) noexcept { return ar->ops->type(*ar); }
int32_t ARIsInteger(ARHANDLE ar) noexcept { return codeIsInteger(ar->type); }
int32_t ARIsSigned(ARHANDLE ar) noexcept { return codeIsSigned(ar->type); }
int32_t ARIsComplex(ARHANDLE ar) noexcept { return codeIsComplex(ar->type); }
int32_t ARIsRgb(ARHANDLE ar) noexcept { return codeIsRgb(ar->type); }
double ARGetMaxLimit(ARHANDLE ar) noexcept { return codeMaxLimit(ar->type); }
double ARGetMinLimit(ARHANDLE ar) noexcept { return codeMinLimit(ar->type); }
int32_t ARGetMaxIndex(ARHANDLE ar) noexcept { return ar->ops->count(*ar); }
int32_t ARGetWidth(ARHANDLE ar) noexcept { return ar->ops->windowLength(*ar); }
double ARReal(ARHANDLE ar, int32_t i) noexcept { return ar->ops->real(*ar, i); }
double ARImag(ARHANDLE ar, int32_t i) noexcept { return ar->ops->imag(*ar, i); }
MTCOMPLEX ARComplex(ARHANDLE ar, int32_t i) noexcept { return ar->ops->complexValue(*ar, i); }
double ARNorm(ARHANDLE ar, int32_t i) noexcept { return ar->ops->modulus(*ar, i); }
int32_t ARRealInt(ARHANDLE ar, int32_t i) noexcept { return ar->ops->realInt(*ar, i); }
int32_t ARImagInt(ARHANDLE ar, int32_t i) noexcept { return ar->ops->imagInt(*ar, i); }
uint32_t ARRgb(ARHANDLE ar, int32_t i) noexcept { return ar->ops->rgb(*ar, i); }
void ARSetReal(ARHANDLE ar, int32_t i, double v) noexcept { ar->ops->setReal(*ar, i, v); }
void ARSetImag(ARHANDLE ar, int32_t i, double v) noexcept { ar->ops->setImag(*ar, i, v); }
void ARSetComplex(ARHANDLE ar, int32_t i, MTCOMPLEX v) noexcept { ar->ops->setComplex(*ar, i, v); }
void ARSetRgb(ARHANDLE ar, int32_t i, uint32_t rgb) noexcept { ar->ops->setRgb(*ar, i, rgb); }
void ARSetRealInt(ARHANDLE ar, int32_t i, int32_t v) noexcept { ar->ops->setRealInt(*ar, i, v); }
void ARSetImagInt(ARHANDLE ar, int32_t i, int32_t v) noexcept { ar->ops->setImagInt(*ar, i, v); }
void ARSwapBytes(ARHANDLE ar) noexcept { ar->ops->swapBytes(*ar); }
void ARInverse(ARHANDLE ar) noexcept { ar->ops->invert(*ar); }
int32_t ARSwitchComplex(ARHANDLE ar) noexcept { return ar->ops->exchange(*ar); }
int32_t ARSetWindow(ARHANDLE ar, int32_t start, int32_t end) noexcept {
    return ar->ops->setWindow(*ar, start, end);
}
void ARSetDefaultWindow(ARHANDLE ar) noexcept { ar->ops->setDefaultWindow(*ar); }

} // extern "C"
