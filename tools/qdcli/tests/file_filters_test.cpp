// The shipped file filters from the command line: TIFF files the built-in
// reader refuses, PNG and JPEG, in and out, and the formats qdcli list names.
#include <tiffio.h>

#include "cli_harness.h"

namespace cli {
namespace {

using FileFiltersTest = CliTest;

// A 16-bit LZW TIFF made by libtiff, sample (x, y) = value(x, y), top row first.
void writeWideTiff(const std::string& path, uint32_t w, uint32_t h, uint16_t (*value)(uint32_t, uint32_t)) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tif, nullptr);
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, w);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, h);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 2);
    std::vector<uint16_t> row(w);
    for (uint32_t y = 0; y < h; ++y) {
        for (uint32_t x = 0; x < w; ++x) row[x] = value(x, y);
        ASSERT_EQ(TIFFWriteScanline(tif, row.data(), y, 0), 1);
    }
    TIFFClose(tif);
}

uint16_t wide(uint32_t x, uint32_t y) { return uint16_t(x * 4099 + y * 13 + (x == 15 ? 65535 - 15 * 4099 : 0)); }

TEST_F(FileFiltersTest, ConvertKeepsEveryValueOfAWideCompressedTiff) {
    writeWideTiff(path("scan.tif"), 16, 9, wide);
    ASSERT_EQ(run({"convert", "scan.tif", "-o", "scan.qdw"}).code, 0);
    Image im(IMCreateFromFile(path("scan.qdw").c_str()));
    ASSERT_NE(im, nullptr);
    MTHANDLE m = IMGetDataHandle(im.get());
    ASSERT_EQ(MTGetFlags(m), MT_USHORT);
    ASSERT_EQ(MTGetWidth(m), 16);
    ASSERT_EQ(MTGetHeight(m), 9);
    // Image row 0 is the bottom line.
    for (uint32_t y = 0; y < 9; ++y)
        for (uint32_t x = 0; x < 16; ++x) ASSERT_EQ(MTReal(m, int32_t(x), int32_t(8 - y)), wide(x, y)) << x << "," << y;

    const Outcome info = run({"info", "scan.tif"});
    EXPECT_EQ(info.code, 0);
    EXPECT_NE(info.out.find("type : ushort"), std::string::npos) << info.out;
    EXPECT_EQ(run({"Statistics2D", "scan.tif"}).code, 0);
}

TEST_F(FileFiltersTest, OperationsWriteAndReadThroughTheFilters) {
    Matrix in = noise(12, 8, MT_UCHAR);
    npy("in.npy", in.get());
    for (const char* name : {"a.png", "a.tiff", "a.TIF"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(run({"Duplicate2D", "in.npy", "-o", name}).code, 0);
        ASSERT_EQ(run({"convert", name, "-o", "back.npy"}).code, 0);
        EXPECT_TRUE(sameMatrix(in.get(), readNpy("back.npy").get()));
    }
    // JPEG keeps the picture within its loss.
    ASSERT_EQ(run({"convert", "in.npy", "-o", "a.jpg"}).code, 0);
    ASSERT_EQ(run({"convert", "a.jpg", "-o", "j.npy"}).code, 0);
    Matrix j = readNpy("j.npy");
    ASSERT_TRUE(j);
    EXPECT_EQ(MTGetWidth(j.get()), 12);

    // A name no writer takes is refused before anything is read, naming
    // those that are taken.
    const Outcome gif = run({"convert", "in.npy", "-o", "a.gif"});
    EXPECT_EQ(gif.code, 2);
    EXPECT_NE(gif.err.find(".qdw, .bmp, .raw, .npy, "), std::string::npos) << gif.err;
    EXPECT_NE(gif.err.find(".png"), std::string::npos) << gif.err;
    EXPECT_FALSE(exists("a.gif"));
}

TEST_F(FileFiltersTest, ListNamesTheFormats) {
    const Outcome o = run({"list"});
    ASSERT_EQ(o.code, 0);
    for (const char* line : {"format .qdw read,write Quidora image\n", "format .tif read,write TIFF image\n",
                             "format .tiff read,write TIFF image\n", "format .png read,write PNG image\n",
                             "format .jpg read,write JPEG image\n", "format .raw read,write raw data (read with --raw)\n"})
        EXPECT_NE(o.out.find(line), std::string::npos) << line;
}

} // namespace
} // namespace cli
