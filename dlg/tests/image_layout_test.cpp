// The raw-layout arithmetic shared with the program's import dialog.
#include <qd/dlg_common/image_layout.h>

#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using namespace qd::layout;

namespace {
enum Pos { Binary, FourBits, Char, UChar, Short, UShort, Long, ULong, Float, Double, C8, C16, Rgb };
}

TEST(ImageLayout, TypeCodesInRadioOrder) {
    const int32_t codes[kTypeCount] = {1, 2, 4, 8, 16, 32, 64, 128, 1024, 2048, 8192, 16384, 65536};
    for (int i = 0; i < kTypeCount; ++i)
        EXPECT_EQ(typeCode(i), codes[i]) << i;
    EXPECT_EQ(typeCode(-1), MT_UCHAR);
    EXPECT_EQ(typeCode(kTypeCount), MT_UCHAR);
}

TEST(ImageLayout, ProposesTheSideOfASquare) {
    EXPECT_EQ(proposedSide(1048576, 0, UChar), 1024);
    EXPECT_EQ(proposedSide(1048576, 0, ULong), 512);
    EXPECT_EQ(proposedSide(65536, 0, UChar), 256);
    EXPECT_EQ(proposedSide(65536, 0, Short), 181);
    EXPECT_EQ(proposedSide(65536, 0, Binary), 724);   // sqrt(524288) = 724.08
    EXPECT_EQ(proposedSide(65536, 0, FourBits), 362); // sqrt(131072) = 362.04
    EXPECT_EQ(proposedSide(65536, 0, C16), 64);
    EXPECT_EQ(proposedSide(65536, 0, Rgb), 128);
    // The bytes before the offset are not image.
    EXPECT_EQ(proposedSide(65536 + 4096, 4096, UChar), 256);
    EXPECT_EQ(proposedSide(100, 100, UChar), 0);
    EXPECT_EQ(proposedSide(100, 200, UChar), 0);
}

TEST(ImageLayout, DataSizeRoundsPackedRowsUpToBytes) {
    EXPECT_EQ(dataSize(9, 2, Binary), 4);
    EXPECT_EQ(dataSize(8, 2, Binary), 2);
    EXPECT_EQ(dataSize(3, 5, FourBits), 10);
    EXPECT_EQ(dataSize(3, 2, UShort), 12);
    EXPECT_EQ(dataSize(3, 2, Rgb), 24);
    EXPECT_EQ(dataSize(3, 2, Double), 48);
    EXPECT_EQ(dataSize(3, 2, C16), 96);
    EXPECT_EQ(dataSize(0, 2, UChar), 0);
}

TEST(ImageLayout, DataSizeOfHugeSidesDoesNotWrap) {
    // 50000 x 50000 x 8 bytes is beyond 32 bits.
    EXPECT_EQ(dataSize(50000, 50000, Double), int64_t(20000000000));
    // Nine-digit sides of 16-byte elements are beyond 64 bits.
    EXPECT_EQ(dataSize(999999999, 999999999, C16), std::numeric_limits<int64_t>::max());
}

TEST(ImageLayout, NewImageHeaderIsZeroBesideItsFields) {
    IMHEADER h;
    std::memset(&h, 0x5A, sizeof h);
    fillNewImageHeader(h, 20, 10, MT_FLOAT);
    EXPECT_STREQ(h.Version, "Quidora 1.00");
    EXPECT_EQ(h.Levels, 256);
    EXPECT_EQ(h.Width, 20);
    EXPECT_EQ(h.Height, 10);
    EXPECT_EQ(h.DataType, 1024);
    EXPECT_DOUBLE_EQ(h.Scale, 1.0);

    IMHEADER expected;
    std::memset(&expected, 0, sizeof expected);
    std::strcpy(expected.Version, "Quidora 1.00");
    expected.Levels = 256;
    expected.Width = 20;
    expected.Height = 10;
    expected.DataType = 1024;
    expected.Scale = 1.0;
    EXPECT_EQ(std::memcmp(&h, &expected, sizeof h), 0);
}
