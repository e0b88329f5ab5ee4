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

Operation rowOperation(const char* name, ArrayFn fn) {
    return {.name = name,
            .display = Display::ModulusLog,
            .prepare = [fn, name](const Call& call) -> Run {
                MTHANDLE m = call.matrix();
                if (MTGetHeight(m) != 1) throw UsageError(std::string(name) + " needs an image one row high");
                return [fn, m] { return rowTransform(m, fn); };
            }};
}

// Filters: the ideal one by cutoffs, the Butterworth one with --order too.
Operation cutoffOperation(const char* name, MTHANDLE (*fn)(MTHANDLE, double, MTHANDLE)) {
    return {.name = name,
            .options = "--cutoff C",
            .prepare = [fn](const Call& call) -> Run {
                MTHANDLE m = call.matrix();
                const double cutoff = call.options.number("cutoff");
                return [fn, m, cutoff] { return Product(fn(m, cutoff, nullptr)); };
            }};
}

Operation bwCutoffOperation(const char* name, MTHANDLE (*fn)(MTHANDLE, double, int32_t, MTHANDLE)) {
    return {.name = name,
            .options = "--cutoff C --order N",
            .prepare = [fn](const Call& call) -> Run {
                MTHANDLE m = call.matrix();
                const double cutoff = call.options.number("cutoff");
                const int32_t order = call.options.integer("order");
                return [fn, m, cutoff, order] { return Product(fn(m, cutoff, order, nullptr)); };
            }};
}

Operation waveletOperation(const char* name, MTHANDLE (*fn)(MTHANDLE, int, MTHANDLE)) {
    return {.name = name,
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
    table.push_back(rowOperation("Fft1D", Fft1D));
    table.push_back(rowOperation("IFft1D", IFft1D));
    table.push_back(plainOperation("Ft2D", Ft2D, Display::ModulusLog));
    table.push_back(plainOperation("IFt2D", IFt2D));
    table.push_back(plainOperation("RealFt2D", RealFt2D, Display::ModulusLog));
    table.push_back(plainOperation("RealIFt2D", RealIFt2D));
    table.push_back(cutoffOperation("LowPassFilter2D", LowPassFilter2D));
    table.push_back(cutoffOperation("HighPassFilter2D", HighPassFilter2D));
    table.push_back({.name = "BandPassFilter2D",
                     .options = "--lower L --upper U",
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE m = call.matrix();
                         const double lo = call.options.number("lower"), hi = call.options.number("upper");
                         return [m, lo, hi] { return Product(BandPassFilter2D(m, lo, hi, nullptr)); };
                     }});
    table.push_back(bwCutoffOperation("BWLowPassFilter2D", BWLowPassFilter2D));
    table.push_back(bwCutoffOperation("BWHighPassFilter2D", BWHighPassFilter2D));
    table.push_back({.name = "BWBandPassFilter2D",
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
                     .options = kHomomorphicOptions,
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE m = call.matrix();
                         const Homomorphic f = homomorphicOf(call.options);
                         return [m, f] {
                             return Product(HomomorphicFilter2D(m, f.cutoff, f.lowGain, f.highGain, f.order, nullptr));
                         };
                     }});
    table.push_back(weightsOperation("Convolution2D", Convolution2D));
    table.push_back(weightsOperation("Deconvolution2D", Deconvolution2D));
    table.push_back(plainOperation("AutoCorrelation2D", AutoCorrelation2D, Display::ModulusLog));
}

void addWaveletOperations(OperationTable& table) {
    table.push_back(waveletOperation("DauWt2D", DauWt2D));
    table.push_back(waveletOperation("DauIWt2D", DauIWt2D));
}

} // namespace qdcli
