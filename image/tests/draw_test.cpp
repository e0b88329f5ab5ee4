// Drawing through a QPainter: the bottom-up bitmap lands upright in the draw
// rectangle with its colour table, the selection frame inverts, and single
// pixels are drawn at the magnification.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <qd/image.h>

#include "test_images.h"

namespace {

void ensureApp() {
    static int argc = 1;
    static char name[] = "image_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

constexpr QRgb kBackground = 0xFF204060;

QImage canvas(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kBackground);
    return img;
}

void draw(IMHANDLE im, QImage& target) {
    QPainter p(&target);
    IMDrawImage(im, &p);
}

uint32_t rgbAt(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFFu; }

// Palette with a distinct colour per level, so each level can be told apart.
void setTestPalette(IMHANDLE im) {
    uint32_t colours[256];
    for (uint32_t i = 0; i < 256; ++i) colours[i] = (i << 16) | ((255 - i) << 8) | (i ^ 0x5A);
    IMSetBasicPalette(im, colours);
    IMSetPalette(im, nullptr);
}

uint32_t testColour(int32_t level) {
    const uint32_t i = uint32_t(level);
    return (i << 16) | ((255 - i) << 8) | (i ^ 0x5A);
}

// Every image pixel (x, y) must fill the m x m block whose window row counts
// from the bottom of the draw rectangle.
void expectUpright(IMHANDLE im, const QImage& img, int left, int top, int m) {
    const int w = IMGetImageWidth(im), h = IMGetImageHeight(im);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t want = IMIsRgb(im) ? IMRgb(im, x, y) : testColour(IMBmpVal(im, x, y));
            for (int j = 0; j < m; ++j)
                for (int i = 0; i < m; ++i)
                    ASSERT_EQ(rgbAt(img, left + m * x + i, top + m * (h - 1 - y) + j), want)
                        << "pixel " << x << "," << y << " at magnification " << m;
        }
}

void prepareRamp(IMHANDLE im) {
    fillRamp(im, 1);
    IMDefaultRange(im, 0);
    IMPrepareBitmap(im);
    setTestPalette(im);
}

TEST(DrawImage, EightBitRowsLandBottomUpAtMagnificationOneAndFour) {
    ensureApp();
    ImagePtr im = makeImage(5, 3, MT_UCHAR);
    prepareRamp(im.get());
    ASSERT_EQ(IMBmpVal(im.get(), 0, 0), 0);
    QImage one = canvas(5, 3);
    draw(im.get(), one);
    expectUpright(im.get(), one, 0, 0, 1);
    EXPECT_EQ(rgbAt(one, 0, 2), testColour(0)); // row 0 at the bottom

    IMSetDrawRect(im.get(), 3, 2, 3 + 20, 2 + 12);
    QImage four = canvas(30, 20);
    draw(im.get(), four);
    expectUpright(im.get(), four, 3, 2, 4);
    EXPECT_EQ(rgbAt(four, 2, 5), kBackground & 0xFFFFFFu);
    EXPECT_EQ(rgbAt(four, 23, 5), kBackground & 0xFFFFFFu);
    EXPECT_EQ(rgbAt(four, 10, 14), kBackground & 0xFFFFFFu);
}

TEST(DrawImage, OneAndFourBitAndRgbBitmaps) {
    ensureApp();
    for (int32_t type : {MT_BINARY, MT_4BITS, MT_RGB}) {
        ImagePtr im = makeImage(9, 2, type);
        if (type == MT_RGB) {
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 9; ++x) IMSetRgb(im.get(), x, y, uint32_t(0x10305 * (x + 9 * y)));
            IMPrepareBitmap(im.get());
        } else {
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 9; ++x) IMSetReal(im.get(), x, y, (x * 7 + y) % 16 % (type == MT_BINARY ? 2 : 16));
            IMDefaultRange(im.get(), 0);
            IMPrepareBitmap(im.get());
            setTestPalette(im.get());
        }
        for (int m : {1, 2}) {
            IMSetDrawRect(im.get(), 1, 1, 1 + 9 * m, 1 + 2 * m);
            QImage img = canvas(24, 8);
            draw(im.get(), img);
            expectUpright(im.get(), img, 1, 1, m);
        }
    }
}

// Screens convert only the visible part of the bitmap; a painter with a
// transform (a printer's) still maps the whole bitmap through Qt. Both must
// put the same pixels at every magnification, however the rectangle sits.
TEST(DrawImage, VisiblePartEqualsTheWholeBitmapDrawnByThePainter) {
    ensureApp();
    constexpr int kShift = 7;
    for (int32_t type : {MT_BINARY, MT_4BITS, MT_UCHAR, MT_RGB}) {
        ImagePtr im = makeImage(37, 23, type);
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 37; ++x) {
                if (type == MT_RGB)
                    IMSetRgb(im.get(), x, y, uint32_t(0x10305 * (x + 37 * y)) & 0xFFFFFF);
                else
                    IMSetReal(im.get(), x, y, (x * 7 + y * 3) % (type == MT_BINARY ? 2 : type == MT_4BITS ? 16 : 256));
            }
        IMDefaultRange(im.get(), 0);
        IMPrepareBitmap(im.get());
        if (type != MT_RGB) setTestPalette(im.get());
        // Magnifications 1/4 .. 8 and rectangles partly off the device.
        const QRect rects[] = {{3, 2, 37, 23},     {-20, -9, 148, 92},  {5, 4, 296, 184},
                               {0, 0, 18, 11},     {-4, 6, 74, 46},     {2, 1, 9, 5}};
        for (const QRect& r : rects) {
            IMSetDrawRect(im.get(), r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
            QImage screen = canvas(120, 80);
            draw(im.get(), screen);
            QImage printed = canvas(120 + kShift, 80 + kShift);
            {
                QPainter p(&printed);
                p.translate(kShift, kShift);
                IMDrawImage(im.get(), &p);
            }
            for (int y = 0; y < 80; ++y)
                for (int x = 0; x < 120; ++x)
                    ASSERT_EQ(rgbAt(screen, x, y), rgbAt(printed, x + kShift, y + kShift))
                        << "type " << type << " rect " << r.x() << "," << r.y() << " " << r.width()
                        << "x" << r.height() << " at " << x << "," << y;
        }
    }
}

// Only the clip is painted: outside it the device keeps what it had.
TEST(DrawImage, PaintsNothingOutsideTheClip) {
    ensureApp();
    ImagePtr im = makeImage(16, 16, MT_UCHAR);
    prepareRamp(im.get());
    IMSetDrawRect(im.get(), 0, 0, 64, 64);
    QImage img = canvas(64, 64);
    {
        QPainter p(&img);
        p.setClipRect(QRect(8, 8, 16, 16));
        IMDrawImage(im.get(), &p);
    }
    EXPECT_EQ(img.pixel(7, 7), kBackground);
    EXPECT_EQ(img.pixel(24, 24), kBackground);
    EXPECT_EQ(rgbAt(img, 8, 8), testColour(IMBmpVal(im.get(), 2, 13)));
    EXPECT_EQ(rgbAt(img, 23, 23), testColour(IMBmpVal(im.get(), 5, 10)));
}

TEST(DrawImage, SelectionFrameInvertsAndDrawingItTwiceRestores) {
    ensureApp();
    ImagePtr im = makeImage(10, 10, MT_UCHAR);
    prepareRamp(im.get());
    IMSetDrawRect(im.get(), 0, 0, 20, 20);
    QImage plain = canvas(20, 20);
    draw(im.get(), plain);

    IMSetSelectedRect(im.get(), 2, 3, 6, 8); // window columns 4..11, rows 4..13
    QImage framed = canvas(20, 20);
    draw(im.get(), framed);
    EXPECT_EQ(rgbAt(framed, 4, 4), ~rgbAt(plain, 4, 4) & 0xFFFFFFu);
    EXPECT_EQ(rgbAt(framed, 11, 13), ~rgbAt(plain, 11, 13) & 0xFFFFFFu);
    EXPECT_EQ(rgbAt(framed, 8, 13), ~rgbAt(plain, 8, 13) & 0xFFFFFFu);
    EXPECT_EQ(rgbAt(framed, 5, 5), rgbAt(plain, 5, 5));
    EXPECT_EQ(rgbAt(framed, 12, 4), rgbAt(plain, 12, 4));
    EXPECT_EQ(rgbAt(framed, 4, 14), rgbAt(plain, 4, 14));
    {
        QPainter p(&framed);
        EXPECT_EQ(IMDrawSelectedRect(im.get(), &p), 1);
    }
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(rgbAt(framed, x, y), rgbAt(plain, x, y));

    IMSetSelectedRect(im.get(), 0, 0, 0, 0);
    QPainter p(&framed);
    EXPECT_EQ(IMDrawSelectedRect(im.get(), &p), 0);
}

TEST(DrawImage, OverlaysAreDrawnTopDown) {
    ensureApp();
    ImagePtr im = makeImage(40, 40, MT_UCHAR);
    prepareRamp(im.get());
    IMAddLineObject(im.get(), 5, 0, 30, 0, 0xFF0000, 1); // along image row 0
    QImage img = canvas(40, 40);
    draw(im.get(), img);
    EXPECT_EQ(rgbAt(img, 20, 39), 0xFF0000u); // the bottom window row
    EXPECT_NE(rgbAt(img, 20, 0), 0xFF0000u);
}

TEST(DrawPixel, FillsOneBlockAtTheMagnification) {
    ensureApp();
    ImagePtr im = makeImage(4, 4, MT_UCHAR);
    prepareRamp(im.get());
    IMSetDrawRect(im.get(), 0, 0, 12, 12);
    QImage img = canvas(12, 12);
    IMSetBmpVal(im.get(), 1, 0, 200);
    {
        QPainter p(&img);
        IMDrawPixel(im.get(), &p, 1, 0);
    }
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool inBlock = x >= 3 && x < 6 && y >= 9;
            ASSERT_EQ(rgbAt(img, x, y), inBlock ? testColour(200) : kBackground & 0xFFFFFFu)
                << x << "," << y;
        }
    IMSetDrawRect(im.get(), 0, 0, 4, 4);
    QImage one = canvas(4, 4);
    {
        QPainter p(&one);
        IMDrawPixel(im.get(), &p, 1, 0);
    }
    EXPECT_EQ(rgbAt(one, 1, 3), testColour(200));
    EXPECT_EQ(rgbAt(one, 2, 3), kBackground & 0xFFFFFFu);
    EXPECT_EQ(rgbAt(one, 1, 2), kBackground & 0xFFFFFFu);
}

} // namespace
