// Saving as TIFF: every real element type comes back value for value,
// libtiff reads what was written, and a failed save leaves nothing behind.
#include <sys/stat.h>
#include <cstring>

#include "filter_fixture.h"
#include "formats.h"

namespace filters_test {
namespace {

namespace tiff = qd::filters::tiff;

// A w x h image of the type with values over its whole range.
Image makeImage(int32_t type, int32_t w = 13, int32_t h = 9) {
    MTHANDLE m = MTCreate(w, h, type);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const uint64_t r = spread(uint32_t(x), uint32_t(y), 0, 32);
            if (MTIsComplex(m)) continue;
            if (type == MT_RGB) MTSetRgb(m, x, y, uint32_t(r) & 0xFFFFFF);
            else if (type == MT_FLOAT || type == MT_DOUBLE) MTSetReal(m, x, y, (double(r) - 2e9) / 7.0);
            else MTSetReal(m, x, y, MTGetMinLimit(m) + double(r % uint64_t(MTGetMaxLimit(m) - MTGetMinLimit(m) + 1)));
        }
    return Image(IMCreateFromMatrix(m));
}

::testing::AssertionResult sameValues(IMHANDLE a, IMHANDLE b) {
    MTHANDLE ma = IMGetDataHandle(a), mb = IMGetDataHandle(b);
    if (MTGetFlags(ma) != MTGetFlags(mb)) return ::testing::AssertionFailure() << "type " << MTGetFlags(mb);
    if (MTGetMaxXIndex(ma) != MTGetMaxXIndex(mb) || MTGetMaxYIndex(ma) != MTGetMaxYIndex(mb))
        return ::testing::AssertionFailure() << "size";
    for (int32_t y = 0; y < MTGetMaxYIndex(ma); ++y)
        for (int32_t x = 0; x < MTGetMaxXIndex(ma); ++x) {
            const bool same = MTIsRgb(ma) ? MTRgb(ma, x, y) == MTRgb(mb, x, y) : MTReal(ma, x, y) == MTReal(mb, x, y);
            if (!same) return ::testing::AssertionFailure() << "element (" << x << ", " << y << ")";
        }
    return ::testing::AssertionSuccess();
}

using TiffSaveTest = FilterTest;

TEST_F(TiffSaveTest, EveryRealTypeComesBackValueForValue) {
    for (int32_t type : {MT_BINARY, MT_4BITS, MT_CHAR, MT_UCHAR, MT_SHORT, MT_USHORT, MT_LONG, MT_ULONG, MT_FLOAT,
                         MT_DOUBLE, MT_RGB}) {
        SCOPED_TRACE(type);
        Image im = makeImage(type);
        ASSERT_TRUE(tiff::save(im.get(), path("out.tif").c_str()));
        Image back(tiff::open(path("out.tif").c_str()));
        ASSERT_NE(back, nullptr);
        EXPECT_TRUE(sameValues(im.get(), back.get()));
    }
    EXPECT_EQ(files(), std::vector<std::string>{"out.tif"});
}

TEST_F(TiffSaveTest, LibtiffReadsADeflateFileWithTheTopLineFirst) {
    Image im = makeImage(MT_USHORT, 5, 4);
    MTSetReal(IMGetDataHandle(im.get()), 2, 3, 4321); // row 3 is the top line
    ASSERT_TRUE(tiff::save(im.get(), path("u16.tif").c_str()));
    TIFF* tif = TIFFOpen(path("u16.tif").c_str(), "r");
    ASSERT_NE(tif, nullptr);
    uint16_t compression = 0, bits = 0, format = 0;
    TIFFGetField(tif, TIFFTAG_COMPRESSION, &compression);
    TIFFGetField(tif, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetField(tif, TIFFTAG_SAMPLEFORMAT, &format);
    EXPECT_EQ(compression, COMPRESSION_ADOBE_DEFLATE);
    EXPECT_EQ(bits, 16);
    EXPECT_EQ(format, SAMPLEFORMAT_UINT);
    uint16_t row[5];
    ASSERT_EQ(TIFFReadScanline(tif, row, 0, 0), 1);
    EXPECT_EQ(row[2], 4321);
    TIFFClose(tif);
}

TEST_F(TiffSaveTest, CalibrationTravelsInTheResolutionTags) {
    struct Case {
        double scale;
        const char* unit;
        double readScale;
        const char* readUnit;
    };
    const Case cases[] = {{0.325, "\xB5m", 0.325, "\xB5m"},
                          {2.5, "mm", 2.5, "mm"},
                          {50, "nm", 0.05, "\xB5m"},
                          {0.1, "inch", 0.1, "inch"},
                          {4, "", 4, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        Image im = makeImage(MT_UCHAR);
        IMSetScale(im.get(), c.scale);
        IMSetXYUnit(im.get(), c.unit);
        ASSERT_TRUE(tiff::save(im.get(), path("cal.tif").c_str()));
        Image back(tiff::open(path("cal.tif").c_str()));
        ASSERT_NE(back, nullptr);
        EXPECT_NEAR(IMGetScale(back.get()), c.readScale, c.readScale * 1e-6);
        EXPECT_STREQ(IMGetXYUnit(back.get()), c.readUnit);
    }
}

TEST_F(TiffSaveTest, AFailedSaveLeavesNothingAtThePath) {
    Image complex = makeImage(MT_COMPLEX8);
    ASSERT_NE(complex, nullptr);
    EXPECT_FALSE(tiff::save(complex.get(), path("c.tif").c_str()));
    EXPECT_TRUE(files().empty());

    // An earlier file of that name stays as it was.
    writeBytes(path("keep.tif"), {1, 2, 3});
    EXPECT_FALSE(tiff::save(complex.get(), path("keep.tif").c_str()));
    EXPECT_EQ(readBytes(path("keep.tif")), (std::vector<uint8_t>{1, 2, 3}));

    Image grey = makeImage(MT_UCHAR);
    EXPECT_FALSE(tiff::save(grey.get(), path("no/such/folder/x.tif").c_str()));
    EXPECT_EQ(files(), std::vector<std::string>{"keep.tif"});

    // A file saved over keeps its permissions.
    ::chmod(path("keep.tif").c_str(), 0640);
    ASSERT_TRUE(tiff::save(grey.get(), path("keep.tif").c_str()));
    struct stat st;
    ASSERT_EQ(::stat(path("keep.tif").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(files(), std::vector<std::string>{"keep.tif"});
}

} // namespace
} // namespace filters_test
