/* Typed matrices and arrays, and the cooperative message pump. */
#ifndef QD_MEMOBJ_H
#define QD_MEMOBJ_H

#include <qd/types.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Matrix ---- */
QD_EXPORT MTHANDLE MTCreate(int32_t width, int32_t height, int32_t type) QD_NOEXCEPT;
QD_EXPORT void MTDestroy(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int64_t MTGetMemorySize(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT void* MTGetPointer(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT void** MTGetMatrixPointer(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t MTGetFlags(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t MTIsInteger(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t MTIsSigned(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t MTIsComplex(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t MTIsRgb(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT double MTGetMaxLimit(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT double MTGetMinLimit(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t MTGetMaxXIndex(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t MTGetMaxYIndex(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t MTGetWidth(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t MTGetHeight(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT double MTReal(MTHANDLE mt, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT double MTImag(MTHANDLE mt, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT MTCOMPLEX MTComplex(MTHANDLE mt, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT double MTNorm(MTHANDLE mt, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT int32_t MTRealInt(MTHANDLE mt, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT int32_t MTImagInt(MTHANDLE mt, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT uint32_t MTRgb(MTHANDLE mt, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT void MTSetReal(MTHANDLE mt, int32_t x, int32_t y, double v) QD_NOEXCEPT;
QD_EXPORT void MTSetImag(MTHANDLE mt, int32_t x, int32_t y, double v) QD_NOEXCEPT;
QD_EXPORT void MTSetComplex(MTHANDLE mt, int32_t x, int32_t y, MTCOMPLEX v) QD_NOEXCEPT;
QD_EXPORT void MTSetRgb(MTHANDLE mt, int32_t x, int32_t y, uint32_t rgb) QD_NOEXCEPT;
QD_EXPORT void MTSetRealInt(MTHANDLE mt, int32_t x, int32_t y, int32_t v) QD_NOEXCEPT;
QD_EXPORT void MTSetImagInt(MTHANDLE mt, int32_t x, int32_t y, int32_t v) QD_NOEXCEPT;
QD_EXPORT void MTSwapBytes(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT void MTInverse(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t MTSwitchComplex(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t MTSetWindow(MTHANDLE mt, int32_t x0, int32_t y0, int32_t x1, int32_t y1) QD_NOEXCEPT;
QD_EXPORT void MTSetDefaultWindow(MTHANDLE mt) QD_NOEXCEPT;
/* Column and row of the full matrix at which window (0, 0) lies, so that fast
 * paths over the row table can honour a window. Either pointer may be null. */
QD_EXPORT void MTGetWindowOrigin(MTHANDLE mt, int32_t* x0, int32_t* y0) QD_NOEXCEPT;
/* Bytes one row of `width` elements takes in a matrix created with `type`
 * (codes that cannot be created count as MT_FLOAT, as in MTCreate), so that
 * readers can check a file against a matrix before they allocate it. */
QD_EXPORT int64_t MTGetRowBytes(int32_t type, int64_t width) QD_NOEXCEPT;

/* ---- Array ---- */
QD_EXPORT ARHANDLE ARCreate(int32_t count, int32_t type) QD_NOEXCEPT;
QD_EXPORT void ARDestroy(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int64_t ARGetMemorySize(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT void* ARGetPointer(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t ARGetFlags(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t ARIsInteger(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t ARIsSigned(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t ARIsComplex(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t ARIsRgb(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT double ARGetMaxLimit(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT double ARGetMinLimit(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t ARGetMaxIndex(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t ARGetWidth(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT double ARReal(ARHANDLE ar, int32_t i) QD_NOEXCEPT;
QD_EXPORT double ARImag(ARHANDLE ar, int32_t i) QD_NOEXCEPT;
QD_EXPORT MTCOMPLEX ARComplex(ARHANDLE ar, int32_t i) QD_NOEXCEPT;
QD_EXPORT double ARNorm(ARHANDLE ar, int32_t i) QD_NOEXCEPT;
QD_EXPORT int32_t ARRealInt(ARHANDLE ar, int32_t i) QD_NOEXCEPT;
QD_EXPORT int32_t ARImagInt(ARHANDLE ar, int32_t i) QD_NOEXCEPT;
QD_EXPORT uint32_t ARRgb(ARHANDLE ar, int32_t i) QD_NOEXCEPT;
QD_EXPORT void ARSetReal(ARHANDLE ar, int32_t i, double v) QD_NOEXCEPT;
QD_EXPORT void ARSetImag(ARHANDLE ar, int32_t i, double v) QD_NOEXCEPT;
QD_EXPORT void ARSetComplex(ARHANDLE ar, int32_t i, MTCOMPLEX v) QD_NOEXCEPT;
QD_EXPORT void ARSetRgb(ARHANDLE ar, int32_t i, uint32_t rgb) QD_NOEXCEPT;
QD_EXPORT void ARSetRealInt(ARHANDLE ar, int32_t i, int32_t v) QD_NOEXCEPT;
QD_EXPORT void ARSetImagInt(ARHANDLE ar, int32_t i, int32_t v) QD_NOEXCEPT;
QD_EXPORT void ARSwapBytes(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT void ARInverse(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t ARSwitchComplex(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t ARSetWindow(ARHANDLE ar, int32_t start, int32_t end) QD_NOEXCEPT;
QD_EXPORT void ARSetDefaultWindow(ARHANDLE ar) QD_NOEXCEPT;

/* ---- Message pump ---- */

/* Lets the program and the user interface breathe during long loops.
 * Returns 0 when nothing was pending (always, when no pump is installed). */
QD_EXPORT int32_t ProcessMessage(void) QD_NOEXCEPT;

/* Installs the program's pump (null removes it). */
typedef int32_t (*QDMessagePump)(void);
QD_EXPORT void SetMessagePump(QDMessagePump pump) QD_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
