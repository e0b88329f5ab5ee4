// Native image files and raw import.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "test_images.h"

namespace {

// A directory of this test process alone (runs of other builds may share the
// machine), removed when the process ends.
const std::filesystem::path& scratchDir() {
    static const struct Dir {
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("qd_image_file_tests_" + std::to_string(getpid()));
        Dir() { std::filesystem::create_directories(path); }
        ~Dir() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } dir;
    return dir.path;
}

std::string tempPath(const std::string& name) { return (scratchDir() / name).string(); }

std::vector<uint8_t> slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void spill(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                std::streamsize(bytes.size()));
}

constexpr int32_t kAllTypes[] = {MT_BINARY, MT_4BITS,  MT_CHAR,   MT_UCHAR,    MT_SHORT,
                                 MT_USHORT, MT_LONG,   MT_ULONG,  MT_FLOAT,    MT_DOUBLE,
                                 MT_COMPLEX8, MT_COMPLEX16, MT_RGB};

// A value at every pixel that the type holds exactly and that differs from
// its neighbours.
void fillPattern(IMHANDLE im) {
    const int32_t type = MTGetFlags(IMGetDataHandle(im));
    for (int32_t y = 0; y < IMGetImageHeight(im); ++y)
        for (int32_t x = 0; x < IMGetImageWidth(im); ++x) {
            switch (type) {
            case MT_BINARY: IMSetReal(im, x, y, (x + y) % 2); break;
            case MT_4BITS: IMSetReal(im, x, y, (3 * x + y) % 16); break;
            case MT_CHAR: IMSetReal(im, x, y, 7 * x - 11 * y); break;
            case MT_RGB: IMSetRgb(im, x, y, uint32_t(x) << 16 | uint32_t(y) << 8 | uint32_t(x ^ y)); break;
            case MT_COMPLEX8:
            case MT_COMPLEX16: IMSetComplex(im, x, y, MTCOMPLEX{x + 0.25, -1.5 * y}); break;
            default: IMSetReal(im, x, y, 1000.5 * x + 3 * y - (MTIsSigned(IMGetDataHandle(im)) ? 20 : 0));
            }
        }
}

ImagePtr writeAndReopen(IMHANDLE im, const std::string& name) {
    const std::string path = tempPath(name);
    EXPECT_EQ(IMWriteFile(im, path.c_str()), 1);
    return ImagePtr(IMCreateFromFile(path.c_str()));
}

TEST(NativeFile, EveryElementTypeRoundTrips) {
    for (int32_t type : kAllTypes) {
        ImagePtr im = makeImage(9, 4, type);
        ASSERT_TRUE(im) << type;
        fillPattern(im.get());
        IMSetScale(im.get(), 0.125);
        IMSetXYUnit(im.get(), "um");
        IMSetZUnit(im.get(), "counts");
        IMSetGain(im.get(), 2.5);
        IMInsertComment(im.get(), "first line");
        ImagePtr back = writeAndReopen(im.get(), "types.qdw");
        ASSERT_TRUE(back) << type;
        EXPECT_EQ(MTGetFlags(IMGetDataHandle(back.get())), type);
        EXPECT_EQ(IMGetImageWidth(back.get()), 9);
        EXPECT_EQ(IMGetImageHeight(back.get()), 4);
        for (int32_t y = 0; y < 4; ++y)
            for (int32_t x = 0; x < 9; ++x) {
                EXPECT_EQ(IMReal(back.get(), x, y), IMReal(im.get(), x, y)) << type;
                EXPECT_EQ(IMImag(back.get(), x, y), IMImag(im.get(), x, y)) << type;
                EXPECT_EQ(IMRgb(back.get(), x, y), IMRgb(im.get(), x, y)) << type;
            }
        EXPECT_EQ(IMGetScale(back.get()), 0.125);
        EXPECT_EQ(IMGetGain(back.get()), 2.5);
        EXPECT_STREQ(IMGetXYUnit(back.get()), "um");
        EXPECT_STREQ(IMGetZUnit(back.get()), "counts");
        EXPECT_STREQ(IMGetHeaderPointer(back.get())->Comment, "\r\nfirst line");
    }
}

TEST(NativeFile, BinaryWidthNineHasTwoBytesPerRow) {
    ImagePtr im = makeImage(9, 3, MT_BINARY);
    IMSetReal(im.get(), 8, 2, 1);
    const std::string path = tempPath("bits.qdw");
    ASSERT_EQ(IMWriteFile(im.get(), path.c_str()), 1);
    const std::vector<uint8_t> bytes = slurp(path);
    ASSERT_EQ(bytes.size(), 2704u + 2 * 3);
    // Row 2, pixel 8: most significant bit of the row's second byte.
    EXPECT_EQ(bytes[2704 + 2 * 2 + 1], 0x80);
    EXPECT_EQ(std::memcmp(bytes.data(), "Quidora 1.00", 13), 0);
}

TEST(NativeFile, OverlayRecordsRoundTripAndCutOffRecordsAreDropped) {
    ImagePtr im = makeImage(4, 4, MT_UCHAR);
    IMAddLineObject(im.get(), 0, 0, 3, 3, 0xFF0000, 1);
    IMAddTextObject(im.get(), 1, 1, "label", "Arial", 12, 0, 0, 0x00FF00);
    const std::string path = tempPath("objects.qdw");
    ASSERT_EQ(IMWriteFile(im.get(), path.c_str()), 1);
    const std::vector<uint8_t> two = slurp(path);

    ImagePtr back(IMCreateFromFile(path.c_str()));
    ASSERT_TRUE(back);
    EXPECT_EQ(IMGetHeaderPointer(back.get())->NumGraphicObjects, 2);
    const std::string again = tempPath("objects_again.qdw");
    ASSERT_EQ(IMWriteFile(back.get(), again.c_str()), 1);
    EXPECT_EQ(slurp(again), two);

    // Header says 3, the file holds the line record and half the text.
    const size_t lineEnd = 2704 + 16 + 8 + GO_LINE_RECORD_SIZE;
    std::vector<uint8_t> cut(two.begin(), two.begin() + long(lineEnd + 8 + 20));
    cut[392] = 3;
    spill(path, cut);
    ImagePtr one(IMCreateFromFile(path.c_str()));
    ASSERT_TRUE(one);
    EXPECT_EQ(IMGetHeaderPointer(one.get())->NumGraphicObjects, 1);
    ASSERT_EQ(IMWriteFile(one.get(), again.c_str()), 1);
    std::vector<uint8_t> expected(two.begin(), two.begin() + long(lineEnd));
    expected[392] = 1; // one record, and a header announcing one
    EXPECT_EQ(slurp(again), expected);

    // No object section at all.
    cut.resize(2704 + 16);
    spill(path, cut);
    ImagePtr none(IMCreateFromFile(path.c_str()));
    ASSERT_TRUE(none);
    EXPECT_EQ(IMGetHeaderPointer(none.get())->NumGraphicObjects, 0);

    // A record whose size runs past the end of the file.
    std::vector<uint8_t> big(two.begin(), two.begin() + long(lineEnd + 8));
    big[lineEnd + 4] = 0xFF, big[lineEnd + 5] = 0xFF, big[lineEnd + 6] = 0xFF, big[lineEnd + 7] = 0x7F;
    spill(path, big);
    ImagePtr bad(IMCreateFromFile(path.c_str()));
    ASSERT_TRUE(bad);
    EXPECT_EQ(IMGetHeaderPointer(bad.get())->NumGraphicObjects, 1);
}

class NativeRefusal : public ::testing::Test {
protected:
    void SetUp() override {
        ImagePtr im = makeImage(5, 3, MT_SHORT);
        fillPattern(im.get());
        ASSERT_EQ(IMWriteFile(im.get(), path.c_str()), 1);
        good = slurp(path);
    }
    bool refused(const std::vector<uint8_t>& bytes) {
        spill(path, bytes);
        IMHANDLE im = IMCreateFromFile(path.c_str());
        IMDestroy(im);
        return im == nullptr;
    }

    std::string path = tempPath("refusal.qdw");
    std::vector<uint8_t> good;
};

TEST_F(NativeRefusal, OtherVersionTextsAndMissingFiles) {
    EXPECT_FALSE(refused(good));
    std::vector<uint8_t> b = good;
    b[11] = '1'; // "Quidora 1.01"
    EXPECT_TRUE(refused(b));
    b = good;
    b[12] = 'x'; // longer text
    EXPECT_TRUE(refused(b));
    EXPECT_EQ(IMCreateFromFile(tempPath("missing.qdw").c_str()), nullptr);
    EXPECT_EQ(IMCreateFromFile(nullptr), nullptr);
}

TEST_F(NativeRefusal, EveryTruncationOfHeaderAndData) {
    for (size_t n = 0; n < good.size(); n += (n < 2704 ? 97 : 1))
        EXPECT_TRUE(refused(std::vector<uint8_t>(good.begin(), good.begin() + long(n)))) << n;
}

TEST_F(NativeRefusal, TextsWithoutTerminatorAreCutInsideTheirFields) {
    std::vector<uint8_t> b = good;
    std::memset(&b[312], 'u', 32);   // XYUnit
    std::memset(&b[360], 'z', 32);   // ZUnit
    std::memset(&b[176], 'p', 128);  // PaletteName
    std::memset(&b[1676], 'c', 1024); // Comment
    spill(path, b);
    ImagePtr im(IMCreateFromFile(path.c_str()));
    ASSERT_TRUE(im);
    EXPECT_EQ(std::string(IMGetXYUnit(im.get())), std::string(31, 'u'));
    EXPECT_EQ(std::string(IMGetZUnit(im.get())), std::string(31, 'z'));
    EXPECT_EQ(std::string(IMGetPaletteName(im.get())).size(), 127u);
    EXPECT_EQ(std::strlen(IMGetHeaderPointer(im.get())->Comment), 1023u);
}

TEST_F(NativeRefusal, ReadFileIntoAnImageOfAnotherShapeChangesNothing) {
    ImagePtr other = makeImage(4, 3, MT_SHORT);
    IMSetScale(other.get(), 3.0);
    EXPECT_EQ(IMReadFile(other.get(), path.c_str()), 0);
    EXPECT_EQ(IMGetScale(other.get()), 3.0);
    EXPECT_EQ(IMGetImageWidth(other.get()), 4);
    ImagePtr same = makeImage(5, 3, MT_SHORT);
    EXPECT_EQ(IMReadFile(same.get(), path.c_str()), 1);
    EXPECT_EQ(IMRealInt(same.get(), 4, 2), 4002 + 6 - 20);
}

TEST(NativeFile, WriteToAnUnwritablePathFails) {
    ImagePtr im = makeImage(2, 2, MT_UCHAR);
    EXPECT_EQ(IMWriteFile(im.get(), tempPath("no/such/dir/x.qdw").c_str()), 0);
}

TEST(RawImport, FillsTheBlockFromTheOffset) {
    const std::string path = tempPath("raw.bin");
    std::vector<uint8_t> bytes(7, 0xEE);
    for (uint8_t i = 0; i < 12; ++i) bytes.push_back(i);
    spill(path, bytes);
    ImagePtr im = makeImage(3, 2, MT_USHORT);
    ASSERT_EQ(IMImportFile(im.get(), path.c_str(), 7), 1);
    // Little-endian as they stand: bytes 0,1 -> 0x0100.
    EXPECT_EQ(IMRealInt(im.get(), 0, 0), 0x0100);
    EXPECT_EQ(IMRealInt(im.get(), 2, 1), 0x0B0A);

    ImagePtr partial = makeImage(3, 2, MT_USHORT);
    EXPECT_EQ(IMImportFile(partial.get(), path.c_str(), 15), 0);
    EXPECT_EQ(IMRealInt(partial.get(), 0, 0), 0x0908) << "the block holds what was read";
    EXPECT_EQ(IMRealInt(partial.get(), 2, 0), 0);
    EXPECT_EQ(IMImportFile(partial.get(), path.c_str(), 1000), 0);
    EXPECT_EQ(IMImportFile(partial.get(), path.c_str(), -1), 0);
    EXPECT_EQ(IMImportFile(partial.get(), tempPath("missing.raw").c_str(), 0), 0);
}

} // namespace
