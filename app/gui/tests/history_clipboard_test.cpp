// Undo and redo of changes in place, the clipboard, the line profile and the
// round brush.
#include "command_fixture.h"

#include "brush_style_wnd.h"
#include "image_clipboard.h"
#include "profile_wnd.h"
#include "result_frame.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <qd/prcs.h>

namespace {

using qd::MenuProcess;

class HistoryTest : public CommandTest {
  protected:
    // A 64 x 64 float image drawn 1:1: window (x, y) is image (x, 64 - y).
    CChildFrame* open64(int type = MT_FLOAT) {
        Matrix m = noiseMatrix(64, 64, type, 3);
        CChildFrame* f = openMatrix(m.get());
        IMSetDrawRect(f->view()->image(), 0, 0, 64, 64);
        return f;
    }
    void brush(const char* size, const char* value, bool circle = false) {
        frame->setTool(qd::IdBrushCursor);
        CBrushStyleWnd* b = frame->brushBar();
        b->shapeBox()->setCurrentIndex(circle ? 1 : 0);
        b->sizeField()->setText(size);
        b->valueField(0)->setText(value);
    }
    // One stroke through the points (window coordinates).
    void stroke(CQDView* v, std::initializer_list<QPoint> points) {
        auto p = points.begin();
        mouse(v, QEvent::MouseButtonPress, *p);
        for (++p; p != points.end(); ++p) mouse(v, QEvent::MouseMove, *p);
        mouse(v, QEvent::MouseButtonRelease, *(points.end() - 1));
    }
    static Matrix copyOf(MTHANDLE m) { return Matrix(Duplicate2D(m, nullptr)); }
    QString undoText() const {
        frame->updateEditCommands();
        return frame->namedAction("Undo")->text();
    }
};

TEST_F(HistoryTest, StrokesAndTransformsUndoAndRedoExactly) {
    CChildFrame* f = open64();
    CQDView* v = f->view();
    MTHANDLE data = dataOf(f);
    std::vector<Matrix> states;
    states.push_back(copyOf(data));
    brush("3", "500");
    stroke(v, {{10, 10}, {20, 12}, {30, 14}});
    states.push_back(copyOf(data));
    EXPECT_EQ(undoText(), "&Undo Brush\tCtrl+Z");
    run(MenuProcess, "Transform|X mirror");
    states.push_back(copyOf(data));
    brush("1", "-7");
    stroke(v, {{40, 40}, {41, 41}});
    states.push_back(copyOf(data));
    run(MenuProcess, "Transform|Exchange Axes");
    states.push_back(copyOf(data));
    EXPECT_EQ(undoText(), "&Undo Exchange Axes\tCtrl+Z");

    for (int i = int(states.size()) - 2; i >= 0; --i) {
        frame->editUndo();
        EXPECT_TRUE(sameMatrix(data, states[size_t(i)].get())) << "undo to state " << i;
    }
    EXPECT_FALSE(frame->namedAction("Undo")->isEnabled());
    for (size_t i = 1; i < states.size(); ++i) {
        frame->editRedo();
        EXPECT_TRUE(sameMatrix(data, states[i].get())) << "redo to state " << i;
    }
    EXPECT_FALSE(frame->namedAction("Redo")->isEnabled());
}

TEST_F(HistoryTest, DisplayChangesAndNegativeOfSignedValuesComeBack) {
    CChildFrame* f = open64(MT_SHORT);
    IMHANDLE im = f->view()->image();
    MTSetReal(dataOf(f), 0, 0, -32768); // its negative saturates: no way back but the copy
    const Matrix original = copyOf(dataOf(f));
    const double initial = IMGetInitialValue(im), final = IMGetFinalValue(im);
    run(MenuProcess, "Transform|Negative");
    run(MenuProcess, "Transform|Byte swap");
    EXPECT_FALSE(sameMatrix(dataOf(f), original.get()));
    frame->editUndo();
    frame->editUndo();
    EXPECT_TRUE(sameMatrix(dataOf(f), original.get()));
    EXPECT_EQ(IMGetInitialValue(im), initial);
    EXPECT_EQ(IMGetFinalValue(im), final);
}

TEST_F(HistoryTest, TheSavedStateAndANewChangeAfterUndo) {
    CChildFrame* f = open64();
    CQDDoc* doc = f->document();
    ASSERT_TRUE(doc->saveToPath(path("a.qdw")));
    EXPECT_EQ(doc->notSaved(), 0);
    run(MenuProcess, "Transform|X mirror");
    run(MenuProcess, "Transform|Y mirror");
    EXPECT_EQ(doc->notSaved(), 1);
    frame->editUndo();
    frame->editUndo();
    EXPECT_EQ(doc->notSaved(), 0) << "back where the file is";
    frame->editRedo();
    EXPECT_EQ(doc->notSaved(), 1);
    // A new change after undo: the step that could be redone is gone, and
    // with it the way back to a state the file does not hold.
    run(MenuProcess, "Transform|Negative");
    EXPECT_FALSE(doc->history().canRedo());
    EXPECT_EQ(doc->history().count(), 2);
}

TEST_F(HistoryTest, TheMemoryBoundDropsTheOldestSteps) {
    CChildFrame* a = open64();
    CChildFrame* b = open64();
    // Each cut of a 10 x 10 float selection keeps 2 x 400 bytes.
    app->undoBudget().setLimit(2000);
    auto cut = [&](CChildFrame* f) {
        mdiActivate(f);
        IMSetSelectedRect(f->view()->image(), 5, 5, 15, 15);
        frame->editCut();
    };
    cut(a);
    cut(b);
    EXPECT_EQ(a->document()->history().count(), 1);
    cut(b); // 2400 bytes: a's, the oldest, goes
    EXPECT_EQ(a->document()->history().count(), 0);
    EXPECT_EQ(b->document()->history().count(), 2);
    EXPECT_LE(app->undoBudget().used(), 2000);
    // Below the oldest step there is no way back to the file.
    EXPECT_EQ(a->document()->notSaved(), 1);
}

TEST_F(HistoryTest, PlugInChangesAreOneStep) {
    CChildFrame* f = open64(MT_UCHAR);
    const Matrix original = copyOf(dataOf(f));
    app->runPlugIn("Invert", [&] { IMInverse(f->view()->image()); });
    EXPECT_EQ(f->document()->history().undoName(), "Invert");
    frame->editUndo();
    EXPECT_TRUE(sameMatrix(dataOf(f), original.get()));
    // A change to the shown levels alone comes back too.
    MTHANDLE bits = IMGetBmpBitsHandle(f->view()->image());
    const Matrix shown = copyOf(bits);
    app->runPlugIn("Levels", [&] { MTSetReal(bits, 3, 4, 255 - MTReal(bits, 3, 4)); });
    frame->editUndo();
    EXPECT_TRUE(sameMatrix(bits, shown.get()));
}

TEST_F(HistoryTest, ClipboardRoundTripsEveryTypeAndTakesForeignPictures) {
    for (int type : {MT_BINARY, MT_4BITS, MT_CHAR, MT_UCHAR, MT_SHORT, MT_USHORT, MT_LONG, MT_ULONG, MT_FLOAT,
                     MT_DOUBLE, MT_COMPLEX8, MT_COMPLEX16, MT_RGB}) {
        SCOPED_TRACE(type);
        Matrix m = noiseMatrix(7, 5, type, unsigned(type));
        CChildFrame* src = openMatrix(m.get());
        IMSetSelectedRect(src->view()->image(), 1, 1, 5, 4);
        frame->editCopy();
        frame->editPaste();
        CChildFrame* pasted = frame->activeChild();
        ASSERT_NE(pasted, src);
        Matrix part = onSelection(src->view()->image(), [](MTHANDLE s) { return Duplicate2D(s, nullptr); });
        EXPECT_TRUE(sameMatrix(dataOf(pasted), part.get()));
        EXPECT_EQ(pasted->document()->notSaved(), 1);
    }

    // What another program put there: grey stays 8-bit grey, colour is RGB,
    // top row first.
    QImage grey(2, 2, QImage::Format_Grayscale8);
    grey.fill(0);
    grey.setPixel(0, 0, qRgb(9, 9, 9));
    QGuiApplication::clipboard()->setImage(grey);
    frame->editPaste();
    MTHANDLE g = dataOf(frame->activeChild());
    EXPECT_EQ(MTGetFlags(g), MT_UCHAR);
    EXPECT_EQ(MTReal(g, 0, 1), 9);
    QImage colour(1, 1, QImage::Format_RGB32);
    colour.setPixel(0, 0, qRgb(10, 20, 30));
    QGuiApplication::clipboard()->setImage(colour);
    frame->editPaste();
    EXPECT_EQ(MTRgb(dataOf(frame->activeChild()), 0, 0), 0x0A141Eu);
}

TEST_F(HistoryTest, CutCopiesThenFillsTheSelectionWithZero) {
    CChildFrame* f = open64();
    IMHANDLE im = f->view()->image();
    IMSetSelectedRect(im, 2, 3, 6, 5);
    const Matrix part = onSelection(im, [](MTHANDLE s) { return Duplicate2D(s, nullptr); });
    frame->editCut();
    EXPECT_EQ(MTReal(dataOf(f), 2, 3), 0);
    EXPECT_EQ(MTReal(dataOf(f), 5, 4), 0);
    EXPECT_NE(MTReal(dataOf(f), 6, 5), 0) << "outside the selection";
    IMHANDLE pasted = qd::imageFromMimeData(QGuiApplication::clipboard()->mimeData());
    ASSERT_NE(pasted, nullptr);
    EXPECT_TRUE(sameMatrix(IMGetDataHandle(pasted), part.get()));
    IMDestroy(pasted);
    frame->editUndo();
    EXPECT_TRUE(sameMatrix(part.get(), onSelection(im, [](MTHANDLE s) { return Duplicate2D(s, nullptr); }).get()));
}

TEST_F(HistoryTest, RoundBrushFootprints) {
    // Pixels whose centre lies within size / 2 of the stamp's.
    const std::vector<std::pair<const char*, int>> sizes = {{"1", 1}, {"2", 5}, {"5", 21}, {"8", 49}};
    for (const auto& [size, expected] : sizes) {
        SCOPED_TRACE(size);
        CChildFrame* f = openNew(64, 64, MT_UCHAR);
        IMSetDrawRect(f->view()->image(), 0, 0, 64, 64);
        brush(size, "1", true);
        stroke(f->view(), {{32, 32}});
        int painted = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) painted += MTReal(dataOf(f), x, y) == 1;
        EXPECT_EQ(painted, expected);
        EXPECT_EQ(MTReal(dataOf(f), 32, 32), 1);
    }
}

TEST_F(HistoryTest, TheProfileCursorPlotsTheLineWithItsCalibration) {
    Matrix m(MTCreate(8, 8, MT_SHORT));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) MTSetReal(m.get(), x, y, 10 * y + x);
    CChildFrame* f = openMatrix(m.get());
    IMHANDLE im = f->view()->image();
    IMSetDrawRect(im, 0, 0, 8, 8);
    IMSetScale(im, 0.5);
    IMSetXYUnit(im, "mm");
    IMSetGain(im, 2);
    IMSetOffset(im, 1);
    frame->setTool(qd::IdProfileCursor);
    // Window (1, 7) is image (1, 1); window (5, 3) is image (5, 5): a diagonal.
    mouse(f->view(), QEvent::MouseButtonPress, {1, 7});
    mouse(f->view(), QEvent::MouseMove, {5, 3});
    CProfileWnd* w = frame->profileWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    const qd::LineProfile& p = w->profile();
    ASSERT_EQ(p.count(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(p.value(i), 2 * (11 * (1 + i)) + 1) << i;
    EXPECT_DOUBLE_EQ(p.distance[4], std::hypot(4.0, 4.0) * 0.5);
    EXPECT_EQ(p.distanceUnit, "mm");
    w->resultButton()->click();
    EXPECT_EQ(resultLines().size(), 5);
    EXPECT_TRUE(resultLines()[0].startsWith("0\t23"));
    mouse(f->view(), QEvent::MouseButtonRelease, {5, 3});
}

} // namespace
