#include "qd/core/kernel_library.h"

#include "qd/core/atomic_file.h"
#include "qd/core/settings_dir.h"

#include <algorithm>
#include <bit>
#include <exception>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace qd {

namespace {

// File records: name (128 bytes), N (4 bytes), for convolution kernels the
// divisor (8 bytes), then N x N entries; little-endian, no padding.
constexpr size_t kNameBytes = 128;
constexpr int32_t kMaxFileDim = 255;

template <class T> T readLE(const uint8_t* p) {
    using U = std::conditional_t<sizeof(T) == 8, uint64_t, uint32_t>;
    U u = 0;
    for (size_t i = 0; i < sizeof(U); ++i) u |= U(p[i]) << (8 * i);
    return std::bit_cast<T>(u);
}

template <class T> void writeLE(std::vector<uint8_t>& out, T v) {
    using U = std::conditional_t<sizeof(T) == 8, uint64_t, uint32_t>;
    const U u = std::bit_cast<U>(v);
    for (size_t i = 0; i < sizeof(U); ++i) out.push_back(uint8_t(u >> (8 * i)));
}

// What differs between the two record types.
struct ConvFormat {
    using Record = CONVKERNEL;
    using Value = double;
    static constexpr size_t kFixedBytes = kNameBytes + 4 + 8;
    static Value* entries(const Record& r) { return r.weights; }
    static void setEntries(Record& r, Value* v) { r.weights = v; }
    static void readExtra(Record& r, const uint8_t* p) { r.divisor = readLE<double>(p + kNameBytes + 4); }
    static void writeExtra(const Record& r, std::vector<uint8_t>& out) { writeLE(out, r.divisor); }
    static void copyExtra(Record& to, const Record& from) { to.divisor = from.divisor; }
};

struct MMFormat {
    using Record = MMKERNEL;
    using Value = int32_t;
    static constexpr size_t kFixedBytes = kNameBytes + 4;
    static Value* entries(const Record& r) { return r.values; }
    static void setEntries(Record& r, Value* v) { r.values = v; }
    static void readExtra(Record&, const uint8_t*) {}
    static void writeExtra(const Record&, std::vector<uint8_t>&) {}
    static void copyExtra(Record&, const Record&) {}
};

template <class Record> struct FormatOf;
template <> struct FormatOf<CONVKERNEL> {
    using type = ConvFormat;
};
template <> struct FormatOf<MMKERNEL> {
    using type = MMFormat;
};

struct ConvBuiltIn {
    const char* name;
    double divisor;
    double w[9];
};

const ConvBuiltIn kConvBuiltIns[] = {
    {"Low pass", 9, {1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {"Gaussian", 16, {1, 2, 1, 2, 4, 2, 1, 2, 1}},
    {"High pass", 1, {-1, -1, -1, -1, 9, -1, -1, -1, -1}},
    {"Laplacian", 1, {-1, -1, -1, -1, 8, -1, -1, -1, -1}},
    {"Sharpen", 7, {-1, -1, -1, -1, 15, -1, -1, -1, -1}},
    {"Prewitt N", 1, {1, 1, 1, 0, 0, 0, -1, -1, -1}},
    {"Prewitt E", 1, {-1, 0, 1, -1, 0, 1, -1, 0, 1}},
    {"Sobel N", 1, {1, 2, 1, 0, 0, 0, -1, -2, -1}},
    {"Sobel E", 1, {-1, 0, 1, -2, 0, 2, -1, 0, 1}},
    {"Kirsch N", 1, {3, 3, 3, 3, 0, 3, -5, -5, -5}},
    {"Kirsch E", 1, {-5, 3, 3, -5, 0, 3, -5, 3, 3}},
};

struct MMBuiltIn {
    const char* name;
    int32_t n;
    int32_t v[25];
};

const MMBuiltIn kMMBuiltIns[] = {
    {"Diamond (3 X 3)", 3, {0, 1, 0, 1, 1, 1, 0, 1, 0}},
    {"Rectangle (3 X 3)", 3, {1, 1, 1, 1, 1, 1, 1, 1, 1}},
    {"Circle (5 X 5)", 5, {0, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 0}},
    {"Diamond (5 X 5)", 5, {0, 0, 1, 0, 0, 0, 1, 1, 1, 0, 1, 1, 1, 1, 1, 0, 1, 1, 1, 0, 0, 0, 1, 0, 0}},
    {"Rectangle (5 X 5)", 5, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
};

void setName(char (&dst)[kNameBytes], const char* src) {
    std::memset(dst, 0, kNameBytes);
    if (src) std::strncpy(dst, src, kNameBytes - 1);
}

} // namespace

// A record and the entries it points at.
template <class Record> struct KernelLibrary<Record>::Entry {
    using Format = typename FormatOf<Record>::type;
    Record rec{};
    std::vector<Value> values;

    Entry(const char* name, int32_t n, const Value* from) : values(from, from + size_t(n) * size_t(n)) {
        setName(rec.name, name);
        rec.N = n;
        Format::setEntries(rec, values.data());
    }
};

template <class Record> int32_t KernelLibrary<Record>::builtInCount() {
    if constexpr (std::is_same_v<Record, CONVKERNEL>) return int32_t(std::size(kConvBuiltIns));
    else return int32_t(std::size(kMMBuiltIns));
}

template <class Record>
KernelLibrary<Record>::KernelLibrary(std::string path) : path_(std::move(path)) {
    addBuiltIns();
    load();
}

template <class Record> KernelLibrary<Record>::~KernelLibrary() {
    try {
        save();
    } catch (const std::exception&) {
        // Nothing is written and nothing is said, as when the file cannot be
        // created.
    }
}

template <class Record> void KernelLibrary<Record>::addBuiltIns() {
    if constexpr (std::is_same_v<Record, CONVKERNEL>) {
        for (const ConvBuiltIn& b : kConvBuiltIns) {
            auto e = std::make_unique<Entry>(b.name, 3, b.w);
            e->rec.divisor = b.divisor;
            entries_.push_back(std::move(e));
        }
    } else {
        for (const MMBuiltIn& b : kMMBuiltIns) entries_.push_back(std::make_unique<Entry>(b.name, b.n, b.v));
    }
}

template <class Record> void KernelLibrary<Record>::load() {
    using Format = typename Entry::Format;
    std::ifstream in(path_, std::ios::binary);
    if (!in) return;
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t pos = 0;
    std::vector<Value> values;
    // A record that is cut off or whose dimension is out of range ends the
    // list; the records before it stay.
    while (bytes.size() - pos >= Format::kFixedBytes) {
        const uint8_t* p = bytes.data() + pos;
        const int32_t n = readLE<int32_t>(p + kNameBytes);
        if (n < 1 || n > kMaxFileDim) break;
        const size_t count = size_t(n) * size_t(n);
        if ((bytes.size() - pos - Format::kFixedBytes) / sizeof(Value) < count) break;
        char name[kNameBytes];
        std::memcpy(name, p, kNameBytes);
        name[kNameBytes - 1] = '\0';
        values.resize(count);
        const uint8_t* v = p + Format::kFixedBytes;
        for (size_t i = 0; i < count; ++i) values[i] = readLE<Value>(v + i * sizeof(Value));
        auto e = std::make_unique<Entry>(name, n, values.data());
        Format::readExtra(e->rec, p);
        entries_.push_back(std::move(e));
        pos += Format::kFixedBytes + count * sizeof(Value);
    }
}

template <class Record> bool KernelLibrary<Record>::save() const {
    using Format = typename Entry::Format;
    std::vector<uint8_t> out;
    for (size_t i = size_t(builtInCount()); i < entries_.size(); ++i) {
        const Entry& e = *entries_[i];
        out.insert(out.end(), e.rec.name, e.rec.name + kNameBytes);
        writeLE(out, e.rec.N);
        Format::writeExtra(e.rec, out);
        for (Value v : e.values) writeLE(out, v);
    }
    std::error_code ec;
    const std::filesystem::path parent = std::filesystem::path(path_).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    return writeFileAtomically(path_, out.data(), out.size());
}

template <class Record> Record* KernelLibrary<Record>::at(int32_t index) const {
    if (index < 0 || index >= count()) return nullptr;
    return &entries_[size_t(index)]->rec;
}

template <class Record> int32_t KernelLibrary<Record>::indexOf(const std::string& name, int32_t dim) const {
    for (int32_t i = 0; i < count(); ++i) {
        const Record& r = entries_[size_t(i)]->rec;
        if (name == r.name && (dim < 1 || r.N == dim)) return i;
    }
    return -1;
}

template <class Record> Record* KernelLibrary<Record>::find(const std::string& name, int32_t dim) const {
    return at(indexOf(name, dim));
}

template <class Record> Record* KernelLibrary<Record>::add(const Record& kernel) {
    using Format = typename Entry::Format;
    // A dimension the file cannot hold would end the next reading early and
    // lose the kernels behind it.
    if (kernel.N < 1 || kernel.N > kMaxFileDim || !Format::entries(kernel)) return nullptr;
    // The name may fill its field without a terminator.
    char name[kNameBytes];
    std::memcpy(name, kernel.name, kNameBytes);
    name[kNameBytes - 1] = '\0';
    auto e = std::make_unique<Entry>(name, kernel.N, Format::entries(kernel));
    Format::copyExtra(e->rec, kernel);
    entries_.push_back(std::move(e));
    return &entries_.back()->rec;
}

template <class Record> bool KernelLibrary<Record>::remove(int32_t index) {
    if (index < builtInCount() || index >= count()) return false;
    entries_.erase(entries_.begin() + index);
    return true;
}

template class KernelLibrary<CONVKERNEL>;
template class KernelLibrary<MMKERNEL>;

CKernelLibrary::CKernelLibrary() : KernelLibrary(settingsFile(kFileName)) {}
CMMKernelLibrary::CMMKernelLibrary() : KernelLibrary(settingsFile(kFileName)) {}

} // namespace qd
