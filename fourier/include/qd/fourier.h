/* Fourier analysis: transforms in the centred layout, frequency-domain
 * filters, Fourier convolution, deconvolution and auto-correlation.
 *
 * Every spectrum has its zero-frequency term at element (W/2, H/2) (integer
 * division). Results are MT_COMPLEX8 matrices or arrays. Where an output
 * handle is passed and does not fit, it is destroyed and a new one returned:
 * always continue with the returned handle. */
#ifndef QD_FOURIER_H
#define QD_FOURIER_H

#include <qd/types.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Power-of-two helpers ---- */
QD_EXPORT int32_t IsPowerOf2(int32_t n) QD_NOEXCEPT;
QD_EXPORT int32_t GetPowerOf2(int32_t n) QD_NOEXCEPT;
QD_EXPORT int32_t IsPowerOf2Rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) QD_NOEXCEPT;
QD_EXPORT void ReduceToPowerOf2Rect(const QDPOINT* fixedPoint, QDPOINT* movingPoint) QD_NOEXCEPT;

/* ---- Transforms ---- */
/* One-dimensional, power-of-two lengths only (null otherwise, out untouched). */
QD_EXPORT ARHANDLE Fft1D(ARHANDLE in, ARHANDLE out) QD_NOEXCEPT;
QD_EXPORT ARHANDLE IFft1D(ARHANDLE in, ARHANDLE out) QD_NOEXCEPT;
/* Two-dimensional, any size; the inverses are scaled by 1/(W*H). */
QD_EXPORT MTHANDLE Ft2D(MTHANDLE in, MTHANDLE out) QD_NOEXCEPT;
QD_EXPORT MTHANDLE IFt2D(MTHANDLE in, MTHANDLE out) QD_NOEXCEPT;
QD_EXPORT MTHANDLE RealFt2D(MTHANDLE in, MTHANDLE out) QD_NOEXCEPT;
QD_EXPORT MTHANDLE RealIFt2D(MTHANDLE in, MTHANDLE out) QD_NOEXCEPT;

/* ---- Frequency-domain filters (cutoffs in units of the highest frequency) ---- */
QD_EXPORT MTHANDLE LowPassFilter2D(MTHANDLE in, double cutoff, MTHANDLE out) QD_NOEXCEPT;
QD_EXPORT MTHANDLE HighPassFilter2D(MTHANDLE in, double cutoff, MTHANDLE out) QD_NOEXCEPT;
QD_EXPORT MTHANDLE BandPassFilter2D(MTHANDLE in, double lower, double upper,
                                    MTHANDLE out) QD_NOEXCEPT;
QD_EXPORT MTHANDLE BWLowPassFilter2D(MTHANDLE in, double cutoff, int32_t order,
                                     MTHANDLE out) QD_NOEXCEPT;
QD_EXPORT MTHANDLE BWHighPassFilter2D(MTHANDLE in, double cutoff, int32_t order,
                                      MTHANDLE out) QD_NOEXCEPT;
QD_EXPORT MTHANDLE BWBandPassFilter2D(MTHANDLE in, double lower, double upper, int32_t order,
                                      MTHANDLE out) QD_NOEXCEPT;
/* Returns a new MT_FLOAT image; out is consumed. */
QD_EXPORT MTHANDLE HomomorphicFilter2D(MTHANDLE in, double cutoff, double lowGain, double highGain,
                                       int32_t order, MTHANDLE out) QD_NOEXCEPT;

/* ---- Convolution and correlation ---- */
/* kernel: size*size doubles, row-major. out is only a work matrix and is
 * consumed; the result is always new. Null when the kernel's half-size is
 * not below both image sides. */
QD_EXPORT MTHANDLE Convolution2D(MTHANDLE in, int32_t size, const double* kernel, double divisor,
                                 MTHANDLE out) QD_NOEXCEPT;
QD_EXPORT MTHANDLE Deconvolution2D(MTHANDLE in, int32_t size, const double* kernel, double divisor,
                                   MTHANDLE out) QD_NOEXCEPT;
/* Zero lag at (W/2, H/2). */
QD_EXPORT MTHANDLE AutoCorrelation2D(MTHANDLE in, MTHANDLE out) QD_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
