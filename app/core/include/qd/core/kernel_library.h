#pragma once

// The two named kernel libraries of the program: convolution kernels and
// morphology kernels. Each starts with its built-in kernels, appends the
// user's kernels from its file and writes only those back.

#include <qd/prcs.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qd {

namespace detail {
template <class Record> struct KernelTraits;
template <> struct KernelTraits<CONVKERNEL> {
    using Value = double;
};
template <> struct KernelTraits<MMKERNEL> {
    using Value = int32_t;
};
} // namespace detail

// An ordered list of kernel records; the library owns its copies, and the
// index of a record is its index in the kernel page's combo box.
template <class Record> class KernelLibrary {
public:
    using Value = typename detail::KernelTraits<Record>::Value;

    // Built-in kernels first, then the records of the file at path (a
    // missing or damaged file leaves the records read before the damage).
    explicit KernelLibrary(std::string path);
    // Writes the user's kernels back (see save()).
    ~KernelLibrary();
    KernelLibrary(const KernelLibrary&) = delete;
    KernelLibrary& operator=(const KernelLibrary&) = delete;

    static int32_t builtInCount();
    const std::string& path() const { return path_; }
    int32_t count() const { return int32_t(entries_.size()); }
    bool isBuiltIn(int32_t index) const { return index >= 0 && index < builtInCount(); }

    // Null when index is out of range.
    Record* at(int32_t index) const;
    // First record of that name (and of dimension dim when dim >= 1), or null.
    Record* find(const std::string& name, int32_t dim = 0) const;
    int32_t indexOf(const std::string& name, int32_t dim = 0) const;

    // Appends a copy; null when the record has no entries or a dimension
    // outside 1 to 255, which the file cannot hold.
    Record* add(const Record& kernel);
    // Removes a user kernel; built-in kernels stay.
    bool remove(int32_t index);

    // Writes every user kernel to the file, through a temporary file renamed
    // over the old one. False when it cannot be written.
    bool save() const;

private:
    struct Entry;
    void addBuiltIns();
    void load();

    std::string path_;
    std::vector<std::unique_ptr<Entry>> entries_;
};

class CKernelLibrary : public KernelLibrary<CONVKERNEL> {
public:
    static constexpr const char* kFileName = "QDKernel.dat";
    // The library file in the settings directory.
    CKernelLibrary();
    explicit CKernelLibrary(std::string path) : KernelLibrary(std::move(path)) {}
};

class CMMKernelLibrary : public KernelLibrary<MMKERNEL> {
public:
    static constexpr const char* kFileName = "QDMMKernel.dat";
    CMMKernelLibrary();
    explicit CMMKernelLibrary(std::string path) : KernelLibrary(std::move(path)) {}
};

} // namespace qd
