// Creation, layout, windows, limits and classification; the message pump.
#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>
#include <qd/memobj.h>

namespace {

const int32_t kCreatable[] = {MT_BINARY, MT_4BITS, MT_CHAR, MT_UCHAR, MT_SHORT, MT_USHORT,
                              MT_LONG, MT_ULONG, MT_FLOAT, MT_DOUBLE, MT_COMPLEX8, MT_COMPLEX16,
                              MT_RGB};

TEST(MatrixCreate, RefusesNonPositiveAndOverflowingSizes) {
    EXPECT_EQ(MTCreate(0, 5, MT_UCHAR), nullptr);
    EXPECT_EQ(MTCreate(5, -1, MT_UCHAR), nullptr);
    errno = 0;
    EXPECT_EQ(MTCreate(2000000000, 2000000000, MT_COMPLEX16), nullptr);  // too large to allocate
    EXPECT_EQ(errno, ENOMEM) << "callers tell a lack of memory by errno";
    errno = 0;
    EXPECT_EQ(MTCreate(1000000000, 1000000000, MT_UCHAR), nullptr); // fits the numbers, not the memory
    EXPECT_EQ(errno, ENOMEM);
}

TEST(MatrixCreate, UnknownCodesBecomeFloat) {
    for (int32_t code : {777, int(MT_INT64), int(MT_UINT64), int(MT_LDOUBLE), int(MT_LCOMPLEX), 0}) {
        MTHANDLE m = MTCreate(3, 2, code);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(MTGetFlags(m), MT_FLOAT);
        EXPECT_EQ(MTGetMemorySize(m), 24);
        EXPECT_EQ(MTGetRowBytes(code, 3), 12);
        MTSetReal(m, 2, 1, 0.25);
        EXPECT_EQ(MTReal(m, 2, 1), 0.25);
        MTDestroy(m);
    }
    MTDestroy(nullptr);
}

TEST(MatrixCreate, ZeroFilledWithRowTableAndSizes) {
    const int64_t rowBytes[] = {2, 5, 9, 9, 18, 18, 36, 36, 36, 72, 72, 144, 36};
    for (size_t i = 0; i < std::size(kCreatable); ++i) {
        MTHANDLE m = MTCreate(9, 4, kCreatable[i]);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(MTGetFlags(m), kCreatable[i]);
        EXPECT_EQ(MTGetMemorySize(m), rowBytes[i] * 4) << kCreatable[i];
        EXPECT_EQ(MTGetMaxXIndex(m), 9);
        EXPECT_EQ(MTGetMaxYIndex(m), 4);
        EXPECT_EQ(MTGetWidth(m), 9);
        EXPECT_EQ(MTGetHeight(m), 4);
        EXPECT_EQ(MTGetRowBytes(kCreatable[i], 9), rowBytes[i]) << kCreatable[i];
        auto* data = static_cast<uint8_t*>(MTGetPointer(m));
        void** rows = MTGetMatrixPointer(m);
        for (int r = 0; r < 4; ++r) EXPECT_EQ(rows[r], data + r * rowBytes[i]);
        for (int64_t b = 0; b < MTGetMemorySize(m); ++b) ASSERT_EQ(data[b], 0);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 9; ++x) {
                EXPECT_EQ(MTReal(m, x, y), 0);
                EXPECT_EQ(MTRgb(m, x, y), 0u);
            }
        MTDestroy(m);
    }
}

TEST(MatrixPacking, BinaryBitsMostSignificantFirst) {
    MTHANDLE m = MTCreate(9, 2, MT_BINARY);
    auto* rows = reinterpret_cast<uint8_t**>(MTGetMatrixPointer(m));
    MTSetRealInt(m, 8, 1, 1);
    EXPECT_EQ(rows[1][1], 0x80);
    EXPECT_EQ(rows[1][0], 0x00);
    MTSetRealInt(m, 0, 0, 1);
    MTSetRealInt(m, 3, 0, 1);
    EXPECT_EQ(rows[0][0], 0x90);
    MTSetRealInt(m, 0, 0, 0);
    EXPECT_EQ(rows[0][0], 0x10);
    EXPECT_EQ(MTReal(m, 3, 0), 1);
    EXPECT_EQ(MTReal(m, 4, 0), 0);
    MTDestroy(m);
}

TEST(MatrixPacking, NibblesHighFirstAndNeighbourKept) {
    MTHANDLE m = MTCreate(3, 1, MT_4BITS);
    auto* p = static_cast<uint8_t*>(MTGetPointer(m));
    MTSetRealInt(m, 1, 0, 0xA);
    EXPECT_EQ(p[0], 0x0A);
    MTSetRealInt(m, 0, 0, 0x5);
    EXPECT_EQ(p[0], 0x5A);
    MTSetRealInt(m, 2, 0, 0xC);
    EXPECT_EQ(p[1], 0xC0);
    MTSetRealInt(m, 1, 0, 0);
    EXPECT_EQ(p[0], 0x50);
    EXPECT_EQ(MTReal(m, 2, 0), 12);
    MTDestroy(m);
}

TEST(MatrixWindow, AcceptsAndRejectsRectangles) {
    MTHANDLE m = MTCreate(10, 10, MT_SHORT);
    EXPECT_EQ(MTSetWindow(m, 2, 3, 9, 9), 1);
    EXPECT_EQ(MTGetWidth(m), 7);
    EXPECT_EQ(MTGetHeight(m), 6);
    EXPECT_EQ(MTGetMaxXIndex(m), 10);
    int32_t x0 = -1, y0 = -1;
    MTGetWindowOrigin(m, &x0, &y0);
    EXPECT_EQ(x0, 2);
    EXPECT_EQ(y0, 3);
    EXPECT_EQ(MTSetWindow(m, 0, 0, 11, 10), 0);
    EXPECT_EQ(MTSetWindow(m, 5, 0, 5, 4), 0);
    EXPECT_EQ(MTSetWindow(m, -1, 0, 5, 4), 0);
    EXPECT_EQ(MTSetWindow(m, 0, 4, 5, 4), 0);
    EXPECT_EQ(MTSetWindow(m, 0, -1, 5, 4), 0);
    EXPECT_EQ(MTSetWindow(m, 0, 0, 5, 11), 0);
    EXPECT_EQ(MTGetWidth(m), 7);  // rejected rectangles leave the window alone
    EXPECT_EQ(MTSetWindow(m, 0, 0, 10, 10), 1);
    EXPECT_EQ(MTGetWidth(m), 10);
    MTGetWindowOrigin(m, &x0, nullptr);
    EXPECT_EQ(x0, 0);
    MTDestroy(m);
}

TEST(MatrixWindow, AddressesRelativeToOrigin) {
    MTHANDLE m = MTCreate(10, 10, MT_BINARY);
    MTSetWindow(m, 2, 3, 9, 9);
    MTSetRealInt(m, 0, 0, 1);
    MTSetRealInt(m, 6, 5, 1);
    MTSetDefaultWindow(m);
    EXPECT_EQ(MTGetWidth(m), 10);
    EXPECT_EQ(MTRealInt(m, 2, 3), 1);
    EXPECT_EQ(MTRealInt(m, 8, 8), 1);
    EXPECT_EQ(MTRealInt(m, 0, 0), 0);
    // The row table does not follow the window.
    MTSetWindow(m, 2, 3, 9, 9);
    auto* rows = reinterpret_cast<uint8_t**>(MTGetMatrixPointer(m));
    EXPECT_EQ(rows[3][0], 0x20);
    MTDestroy(m);
}

TEST(TypeCodes, ClassificationAndLimits) {
    struct Row {
        int32_t code;
        int integer, isSigned, complex, rgb;
        double max, min;
    };
    const Row rows[] = {
        {MT_BINARY, 1, 1, 0, 0, 1, 0},
        {MT_4BITS, 1, 1, 0, 0, 15, 0},
        {MT_CHAR, 1, 1, 0, 0, 127, -128},
        {MT_UCHAR, 1, 0, 0, 0, 255, 0},
        {MT_SHORT, 1, 1, 0, 0, 32767, -32768},
        {MT_USHORT, 1, 0, 0, 0, 65535, 0},
        {MT_LONG, 1, 1, 0, 0, 2147483647.0, -2147483648.0},
        {MT_ULONG, 1, 0, 0, 0, 4294967295.0, 0},
        {MT_FLOAT, 0, 1, 0, 0, 1e38, -1e38},
        {MT_DOUBLE, 0, 1, 0, 0, 1e300, -1e300},
        {MT_COMPLEX8, 0, 1, 1, 0, 1e38, -1e38},
        {MT_COMPLEX16, 0, 1, 1, 0, 1e300, -1e300},
        {MT_RGB, 0, 1, 0, 1, 0, 0},
    };
    for (const Row& r : rows) {
        MTHANDLE m = MTCreate(1, 1, r.code);
        EXPECT_EQ(MTIsInteger(m), r.integer) << r.code;
        EXPECT_EQ(MTIsSigned(m), r.isSigned) << r.code;
        EXPECT_EQ(MTIsComplex(m), r.complex) << r.code;
        EXPECT_EQ(MTIsRgb(m), r.rgb) << r.code;
        EXPECT_EQ(MTGetMaxLimit(m), r.max) << r.code;
        EXPECT_EQ(MTGetMinLimit(m), r.min) << r.code;
        MTDestroy(m);
    }
}

int32_t pumpCalls = 0;
int32_t countingPump() { return ++pumpCalls; }

TEST(MessagePump, ReturnsZeroWithoutPumpAndForwardsWithOne) {
    SetMessagePump(nullptr);
    EXPECT_EQ(ProcessMessage(), 0);
    SetMessagePump(countingPump);
    EXPECT_EQ(ProcessMessage(), 1);
    EXPECT_EQ(ProcessMessage(), 2);
    SetMessagePump(nullptr);
    EXPECT_EQ(ProcessMessage(), 0);
    EXPECT_EQ(pumpCalls, 2);
}

}  // namespace
