// Files made by libtiff, libpng and libjpeg themselves, in a scratch folder
// of each test, and the values an opened image holds.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <tiffio.h>

#include <qd/image.h>

namespace filters_test {

struct ImageDeleter {
    void operator()(QDImage* im) const { IMDestroy(im); }
};
using Image = std::unique_ptr<QDImage, ImageDeleter>;

// A sample's value as the file holds it: the integer, or the bits of a float.
using SampleFn = std::function<uint64_t(uint32_t x, uint32_t y, int sample)>;

struct TiffSpec {
    uint32_t width = 13;
    uint32_t height = 7;
    uint16_t bits = 8;
    uint16_t samples = 1;
    uint16_t format = SAMPLEFORMAT_UINT;
    uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    uint16_t compression = COMPRESSION_NONE;
    uint32_t rowsPerStrip = 3;
    bool tiled = false;
    uint32_t tile = 16;
    bool separatePlanes = false;
    bool bigEndian = false;
    bool bigTiff = false;
    int pages = 1;                 // later pages hold other values
    std::vector<uint16_t> colorMap; // red, then green, then blue entries
    bool alpha = false;            // the last sample is an ExtraSamples alpha
    float resolution = 0;          // pixels per unit, 0 for none
    uint16_t resolutionUnit = RESUNIT_CENTIMETER;
};

void writeTiff(const std::string& path, const TiffSpec& spec, const SampleFn& value);

// Grey (channels 1, alpha 2) or colour (3, alpha 4) rows of 8 or 16 bits,
// or palette indices with a colour table.
struct PngSpec {
    uint32_t width = 11;
    uint32_t height = 6;
    int colorType = 0; // PNG_COLOR_TYPE_...
    int bits = 8;
    bool interlaced = false;
    std::vector<uint32_t> palette; // 0x00RRGGBB
};
void writePng(const std::string& path, const PngSpec& spec, const SampleFn& value);

// 8-bit grey (components 1) or RGB (3), at quality 95.
void writeJpeg(const std::string& path, uint32_t width, uint32_t height, int components, const SampleFn& value,
               bool progressive = false);

// Scattered values of the given bits, with the extremes at (0, 0) and (1, 0).
uint64_t spread(uint32_t x, uint32_t y, int sample, int bits);
// A smooth picture, kind to lossy codecs (no edges below 64 x 64).
uint64_t smooth(uint32_t x, uint32_t y, int sample);

// The image's element at column x of the picture's row y, counted from the top.
double valueAt(IMHANDLE im, uint32_t x, uint32_t y);
uint32_t rgbAt(IMHANDLE im, uint32_t x, uint32_t y);

std::vector<uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);

class FilterTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    // The names in the scratch folder: what a save left behind.
    std::vector<std::string> files() const;

    std::filesystem::path dir_;
};

} // namespace filters_test
