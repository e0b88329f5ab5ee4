/* Colour processing: RGB and HSI conversions, colour adjustments, and the
 * channel-wise colour versions of the grey filters.
 *
 * Colours are 0x00RRGGBB. The image functions take a source image and, as
 * their last argument, an image to dispose of (`old`, may be null): it is
 * destroyed with IMDestroy before the new image is made. They always return a
 * new image, which the caller owns, or 0 when refused; a refused call leaves
 * `old` alone. They work on the data matrix's current window (the selection,
 * when the caller has selected it). */
#ifndef QD_COLORPRCS_H
#define QD_COLORPRCS_H

#include <qd/image.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Colour models ---- */

/* hsi receives hue (radians, 0 <= H < 2 pi), saturation and intensity
 * (0 .. 1). Greys have hue 0; black has saturation 0. */
QD_EXPORT void RGB2HSI(int32_t rgb, float* hsi) QD_NOEXCEPT;

/* Returns the colour and also stores it in *rgb (when rgb is not null).
 * Channels outside 0 .. 255 are clamped. */
QD_EXPORT int32_t HSI2RGB(float h, float s, float i, int32_t* rgb) QD_NOEXCEPT;

/* ---- Adjustments ----
 * A true-colour image gets new pixels. Any other image keeps its pixel
 * values; the new image takes its colour table adjusted as its palette, and
 * its display type and range. */

/* hue, sat, inten: percent changes (-100 .. 100). Hue is scaled, not
 * shifted: -100 makes every colour red, +100 doubles the hue. */
QD_EXPORT IMHANDLE AdjustHSI(IMHANDLE img, int32_t hue, int32_t sat, int32_t inten,
                             IMHANDLE old) QD_NOEXCEPT;

/* brightness and contrast in -100 .. 100; they change the intensity only. */
QD_EXPORT IMHANDLE ChangeBrightnessAndContrast(IMHANDLE img, int32_t brightness, int32_t contrast,
                                               IMHANDLE old) QD_NOEXCEPT;

/* A true-colour image whose channels are the display levels of three images
 * (their rendered bitmaps, low 8 bits). 0 when their full sizes differ. */
QD_EXPORT IMHANDLE ColorMakeRGB2D(IMHANDLE red, IMHANDLE green, IMHANDLE blue,
                                  IMHANDLE old) QD_NOEXCEPT;

/* ---- Colour filters ----
 * Each splits the image into red, green and blue (a palette image as it is
 * shown), runs the grey operation of the same name on each channel and
 * returns a new true-colour image.
 *
 * Median, erosion, dilation and edge detection keep the low 8 bits of each
 * channel's result. The others map a channel result v to
 * trunc((v - lo) * 256 / (hi - lo) - 0.5), clamped to 0 .. 255; lo equal to
 * hi is refused. 0 also when a grey operation refuses its channel. */
QD_EXPORT IMHANDLE ColorMedianFilter2D(IMHANDLE img, IMHANDLE old) QD_NOEXCEPT;
QD_EXPORT IMHANDLE ColorErosion2D(IMHANDLE img, IMHANDLE old) QD_NOEXCEPT;
QD_EXPORT IMHANDLE ColorDilation2D(IMHANDLE img, IMHANDLE old) QD_NOEXCEPT;
/* Squared forward-difference gradient, low 8 bits. */
QD_EXPORT IMHANDLE ColorEdgeDetect2D(IMHANDLE img, IMHANDLE old) QD_NOEXCEPT;

/* N x N weights, row by row, divided by divisor (edges replicated). */
QD_EXPORT IMHANDLE ColorConvolution2D(IMHANDLE img, int32_t N, const double* weights,
                                      double divisor, double lo, double hi,
                                      IMHANDLE old) QD_NOEXCEPT;
/* The same kernel applied through the Fourier transform. */
QD_EXPORT IMHANDLE ColorFTConvolution2D(IMHANDLE img, int32_t N, const double* weights,
                                        double divisor, double lo, double hi,
                                        IMHANDLE old) QD_NOEXCEPT;

/* Cutoffs in units of the highest frequency; butterworth non-zero selects the
 * Butterworth form of the given order, zero the ideal filter. */
QD_EXPORT IMHANDLE ColorFTLowPass2D(IMHANDLE img, double cutoff, int32_t order, int32_t butterworth,
                                    double lo, double hi, IMHANDLE old) QD_NOEXCEPT;
QD_EXPORT IMHANDLE ColorFTHighPass2D(IMHANDLE img, double cutoff, int32_t order,
                                     int32_t butterworth, double lo, double hi,
                                     IMHANDLE old) QD_NOEXCEPT;
/* The two bounds may come in either order. */
QD_EXPORT IMHANDLE ColorFTBandPass2D(IMHANDLE img, double lower, double upper, int32_t order,
                                     int32_t butterworth, double lo, double hi,
                                     IMHANDLE old) QD_NOEXCEPT;
QD_EXPORT IMHANDLE ColorFTHomomorphicFilter2D(IMHANDLE img, double cutoff, double lowGain,
                                              double highGain, int32_t order, double lo, double hi,
                                              IMHANDLE old) QD_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
