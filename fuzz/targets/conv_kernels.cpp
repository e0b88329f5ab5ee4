// The convolution kernel file.
#include "kernel_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzzKernelFile<qd::CKernelLibrary>(data, size, qd::CKernelLibrary::kFileName);
}
