// Every format qdcli reads and writes, and --raw and --as.
#include <cstring>
#include <fstream>

#include "cli_harness.h"

namespace cli {
namespace {

using FilesTest = CliTest;

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

TEST_F(FilesTest, NativeNumPyAndRawRoundTrips) {
    for (const int32_t type : {MT_UCHAR, MT_SHORT, MT_ULONG, MT_DOUBLE, MT_COMPLEX8, MT_RGB}) {
        SCOPED_TRACE(type);
        Matrix in = type == MT_RGB ? makeMatrix(9, 5, type, [](int32_t x, int32_t y) { return double(x * 0x10203 + y * 0x30001); })
                                   : noise(9, 5, type);
        npy("in.npy", in.get());
        ASSERT_EQ(run({"convert", "in.npy", "-o", "a.qdw"}).code, 0);
        ASSERT_EQ(run({"convert", "a.qdw", "-o", "b.raw"}).code, 0);
        const std::string raw = "9,5," + std::to_string(type);
        ASSERT_EQ(run({"convert", "--raw", raw, "b.raw", "-o", "c.npy"}).code, 0);
        EXPECT_TRUE(sameMatrix(in.get(), readNpy("c.npy").get()));
    }
}

TEST_F(FilesTest, RawOffsetAndByteSwap) {
    // Four bytes of header, then 3 x 2 big-endian shorts: 1, 2, 3, 256, -2, 0x1234.
    writeBytes(path("be.raw"), {0xde, 0xad, 0xbe, 0xef, 0, 1, 0, 2, 0, 3, 1, 0, 0xff, 0xfe, 0x12, 0x34});
    ASSERT_EQ(run({"convert", "--raw", "3,2,short,4,1", "be.raw", "-o", "be.npy"}).code, 0);
    Matrix m = readNpy("be.npy");
    ASSERT_TRUE(m);
    const double expected[6] = {1, 2, 3, 256, -2, 0x1234};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(MTReal(m.get(), i % 3, i / 3), expected[i]) << i;
    // Too short a file for the size asked is refused before reading.
    EXPECT_EQ(run({"convert", "--raw", "4,2,short,4", "be.raw", "-o", "x.npy"}).code, 3);
    EXPECT_EQ(run({"convert", "--raw", "3,2,pixels", "be.raw", "-o", "x.npy"}).code, 2);
    EXPECT_FALSE(exists("x.npy"));
}

TEST_F(FilesTest, BitmapHoldsTheDisplayedLevels) {
    Matrix in = makeMatrix(7, 3, MT_SHORT, [](int32_t x, int32_t y) { return 30.0 * x + y; });
    npy("in.npy", in.get());
    // Level = round((value - from) * 255 / (to - from)): range 0 to 255 shows
    // the values themselves, 0 to 510 half of them, rounded.
    ASSERT_EQ(run({"convert", "--range", "0,255", "in.npy", "-o", "a.bmp"}).code, 0);
    ASSERT_EQ(run({"convert", "a.bmp", "-o", "a.npy"}).code, 0);
    ASSERT_EQ(run({"convert", "--range", "0,510", "in.npy", "-o", "b.bmp"}).code, 0);
    ASSERT_EQ(run({"convert", "b.bmp", "-o", "b.npy"}).code, 0);
    Matrix a = readNpy("a.npy"), b = readNpy("b.npy");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(MTGetFlags(a.get()), MT_UCHAR);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 7; ++x) {
            EXPECT_EQ(MTRealInt(a.get(), x, y), 30 * x + y);
            EXPECT_EQ(MTRealInt(b.get(), x, y), (30 * x + y + 1) / 2);
        }
}

TEST_F(FilesTest, TiffIsReadByContent) {
    // Little-endian baseline TIFF, 8-bit grey, 3 x 2 in one strip at offset 8,
    // rows top first: 10 20 30 / 40 50 60.
    std::vector<uint8_t> f = {'I', 'I', 42, 0, 14, 0, 0, 0, 10, 20, 30, 40, 50, 60};
    auto put16 = [&f](uint32_t v) { f.insert(f.end(), {uint8_t(v), uint8_t(v >> 8)}); };
    auto put32 = [&](uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
    const uint32_t entries[8][3] = {{256, 3, 3}, {257, 3, 2}, {258, 3, 8}, {259, 3, 1},
                                    {262, 3, 1}, {273, 4, 8}, {278, 3, 2}, {279, 4, 6}};
    put16(8);
    for (const auto& e : entries) {
        put16(e[0]);
        put16(e[1]);
        put32(1);
        put32(e[2]);
    }
    put32(0);
    writeBytes(path("grey.tif"), f);
    const Outcome o = run({"convert", "grey.tif", "-o", "grey.npy"});
    ASSERT_EQ(o.code, 0) << o.err;
    Matrix m = readNpy("grey.npy");
    ASSERT_TRUE(m);
    ASSERT_EQ(MTGetWidth(m.get()), 3);
    ASSERT_EQ(MTGetHeight(m.get()), 2);
    // The top line is the last matrix row.
    for (int32_t x = 0; x < 3; ++x) {
        EXPECT_EQ(MTReal(m.get(), x, 1), 10.0 * (x + 1));
        EXPECT_EQ(MTReal(m.get(), x, 0), 40.0 + 10 * x);
    }
}

TEST_F(FilesTest, AsConvertsThroughTheValuePath) {
    Matrix in = makeMatrix(3, 1, MT_SHORT, [](int32_t x, int32_t) { return x == 0 ? -5.0 : x == 1 ? 300.0 : 7.0; });
    npy("in.npy", in.get());
    ASSERT_EQ(run({"convert", "--as", "uchar", "in.npy", "-o", "u.npy"}).code, 0);
    ASSERT_EQ(run({"convert", "--as", "1024", "in.npy", "-o", "f.npy"}).code, 0);
    Matrix u = readNpy("u.npy"), f = readNpy("f.npy");
    ASSERT_TRUE(u && f);
    EXPECT_EQ(MTGetFlags(u.get()), MT_UCHAR);
    EXPECT_EQ(MTReal(u.get(), 0, 0), 0); // saturated
    EXPECT_EQ(MTReal(u.get(), 1, 0), 255);
    EXPECT_EQ(MTReal(u.get(), 2, 0), 7);
    EXPECT_EQ(MTGetFlags(f.get()), MT_FLOAT);
    EXPECT_EQ(MTReal(f.get(), 1, 0), 300);
    // Grey values have no colour value and colours no grey one.
    EXPECT_EQ(run({"convert", "--as", "rgb", "in.npy", "-o", "c.npy"}).code, 2);
    EXPECT_FALSE(exists("c.npy"));
}

TEST_F(FilesTest, InfoReportsTheHeader) {
    Matrix in = noise(5, 4, MT_USHORT);
    npy("in.npy", in.get());
    ASSERT_EQ(run({"RealFt2D", "in.npy", "-o", "ft.qdw"}).code, 0);
    const Outcome o = run({"info", "ft.qdw"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_NE(o.out.find("type : complex8\n"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("display type : 17\n"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("overlays : 0\n"), std::string::npos) << o.out;
    // Results take their display as the program's commands set it.
    ASSERT_EQ(run({"convert", "--display-type", "16", "--range", "5,50", "in.npy", "-o", "shown.qdw"}).code, 0);
    ASSERT_EQ(run({"Duplicate2D", "shown.qdw", "-o", "dup.qdw"}).code, 0);
    EXPECT_NE(run({"info", "dup.qdw"}).out.find("range : 5 to 50\n"), std::string::npos);
    ASSERT_EQ(run({"BinOp2D", "--op", "0", "--value", "1", "shown.qdw", "-o", "sum.qdw"}).code, 0);
    EXPECT_NE(run({"info", "sum.qdw"}).out.find("display type : 16\n"), std::string::npos);
    ASSERT_EQ(run({"BinOp2D", "--op", "0", "--value", "1", "--range", "0,9", "shown.qdw", "-o", "sum.qdw"}).code, 0);
    EXPECT_NE(run({"info", "sum.qdw"}).out.find("range : 0 to 9\n"), std::string::npos);

    const Outcome j = run({"info", "--json", "in.npy"});
    ASSERT_EQ(j.code, 0);
    EXPECT_NE(j.out.find("\"type\":\"ushort\",\"type_code\":32,\"width\":5,\"height\":4"), std::string::npos) << j.out;
}

} // namespace
} // namespace cli
