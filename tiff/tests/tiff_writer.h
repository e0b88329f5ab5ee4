// Builds small TIFF files in memory, laid out as the TIFF 6.0 document
// describes them, in either byte order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tifftest {

enum : uint16_t { SHORT = 3, LONG = 4 };

class TiffWriter {
public:
    explicit TiffWriter(bool bigEndian) : big_(bigEndian) {}

    // Appends bytes after the header; returns their file offset.
    uint32_t blob(const std::vector<uint8_t>& bytes);
    // Entries; arrays longer than four bytes are stored after the blobs.
    void shorts(uint16_t tag, const std::vector<uint16_t>& values);
    void longs(uint16_t tag, const std::vector<uint32_t>& values);
    void shortTag(uint16_t tag, uint16_t v) { shorts(tag, {v}); }
    void longTag(uint16_t tag, uint32_t v) { longs(tag, {v}); }

    std::vector<uint8_t> bytes() const;

private:
    struct Entry {
        uint16_t tag, type;
        uint32_t count;
        std::vector<uint8_t> data; // encoded values
    };
    void put16(std::vector<uint8_t>& out, uint16_t v) const;
    void put32(std::vector<uint8_t>& out, uint32_t v) const;

    bool big_;
    std::vector<uint8_t> blobs_;
    std::vector<Entry> entries_;
};

// Common grey or RGB file: one strip per `rowsPerStrip` rows of `pixels`
// (rows top first, already packed), LONG strip tables.
std::vector<uint8_t> simpleTiff(bool bigEndian, uint32_t width, uint32_t height, uint16_t bits,
                                const std::vector<uint8_t>& pixels, uint32_t rowsPerStrip = 0);

std::string writeTemp(const std::string& name, const std::vector<uint8_t>& bytes);

} // namespace tifftest
