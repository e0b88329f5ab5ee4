#pragma once

// The settings files qdcli reads: the palette list and the two kernel
// libraries. Their owners write the files back when they close, so qdcli
// opens private copies and never changes the user's settings.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <qd/core/kernel_library.h>
#include <qd/image.h>

#include "options.h"

namespace qdcli {

// A convolution kernel from --kernel NAME or --weights "a,b,c;d,e,f;..."
// with --divisor D (1 when not given; a kernel's own divisor otherwise).
struct ConvolutionKernel {
    int32_t n = 0;
    std::vector<double> weights;
    double divisor = 1.0;
};

// A structuring element from --kernel NAME or --weights (whole numbers).
class MorphologyKernel {
public:
    MorphologyKernel(int32_t n, std::vector<int32_t> values);
    MorphologyKernel(const MorphologyKernel& other) : MorphologyKernel(other.rec_.N, other.values_) {}
    MorphologyKernel& operator=(const MorphologyKernel&) = delete;
    const MMKERNEL& record() const { return rec_; }

private:
    std::vector<int32_t> values_;
    MMKERNEL rec_{};
};

class Settings {
public:
    Settings();
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    PMHANDLE palettes();
    ConvolutionKernel convolutionKernel(const Options& options);
    MorphologyKernel morphologyKernel(const Options& options);

private:
    std::string privateCopy(const char* fileName);

    std::string dir_;
    PMHANDLE palettes_ = nullptr;
    std::unique_ptr<qd::CKernelLibrary> convolution_;
    std::unique_ptr<qd::CMMKernelLibrary> morphology_;
};

// The rows of --weights: N rows of N numbers.
std::vector<double> squareWeights(const std::string& text, int32_t& n);

} // namespace qdcli
