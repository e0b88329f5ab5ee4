// NumPy .npy files: a short text header (a Python dict literal with the
// element type, the order flag and the shape) followed by the raw elements.
#include <qd/core/npy_file.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "checked_file.h"

namespace qd {

using detail::InputFile;

namespace {

constexpr char kMagic[6] = {'\x93', 'N', 'U', 'M', 'P', 'Y'};
constexpr int64_t kMaxHeaderBytes = int64_t(1) << 20;

struct ElementKind {
    const char* code; // without the byte-order character
    int32_t type;
    int32_t size;     // bytes of one element in the file
};

constexpr ElementKind kKinds[] = {
    {"b1", MT_BINARY, 1},   {"i1", MT_CHAR, 1},   {"u1", MT_UCHAR, 1},
    {"i2", MT_SHORT, 2},    {"u2", MT_USHORT, 2}, {"i4", MT_LONG, 4},
    {"u4", MT_ULONG, 4},    {"f4", MT_FLOAT, 4},  {"f8", MT_DOUBLE, 8},
    {"c8", MT_COMPLEX8, 8}, {"c16", MT_COMPLEX16, 16},
};

struct NpyHeader {
    std::string descr;
    bool fortranOrder = false;
    std::vector<int64_t> shape;
    bool hasDescr = false, hasOrder = false, hasShape = false;
};

// The header dict as numpy writes it: string keys, and string, True/False
// or tuple-of-integers values.
class DictParser {
public:
    explicit DictParser(const std::string& text) : s_(text) {}

    bool parse(NpyHeader& h, std::string& error) {
        if (!take('{')) return fail(error, "damaged .npy header");
        while (!take('}')) {
            std::string key;
            if (!readString(key) || !take(':')) return fail(error, "damaged .npy header");
            skipSpace();
            if (key == "descr") {
                if (peek() == '[') return fail(error, "structured arrays are not supported");
                if (!readString(h.descr)) return fail(error, "unsupported element type");
                h.hasDescr = true;
            } else if (key == "fortran_order") {
                if (!readBool(h.fortranOrder)) return fail(error, "damaged .npy header");
                h.hasOrder = true;
            } else if (key == "shape") {
                if (!readTuple(h.shape)) return fail(error, "damaged .npy header");
                h.hasShape = true;
            } else {
                return fail(error, "damaged .npy header");
            }
            if (!take(',') && peek() != '}') return fail(error, "damaged .npy header");
        }
        if (!h.hasDescr || !h.hasOrder || !h.hasShape) return fail(error, "damaged .npy header");
        return true;
    }

private:
    static bool fail(std::string& error, const char* why) {
        error = why;
        return false;
    }
    void skipSpace() {
        while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
    }
    char peek() {
        skipSpace();
        return i_ < s_.size() ? s_[i_] : '\0';
    }
    bool take(char c) {
        if (peek() != c) return false;
        ++i_;
        return true;
    }
    bool readString(std::string& out) {
        const char quote = peek();
        if (quote != '\'' && quote != '"') return false;
        const size_t end = s_.find(quote, i_ + 1);
        if (end == std::string::npos) return false;
        out = s_.substr(i_ + 1, end - i_ - 1);
        i_ = end + 1;
        return true;
    }
    bool readWord(const char* word) {
        const size_t n = std::strlen(word);
        if (s_.compare(i_, n, word) != 0) return false;
        i_ += n;
        return true;
    }
    bool readBool(bool& out) {
        skipSpace();
        if (readWord("True")) out = true;
        else if (readWord("False")) out = false;
        else return false;
        return true;
    }
    bool readTuple(std::vector<int64_t>& out) {
        if (!take('(')) return false;
        while (!take(')')) {
            skipSpace();
            int64_t v = 0;
            size_t digits = 0;
            for (; i_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_])); ++i_) {
                if (++digits > 12) return false; // far beyond any size we take
                v = v * 10 + (s_[i_] - '0');
            }
            if (digits == 0) return false;
            out.push_back(v);
            if (!take(',') && peek() != ')') return false;
        }
        return true;
    }

    const std::string& s_;
    size_t i_ = 0;
};

// What the header describes, checked and ready to read.
struct ArrayLayout {
    const ElementKind* kind = nullptr;
    bool bigEndian = false;
    bool rgb = false;
    bool columnsFirst = false; // Fortran order
    int32_t width = 0;
    int32_t height = 0;

    int32_t matrixType() const { return rgb ? MT_RGB : kind->type; }
    int64_t fileRowBytes() const { return int64_t(width) * kind->size * (rgb ? 3 : 1); }
    // Bytes of one number: a complex element is swapped half by half.
    int32_t componentSize() const {
        return kind->type & (MT_COMPLEX8 | MT_COMPLEX16) ? kind->size / 2 : kind->size;
    }
};

bool fail(std::string* error, std::string why) {
    if (error) *error = std::move(why);
    return false;
}

MTHANDLE refuse(std::string* error, std::string why) {
    fail(error, std::move(why));
    return nullptr;
}

bool describe(const NpyHeader& h, ArrayLayout& a, std::string* error) {
    std::string code = h.descr;
    char order = '=';
    if (!code.empty() && std::strchr("<>|=", code[0])) {
        order = code[0];
        code.erase(0, 1);
    }
    for (const ElementKind& k : kKinds)
        if (code == k.code) a.kind = &k;
    if (!a.kind) return fail(error, "unsupported element type '" + h.descr + "'");
    a.bigEndian = order == '>';

    const std::vector<int64_t>& s = h.shape;
    std::string shape;
    for (int64_t d : s) shape += (shape.empty() ? "" : ", ") + std::to_string(d);
    a.rgb = s.size() == 3 && s[2] == 3 && a.kind->type == MT_UCHAR;
    int64_t rows = 0, cols = 0;
    if (s.size() == 1) rows = 1, cols = s[0];
    else if (s.size() == 2 || a.rgb) rows = s[0], cols = s[1];
    else return fail(error, "unsupported array shape (" + shape + ")");
    if (rows <= 0 || cols <= 0) return fail(error, "empty arrays cannot be opened");
    if (rows > INT32_MAX || cols > INT32_MAX) return fail(error, "array too large");
    a.height = int32_t(rows);
    a.width = int32_t(cols);
    a.columnsFirst = h.fortranOrder && s.size() > 1;
    // The matrix holds at most 16 bytes per element, RGB 4.
    if (int64_t(a.width) * 16 > detail::kMaxBlockBytes / a.height)
        return fail(error, "array too large");
    return true;
}

// Byte-swaps each component (both halves of a complex) in place.
void toLittleEndian(uint8_t* p, int64_t bytes, int32_t componentSize) {
    for (int64_t i = 0; i + componentSize <= bytes; i += componentSize)
        std::reverse(p + i, p + i + componentSize);
}

void storeRow(MTHANDLE mt, const ArrayLayout& a, uint8_t* src, int32_t y) {
    auto* row = static_cast<uint8_t*>(MTGetMatrixPointer(mt)[y]);
    if (a.rgb) {
        for (int32_t x = 0; x < a.width; ++x) {
            const uint8_t* p = src + 3 * int64_t(x);
            const uint32_t v = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
            std::memcpy(row + 4 * int64_t(x), &v, 4);
        }
    } else if (a.kind->type == MT_BINARY) {
        for (int32_t x = 0; x < a.width; ++x)
            if (src[x]) row[x >> 3] |= uint8_t(0x80u >> (x & 7));
    } else {
        const int32_t component = a.componentSize();
        if (a.bigEndian && component > 1) toLittleEndian(src, a.fileRowBytes(), component);
        std::memcpy(row, src, size_t(a.fileRowBytes()));
    }
}

// Fortran order keeps each column's elements together, the columns in turn
// (an RGB array: all red columns, then green, then blue), so the file read
// as runs gives the picture column by column.
bool readColumns(InputFile& file, int64_t dataStart, const ArrayLayout& a, MTHANDLE mt) {
    const int32_t size = a.kind->size, component = a.componentSize();
    const int64_t runBytes = int64_t(a.height) * size;
    std::vector<uint8_t> run(static_cast<size_t>(runBytes));
    void** rows = MTGetMatrixPointer(mt);
    int64_t at = dataStart;
    for (int plane = 0; plane < (a.rgb ? 3 : 1); ++plane)
        for (int32_t x = 0; x < a.width; ++x, at += runBytes) {
            if (!file.readAt(at, run.data(), runBytes)) return false;
            if (a.bigEndian && component > 1) toLittleEndian(run.data(), runBytes, component);
            for (int32_t r = 0; r < a.height; ++r) {
                auto* row = static_cast<uint8_t*>(rows[a.height - 1 - r]);
                const uint8_t* v = run.data() + int64_t(r) * size;
                if (a.rgb) row[4 * int64_t(x) + 2 - plane] = *v; // 0x00RRGGBB
                else if (a.kind->type == MT_BINARY) row[x >> 3] |= *v ? uint8_t(0x80u >> (x & 7)) : 0;
                else std::memcpy(row + int64_t(x) * size, v, size_t(size));
            }
        }
    return true;
}

MTHANDLE readMatrix(const std::string& path, std::string* error) {
    InputFile file(path);
    if (!file.isOpen()) return refuse(error, "cannot open " + path);
    uint8_t start[12];
    if (!file.readAt(0, start, 10) || std::memcmp(start, kMagic, 6) != 0)
        return refuse(error, "not a NumPy .npy file");
    const int major = start[6], minor = start[7];
    int64_t headerStart = 10, headerBytes = 0;
    if (major == 1) {
        headerBytes = detail::le16(start + 8);
    } else if (major == 2 || major == 3) {
        if (!file.readAt(0, start, 12)) return refuse(error, "damaged .npy header");
        headerBytes = detail::le32(start + 8);
        headerStart = 12;
    } else {
        return refuse(error, "unsupported .npy version " + std::to_string(major) + "." +
                               std::to_string(minor));
    }
    if (headerBytes > kMaxHeaderBytes || !file.contains(headerStart, headerBytes))
        return refuse(error, "damaged .npy header");
    std::string text(size_t(headerBytes), '\0');
    if (!file.readAt(headerStart, text.data(), headerBytes))
        return refuse(error, "damaged .npy header");

    NpyHeader header;
    std::string why;
    if (!DictParser(text).parse(header, why)) return refuse(error, why);
    ArrayLayout a;
    if (!describe(header, a, error)) return nullptr;
    const int64_t dataStart = headerStart + headerBytes;
    const int64_t rowBytes = a.fileRowBytes();
    if (rowBytes > (file.size() - dataStart) / a.height)
        return refuse(error, "the file is too short for its array");

    std::unique_ptr<QDMatrix, decltype(&MTDestroy)> mt(
        MTCreate(a.width, a.height, a.matrixType()), &MTDestroy);
    if (!mt) return refuse(error, "out of memory");
    if (a.columnsFirst)
        return readColumns(file, dataStart, a, mt.get()) ? mt.release() : refuse(error, "read error in " + path);
    std::vector<uint8_t> row(static_cast<size_t>(rowBytes));
    for (int32_t r = 0; r < a.height; ++r) {
        if (!file.readAt(dataStart + r * rowBytes, row.data(), rowBytes))
            return refuse(error, "read error in " + path);
        storeRow(mt.get(), a, row.data(), a.height - 1 - r);
    }
    return mt.release();
}

// The numpy element code of a matrix type, or null when it has none.
const char* descrOf(int32_t type) {
    switch (type) {
    case MT_BINARY: return "|b1";
    case MT_4BITS: case MT_UCHAR: case MT_RGB: return "|u1";
    case MT_CHAR: return "|i1";
    case MT_SHORT: return "<i2";
    case MT_USHORT: return "<u2";
    case MT_LONG: return "<i4";
    case MT_ULONG: return "<u4";
    case MT_FLOAT: return "<f4";
    case MT_DOUBLE: return "<f8";
    case MT_COMPLEX8: return "<c8";
    case MT_COMPLEX16: return "<c16";
    default: return nullptr;
    }
}

// One matrix row in file layout.
void loadRow(MTHANDLE mt, int32_t y, std::vector<uint8_t>& out) {
    const int32_t type = MTGetFlags(mt);
    const int32_t width = MTGetMaxXIndex(mt);
    const auto* row = static_cast<const uint8_t*>(MTGetMatrixPointer(mt)[y]);
    switch (type) {
    case MT_BINARY:
        for (int32_t x = 0; x < width; ++x) out[size_t(x)] = (row[x >> 3] >> (7 - (x & 7))) & 1;
        break;
    case MT_4BITS:
        for (int32_t x = 0; x < width; ++x)
            out[size_t(x)] = x & 1 ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
        break;
    case MT_RGB:
        for (int32_t x = 0; x < width; ++x) {
            uint32_t v;
            std::memcpy(&v, row + 4 * int64_t(x), 4);
            uint8_t* p = &out[3 * size_t(x)];
            p[0] = uint8_t(v >> 16), p[1] = uint8_t(v >> 8), p[2] = uint8_t(v);
        }
        break;
    default: std::memcpy(out.data(), row, out.size());
    }
}

bool writeMatrix(MTHANDLE mt, const std::string& path, std::string* error) {
    const int32_t type = MTGetFlags(mt);
    const char* descr = descrOf(type);
    if (!descr) return fail(error, "this element type has no .npy equivalent");
    const int32_t width = MTGetMaxXIndex(mt), height = MTGetMaxYIndex(mt);
    std::string dict = std::string("{'descr': '") + descr + "', 'fortran_order': False, 'shape': (" +
                       std::to_string(height) + ", " + std::to_string(width) +
                       (type == MT_RGB ? ", 3), }" : "), }");
    // numpy pads the header with blanks so that the data starts 64-aligned.
    const size_t used = 10 + dict.size() + 1;
    dict.append((64 - used % 64) % 64, ' ');
    dict += '\n';

    uint8_t start[10];
    std::memcpy(start, kMagic, 6);
    start[6] = 1, start[7] = 0;
    start[8] = uint8_t(dict.size()), start[9] = uint8_t(dict.size() >> 8);
    const int32_t elementBytes = type == MT_RGB ? 3
                                 : type == MT_BINARY || type == MT_4BITS
                                     ? 1
                                     : int32_t(MTGetMemorySize(mt) / height / width);
    std::vector<uint8_t> row(size_t(width) * size_t(elementBytes));

    detail::OutputFile out(path);
    if (!out.isOpen()) return fail(error, "cannot create " + path);
    out.write(start, sizeof start);
    out.write(dict.data(), int64_t(dict.size()));
    for (int32_t r = 0; r < height; ++r) {
        loadRow(mt, height - 1 - r, row);
        if (!out.write(row.data(), int64_t(row.size()))) break;
    }
    return out.close() || fail(error, "write error in " + path);
}

} // namespace

bool isNpyFile(const std::string& path) {
    InputFile file(path);
    uint8_t start[6];
    return file.readAt(0, start, 6) && std::memcmp(start, kMagic, 6) == 0;
}

MTHANDLE readNpyMatrix(const std::string& path, std::string* error) {
    try {
        return readMatrix(path, error);
    } catch (const std::bad_alloc&) {
        return refuse(error, "out of memory");
    }
}

IMHANDLE readNpyImage(const std::string& path, PMHANDLE palettes, std::string* error) {
    MTHANDLE mt = readNpyMatrix(path, error);
    if (!mt) return nullptr;
    IMHANDLE im = IMCreateFromMatrix(mt);
    if (!im) {
        MTDestroy(mt);
        fail(error, "out of memory");
        return nullptr;
    }
    IMSetPalette(im, palettes);
    IMDefaultRange(im, 0);
    IMPrepareBitmap(im);
    return im;
}

bool writeNpyMatrix(MTHANDLE matrix, const std::string& path, std::string* error) {
    if (!matrix) return fail(error, "no matrix to write");
    try {
        return writeMatrix(matrix, path, error);
    } catch (const std::bad_alloc&) {
        return fail(error, "out of memory");
    }
}

} // namespace qd
