// The morphology kernel file.
#include "kernel_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzzKernelFile<qd::CMMKernelLibrary>(data, size, qd::CMMKernelLibrary::kFileName);
}
