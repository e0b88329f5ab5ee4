// Fourier transforms, frequency-domain filters, convolution, correlation,
// and the Daubechies wavelet transform.
#include <qd/fourier.h>
#include <qd/wavelet.h>

#include <cstdio>

#include "op_helpers.h"

namespace qdcli {
namespace {

using ArrayFn = ARHANDLE (*)(ARHANDLE, ARHANDLE);

// One row of the matrix as a complex array and back: the 1-D transforms
// take arrays, so they run on images one row high.
Product rowTransform(MTHANDLE m, ArrayFn fn) {
    const int32_t w = MTGetWidth(m);
    ARHANDLE in = ARCreate(w, MT_COMPLEX16);
    if (!in) return refusedProduct("out of memory");
    for (int32_t x = 0; x < w; ++x) ARSetComplex(in, x, MTComplex(m, x, 0));
    ARHANDLE out = fn(in, nullptr);
    ARDestroy(in);
    if (!out) return {};
    const int32_t n = ARGetWidth(out);
    MTHANDLE row = MTCreate(n, 1, ARGetFlags(out));
    if (row)
        for (int32_t x = 0; x < n; ++x) MTSetComplex(row, x, 0, ARComplex(out, x));
    ARDestroy(out);
    return row ? Product(row) : refusedProduct("out of memory");
}

Operation rowOperation(const char* name, const char* summary, ArrayFn fn) {
    return {.name = name,
            .summary = summary,
            .display = Display::ModulusLog,
            .prepare = [fn, name](const Call& call) -> Run {
                MTHANDLE m = call.matrix();
                if (MTGetHeight(m) != 1) throw UsageError(std::string(name) + " needs an image one row high");
                return [fn, m] { return rowTransform(m, fn); };
            }};
}

// Filters: the ideal one by cutoffs, the Butterworth one with --order too.
Operation cutoffOperation(const char* name, const char* summary, MTHANDLE (*fn)(MTHANDLE, double, MTHANDLE)) {
    return {.name = name,
            .summary = summary,
            .options = "--cutoff C",
            .prepare = [fn](const Call& call) -> Run {
                MTHANDLE m = call.matrix();
                const double cutoff = call.options.number("cutoff");
                return [fn, m, cutoff] { return Product(fn(m, cutoff, nullptr)); };
            }};
}

Operation bwCutoffOperation(const char* name, const char* summary, MTHANDLE (*fn)(MTHANDLE, double, int32_t, MTHANDLE)) {
    return {.name = name,
            .summary = summary,
            .options = "--cutoff C --order N",
            .prepare = [fn](const Call& call) -> Run {
                MTHANDLE m = call.matrix();
                const double cutoff = call.options.number("cutoff");
                const int32_t order = call.options.integer("order");
                return [fn, m, cutoff, order] { return Product(fn(m, cutoff, order, nullptr)); };
            }};
}

Operation waveletOperation(const char* name, const char* summary, MTHANDLE (*fn)(MTHANDLE, int, MTHANDLE)) {
    return {.name = name,
            .summary = summary,
            .options = "--n 4|6|12|20",
            .prepare = [fn](const Call& call) -> Run {
                MTHANDLE m = call.matrix();
                const int32_t n = call.options.integer("n");
                if (n != 4 && n != 6 && n != 12 && n != 20)
                    std::fputs("qdcli: a filter length other than 4, 6, 12 or 20 leaves the data as it is, "
                               "as float\n",
                               stderr);
                return [fn, m, n] { return Product(fn(m, n, nullptr)); };
            }};
}

} // namespace

void addFourierOperations(OperationTable& table) {
    table.push_back(rowOperation("Fft1D", "Fourier transform of an image one row high.", Fft1D));
    table.push_back(rowOperation("IFft1D", "Inverse Fourier transform of an image one row high.", IFft1D));
    table.push_back(plainOperation("Ft2D", "Fourier transform of a complex image.", Ft2D, Display::ModulusLog));
    table.push_back(plainOperation("IFt2D", "Inverse Fourier transform of a complex image.", IFt2D));
    table.push_back(plainOperation("RealFt2D", "Fourier transform of a real image.", RealFt2D, Display::ModulusLog));
    table.push_back(plainOperation("RealIFt2D", "Inverse Fourier transform to a real image.", RealIFt2D));
    table.push_back(cutoffOperation("LowPassFilter2D", "Ideal low-pass filter in the frequency domain.", LowPassFilter2D));
    table.push_back(cutoffOperation("HighPassFilter2D", "Ideal high-pass filter in the frequency domain.", HighPassFilter2D));
    table.push_back({.name = "BandPassFilter2D",
                     .summary = "Ideal band-pass filter in the frequency domain.",
                     .options = "--lower L --upper U",
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE m = call.matrix();
                         const double lo = call.options.number("lower"), hi = call.options.number("upper");
                         return [m, lo, hi] { return Product(BandPassFilter2D(m, lo, hi, nullptr)); };
                     }});
    table.push_back(bwCutoffOperation("BWLowPassFilter2D", "Butterworth low-pass filter in the frequency domain.", BWLowPassFilter2D));
    table.push_back(bwCutoffOperation("BWHighPassFilter2D", "Butterworth high-pass filter in the frequency domain.", BWHighPassFilter2D));
    table.push_back({.name = "BWBandPassFilter2D",
                     .summary = "Butterworth band-pass filter in the frequency domain.",
                     .options = "--lower L --upper U --order N",
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE m = call.matrix();
                         const double lo = call.options.number("lower"), hi = call.options.number("upper");
                         const int32_t order = call.options.integer("order");
                         return [m, lo, hi, order] {
                             return Product(BWBandPassFilter2D(m, lo, hi, order, nullptr));
                         };
                     }});
    table.push_back({.name = "HomomorphicFilter2D",
                     .summary = "Homomorphic filter: separate gains for low and high frequencies of the logarithm.",
                     .options = kHomomorphicOptions,
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE m = call.matrix();
                         const Homomorphic f = homomorphicOf(call.options);
                         return [m, f] {
                             return Product(HomomorphicFilter2D(m, f.cutoff, f.lowGain, f.highGain, f.order, nullptr));
                         };
                     }});
    table.back().notes = {{"order", "the filter's order"}};
    table.push_back(weightsOperation("Convolution2D", "Convolves with a kernel through the Fourier transform.", Convolution2D));
    table.push_back(weightsOperation("Deconvolution2D", "Divides a kernel out through the Fourier transform.", Deconvolution2D));
    table.push_back(plainOperation("AutoCorrelation2D", "Auto-correlation through the Fourier transform.", AutoCorrelation2D, Display::ModulusLog));
}

void addWaveletOperations(OperationTable& table) {
    table.push_back(waveletOperation("DauWt2D", "Daubechies wavelet transform.", DauWt2D));
    table.push_back(waveletOperation("DauIWt2D", "Inverse Daubechies wavelet transform.", DauIWt2D));
}

} // namespace qdcli
