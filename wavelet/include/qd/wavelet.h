/* Two-dimensional Daubechies wavelet transform and its inverse. */
#ifndef QD_WAVELET_H
#define QD_WAVELET_H

#include <qd/memobj.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Full separable pyramid transform (rows, then columns) with the Daubechies
 * filter of n coefficients (4, 6, 12 or 20; any other n gives a float copy).
 * Width and height (of the window) must be powers of two; otherwise the
 * result is null and a given out is destroyed. out is optional: when it is
 * not an MT_FLOAT matrix of the input's size it is destroyed and replaced.
 * An MT_FLOAT input may be its own out (transformed in place); an input of
 * another type passed as out is never destroyed. Returns the MT_FLOAT matrix
 * that holds the result; continue with it, not with out. */
QD_EXPORT MTHANDLE DauWt2D(MTHANDLE in, int n, MTHANDLE out) QD_NOEXCEPT;

/* Inverse of DauWt2D, with the same rules. */
QD_EXPORT MTHANDLE DauIWt2D(MTHANDLE in, int n, MTHANDLE out) QD_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
