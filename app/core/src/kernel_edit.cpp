#include "qd/core/kernel_edit.h"

#include "qd/core/kernel_text.h"

#include <algorithm>
#include <cstring>

namespace qd {

namespace {

std::string recordName(const char (&field)[128]) {
    return std::string(field, strnlen(field, sizeof field));
}

void setRecordName(char (&field)[128], const std::string& name) {
    std::memset(field, 0, sizeof field);
    std::memcpy(field, name.data(), std::min(name.size(), sizeof field - 1));
}

size_t entryCount(int32_t n) { return n > 0 ? size_t(n) * size_t(n) : 0; }

// The name check both kinds share.
template <class Record>
KernelFault checkName(const KernelLibrary<Record>& library, const KernelInput& input,
                      int32_t editIndex, std::string& name) {
    name = kernelFieldName(input.name);
    if (name.empty()) return KernelFault::Name;
    // An edited kernel may keep its name even when another kernel shares it.
    if (const Record* own = library.at(editIndex); own && recordName(own->name) == name)
        return KernelFault::None;
    return kernelNameTaken(library, name, editIndex) ? KernelFault::Name : KernelFault::None;
}

} // namespace

CONVKERNEL ConvKernelData::record() const {
    CONVKERNEL r{};
    setRecordName(r.name, name);
    r.N = n;
    r.divisor = divisor;
    r.weights = const_cast<double*>(weights.data());
    return r;
}

MMKERNEL MMKernelData::record() const {
    MMKERNEL r{};
    setRecordName(r.name, name);
    r.N = n;
    r.values = const_cast<int32_t*>(values.data());
    return r;
}

ConvKernelData kernelData(const CONVKERNEL& kernel) {
    ConvKernelData d;
    d.name = recordName(kernel.name);
    d.n = kernel.N;
    d.divisor = kernel.divisor;
    if (kernel.weights) d.weights.assign(kernel.weights, kernel.weights + entryCount(kernel.N));
    return d;
}

MMKernelData kernelData(const MMKERNEL& kernel) {
    MMKernelData d;
    d.name = recordName(kernel.name);
    d.n = kernel.N;
    if (kernel.values) d.values.assign(kernel.values, kernel.values + entryCount(kernel.N));
    return d;
}

template <class Record>
bool kernelNameTaken(const KernelLibrary<Record>& library, const std::string& name,
                     int32_t editIndex) {
    for (int32_t i = 0; i < library.count(); ++i)
        if (i != editIndex && recordName(library.at(i)->name) == name) return true;
    return false;
}

template bool kernelNameTaken(const KernelLibrary<CONVKERNEL>&, const std::string&, int32_t);
template bool kernelNameTaken(const KernelLibrary<MMKERNEL>&, const std::string&, int32_t);

KernelFault checkKernel(const KernelLibrary<CONVKERNEL>& library, const KernelInput& input,
                        int32_t editIndex, ConvKernelData& out) {
    ConvKernelData d;
    if (checkName(library, input, editIndex, d.name) != KernelFault::None) return KernelFault::Name;
    const std::optional<double> divisor = readKernelDivisor(input.divisor);
    if (!divisor) return KernelFault::Divisor;
    std::optional<std::vector<double>> weights = readConvEntries(input.entries, input.n);
    if (!weights) return KernelFault::Entries;
    d.n = input.n;
    d.divisor = *divisor;
    d.weights = std::move(*weights);
    out = std::move(d);
    return KernelFault::None;
}

KernelFault checkKernel(const KernelLibrary<MMKERNEL>& library, const KernelInput& input,
                        int32_t editIndex, MMKernelData& out) {
    MMKernelData d;
    if (checkName(library, input, editIndex, d.name) != KernelFault::None) return KernelFault::Name;
    std::optional<std::vector<int32_t>> values = readMMEntries(input.entries, input.n);
    if (!values) return KernelFault::Entries;
    d.n = input.n;
    d.values = std::move(*values);
    out = std::move(d);
    return KernelFault::None;
}

bool replaceKernel(CONVKERNEL& record, const ConvKernelData& data) {
    if (record.N != data.n || !record.weights || data.weights.size() != entryCount(data.n))
        return false;
    setRecordName(record.name, data.name);
    record.divisor = data.divisor;
    std::copy(data.weights.begin(), data.weights.end(), record.weights);
    return true;
}

bool replaceKernel(MMKERNEL& record, const MMKernelData& data) {
    if (record.N != data.n || !record.values || data.values.size() != entryCount(data.n))
        return false;
    setRecordName(record.name, data.name);
    std::copy(data.values.begin(), data.values.end(), record.values);
    return true;
}

} // namespace qd
