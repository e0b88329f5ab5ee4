#include "filter_fixture.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include <jpeglib.h>
#include <png.h>

namespace fs = std::filesystem;

namespace filters_test {
namespace {

// Puts one sample of bits at index i of a row: most significant bit first
// below a byte, host order above.
void putSample(std::vector<uint8_t>& row, size_t i, int bits, uint64_t v) {
    if (bits >= 8) {
        std::memcpy(row.data() + i * size_t(bits / 8), &v, size_t(bits / 8));
        return;
    }
    const size_t bit = i * size_t(bits);
    const int shift = 8 - bits - int(bit % 8);
    row[bit / 8] |= uint8_t((v & ((1u << bits) - 1)) << shift);
}

// The bytes of rows [y0, y0 + rows) and columns [x0, x0 + count) of one
// plane, each row rowBytes long.
std::vector<uint8_t> pack(const TiffSpec& s, const SampleFn& value, int plane, uint32_t x0, uint32_t y0,
                          uint32_t count, uint32_t rows, size_t rowBytes) {
    const int perPixel = s.separatePlanes ? 1 : s.samples;
    std::vector<uint8_t> out(rowBytes * rows, 0), row(rowBytes);
    for (uint32_t r = 0; r < rows && y0 + r < s.height; ++r) {
        std::fill(row.begin(), row.end(), 0);
        for (uint32_t i = 0; i < count && x0 + i < s.width; ++i)
            for (int k = 0; k < perPixel; ++k)
                putSample(row, size_t(i) * perPixel + k, s.bits, value(x0 + i, y0 + r, s.separatePlanes ? plane : k));
        std::memcpy(out.data() + r * rowBytes, row.data(), rowBytes);
    }
    return out;
}

void writePage(TIFF* tif, const TiffSpec& s, const SampleFn& value) {
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, s.width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, s.height);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, s.bits);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, s.samples);
    TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, s.format);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, s.photometric);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, s.separatePlanes ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, s.compression);
    if (s.compression == COMPRESSION_JPEG) {
        TIFFSetField(tif, TIFFTAG_JPEGQUALITY, 95);
        if (s.photometric == PHOTOMETRIC_YCBCR) TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
    }
    if (!s.colorMap.empty()) {
        const size_t n = size_t(1) << s.bits;
        TIFFSetField(tif, TIFFTAG_COLORMAP, s.colorMap.data(), s.colorMap.data() + n, s.colorMap.data() + 2 * n);
    }
    if (s.alpha) {
        const uint16_t extra = EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &extra);
    }
    if (s.resolution > 0) {
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, double(s.resolution));
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, double(s.resolution));
        TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, s.resolutionUnit);
    }
    const int planes = s.separatePlanes ? s.samples : 1;
    const int perPixel = s.separatePlanes ? 1 : s.samples;
    if (s.tiled) {
        TIFFSetField(tif, TIFFTAG_TILEWIDTH, s.tile);
        TIFFSetField(tif, TIFFTAG_TILELENGTH, s.tile);
        const size_t rowBytes = (size_t(s.tile) * perPixel * s.bits + 7) / 8;
        for (int p = 0; p < planes; ++p)
            for (uint32_t y = 0; y < s.height; y += s.tile)
                for (uint32_t x = 0; x < s.width; x += s.tile) {
                    std::vector<uint8_t> tile = pack(s, value, p, x, y, s.tile, s.tile, rowBytes);
                    TIFFWriteEncodedTile(tif, TIFFComputeTile(tif, x, y, 0, uint16_t(p)), tile.data(),
                                         tmsize_t(tile.size()));
                }
    } else {
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, s.rowsPerStrip);
        const size_t rowBytes = (size_t(s.width) * perPixel * s.bits + 7) / 8;
        const uint32_t strips = (s.height + s.rowsPerStrip - 1) / s.rowsPerStrip;
        for (int p = 0; p < planes; ++p)
            for (uint32_t i = 0; i < strips; ++i) {
                const uint32_t y = i * s.rowsPerStrip, rows = std::min(s.rowsPerStrip, s.height - y);
                std::vector<uint8_t> strip = pack(s, value, p, 0, y, s.width, rows, rowBytes);
                TIFFWriteEncodedStrip(tif, p * strips + i, strip.data(), tmsize_t(strip.size()));
            }
    }
    TIFFWriteDirectory(tif);
}

int pngChannels(int colorType) {
    switch (colorType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;
    }
}

} // namespace

void writeTiff(const std::string& path, const TiffSpec& spec, const SampleFn& value) {
    const std::string mode = std::string("w") + (spec.bigTiff ? "8" : "") + (spec.bigEndian ? "b" : "l");
    TIFF* tif = TIFFOpen(path.c_str(), mode.c_str());
    ASSERT_NE(tif, nullptr) << path;
    writePage(tif, spec, value);
    const uint64_t mask = spec.bits >= 64 ? ~uint64_t(0) : (uint64_t(1) << spec.bits) - 1;
    for (int page = 1; page < spec.pages; ++page)
        writePage(tif, spec, [&](uint32_t x, uint32_t y, int s) { return (value(x, y, s) + 1 + page) & mask; });
    TIFFClose(tif);
}

void writePng(const std::string& path, const PngSpec& s, const SampleFn& value) {
    const int channels = s.colorType == PNG_COLOR_TYPE_PALETTE ? 1 : pngChannels(s.colorType);
    const size_t rowBytes = (size_t(s.width) * channels * s.bits + 7) / 8;
    std::vector<std::vector<uint8_t>> rows(s.height, std::vector<uint8_t>(rowBytes, 0));
    for (uint32_t y = 0; y < s.height; ++y)
        for (uint32_t x = 0; x < s.width; ++x)
            for (int c = 0; c < channels; ++c) {
                const uint64_t v = value(x, y, c);
                const size_t i = size_t(x) * channels + c;
                if (s.bits == 16) {
                    rows[y][2 * i] = uint8_t(v >> 8), rows[y][2 * i + 1] = uint8_t(v); // PNG is big-endian
                } else {
                    putSample(rows[y], i, s.bits, v);
                }
            }
    std::vector<png_bytep> pointers;
    for (auto& r : rows) pointers.push_back(r.data());
    std::vector<png_color> colours;
    for (uint32_t c : s.palette) colours.push_back({uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});

    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, f);
        png_set_IHDR(png, info, s.width, s.height, s.bits, s.colorType,
                     s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        if (!colours.empty()) png_set_PLTE(png, info, colours.data(), int(colours.size()));
        png_write_info(png, info);
        png_write_image(png, pointers.data());
        png_write_end(png, nullptr);
    } else {
        ADD_FAILURE() << "libpng could not write " << path;
    }
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
}

void writeJpeg(const std::string& path, uint32_t width, uint32_t height, int components, const SampleFn& value,
               bool progressive) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    if (progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(size_t(width) * components);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x)
            for (int c = 0; c < components; ++c) row[size_t(x) * components + c] = uint8_t(value(x, y, c));
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(f);
}

uint64_t spread(uint32_t x, uint32_t y, int sample, int bits) {
    const uint64_t mask = bits >= 64 ? ~uint64_t(0) : (uint64_t(1) << bits) - 1;
    if (y == 0 && x == 0) return 0;
    if (y == 0 && x == 1) return mask;
    return (uint64_t(x) * 2654435761u + uint64_t(y) * 40503u + uint64_t(sample) * 977u) & mask;
}

uint64_t smooth(uint32_t x, uint32_t y, int sample) { return (x * 2 + y * 2 + uint32_t(sample) * 40 + 10) & 0xFF; }

double valueAt(IMHANDLE im, uint32_t x, uint32_t y) {
    MTHANDLE m = IMGetDataHandle(im);
    return MTReal(m, int32_t(x), MTGetMaxYIndex(m) - 1 - int32_t(y));
}

uint32_t rgbAt(IMHANDLE im, uint32_t x, uint32_t y) {
    MTHANDLE m = IMGetDataHandle(im);
    return MTRgb(m, int32_t(x), MTGetMaxYIndex(m) - 1 - int32_t(y));
}

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void FilterTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("qd-filters-") + info->test_suite_name() + "-" + info->name() + "-" +
                       std::to_string(::getpid());
    std::replace(name.begin(), name.end(), '/', '_');
    dir_ = fs::temp_directory_path() / name;
    fs::remove_all(dir_);
    fs::create_directories(dir_);
}

void FilterTest::TearDown() { fs::remove_all(dir_); }

std::vector<std::string> FilterTest::files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace filters_test
