// Stores and reads at every decision point of each element type.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>
#include <qd/memobj.h>

namespace {

struct Mat {
    explicit Mat(int32_t code, int32_t w = 4, int32_t h = 3) : m(MTCreate(w, h, code)) {}
    ~Mat() { MTDestroy(m); }
    double storeReal(double v) {
        MTSetReal(m, 1, 1, v);
        return MTReal(m, 1, 1);
    }
    double storeInt(int32_t v) {
        MTSetRealInt(m, 1, 1, v);
        return MTReal(m, 1, 1);
    }
    MTHANDLE m;
};

struct Point {
    double in, out;
};

void expectStores(int32_t code, std::initializer_list<Point> points) {
    Mat m(code);
    for (const auto& p : points) EXPECT_EQ(m.storeReal(p.in), p.out) << "code " << code << " in " << p.in;
}

TEST(MatrixStoreReal, SignedTypesRoundHalfAwayFromZeroAndSaturate) {
    expectStores(MT_CHAR, {{-2.5, -3}, {2.5, 3}, {2.49, 2}, {-2.49, -2}, {-127.5, -128},
                           {-127.51, -128}, {-127.49, -127}, {126.49, 126}, {126.5, 127},
                           {1000, 127}, {-1000, -128}, {-0.4, 0}});
    expectStores(MT_SHORT, {{-32767.5, -32768}, {-32767.49, -32767}, {32766.49, 32766},
                            {32766.5, 32767}, {-1.5, -2}, {1e9, 32767}});
    expectStores(MT_LONG, {{-2147483647.5, -2147483648.0}, {-2147483647.25, -2147483647.0},
                           {2147483646.25, 2147483646.0}, {2147483646.5, 2147483647.0},
                           {-7.5, -8}, {1e20, 2147483647.0}});
}

TEST(MatrixStoreReal, UnsignedTypesRoundHalfUpAndSaturate) {
    expectStores(MT_UCHAR, {{254.49, 254}, {254.5, 255}, {0.49, 0}, {0.5, 1}, {-3, 0},
                            {300, 255}, {7.5, 8}});
    expectStores(MT_USHORT, {{65534.49, 65534}, {65534.5, 65535}, {0.49, 0}, {-1, 0}, {1e6, 65535}});
    expectStores(MT_ULONG, {{4294967294.25, 4294967294.0}, {4294967294.5, 4294967295.0},
                            {0.4, 0}, {-5, 0}, {3000000000.5, 3000000001.0}});
}

TEST(MatrixStoreReal, BitAndNibbleTypes) {
    expectStores(MT_BINARY, {{0.49, 0}, {0.5, 1}, {-7, 0}, {99, 1}});
    expectStores(MT_4BITS, {{0.49, 0}, {0.5, 1}, {14.5, 15}, {14.49, 14}, {15.0, 15}, {15.2, 15},
                            {100, 15}, {-2, 0}});
}

TEST(MatrixStoreReal, NanStoresZeroInIntegerTypes) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int32_t code : {MT_BINARY, MT_4BITS, MT_CHAR, MT_UCHAR, MT_SHORT, MT_USHORT, MT_LONG, MT_ULONG}) {
        Mat m(code);
        m.storeReal(1);
        EXPECT_EQ(m.storeReal(nan), 0) << code;
    }
}

TEST(MatrixStoreReal, FloatingAndComplexTypes) {
    Mat f(MT_FLOAT);
    EXPECT_EQ(f.storeReal(0.1), double(0.1f));
    Mat d(MT_DOUBLE);
    EXPECT_EQ(d.storeReal(0.1), 0.1);
    Mat c8(MT_COMPLEX8);
    MTSetComplex(c8.m, 2, 0, MTCOMPLEX{0.1, -2.5});
    EXPECT_EQ(MTReal(c8.m, 2, 0), double(0.1f));
    EXPECT_EQ(MTImag(c8.m, 2, 0), -2.5);
    EXPECT_EQ(MTNorm(c8.m, 2, 0), std::sqrt(double(0.1f) * double(0.1f) + 6.25));
    Mat c16(MT_COMPLEX16);
    MTSetReal(c16.m, 0, 2, 3);
    MTSetImag(c16.m, 0, 2, 4);
    EXPECT_EQ(MTNorm(c16.m, 0, 2), 5);
    EXPECT_EQ(MTComplex(c16.m, 0, 2).im, 4);
    EXPECT_EQ(MTImagInt(c16.m, 0, 2), 4);
}

TEST(MatrixStoreReal, SetComplexOnRealTypeStoresRealPartOnly) {
    Mat d(MT_DOUBLE);
    MTSetComplex(d.m, 0, 0, MTCOMPLEX{-6, 8});
    EXPECT_EQ(MTReal(d.m, 0, 0), -6);
    EXPECT_EQ(MTImag(d.m, 0, 0), 0);
    EXPECT_EQ(MTNorm(d.m, 0, 0), 6);
}

TEST(MatrixStoreInt, ClampsPerType) {
    EXPECT_EQ(Mat(MT_BINARY).storeInt(0), 0);
    EXPECT_EQ(Mat(MT_BINARY).storeInt(-5), 0);
    EXPECT_EQ(Mat(MT_BINARY).storeInt(7), 1);
    EXPECT_EQ(Mat(MT_4BITS).storeInt(16), 15);
    EXPECT_EQ(Mat(MT_4BITS).storeInt(-1), 0);
    EXPECT_EQ(Mat(MT_CHAR).storeInt(-129), -128);
    EXPECT_EQ(Mat(MT_CHAR).storeInt(128), 127);
    EXPECT_EQ(Mat(MT_UCHAR).storeInt(256), 255);
    EXPECT_EQ(Mat(MT_UCHAR).storeInt(-1), 0);
    EXPECT_EQ(Mat(MT_SHORT).storeInt(-40000), -32768);
    EXPECT_EQ(Mat(MT_USHORT).storeInt(70000), 65535);
    EXPECT_EQ(Mat(MT_LONG).storeInt(INT32_MIN), -2147483648.0);
    EXPECT_EQ(Mat(MT_ULONG).storeInt(-1), 0);
    EXPECT_EQ(Mat(MT_ULONG).storeInt(INT32_MAX), 2147483647.0);
    EXPECT_EQ(Mat(MT_FLOAT).storeInt(16777217), 16777216.0);  // float narrowing
    EXPECT_EQ(Mat(MT_DOUBLE).storeInt(16777217), 16777217.0);
    EXPECT_EQ(Mat(MT_COMPLEX8).storeInt(-9), -9);
    EXPECT_EQ(Mat(MT_RGB).storeInt(9), 0);
}

TEST(MatrixStoreInt, ImagIntStoresImaginaryPartOfComplexOnly) {
    Mat c(MT_COMPLEX16);
    MTSetImagInt(c.m, 1, 1, -12);
    EXPECT_EQ(MTImag(c.m, 1, 1), -12);
    EXPECT_EQ(MTReal(c.m, 1, 1), 0);
    Mat d(MT_DOUBLE);
    MTSetImagInt(d.m, 1, 1, 5);
    EXPECT_EQ(MTReal(d.m, 1, 1), 0);
}

TEST(MatrixRead, IntegerReadings) {
    Mat ul(MT_ULONG);
    MTSetReal(ul.m, 0, 0, 4294967295.0);
    EXPECT_EQ(MTReal(ul.m, 0, 0), 4294967295.0);
    EXPECT_EQ(MTRealInt(ul.m, 0, 0), -1);  // same 32 bits
    Mat f(MT_FLOAT);
    MTSetReal(f.m, 0, 0, -2.7);
    EXPECT_EQ(MTRealInt(f.m, 0, 0), -2);
    MTSetReal(f.m, 1, 0, 3e9);
    EXPECT_EQ(MTRealInt(f.m, 1, 0), INT32_MAX);
    MTSetReal(f.m, 2, 0, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(MTRealInt(f.m, 2, 0), 0);
    Mat c(MT_COMPLEX8);
    MTSetComplex(c.m, 0, 0, MTCOMPLEX{-1.9, 2.9});
    EXPECT_EQ(MTRealInt(c.m, 0, 0), -1);
    EXPECT_EQ(MTImagInt(c.m, 0, 0), 2);
}

TEST(MatrixRead, RgbAndGreyDoNotMix) {
    Mat g(MT_UCHAR);
    MTSetRgb(g.m, 0, 0, 0x123456);
    EXPECT_EQ(MTRgb(g.m, 0, 0), 0u);
    EXPECT_EQ(MTReal(g.m, 0, 0), 0);
    Mat rgb(MT_RGB);
    MTSetRgb(rgb.m, 0, 0, 0xFF123456u);
    MTSetReal(rgb.m, 0, 0, 7);
    EXPECT_EQ(MTRgb(rgb.m, 0, 0), 0xFF123456u);
    EXPECT_EQ(MTReal(rgb.m, 0, 0), 0);
    EXPECT_EQ(MTNorm(rgb.m, 0, 0), 0);
}

TEST(MatrixWholeBlock, SwapBytes) {
    Mat s(MT_SHORT, 3, 2);
    MTSetRealInt(s.m, 2, 1, 0x1234);
    MTSwapBytes(s.m);
    EXPECT_EQ(MTRealInt(s.m, 2, 1), 0x3412);
    Mat c(MT_COMPLEX8, 1, 1);
    MTSetComplex(c.m, 0, 0, MTCOMPLEX{1.0, 2.0});
    MTSwapBytes(c.m);
    const uint8_t* p = static_cast<uint8_t*>(MTGetPointer(c.m));
    // 1.0f = 00 00 80 3F, 2.0f = 00 00 00 40 little-endian; each reversed in place.
    const uint8_t want[8] = {0x3F, 0x80, 0, 0, 0x40, 0, 0, 0};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(p[i], want[i]) << i;
    Mat u(MT_UCHAR, 2, 1);
    MTSetRealInt(u.m, 0, 0, 0x12);
    MTSwapBytes(u.m);
    EXPECT_EQ(MTRealInt(u.m, 0, 0), 0x12);
    Mat rgb(MT_RGB, 1, 1);
    MTSetRgb(rgb.m, 0, 0, 0x00102030);
    MTSwapBytes(rgb.m);
    EXPECT_EQ(MTRgb(rgb.m, 0, 0), 0x00102030u);
}

TEST(MatrixWholeBlock, SwapBytesIgnoresWindow) {
    Mat l(MT_LONG, 2, 2);
    MTSetRealInt(l.m, 0, 0, 0x01020304);
    MTSetWindow(l.m, 1, 1, 2, 2);
    MTSwapBytes(l.m);
    MTSetDefaultWindow(l.m);
    EXPECT_EQ(MTRealInt(l.m, 0, 0), 0x04030201);
}

TEST(MatrixWholeBlock, Inverse) {
    Mat u(MT_UCHAR, 2, 1);
    MTSetRealInt(u.m, 0, 0, 0);
    MTSetRealInt(u.m, 1, 0, 200);
    MTInverse(u.m);
    EXPECT_EQ(MTRealInt(u.m, 0, 0), 255);
    EXPECT_EQ(MTRealInt(u.m, 1, 0), 55);
    Mat c(MT_CHAR, 2, 1);
    MTSetRealInt(c.m, 0, 0, -128);
    MTSetRealInt(c.m, 1, 0, 100);
    MTInverse(c.m);
    EXPECT_EQ(MTRealInt(c.m, 0, 0), 127);  // 255 saturates
    EXPECT_EQ(MTRealInt(c.m, 1, 0), 27);
    Mat b(MT_BINARY, 9, 1);
    MTSetRealInt(b.m, 8, 0, 1);
    MTInverse(b.m);
    EXPECT_EQ(MTRealInt(b.m, 8, 0), 0);
    EXPECT_EQ(MTRealInt(b.m, 0, 0), 1);
    Mat n(MT_4BITS, 3, 1);
    MTSetRealInt(n.m, 1, 0, 4);
    MTInverse(n.m);
    EXPECT_EQ(MTRealInt(n.m, 1, 0), 11);
    EXPECT_EQ(MTRealInt(n.m, 2, 0), 15);
    Mat rgb(MT_RGB, 1, 1);
    MTSetRgb(rgb.m, 0, 0, 0xAB102030u);
    MTInverse(rgb.m);
    EXPECT_EQ(MTRgb(rgb.m, 0, 0), 0x00EFDFCFu);
    Mat z(MT_COMPLEX16, 1, 1);
    MTSetComplex(z.m, 0, 0, MTCOMPLEX{1.5, -2});
    MTInverse(z.m);
    EXPECT_EQ(MTReal(z.m, 0, 0), -1.5);
    EXPECT_EQ(MTImag(z.m, 0, 0), 2);
    Mat f(MT_FLOAT, 1, 1);
    MTSetReal(f.m, 0, 0, 3);
    MTInverse(f.m);
    EXPECT_EQ(MTReal(f.m, 0, 0), -3);
}

TEST(MatrixWholeBlock, SwitchComplex) {
    Mat d(MT_DOUBLE, 1, 1);
    MTSetReal(d.m, 0, 0, 4);
    EXPECT_EQ(MTSwitchComplex(d.m), 0);
    EXPECT_EQ(MTReal(d.m, 0, 0), 4);
    Mat c(MT_COMPLEX8, 3, 2);
    MTSetComplex(c.m, 2, 1, MTCOMPLEX{1, -7});
    EXPECT_NE(MTSwitchComplex(c.m), 0);
    EXPECT_EQ(MTReal(c.m, 2, 1), -7);
    EXPECT_EQ(MTImag(c.m, 2, 1), 1);
}

}  // namespace
