#include "qd/grpobj.h"

#include "test_support.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

struct ObjectDeleter {
    void operator()(QDGraphicObject* o) const { GODestroy(o); }
};
using Object = std::unique_ptr<QDGraphicObject, ObjectDeleter>;

QImage whiteImage(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// Paints with a plain painter, the way the image window does.
QImage paint(GOHANDLE obj, int w, int h, int ox, int oy, int d, int m) {
    QImage img = whiteImage(w, h);
    QPainter painter(&img);
    GODraw(&painter, obj, ox, oy, d, m);
    return img;
}

// Colour runs along one column, top to bottom.
struct Run {
    QRgb colour;
    int length;
};
std::vector<Run> columnRuns(const QImage& img, int x) {
    std::vector<Run> runs;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb c = img.pixel(x, y);
        if (runs.empty() || runs.back().colour != c)
            runs.push_back({c, 1});
        else
            ++runs.back().length;
    }
    return runs;
}

// A horizontal line seen across: white, black border, colour, black border, white.
void expectBorderedLine(const QImage& img, int x, QRgb colour, int colourWidth, int borderEach) {
    const auto runs = columnRuns(img, x);
    ASSERT_EQ(runs.size(), 5u) << "column " << x;
    EXPECT_EQ(runs[0].colour, kWhite);
    EXPECT_EQ(runs[1].colour, kBlack);
    EXPECT_EQ(runs[1].length, borderEach);
    EXPECT_EQ(runs[2].colour, colour);
    EXPECT_EQ(runs[2].length, colourWidth);
    EXPECT_EQ(runs[3].colour, kBlack);
    EXPECT_EQ(runs[3].length, borderEach);
    EXPECT_EQ(runs[4].colour, kWhite);
}

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int count = 0;
};
template <class Match> Box boxWhere(const QImage& img, Match match) {
    Box b;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (match(img.pixel(x, y))) {
                b.left = std::min(b.left, x);
                b.right = std::max(b.right, x);
                b.top = std::min(b.top, y);
                b.bottom = std::max(b.bottom, y);
                ++b.count;
            }
    return b;
}

Box boxOf(const QImage& img, QRgb colour) {
    return boxWhere(img, [colour](QRgb c) { return c == colour; });
}

// Black or, where glyph edges are smoothed, nearly black.
Box darkBox(const QImage& img) {
    return boxWhere(img, [](QRgb c) { return qRed(c) < 64 && qGreen(c) < 64 && qBlue(c) < 64; });
}

Box inkBox(const QImage& img) {
    return boxWhere(img, [](QRgb c) { return c != kWhite; });
}

// Every pixel in the text's colour must have no background beside it.
int haloGaps(const QImage& img, QRgb colour) {
    int gaps = 0;
    for (int y = 1; y + 1 < img.height(); ++y)
        for (int x = 1; x + 1 < img.width(); ++x)
            if (img.pixel(x, y) == colour)
                for (const QPoint n :
                     {QPoint(x - 1, y), QPoint(x + 1, y), QPoint(x, y - 1), QPoint(x, y + 1)})
                    if (img.pixel(n) == kWhite) ++gaps;
    return gaps;
}

TEST(DrawLine, BlackBorderAroundTheColourAtMagnificationOne) {
    Object line(GOCreateLineObject(20, 50, 180, 50, 0xFF0000, 2));
    const QImage img = paint(line.get(), 200, 100, 0, 0, 1, 1);
    // Pen widths 2 and 4: one black row each side of two red rows.
    expectBorderedLine(img, 100, 0xFFFF0000, 2, 1);
    EXPECT_EQ(img.pixel(100, 49), 0xFFFF0000);
    EXPECT_EQ(img.pixel(100, 50), 0xFFFF0000);
}

TEST(DrawLine, PenWidthsScaleWithMagnificationThree) {
    Object line(GOCreateLineObject(20, 50, 180, 50, 0x0000FF, 2));
    const QImage img = paint(line.get(), 600, 300, 0, 0, 1, 3);
    // Pen widths 2*3 = 6 and 4*3 = 12 centred on row 150.
    expectBorderedLine(img, 300, 0xFF0000FF, 6, 3);
    EXPECT_EQ(img.pixel(300, 147), 0xFF0000FFu);
    EXPECT_EQ(img.pixel(300, 152), 0xFF0000FFu);
    EXPECT_EQ(img.pixel(300, 146), kBlack);
    // Round caps at the scaled ends (x 60 and 540): radius 3 in colour, 6 in black.
    EXPECT_EQ(img.pixel(57, 150), 0xFF0000FFu);
    EXPECT_EQ(img.pixel(56, 150), kBlack);
    EXPECT_EQ(img.pixel(54, 150), kBlack);
    EXPECT_EQ(img.pixel(53, 150), kWhite);
    EXPECT_EQ(img.pixel(547, 150), kWhite);
}

TEST(DrawLine, OriginAndDivisorMapCoordinatesWithTruncation) {
    // x = 5 + 11 * 3 / 2 = 21, y from 7 + 10 * 3 / 2 = 22 to 7 + 41 * 3 / 2 = 68.
    Object line(GOCreateLineObject(11, 10, 11, 41, 0x00FF00, 4));
    const QImage img = paint(line.get(), 60, 90, 5, 7, 2, 3);
    // Pen widths 4 * 3 / 2 = 6 and 6 * 3 / 2 = 9 around column 21.
    int green = 0, black = 0, firstGreen = -1;
    for (int x = 0; x < img.width(); ++x) {
        if (img.pixel(x, 45) == 0xFF00FF00) {
            ++green;
            if (firstGreen < 0) firstGreen = x;
        }
        if (img.pixel(x, 45) == kBlack) ++black;
    }
    EXPECT_EQ(green, 6);
    EXPECT_EQ(black, 3);
    EXPECT_EQ(firstGreen, 18);
    EXPECT_EQ(img.pixel(21, 22 + 1), 0xFF00FF00);
    EXPECT_EQ(img.pixel(21, 68 - 1), 0xFF00FF00);
    EXPECT_EQ(img.pixel(21, 14), kWhite);
    EXPECT_EQ(img.pixel(21, 76), kWhite);
}

TEST(DrawLine, ZeroDivisorOrNoPainterDrawsNothing) {
    Object line(GOCreateLineObject(0, 5, 50, 5, 0xFF0000, 3));
    EXPECT_EQ(paint(line.get(), 60, 10, 0, 0, 0, 1), whiteImage(60, 10));
    GODraw(nullptr, line.get(), 0, 0, 1, 1);
    QImage img = whiteImage(10, 10);
    QPainter painter(&img);
    GODraw(&painter, nullptr, 0, 0, 1, 1);
    painter.end();
    EXPECT_EQ(img, whiteImage(10, 10));
}

class DrawText : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { grptest::ensureGuiApp(); }
};

TEST_F(DrawText, ColouredTextWithBlackHaloCentredAtTheTop) {
    Object text(GOCreateTextObject(100, 50, "HHH", "DejaVu Sans", 20, 0, 0, 0x00FF00));
    const QImage img = paint(text.get(), 200, 100, 0, 0, 1, 1);
    const Box green = boxOf(img, 0xFF00FF00);
    ASSERT_GT(green.count, 30);
    EXPECT_GT(darkBox(img).count, 30);
    EXPECT_EQ(haloGaps(img, 0xFF00FF00), 0);
    // Rectangle (70, 38, 130, 62): centred on x 100, from row 38 down.
    EXPECT_NEAR((green.left + green.right) / 2.0, 100.0, 2.0);
    EXPECT_GE(green.top, 38);
    EXPECT_LT(green.top, 50);
    // Glyphs of a 20-pixel font: capital height well over half of it.
    EXPECT_GT(green.bottom - green.top, 10);
    EXPECT_LE(green.bottom - green.top, 20);
    // The halo reaches one pixel beyond the glyphs (two beyond their fully
    // coloured pixels where edges are smoothed), no further.
    const Box ink = inkBox(img);
    EXPECT_GE(ink.top, green.top - 2);
    EXPECT_LE(ink.top, green.top - 1);
    EXPECT_GE(ink.left, green.left - 2);
    EXPECT_LE(ink.left, green.left - 1);
    EXPECT_LE(ink.right, green.right + 2);
    EXPECT_GE(ink.right, green.right + 1);
    EXPECT_LE(ink.bottom, green.bottom + 2);
    EXPECT_GE(ink.bottom, green.bottom + 1);
}

TEST_F(DrawText, MagnificationThreeScalesTheFontAndPlace) {
    Object text(GOCreateTextObject(100, 50, "HHH", "DejaVu Sans", 20, 0, 0, 0x0000FF));
    const Box one = boxOf(paint(text.get(), 200, 100, 0, 0, 1, 1), 0xFF0000FF);
    const QImage big = paint(text.get(), 600, 300, 0, 0, 1, 3);
    const Box three = boxOf(big, 0xFF0000FF);
    ASSERT_GT(three.count, 0);
    EXPECT_NEAR((three.left + three.right) / 2.0, 300.0, 3.0);
    EXPECT_GE(three.top, 114);
    const double ratio = double(three.bottom - three.top) / double(one.bottom - one.top);
    EXPECT_GT(ratio, 2.6);
    EXPECT_LT(ratio, 3.4);
    EXPECT_EQ(haloGaps(big, 0xFF0000FF), 0);
}

TEST_F(DrawText, BoldAndItalicAreHonoured) {
    Object plain(GOCreateTextObject(100, 50, "HHH", "DejaVu Sans", 30, 0, 0, 0xFF0000));
    Object bold(GOCreateTextObject(100, 50, "HHH", "DejaVu Sans", 30, 1, 0, 0xFF0000));
    Object italic(GOCreateTextObject(100, 50, "HHH", "DejaVu Sans", 30, 0, 1, 0xFF0000));
    const QImage p = paint(plain.get(), 200, 100, 0, 0, 1, 1);
    const QImage b = paint(bold.get(), 200, 100, 0, 0, 1, 1);
    const QImage i = paint(italic.get(), 200, 100, 0, 0, 1, 1);
    const int plainCount = boxOf(p, 0xFFFF0000).count;
    EXPECT_GT(boxOf(b, 0xFFFF0000).count, plainCount * 5 / 4);
    // Slanted stems: the top row of an italic H starts further right than its
    // bottom row.
    auto firstRedInRow = [](const QImage& img, int y) {
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == 0xFFFF0000) return x;
        return -1;
    };
    const Box ib = boxOf(i, 0xFFFF0000);
    EXPECT_GT(firstRedInRow(i, ib.top + 1) - firstRedInRow(i, ib.bottom - 1), 1);
    const Box pb = boxOf(p, 0xFFFF0000);
    EXPECT_EQ(firstRedInRow(p, pb.top + 1), firstRedInRow(p, pb.bottom - 1));
}

// Records from files may hold any coordinates; drawing them must stay safe.
TEST_F(DrawText, ExtremeCoordinatesDrawWithoutFault) {
    Object text(GOCreateTextObject(INT_MIN, INT_MAX, "far", "DejaVu Sans", INT_MAX, 1, 1, 0xFF));
    Object line(GOCreateLineObject(INT_MIN, 5, INT_MAX, 5, 0xFF0000, INT_MAX));
    Object wide(GOCreateTextObject(0, 0, "wide", "", 1, 0, 0, 0xFF));
    GOMoveDrawRect(wide.get(), INT_MIN, INT_MIN);
    for (GOHANDLE obj : {text.get(), line.get(), wide.get()}) {
        paint(obj, 40, 20, 0, 0, 1, 1);
        paint(obj, 40, 20, INT_MAX, INT_MIN, -1, INT_MAX);
    }
    // A line through the picture at huge magnification still covers it.
    Object through(GOCreateLineObject(-1000, 0, 1000, 0, 0xFF0000, 1));
    const QImage img = paint(through.get(), 40, 20, 20, 0, 1, 1000000);
    EXPECT_EQ(img.pixel(20, 5), 0xFFFF0000);
}

TEST_F(DrawText, PainterStateIsRestored) {
    Object text(GOCreateTextObject(50, 20, "abc", "DejaVu Serif", 12, 1, 1, 0xFF00FF));
    Object line(GOCreateLineObject(0, 0, 40, 40, 0xFF00FF, 3));
    QImage img = whiteImage(100, 50);
    QPainter painter(&img);
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(7);
    painter.setFont(font);
    painter.setPen(QPen(Qt::cyan, 5));
    painter.setBackgroundMode(Qt::OpaqueMode);
    GODraw(&painter, text.get(), 0, 0, 1, 1);
    GODraw(&painter, line.get(), 0, 0, 1, 1);
    EXPECT_EQ(painter.font(), font);
    EXPECT_EQ(painter.pen(), QPen(Qt::cyan, 5));
    EXPECT_EQ(painter.backgroundMode(), Qt::OpaqueMode);
}

} // namespace
