// NumPy .npy files.
#include <gtest/gtest.h>

#include <cmath>

#include <qd/core/npy_file.h>

#include "file_fixtures.h"

using namespace fixtures;

namespace {

constexpr int32_t kTypes[] = {MT_BINARY, MT_CHAR,  MT_UCHAR,  MT_SHORT,    MT_USHORT,
                              MT_LONG,   MT_ULONG, MT_FLOAT,  MT_DOUBLE,   MT_COMPLEX8,
                              MT_COMPLEX16, MT_RGB, MT_4BITS};

// Extreme and fractional values where the type holds them exactly.
void fill(MTHANDLE mt) {
    const int32_t type = MTGetFlags(mt);
    const double lo = MTGetMinLimit(mt), hi = MTGetMaxLimit(mt);
    for (int32_t y = 0; y < MTGetHeight(mt); ++y)
        for (int32_t x = 0; x < MTGetWidth(mt); ++x) {
            const int32_t k = x + 7 * y;
            if (type == MT_RGB) MTSetRgb(mt, x, y, 0x00A1B2C3u ^ uint32_t(k * 0x010305));
            else if (MTIsComplex(mt)) MTSetComplex(mt, x, y, MTCOMPLEX{k * 0.5, -k * 1e-3f});
            else if (type == MT_FLOAT || type == MT_DOUBLE) MTSetReal(mt, x, y, k % 3 ? -k / 8.0 : 1e30);
            else MTSetReal(mt, x, y, k % 4 == 0 ? lo : k % 4 == 1 ? hi : k * 37 % 100);
        }
}

TEST(NpyFile, EveryTypeRoundTripsExactly) {
    for (int32_t type : kTypes) {
        MatrixPtr mt(MTCreate(5, 3, type));
        fill(mt.get());
        const std::string path = tempPath("round.npy");
        std::string error;
        ASSERT_TRUE(qd::writeNpyMatrix(mt.get(), path, &error)) << error;
        MatrixPtr back(qd::readNpyMatrix(path, &error));
        ASSERT_TRUE(back) << type << ": " << error;
        EXPECT_EQ(MTGetFlags(back.get()), type == MT_4BITS ? MT_UCHAR : type);
        ASSERT_EQ(MTGetWidth(back.get()), 5);
        ASSERT_EQ(MTGetHeight(back.get()), 3);
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = 0; x < 5; ++x) {
                EXPECT_EQ(MTReal(back.get(), x, y), MTReal(mt.get(), x, y)) << type;
                EXPECT_EQ(MTImag(back.get(), x, y), MTImag(mt.get(), x, y)) << type;
                EXPECT_EQ(MTRgb(back.get(), x, y), MTRgb(mt.get(), x, y)) << type;
            }
        // Data starts 64-aligned, as numpy writes it.
        const std::vector<uint8_t> bytes = slurp(path);
        const size_t headerEnd = 10 + bytes[8] + 256u * bytes[9];
        EXPECT_EQ(headerEnd % 64, 0u);
        EXPECT_EQ(bytes[headerEnd - 1], '\n');
    }
}

TEST(NpyFile, WrittenLayoutHasRowZeroAtTheTop) {
    MatrixPtr mt(MTCreate(3, 2, MT_SHORT));
    // Matrix row 1 is the top line shown.
    MTSetRealInt(mt.get(), 0, 1, 1), MTSetRealInt(mt.get(), 2, 1, 3);
    MTSetRealInt(mt.get(), 0, 0, -2);
    const std::string path = tempPath("layout.npy");
    ASSERT_TRUE(qd::writeNpyMatrix(mt.get(), path));
    const std::vector<uint8_t> bytes = slurp(path);
    const std::string header(bytes.begin() + 10, bytes.begin() + 10 + bytes[8]);
    EXPECT_NE(header.find("'descr': '<i2'"), std::string::npos);
    EXPECT_NE(header.find("'fortran_order': False"), std::string::npos);
    EXPECT_NE(header.find("'shape': (2, 3)"), std::string::npos);
    const std::vector<uint8_t> data(bytes.end() - 12, bytes.end());
    EXPECT_EQ(data, (std::vector<uint8_t>{1, 0, 0, 0, 3, 0, 0xFE, 0xFF, 0, 0, 0, 0}));
}

TEST(NpyFile, FilesOfOtherWritersInBothByteOrdersAndVersions) {
    // (2, 2) int16: top row 1 -2, bottom row 258 7.
    const std::vector<uint8_t> little = {1, 0, 0xFE, 0xFF, 2, 1, 7, 0};
    const std::vector<uint8_t> big = {0, 1, 0xFF, 0xFE, 1, 2, 0, 7};
    const auto check = [](const std::vector<uint8_t>& file, const char* name) {
        std::string error;
        MatrixPtr mt(qd::readNpyMatrix(spill(name, file), &error));
        ASSERT_TRUE(mt) << name << ": " << error;
        EXPECT_EQ(MTGetFlags(mt.get()), MT_SHORT);
        EXPECT_EQ(MTRealInt(mt.get(), 0, 1), 1);
        EXPECT_EQ(MTRealInt(mt.get(), 1, 1), -2);
        EXPECT_EQ(MTRealInt(mt.get(), 0, 0), 258);
        EXPECT_EQ(MTRealInt(mt.get(), 1, 0), 7);
    };
    check(npy("{'descr': '<i2', 'fortran_order': False, 'shape': (2, 2), }", little), "le.npy");
    check(npy("{'descr': '>i2', 'fortran_order': False, 'shape': (2, 2), }", big), "be.npy");
    check(npy("{\"shape\": (2,2), \"fortran_order\": False, \"descr\": \">i2\"}", big, 2), "v2.npy");

    // Big-endian complex: each half swapped on its own.
    const std::vector<uint8_t> c = {0x3F, 0x80, 0, 0, 0xC0, 0, 0, 0}; // 1.0f, -2.0f
    MatrixPtr z(qd::readNpyMatrix(spill("c8.npy", npy("{'descr': '>c8', 'fortran_order': False, 'shape': (1,), }", c))));
    ASSERT_TRUE(z);
    EXPECT_EQ(MTReal(z.get(), 0, 0), 1.0);
    EXPECT_EQ(MTImag(z.get(), 0, 0), -2.0);

    // (1, 2, 3) uint8: one row of two RGB pixels.
    MatrixPtr rgb(qd::readNpyMatrix(spill("rgb.npy",
        npy("{'descr': '|u1', 'fortran_order': False, 'shape': (1, 2, 3), }", {1, 2, 3, 250, 251, 252}))));
    ASSERT_TRUE(rgb);
    EXPECT_EQ(MTGetFlags(rgb.get()), MT_RGB);
    EXPECT_EQ(MTRgb(rgb.get(), 0, 0), 0x010203u);
    EXPECT_EQ(MTRgb(rgb.get(), 1, 0), 0xFAFBFCu);

    // bool: any non-zero byte is set.
    MatrixPtr bits(qd::readNpyMatrix(spill("bool.npy",
        npy("{'descr': '|b1', 'fortran_order': False, 'shape': (1, 3), }", {0, 1, 2}))));
    ASSERT_TRUE(bits);
    EXPECT_EQ(MTGetFlags(bits.get()), MT_BINARY);
    EXPECT_EQ(MTRealInt(bits.get(), 0, 0) * 100 + MTRealInt(bits.get(), 1, 0) * 10 + MTRealInt(bits.get(), 2, 0), 11);
}

TEST(NpyFile, FortranOrderGivesTheSamePicture) {
    // (2, 3) int16, top row 1 2 3 and bottom row 4 5 6, stored column by column.
    const auto check = [](const std::vector<uint8_t>& file, const char* name) {
        std::string error;
        MatrixPtr mt(qd::readNpyMatrix(spill(name, file), &error));
        ASSERT_TRUE(mt) << name << ": " << error;
        for (int32_t x = 0; x < 3; ++x) {
            EXPECT_EQ(MTRealInt(mt.get(), x, 1), x + 1) << name;
            EXPECT_EQ(MTRealInt(mt.get(), x, 0), x + 4) << name;
        }
    };
    check(npy("{'descr': '<i2', 'fortran_order': True, 'shape': (2, 3), }", {1, 0, 4, 0, 2, 0, 5, 0, 3, 0, 6, 0}),
          "f.npy");
    check(npy("{'descr': '>i2', 'fortran_order': True, 'shape': (2, 3), }", {0, 1, 0, 4, 0, 2, 0, 5, 0, 3, 0, 6}),
          "fbe.npy");

    // (1, 2, 3) uint8: the red of both pixels, then green, then blue.
    MatrixPtr rgb(qd::readNpyMatrix(spill("frgb.npy",
        npy("{'descr': '|u1', 'fortran_order': True, 'shape': (1, 2, 3), }", {1, 250, 2, 251, 3, 252}))));
    ASSERT_TRUE(rgb);
    EXPECT_EQ(MTRgb(rgb.get(), 0, 0), 0x010203u);
    EXPECT_EQ(MTRgb(rgb.get(), 1, 0), 0xFAFBFCu);

    // (3, 2) bool and a 1-D array, where the order changes nothing.
    MatrixPtr bits(qd::readNpyMatrix(spill("fbool.npy",
        npy("{'descr': '|b1', 'fortran_order': True, 'shape': (3, 2), }", {1, 0, 0, 0, 0, 1}))));
    ASSERT_TRUE(bits);
    EXPECT_EQ(MTRealInt(bits.get(), 0, 2), 1);
    EXPECT_EQ(MTRealInt(bits.get(), 1, 0), 1);
    EXPECT_EQ(MTRealInt(bits.get(), 0, 0) + MTRealInt(bits.get(), 1, 2), 0);
    MatrixPtr line(qd::readNpyMatrix(spill("f1.npy",
        npy("{'descr': '<f4', 'fortran_order': True, 'shape': (2,), }", {0, 0, 0x80, 0x3F, 0, 0, 0, 0x40}))));
    ASSERT_TRUE(line);
    EXPECT_EQ(MTReal(line.get(), 0, 0), 1.0);
    EXPECT_EQ(MTReal(line.get(), 1, 0), 2.0);
}

std::string refusal(const std::vector<uint8_t>& file) {
    std::string error;
    MTHANDLE mt = qd::readNpyMatrix(spill("refused.npy", file), &error);
    MTDestroy(mt);
    return mt ? std::string("accepted") : error;
}

TEST(NpyFile, RefusesWhatItCannotShowWithAClearReason) {
    const struct {
        const char* descr;
        const char* order;
        const char* shape;
        int version;
        const char* reason;
    } cases[] = {
        {"'<i2'", "True", "(2, 2)", 1, "the file is too short for its array"},
        {"'|O'", "False", "(1, 1)", 1, "unsupported element type '|O'"},
        {"'<i8'", "False", "(1, 1)", 1, "unsupported element type '<i8'"},
        {"[('a', '<i2')]", "False", "(1, 1)", 1, "structured arrays are not supported"},
        {"'<i2'", "False", "(1, 1, 2)", 1, "unsupported array shape (1, 1, 2)"},
        {"'<i2'", "False", "(0, 2)", 1, "empty arrays cannot be opened"},
        {"'<i2'", "False", "(2, 2)", 1, "the file is too short for its array"},
        {"'<f8'", "False", "(99999, 99999)", 1, "array too large"},
        {"'<i2'", "False", "(1, 2)", 4, "unsupported .npy version 4.0"},
        {"'<i2'", "False", "(1, 2", 1, "damaged .npy header"},
    };
    for (const auto& c : cases) {
        const std::string dict = std::string("{'descr': ") + c.descr + ", 'fortran_order': " +
                                 c.order + ", 'shape': " + c.shape + ", }";
        EXPECT_EQ(refusal(npy(dict, std::vector<uint8_t>(4, 0), c.version)), c.reason) << dict;
    }
    EXPECT_EQ(refusal({'P', 'K', 3, 4}), "not a NumPy .npy file");
}

TEST(NpyFile, EveryTruncationIsRefused) {
    MatrixPtr mt(MTCreate(3, 2, MT_DOUBLE));
    const std::string path = tempPath("whole.npy");
    ASSERT_TRUE(qd::writeNpyMatrix(mt.get(), path));
    const std::vector<uint8_t> whole = slurp(path);
    for (size_t n = 0; n < whole.size(); ++n)
        ASSERT_NE(refusal(std::vector<uint8_t>(whole.begin(), whole.begin() + long(n))), "accepted") << n;
}

TEST(NpyFile, ImageIsShownWithItsDefaultRange) {
    MatrixPtr mt(MTCreate(2, 1, MT_FLOAT));
    MTSetReal(mt.get(), 0, 0, 10), MTSetReal(mt.get(), 1, 0, 20);
    const std::string path = tempPath("image.npy");
    ASSERT_TRUE(qd::writeNpyMatrix(mt.get(), path));
    ImagePtr im(qd::readNpyImage(path, nullptr));
    ASSERT_TRUE(im);
    // Extremes at the centres of the first and last levels: 10 +- 10/256/2.
    EXPECT_DOUBLE_EQ(IMGetInitialValue(im.get()), 10 - 10.0 / 512);
    EXPECT_EQ(IMBmpVal(im.get(), 0, 0), 0);
    EXPECT_EQ(IMBmpVal(im.get(), 1, 0), 255);
}

} // namespace
