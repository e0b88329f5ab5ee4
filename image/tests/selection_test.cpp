// Rectangles, magnification, coordinate conversions, selection and matrix
// windows, overlay objects and line drawing.
#include <gtest/gtest.h>

#include <qd/image.h>

#include "test_images.h"

namespace {

void expectRect(QDRECT r, int32_t l, int32_t t, int32_t rt, int32_t b) {
    EXPECT_EQ(r.left, l);
    EXPECT_EQ(r.top, t);
    EXPECT_EQ(r.right, rt);
    EXPECT_EQ(r.bottom, b);
}

void expectMagnification(IMHANDLE im, int32_t reduction, int32_t enlargement) {
    int32_t d = 0, m = 0;
    IMGetMagnification(im, &d, &m);
    EXPECT_EQ(d, reduction);
    EXPECT_EQ(m, enlargement);
}

void expectPoint(QDPOINT p, int32_t x, int32_t y) {
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
}

TEST(Coordinates, MagnificationThree) {
    ImagePtr im = makeImage(100, 100, MT_UCHAR);
    expectRect(IMSetDrawRect(im.get(), 310, 320, 10, 20), 0, 0, 100, 100);
    expectRect(IMGetDrawRect(im.get()), 10, 20, 310, 320);
    expectMagnification(im.get(), 1, 3);
    expectPoint(IMGetImagePoint(im.get(), 13, 319), 1, 0);
    expectPoint(IMGetImagePoint(im.get(), 12, 317), 0, 1);
    expectPoint(IMGetDrawPoint(im.get(), 1, 0), 13, 320);
    expectPoint(IMGetDrawPoint(im.get(), 0, 99), 10, 23);
    IMSetSelectedRect(im.get(), 10, 20, 30, 40);
    expectRect(IMGetSelectedRectOnImage(im.get()), 40, 200, 100, 260);
}

TEST(Coordinates, MagnificationOneAndHalf) {
    ImagePtr im = makeImage(100, 100, MT_UCHAR);
    expectMagnification(im.get(), 1, 1);
    expectPoint(IMGetImagePoint(im.get(), 5, 90), 5, 10);
    expectPoint(IMGetDrawPoint(im.get(), 5, 10), 5, 90);

    IMSetDrawRect(im.get(), 0, 0, 50, 50);
    expectMagnification(im.get(), 2, 1);
    expectPoint(IMGetImagePoint(im.get(), 10, 49), 20, 2);
    expectPoint(IMGetDrawPoint(im.get(), 21, 3), 10, 48);
    IMSetSelectedRect(im.get(), 11, 20, 31, 41);
    expectRect(IMGetSelectedRectOnImage(im.get()), 5, 29, 15, 40);

    IMSetDrawRect(im.get(), 0, 0, 250, 10);
    expectMagnification(im.get(), 1, 2);
}

TEST(Coordinates, EmptyDrawRectangleIsHarmless) {
    ImagePtr im = makeImage(100, 100, MT_UCHAR);
    IMSetDrawRect(im.get(), 5, 5, 5, 5);
    expectMagnification(im.get(), 100, 1);
    IMGetImagePoint(im.get(), 7, 7); // defined, whatever it gives
    EXPECT_EQ(IMDrawRectContain(im.get(), 5, 5), 0);
}

TEST(Rectangles, DrawRectangleMovesAndContains) {
    ImagePtr im = makeImage(10, 10, MT_UCHAR);
    IMSetDrawRect(im.get(), 0, 0, 20, 20);
    IMMoveDrawRect(im.get(), 5, -2);
    expectRect(IMGetDrawRect(im.get()), 5, -2, 25, 18);
    EXPECT_EQ(IMDrawRectContain(im.get(), 5, -2), 1);
    EXPECT_EQ(IMDrawRectContain(im.get(), 24, 17), 1);
    EXPECT_EQ(IMDrawRectContain(im.get(), 25, 0), 0);
    EXPECT_EQ(IMDrawRectContain(im.get(), 10, 18), 0);
    EXPECT_EQ(IMDrawRectContain(im.get(), 4, 0), 0);
}

TEST(Selection, StoredOrderedOrCleared) {
    ImagePtr im = makeImage(100, 100, MT_UCHAR);
    EXPECT_EQ(IMIsSelected(im.get()), 0);
    expectRect(IMGetImageRect(im.get()), 0, 0, 100, 100);
    expectRect(IMSetSelectedRect(im.get(), 30, 40, 10, 20), 0, 0, 0, 0);
    expectRect(IMGetSelectedRect(im.get()), 10, 20, 30, 40);
    EXPECT_EQ(IMIsSelected(im.get()), 1);
    expectRect(IMGetImageRect(im.get()), 10, 20, 30, 40);
    expectRect(IMSetSelectedRect(im.get(), 5, 5, 5, 9), 10, 20, 30, 40);
    expectRect(IMGetSelectedRect(im.get()), 0, 0, 0, 0);
    IMSetSelectedRect(im.get(), 90, 90, 100, 100); // reaches the edges
    expectRect(IMGetSelectedRect(im.get()), 90, 90, 100, 100);
    IMSetSelectedRect(im.get(), -1, 0, 5, 5);
    EXPECT_EQ(IMIsSelected(im.get()), 0);
    IMSetSelectedRect(im.get(), 0, 0, 101, 5);
    EXPECT_EQ(IMIsSelected(im.get()), 0);
    IMSetSelectedRect(im.get(), 1, 2, 3, 4);
    IMMoveSelectedRect(im.get(), 2, 1);
    expectRect(IMGetSelectedRect(im.get()), 3, 3, 5, 5);
}

TEST(Selection, InDefaultRectTakesTheRectangleAsGiven) {
    ImagePtr im = makeImage(100, 50, MT_UCHAR);
    EXPECT_EQ(IMIsInDefaultRect(im.get(), 0, 0, 100, 50), 1);
    EXPECT_EQ(IMIsInDefaultRect(im.get(), 5, 5, 5, 9), 1);
    EXPECT_EQ(IMIsInDefaultRect(im.get(), 5, 5, 5, 5), 0);
    EXPECT_EQ(IMIsInDefaultRect(im.get(), 0, 0, 100, 51), 0);
    EXPECT_EQ(IMIsInDefaultRect(im.get(), 90, 0, 101, 10), 0);
    EXPECT_EQ(IMIsInDefaultRect(im.get(), 0, -1, 10, 10), 0);
}

TEST(Selection, SelectSetsBothWindows) {
    ImagePtr im = makeImage(8, 6, MT_UCHAR);
    IMChangeValueDomain(im.get(), 0, 256);
    IMSetSelectedRect(im.get(), 2, 1, 8, 6);
    ASSERT_EQ(IMSelect(im.get(), 1), 1);
    EXPECT_EQ(MTGetWidth(IMGetDataHandle(im.get())), 6);
    EXPECT_EQ(MTGetHeight(IMGetDataHandle(im.get())), 5);
    EXPECT_EQ(MTGetHeight(IMGetBmpBitsHandle(im.get())), 5);
    IMSetRealPixel(im.get(), 0, 0, 77);
    EXPECT_EQ(IMSelect(im.get(), 0), 1);
    EXPECT_EQ(MTGetWidth(IMGetDataHandle(im.get())), 8);
    EXPECT_EQ(IMReal(im.get(), 2, 1), 77);
    EXPECT_EQ(IMBmpVal(im.get(), 2, 1), 77);
}

TEST(Selection, RefusedWindowClearsTheSelection) {
    ImagePtr im = makeImage(8, 6, MT_UCHAR);
    EXPECT_EQ(IMSelect(im.get(), 1), 0); // nothing selected
    IMSetSelectedRect(im.get(), 2, 1, 4, 3);
    IMMoveSelectedRect(im.get(), 5, 0); // now reaches past the right edge
    EXPECT_EQ(IMSelect(im.get(), 1), 0);
    EXPECT_EQ(IMIsSelected(im.get()), 0);
    EXPECT_EQ(MTGetWidth(IMGetDataHandle(im.get())), 8);
}

TEST(Selection, RgbBitmapWindowIsThreeTimesWider) {
    ImagePtr im = makeImage(4, 2, MT_RGB);
    ASSERT_EQ(IMSetWindow(im.get(), 1, 0, 3, 2), 1);
    EXPECT_EQ(MTGetWidth(IMGetDataHandle(im.get())), 2);
    EXPECT_EQ(MTGetWidth(IMGetBmpBitsHandle(im.get())), 6);
    IMSetRGBPixel(im.get(), 0, 1, 0x00ABCDEF);
    EXPECT_EQ(IMSetWindow(im.get(), 3, 0, 5, 2), 0); // refused: both unchanged
    EXPECT_EQ(MTGetWidth(IMGetBmpBitsHandle(im.get())), 6);
    EXPECT_EQ(IMSetDefaultWindow(im.get()), 1);
    EXPECT_EQ(MTGetWidth(IMGetBmpBitsHandle(im.get())), 12);
    EXPECT_EQ(IMRgb(im.get(), 1, 1), 0x00ABCDEFu);
    EXPECT_EQ(IMBmpRgbVal(im.get(), 1, 1), 0x00ABCDEFu);
}

TEST(Overlays, ObjectsAreCountedAndStoredTopDown) {
    ImagePtr im = makeImage(100, 100, MT_UCHAR);
    EXPECT_EQ(IMAddLineObject(im.get(), 10, 0, 50, 0, 0xFF0000, 1), 1);
    EXPECT_EQ(IMAddTextObject(im.get(), 50, 50, "abc", "Arial", 10, 0, 0, 0x00FF00), 2);
    EXPECT_EQ(IMGetHeaderPointer(im.get())->NumGraphicObjects, 2);
    IMGetHeaderPointer(im.get())->NumGraphicObjects = 5;
    IMDrawGraphicObject(im.get(), nullptr);
    EXPECT_EQ(IMGetHeaderPointer(im.get())->NumGraphicObjects, 2);
}

// Marks every written point with value 9 and lists them.
std::vector<std::pair<int, int>> writtenPoints(IMHANDLE im) {
    std::vector<std::pair<int, int>> pts;
    for (int y = 0; y < IMGetImageHeight(im); ++y)
        for (int x = 0; x < IMGetImageWidth(im); ++x)
            if (IMReal(im, x, y) != 0) pts.emplace_back(x, y);
    return pts;
}

using Points = std::vector<std::pair<int, int>>;

TEST(LineDrawing, ShallowAndSteepLines) {
    ImagePtr im = makeImage(20, 20, MT_UCHAR);
    IMDrawRealLine(im.get(), 0, 0, 9, 3, 9);
    // y = x / 3 rounded: one point per x.
    EXPECT_EQ(writtenPoints(im.get()), (Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2},
                                               {6, 2}, {7, 2}, {8, 3}, {9, 3}}));
    ImagePtr steep = makeImage(20, 20, MT_UCHAR);
    IMDrawRealLine(steep.get(), 2, 5, 0, 0, 9); // ends reversed
    // x = 0.4 y + 0.5, truncated
    EXPECT_EQ(writtenPoints(steep.get()),
              (Points{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}}));
}

TEST(LineDrawing, StraightLinesIncludeBothEnds) {
    ImagePtr im = makeImage(6, 6, MT_UCHAR);
    IMDrawRealLine(im.get(), 4, 3, 1, 3, 9);
    IMDrawRealLine(im.get(), 5, 5, 5, 4, 9);
    EXPECT_EQ(writtenPoints(im.get()), (Points{{1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 4}, {5, 5}}));
}

TEST(LineDrawing, PointsOutsideTheImageAreSkipped) {
    ImagePtr im = makeImage(5, 5, MT_UCHAR);
    IMDrawRealLine(im.get(), -3, 2, 3, 2, 9);
    IMDrawRealLine(im.get(), 4, 3, 4, 100, 9);
    EXPECT_EQ(writtenPoints(im.get()), (Points{{0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 3}, {4, 4}}));
}

TEST(LineDrawing, RelativeToTheSelection) {
    ImagePtr im = makeImage(5, 5, MT_UCHAR);
    IMSetSelectedRect(im.get(), 2, 2, 5, 5);
    IMSelect(im.get(), 1);
    IMDrawRealLine(im.get(), 0, 0, 4, 0, 9);
    IMSelect(im.get(), 0);
    EXPECT_EQ(writtenPoints(im.get()), (Points{{2, 2}, {3, 2}, {4, 2}}));
}

TEST(LineDrawing, NeverWritesOutsideTheMatrixWindow) {
    // A selection is stored but the default window is in force: a point left
    // of the image stays unwritten even though it lies inside as seen from
    // the selection's corner.
    ImagePtr im = makeImage(5, 5, MT_UCHAR);
    IMSetSelectedRect(im.get(), 2, 2, 4, 4);
    IMDrawRealLine(im.get(), -1, 1, 1, 1, 9);
    EXPECT_EQ(writtenPoints(im.get()), (Points{{0, 1}, {1, 1}}));
}

TEST(LineDrawing, BitmapFollowsAndEachKindHasItsLine) {
    ImagePtr im = makeImage(4, 1, MT_UCHAR);
    IMChangeValueDomain(im.get(), 0, 256);
    IMDrawRealLine(im.get(), 0, 0, 3, 0, 100);
    EXPECT_EQ(IMBmpVal(im.get(), 3, 0), 100);
    ImagePtr rgb = makeImage(3, 1, MT_RGB);
    IMDrawRGBLine(rgb.get(), 0, 0, 1, 0, 0x123456);
    EXPECT_EQ(IMRgb(rgb.get(), 1, 0), 0x123456u);
    EXPECT_EQ(IMBmpRgbVal(rgb.get(), 1, 0), 0x123456u);
    EXPECT_EQ(IMRgb(rgb.get(), 2, 0), 0u);
    ImagePtr z = makeImage(3, 1, MT_COMPLEX16);
    IMDrawComplexLine(z.get(), 2, 0, 2, 0, MTCOMPLEX{1, 2});
    EXPECT_EQ(IMImag(z.get(), 2, 0), 2);
}

} // namespace
