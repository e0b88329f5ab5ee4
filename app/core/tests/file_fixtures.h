// Files for the reader tests, built byte by byte from the published layouts
// of each format (so that they stand for files written by other tools).
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include <qd/image.h>

namespace fixtures {

struct ImageDeleter {
    void operator()(QDImage* im) const { IMDestroy(im); }
};
using ImagePtr = std::unique_ptr<QDImage, ImageDeleter>;

struct MatrixDeleter {
    void operator()(QDMatrix* mt) const { MTDestroy(mt); }
};
using MatrixPtr = std::unique_ptr<QDMatrix, MatrixDeleter>;

// A directory of this test process alone (runs of other builds may share the
// machine), removed when the process ends.
inline const std::filesystem::path& scratchDir() {
    static const struct Dir {
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("qd_core_file_tests_" + std::to_string(getpid()));
        Dir() { std::filesystem::create_directories(path); }
        ~Dir() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } dir;
    return dir.path;
}

inline std::string tempPath(const std::string& name) { return (scratchDir() / name).string(); }

inline std::vector<uint8_t> slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string spill(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = tempPath(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

inline void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
inline void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// A Windows bitmap: 14-byte file header, information header of infoSize
// bytes (40, or larger as newer writers make it), colour table of
// blue-green-red-zero entries, then the rows as given (file order), each
// padded here to a multiple of 4 bytes.
struct Bitmap {
    int32_t width = 0;
    int32_t height = 0; // negative: top-down
    uint16_t bits = 8;
    uint32_t compression = 0;
    uint32_t infoSize = 40;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> palette; // 0x00RRGGBB
    std::vector<std::vector<uint8_t>> rows;

    std::vector<uint8_t> bytes() const {
        std::vector<uint8_t> px;
        for (const auto& r : rows) {
            px.insert(px.end(), r.begin(), r.end());
            px.resize((px.size() + 3) / 4 * 4, 0);
        }
        const uint32_t offset = 14 + infoSize + 4 * uint32_t(palette.size());
        std::vector<uint8_t> out;
        put16(out, 0x4D42);
        put32(out, offset + uint32_t(px.size()));
        put32(out, 0);
        put32(out, offset);
        put32(out, infoSize);
        put32(out, uint32_t(width));
        put32(out, uint32_t(height));
        put16(out, 1);
        put16(out, bits);
        put32(out, compression);
        put32(out, uint32_t(px.size()));
        put32(out, 2835), put32(out, 2835);
        put32(out, colorsUsed);
        put32(out, 0);
        out.resize(14 + infoSize, 0);
        for (uint32_t c : palette) put32(out, c & 0xFFFFFF);
        out.insert(out.end(), px.begin(), px.end());
        return out;
    }
};

// A .npy file: magic, version, header length (2 bytes for version 1, 4 for
// 2 and 3), the dict padded with blanks and a newline to a multiple of 64,
// then the data.
inline std::vector<uint8_t> npy(const std::string& dict, const std::vector<uint8_t>& data,
                                int major = 1) {
    const size_t lengthBytes = major == 1 ? 2 : 4;
    std::string header = dict;
    const size_t used = 8 + lengthBytes + header.size() + 1;
    header.append((64 - used % 64) % 64, ' ');
    header += '\n';
    std::vector<uint8_t> out = {0x93, 'N', 'U', 'M', 'P', 'Y', uint8_t(major), 0};
    if (major == 1) put16(out, uint32_t(header.size()));
    else put32(out, uint32_t(header.size()));
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

} // namespace fixtures
