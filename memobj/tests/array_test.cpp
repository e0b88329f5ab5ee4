// The array shares the matrix's value rules; these cases cover what differs.
#include <gtest/gtest.h>
#include <qd/memobj.h>

namespace {

TEST(Array, CreationSizesAndBitPacking) {
    ARHANDLE a = ARCreate(10, MT_BINARY);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(ARGetMemorySize(a), 2);
    ARSetRealInt(a, 9, 1);
    EXPECT_EQ(static_cast<uint8_t*>(ARGetPointer(a))[1], 0x40);
    EXPECT_EQ(ARGetMaxIndex(a), 10);
    EXPECT_EQ(ARGetWidth(a), 10);
    ARDestroy(a);
    EXPECT_EQ(ARCreate(0, MT_UCHAR), nullptr);
    ARHANDLE f = ARCreate(3, 4096);
    EXPECT_EQ(ARGetFlags(f), MT_FLOAT);
    EXPECT_EQ(ARGetMemorySize(f), 12);
    ARDestroy(f);
    ARHANDLE n = ARCreate(5, MT_4BITS);
    EXPECT_EQ(ARGetMemorySize(n), 3);
    ARDestroy(n);
    ARDestroy(nullptr);
}

TEST(Array, WindowAndAddressing) {
    ARHANDLE a = ARCreate(10, MT_USHORT);
    EXPECT_EQ(ARSetWindow(a, 2, 9), 1);
    EXPECT_EQ(ARGetWidth(a), 7);
    ARSetReal(a, 0, 70000);
    EXPECT_EQ(ARSetWindow(a, 0, 11), 0);
    EXPECT_EQ(ARSetWindow(a, 4, 4), 0);
    EXPECT_EQ(ARSetWindow(a, -1, 4), 0);
    EXPECT_EQ(ARGetWidth(a), 7);
    ARSetDefaultWindow(a);
    EXPECT_EQ(ARReal(a, 2), 65535);
    EXPECT_EQ(ARSetWindow(a, 0, 10), 1);
    EXPECT_EQ(ARGetWidth(a), 10);
    ARDestroy(a);
}

TEST(Array, ValuesAndWholeArrayOperations) {
    ARHANDLE c = ARCreate(3, MT_COMPLEX16);
    ARSetComplex(c, 1, MTCOMPLEX{3, 4});
    EXPECT_EQ(ARNorm(c, 1), 5);
    EXPECT_EQ(ARComplex(c, 1).im, 4);
    EXPECT_EQ(ARSwitchComplex(c), 1);
    EXPECT_EQ(ARReal(c, 1), 4);
    EXPECT_EQ(ARImag(c, 1), 3);
    ARInverse(c);
    EXPECT_EQ(ARReal(c, 1), -4);
    ARDestroy(c);

    ARHANDLE s = ARCreate(2, MT_SHORT);
    ARSetRealInt(s, 1, 0x1234);
    ARSwapBytes(s);
    EXPECT_EQ(ARRealInt(s, 1), 0x3412);
    EXPECT_EQ(ARSwitchComplex(s), 0);
    ARDestroy(s);

    ARHANDLE u = ARCreate(2, MT_UCHAR);
    ARSetReal(u, 0, 254.5);
    ARSetReal(u, 1, 10);
    ARInverse(u);
    EXPECT_EQ(ARRealInt(u, 0), 0);
    EXPECT_EQ(ARRealInt(u, 1), 245);
    EXPECT_EQ(ARIsSigned(u), 0);
    EXPECT_EQ(ARGetMaxLimit(u), 255);
    ARDestroy(u);

    ARHANDLE rgb = ARCreate(1, MT_RGB);
    ARSetRgb(rgb, 0, 0x00102030);
    ARSetReal(rgb, 0, 5);
    ARInverse(rgb);
    EXPECT_EQ(ARRgb(rgb, 0), 0x00EFDFCFu);
    EXPECT_EQ(ARIsRgb(rgb), 1);
    ARDestroy(rgb);
}

}  // namespace

extern "C" int qd_memobj_c_api_check(void);

TEST(CInterface, HeaderWorksFromC) { EXPECT_EQ(qd_memobj_c_api_check(), 1); }
