// The view: zoom, mouse tools and their status texts, the brush.
#include "brush_style_wnd.h"
#include "gui_fixture.h"
#include "print_page.h"

#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRect>
#include <QScrollBar>
#include <QWheelEvent>

class ViewTest : public GuiTest {
  protected:
    // A 64 x 64 image drawn 1:1 at the client origin: window (x, y) is image
    // (x, 64 - y).
    CQDView* open64(int type = MT_UCHAR) {
        CChildFrame* f = openNew(64, 64, type);
        return f->view();
    }
    static QDRECT drawRect(CQDView* v) { return IMGetDrawRect(v->image()); }
    // Drags the select tool; the selection as a QRect (right and bottom
    // inclusive), and the status text during the drag.
    QRect dragSelect(CQDView* v, QPoint from, QPoint to,
                     Qt::KeyboardModifiers mods = Qt::NoModifier) {
        frame->setTool(qd::IdSelectCursor);
        mouse(v, QEvent::MouseButtonPress, from, Qt::LeftButton, mods);
        mouse(v, QEvent::MouseMove, to, Qt::LeftButton, mods);
        dragStatus = frame->statusText(0);
        mouse(v, QEvent::MouseButtonRelease, to, Qt::LeftButton, mods);
        const QDRECT s = IMGetSelectedRect(v->image());
        return QRect(QPoint(s.left, s.top), QPoint(s.right - 1, s.bottom - 1));
    }
    QString dragStatus;
};

TEST_F(ViewTest, ZoomKeepsThePointAndRespectsTheLimits) {
    CChildFrame* f = openNew(100, 50, MT_UCHAR, 0, "z");
    CQDView* v = f->view();
    ASSERT_TRUE(v->zoomIn(QPoint(10, 20)));
    QDRECT r = drawRect(v);
    EXPECT_EQ(r.left, -10);
    EXPECT_EQ(r.top, -20);
    EXPECT_EQ(r.right, 190);
    EXPECT_EQ(r.bottom, 80);
    EXPECT_EQ(f->windowTitle(), "z : 100 X 50  <2:1>");
    EXPECT_EQ(frame->windowTitle(), "Quidora v1.02b - [z : 100 X 50  <2:1>]");

    ASSERT_TRUE(v->zoomOut(QPoint(10, 20)));
    r = drawRect(v);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 100);
    EXPECT_EQ(r.bottom, 50);
    EXPECT_EQ(f->windowTitle(), "z : 100 X 50  <1:1>");

    // 50 high halves to 25, and 25 is odd: no further.
    ASSERT_TRUE(v->zoomOut(QPoint(0, 0)));
    EXPECT_FALSE(v->zoomOut(QPoint(0, 0)));
    EXPECT_EQ(f->windowTitle(), "z : 100 X 50  <1:2>");

    IMSetDrawRect(v->image(), 0, 0, 8000, 4000);
    EXPECT_TRUE(v->zoomIn(QPoint(0, 0)));
    EXPECT_EQ(drawRect(v).right, 16000);
    EXPECT_FALSE(v->zoomIn(QPoint(0, 0)));
}

TEST_F(ViewTest, ZoomToolUsesLeftAndRightButtons) {
    CQDView* v = open64();
    frame->setTool(qd::IdZoomCursor);
    mouse(v, QEvent::MouseButtonPress, {8, 8});
    mouse(v, QEvent::MouseButtonRelease, {8, 8});
    EXPECT_EQ(drawRect(v).right - drawRect(v).left, 128);
    mouse(v, QEvent::MouseButtonPress, {8, 8}, Qt::RightButton);
    mouse(v, QEvent::MouseButtonRelease, {8, 8}, Qt::RightButton);
    EXPECT_EQ(drawRect(v).right - drawRect(v).left, 64);
    EXPECT_EQ(drawRect(v).left, 0);
}

TEST_F(ViewTest, SelectDragSetsTheNormalisedSelection) {
    CQDView* v = open64();
    EXPECT_EQ(dragSelect(v, {10, 10}, {30, 40}), QRect(QPoint(10, 24), QPoint(29, 53)));
    EXPECT_EQ(dragStatus, "(10, 54) -> 20 X 30");
}

TEST_F(ViewTest, PaintShowsTheImageAndOneInvertedSelectionFrame) {
    CQDView* v = open64();
    IMSetSelectedRect(v->image(), 10, 24, 30, 54); // window rectangle (10, 10) - (30, 40)
    QCoreApplication::processEvents();
    const QImage shot = v->grab().toImage();
    EXPECT_EQ(shot.pixel(20, 20) & 0xFFFFFF, 0u); // all values 0: black
    EXPECT_EQ(shot.pixel(10, 20) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(shot.pixel(20, 10) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(ViewTest, SelectWithCtrlSnapsToPowersOfTwo) {
    CQDView* v = open64();
    // x: distance 20 gives 16; y: distance 30 gives 16 downwards in the image.
    EXPECT_EQ(dragSelect(v, {10, 10}, {30, 40}, Qt::ControlModifier),
              QRect(QPoint(10, 38), QPoint(25, 53)));
    EXPECT_EQ(dragStatus, "(10, 54) -> 16 X 16");
}

TEST_F(ViewTest, PixelTextInsideAndOutsideTheImage) {
    CQDView* v = open64();
    IMSetRealInt(v->image(), 5, 60, 77);
    char expected[64] = {};
    IMValueToString(v->image(), 5, 60, expected);
    mouse(v, QEvent::MouseMove, {5, 4});
    EXPECT_EQ(frame->statusText(0), QString("(5, 60)    ") + expected);
    IMMoveDrawRect(v->image(), 20, 0);
    mouse(v, QEvent::MouseMove, {5, 4});
    EXPECT_EQ(frame->statusText(0), "");
}

TEST_F(ViewTest, MeasurementShowsDistanceTimesScaleAndUnit) {
    CQDView* v = open64();
    IMSetScale(v->image(), 0.5);
    IMSetXYUnit(v->image(), "mm");
    frame->setTool(qd::IdMeasureCursor);
    mouse(v, QEvent::MouseButtonPress, {10, 10});
    mouse(v, QEvent::MouseMove, {13, 14});
    EXPECT_EQ(frame->statusText(0), "(10, 54) -> (13, 50)  : 2.500e+00 mm");

    // At 2:1 screen distances are halved, truncated to whole pixels.
    v->zoomIn(QPoint(0, 0));
    mouse(v, QEvent::MouseButtonRelease, {13, 14});
    mouse(v, QEvent::MouseButtonPress, {10, 10});
    mouse(v, QEvent::MouseMove, {17, 10});
    EXPECT_TRUE(frame->statusText(0).endsWith(": 1.500e+00 mm"))
        << frame->statusText(0).toStdString();
}

TEST_F(ViewTest, MoveToolShiftsTheDrawRectangle) {
    CQDView* v = open64();
    frame->setTool(qd::IdMoveCursor);
    mouse(v, QEvent::MouseButtonPress, {10, 10});
    mouse(v, QEvent::MouseMove, {15, 13});
    mouse(v, QEvent::MouseButtonRelease, {15, 13});
    EXPECT_EQ(drawRect(v).left, 5);
    EXPECT_EQ(drawRect(v).top, 3);
}

TEST_F(ViewTest, WheelAndKeysScrollThePicture) {
    CQDView* v = open64();
    QWheelEvent down(QPointF(5, 5), v->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(v, &down);
    EXPECT_EQ(drawRect(v).top, -30);
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QCoreApplication::sendEvent(v, &right);
    EXPECT_EQ(drawRect(v).left, -16);
    EXPECT_EQ(drawRect(v).right - drawRect(v).left, 64);
}

TEST_F(ViewTest, ScrollBarsAppearForALargerPictureAndMoveIt) {
    CQDView* v = open64();
    QCoreApplication::processEvents();
    v->repaint();
    EXPECT_FALSE(v->horizontalBar()->isVisible());
    v->zoomIn(QPoint(0, 0)); // 128 x 128 in a 64 x 64 window
    v->repaint();
    ASSERT_TRUE(v->horizontalBar()->isVisible());
    EXPECT_TRUE(v->verticalBar()->isVisible());
    EXPECT_EQ(v->horizontalBar()->minimum(), 0);
    EXPECT_EQ(v->horizontalBar()->maximum(), 128 - (64 - v->verticalBar()->width()));
    v->horizontalBar()->setValue(10);
    v->verticalBar()->setValue(20);
    EXPECT_EQ(drawRect(v).left, -10);
    EXPECT_EQ(drawRect(v).top, -20);
    EXPECT_EQ(drawRect(v).right, 118);
}

class BrushTest : public ViewTest {
  protected:
    void paintAt(CQDView* v, QPoint p, const char* size, const QStringList& values) {
        frame->setTool(qd::IdBrushCursor);
        CBrushStyleWnd* b = frame->brushBar();
        b->sizeField()->setText(size);
        for (int i = 0; i < values.size(); ++i)
            b->valueField(i)->setText(values[i]);
        mouse(v, QEvent::MouseButtonPress, p);
        mouse(v, QEvent::MouseButtonRelease, p);
    }
};

TEST_F(BrushTest, GreyStampCoversTheSquareInsideTheImage) {
    CQDView* v = open64();
    v->document()->setNotSaved(0);
    paintAt(v, {1, 62}, "3", {"9"}); // image (1, 2): the square is clipped at x = -1
    int painted = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool inside = x <= 2 && y >= 1 && y <= 3;
            EXPECT_EQ(IMRealInt(v->image(), x, y), inside ? 9 : 0) << x << "," << y;
            painted += inside;
        }
    EXPECT_EQ(painted, 9);
    EXPECT_EQ(v->document()->notSaved(), 1);
    EXPECT_EQ(frame->brushBar()->valueLabel(0)->text(), "real");
    EXPECT_FALSE(frame->brushBar()->valueField(1)->isEnabled());
}

TEST_F(BrushTest, ComplexAndRgbStamps) {
    CQDView* c = open64(MT_COMPLEX8);
    paintAt(c, {20, 20}, "1", {"1.5", "-2"});
    MTCOMPLEX z = IMComplex(c->image(), 20, 44);
    EXPECT_DOUBLE_EQ(z.re, 1.5);
    EXPECT_DOUBLE_EQ(z.im, -2);
    EXPECT_DOUBLE_EQ(IMComplex(c->image(), 21, 44).re, 0);
    EXPECT_EQ(frame->brushBar()->valueLabel(1)->text(), "imaginary");

    CQDView* rgb = open64(MT_RGB);
    paintAt(rgb, {20, 20}, "2", {"255", "128", "1"}); // size 2 paints 3 x 3, as size 3
    EXPECT_EQ(IMRgb(rgb->image(), 20, 44), 0xFF8001u);
    EXPECT_EQ(IMRgb(rgb->image(), 21, 45), 0xFF8001u);
    EXPECT_EQ(IMRgb(rgb->image(), 22, 44), 0u);
    EXPECT_EQ(frame->brushBar()->valueLabel(2)->text(), "B");
}

TEST(PrintPageTest, LargestWholeFactorInsideTheMarginCentredHorizontally) {
    // 1000 x 2000 page: 800 x 1600 inside the margins; 100 x 50 fits 8 times.
    QRect r = qd::printTarget({1000, 2000}, {100, 50}, 300, 300);
    EXPECT_EQ(r, QRect(100, 200, 800, 400));
    // Twice the vertical resolution: rows are stretched to stay square on
    // paper, so the height limits the factor (50 * 2 * f <= 1600: f = 16, but
    // 100 * f <= 800 keeps it at 8).
    r = qd::printTarget({1000, 2000}, {100, 50}, 300, 600);
    EXPECT_EQ(r, QRect(100, 200, 800, 800));
    r = qd::printTarget({1000, 2000}, {100, 150}, 300, 600);
    EXPECT_EQ(r, QRect(250, 200, 500, 1500)); // 150 * 2 * 5 = 1500 <= 1600
    // An image larger than the page still prints at factor 1.
    r = qd::printTarget({100, 100}, {300, 10}, 72, 72);
    EXPECT_EQ(r.width(), 300);
    EXPECT_EQ(r.left(), -100);
}
