// Fourier analysis, as QDFourier gives it. As in processing, the 2-D results
// are always new matrices; the 1-D transforms keep their output argument.
#include <qd/plugin.h>

extern "C" {

int32_t qdIsPowerOf2(int32_t n) noexcept { return IsPowerOf2(n); }
int32_t qdGetPowerOf2(int32_t n) noexcept { return GetPowerOf2(n); }
int32_t qdIsPowerOf2Rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) noexcept {
    return IsPowerOf2Rect(x1, y1, x2, y2);
}
void qdReduceToPowerOf2Rect(const QDPOINT* fixedPoint, QDPOINT* movingPoint) noexcept {
    ReduceToPowerOf2Rect(fixedPoint, movingPoint);
}
ARHANDLE qdFft1D(ARHANDLE in, ARHANDLE out) noexcept { return Fft1D(in, out); }
ARHANDLE qdIFft1D(ARHANDLE in, ARHANDLE out) noexcept { return IFft1D(in, out); }
MTHANDLE qdFt2D(MTHANDLE in) noexcept { return Ft2D(in, nullptr); }
MTHANDLE qdIFt2D(MTHANDLE in) noexcept { return IFt2D(in, nullptr); }
MTHANDLE qdRealFt2D(MTHANDLE in) noexcept { return RealFt2D(in, nullptr); }
MTHANDLE qdRealIFt2D(MTHANDLE in) noexcept { return RealIFt2D(in, nullptr); }
MTHANDLE qdAutoCorrelation2D(MTHANDLE in) noexcept { return AutoCorrelation2D(in, nullptr); }
MTHANDLE qdLowPassFilter2D(MTHANDLE in, double cutoff) noexcept {
    return LowPassFilter2D(in, cutoff, nullptr);
}
MTHANDLE qdHighPassFilter2D(MTHANDLE in, double cutoff) noexcept {
    return HighPassFilter2D(in, cutoff, nullptr);
}
MTHANDLE qdBandPassFilter2D(MTHANDLE in, double lower, double upper) noexcept {
    return BandPassFilter2D(in, lower, upper, nullptr);
}
MTHANDLE qdBWLowPassFilter2D(MTHANDLE in, double cutoff, int32_t order) noexcept {
    return BWLowPassFilter2D(in, cutoff, order, nullptr);
}
MTHANDLE qdBWHighPassFilter2D(MTHANDLE in, double cutoff, int32_t order) noexcept {
    return BWHighPassFilter2D(in, cutoff, order, nullptr);
}
MTHANDLE qdBWBandPassFilter2D(MTHANDLE in, double lower, double upper, int32_t order) noexcept {
    return BWBandPassFilter2D(in, lower, upper, order, nullptr);
}
MTHANDLE qdConvolution2D(MTHANDLE in, int32_t size, const double* kernel, double divisor) noexcept {
    return Convolution2D(in, size, kernel, divisor, nullptr);
}
MTHANDLE qdDeconvolution2D(MTHANDLE in, int32_t size, const double* kernel,
                           double divisor) noexcept {
    return Deconvolution2D(in, size, kernel, divisor, nullptr);
}

} // extern "C"
