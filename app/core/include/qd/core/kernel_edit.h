#pragma once

// Creating and editing kernels without widgets: what an editor's fields give,
// the checks in the order the editor shows their messages, and the change to
// the library.

#include "qd/core/kernel_library.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qd {

// Owned copies of kernel records, so that a command keeps its kernel whatever
// happens to the library afterwards.
struct ConvKernelData {
    std::string name;
    int32_t n = 0;
    double divisor = 1.0;
    std::vector<double> weights; // n x n, row by row

    // A record over these weights, valid while this object lives unchanged.
    CONVKERNEL record() const;
};

struct MMKernelData {
    std::string name;
    int32_t n = 0;
    std::vector<int32_t> values; // n x n, row by row, 0 or 1 from the editor

    MMKERNEL record() const;
};

ConvKernelData kernelData(const CONVKERNEL& kernel);
MMKernelData kernelData(const MMKERNEL& kernel);

// An editor's fields as typed (bytes of the Western code page).
struct KernelInput {
    std::string name;
    int32_t n = 0;
    std::string divisor; // ignored for morphology kernels
    std::string entries;
};

// The first check that fails, in the editor's order: name, divisor, entries.
enum class KernelFault { None, Name, Divisor, Entries };

// True when a record other than the one at editIndex has that name.
template <class Record>
bool kernelNameTaken(const KernelLibrary<Record>& library, const std::string& name,
                     int32_t editIndex);

// Checks the input for a new kernel (editIndex -1) or for the kernel at
// editIndex, which may keep its own name. On None, out holds the kernel.
KernelFault checkKernel(const KernelLibrary<CONVKERNEL>& library, const KernelInput& input,
                        int32_t editIndex, ConvKernelData& out);
KernelFault checkKernel(const KernelLibrary<MMKERNEL>& library, const KernelInput& input,
                        int32_t editIndex, MMKernelData& out);

// Replaces name, divisor and entries in place; false (and nothing changed)
// when the dimensions differ.
bool replaceKernel(CONVKERNEL& record, const ConvKernelData& data);
bool replaceKernel(MMKERNEL& record, const MMKernelData& data);

} // namespace qd
