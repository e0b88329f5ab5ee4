#pragma once

// Shapes of table entries shared by the operation families.

#include "operation.h"
#include "settings.h"

namespace qdcli {

using PlainFn = MTHANDLE (*)(MTHANDLE, MTHANDLE);
using KernelFn = MTHANDLE (*)(MTHANDLE, const MMKERNEL*, MTHANDLE);
using WeightsFn = MTHANDLE (*)(MTHANDLE, int32_t, const double*, double, MTHANDLE);

inline constexpr const char* kMorphologyKernelOptions = "--kernel NAME | --weights ROWS";
inline constexpr const char* kConvolutionKernelOptions = "--kernel NAME | --weights ROWS [--divisor D]";

// fn(matrix, dst): a new matrix from one input.
inline Operation plainOperation(const char* name, const char* summary, PlainFn fn, Display display = Display::DefaultRange) {
    return {.name = name,
            .summary = summary,
            .display = display,
            .prepare = [fn](const Call& call) -> Run {
                MTHANDLE m = call.matrix();
                return [fn, m] { return Product(fn(m, nullptr)); };
            }};
}

// fn(matrix, structuring element, dst).
inline Operation kernelOperation(const char* name, const char* summary, KernelFn fn) {
    return {.name = name,
            .summary = summary,
            .options = kMorphologyKernelOptions,
            .prepare = [fn](const Call& call) -> Run {
                MTHANDLE m = call.matrix();
                const MorphologyKernel kernel = call.settings.morphologyKernel(call.options);
                return [fn, m, kernel] { return Product(fn(m, &kernel.record(), nullptr)); };
            }};
}

// fn(matrix, N, weights, divisor, dst).
inline Operation weightsOperation(const char* name, const char* summary, WeightsFn fn) {
    return {.name = name,
            .summary = summary,
            .options = kConvolutionKernelOptions,
            .prepare = [fn](const Call& call) -> Run {
                MTHANDLE m = call.matrix();
                const ConvolutionKernel k = call.settings.convolutionKernel(call.options);
                return [fn, m, k] { return Product(fn(m, k.n, k.weights.data(), k.divisor, nullptr)); };
            }};
}

// The labelling choices of --eight and --drop-border.
struct Connectivity {
    int32_t eight = 0;
    int32_t dropBorder = 0;
};
inline constexpr const char* kConnectivityOptions = "[--eight] [--drop-border]";
inline Connectivity connectivityOf(const Options& options) {
    return {options.flag("eight") ? 1 : 0, options.flag("drop-border") ? 1 : 0};
}

// The homomorphic filter's parameters.
struct Homomorphic {
    double cutoff, lowGain, highGain;
    int32_t order;
};
inline constexpr const char* kHomomorphicOptions = "--cutoff C --low-gain G --high-gain G --order N";
inline Homomorphic homomorphicOf(const Options& options) {
    return {options.number("cutoff"), options.number("low-gain"), options.number("high-gain"),
            options.integer("order")};
}

// Statistics2D as the three lines of the program's Analysis "All".
Product allStatistics(MTHANDLE m);

inline Product refusedProduct(std::string why) {
    Product p;
    p.refusal = std::move(why);
    return p;
}

} // namespace qdcli
