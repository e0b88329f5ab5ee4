#include "tiff_writer.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include <unistd.h>

namespace tifftest {

void TiffWriter::put16(std::vector<uint8_t>& out, uint16_t v) const {
    if (big_) out.insert(out.end(), {uint8_t(v >> 8), uint8_t(v)});
    else out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
}

void TiffWriter::put32(std::vector<uint8_t>& out, uint32_t v) const {
    if (big_) {
        put16(out, uint16_t(v >> 16));
        put16(out, uint16_t(v));
    } else {
        put16(out, uint16_t(v));
        put16(out, uint16_t(v >> 16));
    }
}

uint32_t TiffWriter::blob(const std::vector<uint8_t>& bytes) {
    const auto offset = uint32_t(8 + blobs_.size());
    blobs_.insert(blobs_.end(), bytes.begin(), bytes.end());
    return offset;
}

void TiffWriter::shorts(uint16_t tag, const std::vector<uint16_t>& values) {
    Entry e{tag, SHORT, uint32_t(values.size()), {}};
    for (uint16_t v : values) put16(e.data, v);
    entries_.push_back(e);
}

void TiffWriter::longs(uint16_t tag, const std::vector<uint32_t>& values) {
    Entry e{tag, LONG, uint32_t(values.size()), {}};
    for (uint32_t v : values) put32(e.data, v);
    entries_.push_back(e);
}

std::vector<uint8_t> TiffWriter::bytes() const {
    std::vector<uint8_t> out = big_ ? std::vector<uint8_t>{'M', 'M'} : std::vector<uint8_t>{'I', 'I'};
    put16(out, 42);
    std::vector<uint8_t> tail = blobs_;
    std::vector<Entry> entries = entries_;
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.tag < b.tag; });
    // Long arrays go behind the blobs, then the directory.
    std::vector<std::vector<uint8_t>> fields;
    for (Entry& e : entries) {
        std::vector<uint8_t> field;
        if (e.data.size() <= 4) {
            field = e.data;
            field.resize(4, 0);
        } else {
            put32(field, uint32_t(8 + tail.size()));
            tail.insert(tail.end(), e.data.begin(), e.data.end());
            if (tail.size() % 2) tail.push_back(0);
        }
        fields.push_back(field);
    }
    if (tail.size() % 2) tail.push_back(0);
    put32(out, uint32_t(8 + tail.size()));
    out.insert(out.end(), tail.begin(), tail.end());
    put16(out, uint16_t(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        put16(out, entries[i].tag);
        put16(out, entries[i].type);
        put32(out, entries[i].count);
        out.insert(out.end(), fields[i].begin(), fields[i].end());
    }
    put32(out, 0); // no next directory
    return out;
}

std::vector<uint8_t> simpleTiff(bool bigEndian, uint32_t width, uint32_t height, uint16_t bits,
                                const std::vector<uint8_t>& pixels, uint32_t rowsPerStrip) {
    TiffWriter w(bigEndian);
    const uint32_t rps = rowsPerStrip ? rowsPerStrip : height;
    const size_t rowBytes = pixels.size() / height;
    std::vector<uint32_t> offsets, counts;
    for (uint32_t r = 0; r < height; r += rps) {
        const size_t rows = std::min(rps, height - r);
        std::vector<uint8_t> strip(pixels.begin() + long(r * rowBytes),
                                   pixels.begin() + long((r + rows) * rowBytes));
        offsets.push_back(w.blob(strip));
        counts.push_back(uint32_t(strip.size()));
    }
    w.longTag(256, width);
    w.longTag(257, height);
    if (bits == 24) {
        w.shorts(258, {8, 8, 8});
        w.shortTag(277, 3);
    } else {
        w.shortTag(258, bits);
    }
    w.shortTag(259, 1);
    w.longs(273, offsets);
    w.longTag(278, rps);
    w.longs(279, counts);
    return w.bytes();
}

// A directory of this test process alone (runs of other builds may share the
// machine), removed when the process ends.
static const std::filesystem::path& scratchDir() {
    static const struct Dir {
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("qd_tiff_tests_" + std::to_string(getpid()));
        Dir() { std::filesystem::create_directories(path); }
        ~Dir() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } dir;
    return dir.path;
}

std::string writeTemp(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = (scratchDir() / name).string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

} // namespace tifftest
