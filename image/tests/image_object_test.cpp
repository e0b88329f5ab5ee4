// The image object: creation, header fields, comment, values as text,
// mirrors and axis exchange.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include <qd/image.h>

#include "test_images.h"

namespace {

TEST(ImageCreate, GreyImageGetsHeaderDefaultsAndGreyPalette) {
    ImagePtr im = makeImage(7, 5, MT_SHORT);
    const IMHEADER* h = IMGetHeaderPointer(im.get());
    EXPECT_STREQ(h->Version, "Quidora 1.00");
    EXPECT_EQ(h->Levels, 256);
    EXPECT_EQ(h->Width, 7);
    EXPECT_EQ(h->Height, 5);
    EXPECT_EQ(h->DataType, MT_SHORT);
    EXPECT_EQ(h->DisplayType, 0);
    EXPECT_EQ(h->Scale, 1.0);
    EXPECT_EQ(h->Gain, 1.0);
    EXPECT_EQ(h->Offset, 0.0);
    EXPECT_EQ(h->NumGraphicObjects, 0);
    EXPECT_EQ(h->Palette[0], 0x000000u);
    EXPECT_EQ(h->Palette[100], 0x646464u);
    EXPECT_EQ(h->Palette[255], 0xFFFFFFu);
    EXPECT_EQ(IMGetNumPaletteColors(im.get()), 256);
    EXPECT_EQ(IMGetBmpBitsCount(im.get()), 8);
    EXPECT_EQ(ARGetMaxIndex(IMGetHistogramHandle(im.get())), 256);
    EXPECT_EQ(IMGetDataSize(im.get()), 7 * 5 * 2);
    const QDRECT d = IMGetDefaultRect(im.get());
    EXPECT_EQ(d.right, 7);
    EXPECT_EQ(d.bottom, 5);
    EXPECT_EQ(IMGetDrawRect(im.get()).right, 7);
}

TEST(ImageCreate, BinaryAndNibbleAndRgbKinds) {
    ImagePtr bin = makeImage(9, 2, MT_BINARY);
    EXPECT_EQ(IMGetNumPaletteColors(bin.get()), 2);
    EXPECT_EQ(IMGetBmpBitsCount(bin.get()), 1);
    EXPECT_EQ(ARGetMaxIndex(IMGetHistogramHandle(bin.get())), 2);
    const IMHEADER* hb = IMGetHeaderPointer(bin.get());
    EXPECT_EQ(hb->Palette[0], 0u);
    EXPECT_EQ(hb->Palette[1], 0xFFFFFFu);
    EXPECT_EQ(hb->Palette[2], 0u);

    ImagePtr nib = makeImage(3, 3, MT_4BITS);
    EXPECT_EQ(IMGetNumPaletteColors(nib.get()), 16);
    EXPECT_EQ(IMGetBmpBitsCount(nib.get()), 4);
    const IMHEADER* hn = IMGetHeaderPointer(nib.get());
    EXPECT_EQ(hn->Palette[15], 0xFFFFFFu);
    EXPECT_EQ(hn->Palette[1], 0x111111u);
    EXPECT_EQ(hn->Palette[16], 0u);

    ImagePtr rgb = makeImage(3, 3, MT_RGB);
    EXPECT_EQ(IMGetNumPaletteColors(rgb.get()), 0);
    EXPECT_EQ(IMGetBmpBitsCount(rgb.get()), 24);
    EXPECT_EQ(IMGetHistogramHandle(rgb.get()), nullptr);
    EXPECT_EQ(IMGetPalette(rgb.get()), nullptr);
}

TEST(ImageCreate, NullMatrixGivesNoImage) { EXPECT_EQ(IMCreateFromMatrix(nullptr), nullptr); }

TEST(ImageCreate, FromHeaderKeepsSettingsAndCleansTexts) {
    IMHEADER h;
    std::memset(&h, 0x41, sizeof h); // every text unterminated
    h.Width = 4;
    h.Height = 3;
    h.DataType = MT_FLOAT;
    h.DisplayType = IM_REAL_LOG;
    h.InitialValue = -2.5;
    h.FinalValue = 7.0;
    h.Brightness = 12;
    h.Contrast = -7;
    h.Scale = 0.25;
    h.Gain = 3.0;
    h.Offset = -1.0;
    h.NumGraphicObjects = 2;
    ImagePtr im(IMCreateFromHeader(&h));
    ASSERT_TRUE(im);
    const IMHEADER* n = IMGetHeaderPointer(im.get());
    EXPECT_STREQ(n->Version, "Quidora 1.00");
    EXPECT_EQ(std::strlen(n->PaletteName), 127u);
    EXPECT_EQ(std::strlen(n->XYUnit), 31u);
    EXPECT_EQ(std::strlen(n->ZUnit), 31u);
    EXPECT_EQ(std::strlen(n->Comment), 1023u);
    for (uint8_t b : n->Reserved2) ASSERT_EQ(b, 0);
    EXPECT_EQ(n->DisplayType, IM_REAL_LOG);
    EXPECT_EQ(n->InitialValue, -2.5);
    EXPECT_EQ(n->FinalValue, 7.0);
    EXPECT_EQ(n->Brightness, 12);
    EXPECT_EQ(n->Contrast, -7);
    EXPECT_EQ(n->Scale, 0.25);
    EXPECT_EQ(n->Gain, 3.0);
    EXPECT_EQ(n->Offset, -1.0);
    EXPECT_EQ(n->NumGraphicObjects, 2);
    EXPECT_EQ(n->Palette[7], 0x070707u); // default palette written over the header's
    EXPECT_EQ(MTGetMaxXIndex(IMGetDataHandle(im.get())), 4);
    EXPECT_EQ(MTGetFlags(IMGetDataHandle(im.get())), MT_FLOAT);
    EXPECT_EQ(IMReal(im.get(), 3, 2), 0.0);
}

TEST(ImageCreate, FromHeaderWithUnknownTypeRecordsTheMatrixType) {
    IMHEADER h{};
    h.Width = 2;
    h.Height = 2;
    h.DataType = 777;
    ImagePtr im(IMCreateFromHeader(&h));
    ASSERT_TRUE(im);
    EXPECT_EQ(IMGetHeaderPointer(im.get())->DataType, MT_FLOAT);
    h.Width = -3;
    EXPECT_EQ(IMCreateFromHeader(&h), nullptr);
    EXPECT_EQ(IMCreateFromHeader(nullptr), nullptr);
}

TEST(ImageCreate, SetDataHandleRebuildsAndReturnsTheOldMatrix) {
    ImagePtr im = makeImage(4, 4, MT_UCHAR);
    MTHANDLE first = IMGetDataHandle(im.get());
    IMSetScale(im.get(), 2.0);
    IMSetGain(im.get(), 0.0);
    IMSetDisplayType(im.get(), IM_EQUALIZED);
    IMSetSelectedRect(im.get(), 0, 0, 2, 2);
    MTHANDLE next = MTCreate(10, 3, MT_BINARY);
    EXPECT_EQ(IMSetDataHandle(im.get(), next), first);
    MTDestroy(first);
    EXPECT_EQ(IMGetDataHandle(im.get()), next);
    EXPECT_EQ(IMGetImageWidth(im.get()), 10);
    EXPECT_EQ(IMGetImageHeight(im.get()), 3);
    EXPECT_EQ(IMGetScale(im.get()), 1.0);
    EXPECT_EQ(IMGetGain(im.get()), 1.0); // a fresh header never has a zero gain
    EXPECT_EQ(IMGetDisplayType(im.get()), 0);
    EXPECT_EQ(IMIsSelected(im.get()), 0);
    EXPECT_EQ(IMGetNumPaletteColors(im.get()), 2);
    EXPECT_EQ(ARGetMaxIndex(IMGetHistogramHandle(im.get())), 2);
    EXPECT_EQ(IMGetBmpSize(im.get()), 3 * 4);
    EXPECT_EQ(IMGetDefaultRect(im.get()).right, 10);
    EXPECT_EQ(IMSetDataHandle(im.get(), nullptr), nullptr);
    EXPECT_EQ(IMGetDataHandle(im.get()), next);
}

TEST(HeaderFields, ScaleGainOffsetReturnThePreviousValue) {
    ImagePtr im = makeImage(2, 2, MT_UCHAR);
    EXPECT_EQ(IMSetScale(im.get(), 0.5), 1.0);
    EXPECT_EQ(IMSetScale(im.get(), 1e-14), 0.5);
    EXPECT_EQ(IMGetScale(im.get()), 1.0);
    EXPECT_EQ(IMSetScale(im.get(), -2e-13), 1.0);
    EXPECT_EQ(IMGetScale(im.get()), -2e-13);
    EXPECT_EQ(IMSetGain(im.get(), 4.0), 1.0);
    EXPECT_EQ(IMGetGain(im.get()), 4.0);
    EXPECT_EQ(IMSetOffset(im.get(), -3.0), 0.0);
    EXPECT_EQ(IMGetOffset(im.get()), -3.0);
    EXPECT_EQ(IMSetDrawType(im.get(), IM_MODULUS_LOG), 0);
    EXPECT_EQ(IMSetDisplayType(im.get(), 2), IM_MODULUS_LOG);
    EXPECT_EQ(IMGetDrawType(im.get()), 2);
}

TEST(HeaderFields, TextSettersStopAtTheirField) {
    ImagePtr im = makeImage(2, 2, MT_UCHAR);
    IMHEADER* h = IMGetHeaderPointer(im.get());
    const double gainBehindZUnit = h->Gain;
    const std::string longText(300, 'u');
    IMSetXYUnit(im.get(), longText.c_str());
    IMSetZUnit(im.get(), longText.c_str());
    IMChangePaletteName(im.get(), longText.c_str());
    EXPECT_EQ(std::string(IMGetXYUnit(im.get())), std::string(31, 'u'));
    EXPECT_EQ(std::string(IMGetZUnit(im.get())), std::string(31, 'u'));
    EXPECT_EQ(std::string(IMGetPaletteName(im.get())), std::string(127, 'u'));
    EXPECT_EQ(h->Gain, gainBehindZUnit);
    EXPECT_EQ(h->NumGraphicObjects, 0);
    EXPECT_EQ(h->Scale, 1.0);
    IMSetXYUnit(im.get(), "\xB5m");
    EXPECT_STREQ(IMGetXYUnit(im.get()), "\xB5m");
    EXPECT_EQ(IMGetXYUnit(im.get()), h->XYUnit);
}

TEST(HeaderFields, CommentAppendsWithSeparatorUntilFull) {
    ImagePtr im = makeImage(2, 2, MT_UCHAR);
    EXPECT_EQ(IMInsertComment(im.get(), "first"), 1);
    EXPECT_STREQ(IMGetHeaderPointer(im.get())->Comment, "\r\nfirst");
    EXPECT_EQ(IMInsertComment(im.get(), "second"), 1);
    EXPECT_STREQ(IMGetHeaderPointer(im.get())->Comment, "\r\nfirst\r\nsecond");

    ImagePtr fits = makeImage(2, 2, MT_UCHAR);
    EXPECT_EQ(IMInsertComment(fits.get(), std::string(1021, 'c').c_str()), 1);
    EXPECT_EQ(std::strlen(IMGetHeaderPointer(fits.get())->Comment), 1023u);
    EXPECT_EQ(IMInsertComment(fits.get(), ""), 0);

    ImagePtr refused = makeImage(2, 2, MT_UCHAR);
    EXPECT_EQ(IMInsertComment(refused.get(), std::string(1022, 'c').c_str()), 0);
    EXPECT_STREQ(IMGetHeaderPointer(refused.get())->Comment, "");
}

TEST(ValueText, EachKindHasItsFormat) {
    char out[64];
    ImagePtr c = makeImage(2, 1, MT_CHAR);
    IMSetReal(c.get(), 1, 0, -5);
    EXPECT_STREQ(IMValueToString(c.get(), 1, 0, out), "-5");
    ImagePtr u = makeImage(2, 1, MT_UCHAR);
    IMSetReal(u.get(), 0, 0, 200);
    EXPECT_STREQ(IMValueToString(u.get(), 0, 0, out), "200");
    ImagePtr ul = makeImage(1, 1, MT_ULONG);
    IMSetReal(ul.get(), 0, 0, 4000000000.0);
    EXPECT_STREQ(IMValueToString(ul.get(), 0, 0, out), "4000000000");
    ImagePtr rgb = makeImage(1, 1, MT_RGB);
    IMSetRgb(rgb.get(), 0, 0, 0x00102030);
    EXPECT_STREQ(IMValueToString(rgb.get(), 0, 0, out), "R : 016   G : 032   B : 048");
    ImagePtr z = makeImage(1, 1, MT_COMPLEX16);
    IMSetComplex(z.get(), 0, 0, MTCOMPLEX{1.5, -2.0});
    EXPECT_STREQ(IMValueToString(z.get(), 0, 0, out), "1.50000e+00, -2.00000e+00");
    ImagePtr f = makeImage(1, 1, MT_DOUBLE);
    IMSetReal(f.get(), 0, 0, 0.125);
    EXPECT_STREQ(IMValueToString(f.get(), 0, 0, out), "1.25000e-01");
}

TEST(ValueText, LongestValuesStayInsideTheBuffer) {
    char out[80];
    std::memset(out, '#', sizeof out);
    ImagePtr z = makeImage(1, 1, MT_COMPLEX16);
    IMSetComplex(z.get(), 0, 0, MTCOMPLEX{-1.0e-300, -1.0e300});
    IMValueToString(z.get(), 0, 0, out);
    EXPECT_LT(std::strlen(out), 64u);
    for (size_t i = 64; i < sizeof out; ++i) EXPECT_EQ(out[i], '#');
}

// Checks a mirror against the same flip done by hand on values and levels.
void expectMovedTogether(IMHANDLE im, const std::vector<double>& before,
                         const std::vector<int32_t>& levelsBefore, int32_t w, int32_t h,
                         int (*from)(int, int, int, int, bool)) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int src = from(x, y, w, h, true) + w * from(x, y, w, h, false);
            EXPECT_EQ(IMReal(im, x, y), before[size_t(src)]) << x << "," << y;
            EXPECT_EQ(IMBmpVal(im, x, y), levelsBefore[size_t(src)]) << x << "," << y;
        }
}

TEST(Mirrors, YMirrorFlipsColumnsAndKeepsTheMiddleOne) {
    ImagePtr im = makeImage(5, 3, MT_UCHAR);
    fillRamp(im.get(), 7);
    IMDefaultRange(im.get(), 0);
    IMPrepareBitmap(im.get());
    const auto values = readValues(im.get());
    const auto levels = readLevels(im.get());
    IMYMirror(im.get());
    expectMovedTogether(im.get(), values, levels, 5, 3, [](int x, int y, int w, int, bool col) {
        return col ? w - 1 - x : y;
    });
}

TEST(Mirrors, XMirrorFlipsRowsOfAOneBitImage) {
    ImagePtr im = makeImage(3, 4, MT_BINARY);
    IMSetReal(im.get(), 0, 0, 1);
    IMSetReal(im.get(), 2, 1, 1);
    IMDefaultRange(im.get(), 0);
    IMPrepareBitmap(im.get());
    const auto values = readValues(im.get());
    const auto levels = readLevels(im.get());
    IMXMirror(im.get());
    expectMovedTogether(im.get(), values, levels, 3, 4, [](int x, int y, int, int h, bool col) {
        return col ? x : h - 1 - y;
    });
}

TEST(Mirrors, ExchangeAxesTransposesSquareAndLeavesOthers) {
    ImagePtr sq = makeImage(4, 4, MT_FLOAT);
    fillRamp(sq.get(), 3);
    IMDefaultRange(sq.get(), 0);
    IMPrepareBitmap(sq.get());
    const auto values = readValues(sq.get());
    const auto levels = readLevels(sq.get());
    IMExchangeAxes(sq.get());
    expectMovedTogether(sq.get(), values, levels, 4, 4,
                        [](int x, int y, int, int, bool col) { return col ? y : x; });

    ImagePtr wide = makeImage(4, 3, MT_FLOAT);
    fillRamp(wide.get(), 3);
    const auto wideValues = readValues(wide.get());
    IMExchangeAxes(wide.get());
    EXPECT_EQ(readValues(wide.get()), wideValues);
}

TEST(Mirrors, RgbMirrorMovesTheThreeBitmapBytes) {
    ImagePtr im = makeImage(2, 1, MT_RGB);
    IMSetRGBPixel(im.get(), 0, 0, 0x00AABBCC);
    IMSetRGBPixel(im.get(), 1, 0, 0x00112233);
    IMYMirror(im.get());
    EXPECT_EQ(IMRgb(im.get(), 0, 0), 0x00112233u);
    EXPECT_EQ(IMBmpRgbVal(im.get(), 0, 0), 0x00112233u);
    EXPECT_EQ(IMBmpRgbVal(im.get(), 1, 0), 0x00AABBCCu);
    const auto* bits = static_cast<const uint8_t*>(IMGetBmpPointer(im.get()));
    EXPECT_EQ(bits[0], 0x33); // blue first
    EXPECT_EQ(bits[2], 0x11);
}

TEST(Mirrors, MirrorStaysInsideTheSelectionWindow) {
    ImagePtr im = makeImage(6, 2, MT_UCHAR);
    fillRamp(im.get(), 1);
    const auto values = readValues(im.get());
    IMSetSelectedRect(im.get(), 2, 0, 5, 2);
    ASSERT_EQ(IMSelect(im.get(), 1), 1);
    IMYMirror(im.get());
    IMSelect(im.get(), 0);
    EXPECT_EQ(IMReal(im.get(), 0, 0), values[0]);
    EXPECT_EQ(IMReal(im.get(), 2, 0), values[4]);
    EXPECT_EQ(IMReal(im.get(), 3, 0), values[3]);
    EXPECT_EQ(IMReal(im.get(), 4, 1), values[6 + 2]);
    EXPECT_EQ(IMReal(im.get(), 5, 1), values[6 + 5]);
}

TEST(WholeImage, InverseAndSwapRenderWithTheQuickRange) {
    ImagePtr im = makeImage(3, 3, MT_UCHAR);
    IMSetReal(im.get(), 1, 1, 200); // middle row and column
    IMInverse(im.get());
    EXPECT_EQ(IMReal(im.get(), 1, 1), 55);
    EXPECT_EQ(IMReal(im.get(), 0, 0), 255);
    // Range from the middle row and column only: 55..255.
    EXPECT_DOUBLE_EQ(IMGetInitialValue(im.get()), 55 - 200.0 / 512);
    EXPECT_DOUBLE_EQ(IMGetFinalValue(im.get()), 255 + 200.0 / 512);
    EXPECT_EQ(IMBmpVal(im.get(), 0, 0), 255);
    EXPECT_EQ(IMBmpVal(im.get(), 1, 1), 0);

    ImagePtr s = makeImage(2, 1, MT_SHORT);
    IMSetReal(s.get(), 0, 0, 0x1234);
    IMSwapBytes(s.get());
    EXPECT_EQ(IMReal(s.get(), 0, 0), 0x3412);
    EXPECT_EQ(IMBmpVal(s.get(), 0, 0), 255);
    EXPECT_EQ(IMBmpVal(s.get(), 1, 0), 0);
}

TEST(WholeImage, ChangeValueDomainRendersTheNewRange) {
    ImagePtr im = makeImage(2, 1, MT_FLOAT);
    IMSetReal(im.get(), 1, 0, 10);
    IMChangeValueDomain(im.get(), 0, 10);
    EXPECT_EQ(IMGetInitialValue(im.get()), 0);
    EXPECT_EQ(IMGetFinalValue(im.get()), 10);
    EXPECT_EQ(IMBmpVal(im.get(), 1, 0), 255);
    IMChangeValueDomain(im.get(), 0, 20);
    EXPECT_EQ(IMBmpVal(im.get(), 1, 0), 128); // 127.5 rounds up
}

} // namespace
