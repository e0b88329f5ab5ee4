// Both kernel files go through the same steps: load, look at every record,
// find each by name, write back.
#pragma once

#include <qd/core/kernel_library.h>

#include "fuzz_file.h"

template <class Library> int fuzzKernelFile(const uint8_t* data, size_t size, const char* name) {
    Library lib(qdfuzz::spill(data, size, name));
    volatile double sink = 0;
    for (int32_t i = 0; i < lib.count(); ++i) {
        const auto* k = lib.at(i);
        sink = sink + k->N + lib.indexOf(k->name, k->N);
    }
    return 0;
}
