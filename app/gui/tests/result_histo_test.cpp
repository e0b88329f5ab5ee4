// The result window and the histogram window.
#include "gui_fixture.h"
#include "histo_frame.h"
#include "result_frame.h"

#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

class ResultTest : public GuiTest {};

TEST_F(ResultTest, LinesAndTextSaveWithWindowsLineEnds) {
    CResultFrame* r = frame->resultWindow();
    r->hide();
    app->addResultLine("mean 3");
    EXPECT_TRUE(r->isVisible());
    r->addText("a");
    r->addText("b\r\n");
    r->addLine("end");
    ASSERT_TRUE(r->saveTo(path("r.txt")));
    QFile f(path("r.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("mean 3\r\nab\r\nend\r\n"));
    f.close();

    frame->namedAction("ClearResult")->trigger();
    ASSERT_TRUE(r->saveTo(path("r.txt")));
    EXPECT_EQ(QFileInfo(path("r.txt")).size(), 0);
}

TEST_F(ResultTest, SaveResultThatCannotCreateTheFile) {
    dialogs = [this](QDialog& d) {
        static_cast<QFileDialog&>(d).selectFile(path("no/such/dir/r.txt"));
        d.done(QDialog::Accepted);
        return int(QDialog::Accepted);
    };
    frame->saveResult();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Cannot create file");
    EXPECT_EQ(boxes[0].title, "error");
}

class HistogramTest : public GuiTest {
  protected:
    // Opens an image with the given values (row by row from y = 0) and range.
    CQDView* openValues(int w, int h, int type, const std::vector<int>& values, double a,
                        double b) {
        IMHANDLE im = makeImage(w, h, type);
        for (int i = 0; i < w * h; ++i)
            IMSetRealInt(im, i % w, i / w, values[i]);
        IMSetInitialValue(im, a);
        IMSetFinalValue(im, b);
        return app->openImageWindow(im, 1)->view();
    }
    CHistoFrame* histo() { return frame->histogramWindow(); }
};

TEST_F(HistogramTest, BinaryImageShowsTwoBarsScaledToTheLargest) {
    // Twelve zeros and four ones.
    std::vector<int> v(16, 0);
    v[1] = v[5] = v[9] = v[13] = 1;
    openValues(4, 4, MT_BINARY, v, 0, 2);
    EXPECT_EQ(histo()->view(), frame->activeView());
    EXPECT_EQ(histo()->plotHeights(), QVector<int>({100, 33}));
}

TEST_F(HistogramTest, SixteenColoursOneBarEach) {
    // With the range 0..15 each value is its own level.
    std::vector<int> v = {0, 0, 0, 0, 3, 3, 15, 15};
    openValues(4, 2, MT_4BITS, v, 0, 15);
    const QVector<int> h = histo()->plotHeights();
    ASSERT_EQ(h.size(), 16);
    EXPECT_EQ(h[0], 100);
    EXPECT_EQ(h[3], 50);
    EXPECT_EQ(h[15], 50);
    EXPECT_EQ(h[1], 0);
}

TEST_F(HistogramTest, TwoFiftySixColoursPairBins) {
    // Values 0 (x3), 1 (x1) and 200 (x2) with the range 0..256: level
    // trunc(v * 255 / 256 + 0.5) puts 200 at level 199.
    std::vector<int> v = {0, 0, 0, 1, 200, 200};
    openValues(3, 2, MT_UCHAR, v, 0, 256);
    const QVector<int> h = histo()->plotHeights();
    ASSERT_EQ(h.size(), 128);
    EXPECT_EQ(h[0], 67);  // (3 + 1) / 2 / 3
    EXPECT_EQ(h[99], 33); // (0 + 2) / 2 / 3
    EXPECT_EQ(h[1], 0);
}

TEST_F(HistogramTest, DraggingOverThePlotSetsTheRange) {
    std::vector<int> v(16, 5);
    CQDView* view = openValues(4, 4, MT_UCHAR, v, 0, 256);
    mouse(histo(), QEvent::MouseButtonPress, {31, 50});
    mouse(histo(), QEvent::MouseMove, {21, 60});
    mouse(histo(), QEvent::MouseButtonRelease, {21, 60});
    // Columns 21..31: bins 2 * 21 - 22 = 20 up to 2 * 32 - 22 = 42.
    EXPECT_DOUBLE_EQ(IMGetInitialValue(view->image()), 20.0);
    EXPECT_DOUBLE_EQ(IMGetFinalValue(view->image()), 42.0);
    EXPECT_EQ(app->runningProcessingCount(), 0);

    // Bars of a 16-colour image are taken whole, far end clamped to the plot.
    CQDView* four = openValues(2, 1, MT_4BITS, {1, 2}, 0, 16);
    mouse(histo(), QEvent::MouseButtonPress, {30, 50}); // bar 2 (x 27..34)
    mouse(histo(), QEvent::MouseMove, {500, 50});
    mouse(histo(), QEvent::MouseButtonRelease, {500, 50});
    EXPECT_DOUBLE_EQ(IMGetInitialValue(four->image()), 2.0);
    EXPECT_DOUBLE_EQ(IMGetFinalValue(four->image()), 16.0);
}

TEST_F(HistogramTest, SlidersActAtOnceAndApplyFoldsThemIntoTheRange) {
    CQDView* view = openValues(2, 2, MT_UCHAR, {0, 1, 2, 3}, 0, 256);
    histo()->brightnessSlider()->setValue(10);
    EXPECT_EQ(IMGetBrightness(view->image()), 10);
    EXPECT_EQ(histo()->brightnessText()->text(), "10");
    histo()->apply();
    // g = 1, d = -1.92 * 10 = -19.2: from 0 + 1 * d, to 256 + 1 * (255 + d - 255).
    EXPECT_NEAR(IMGetInitialValue(view->image()), -19.2, 1e-9);
    EXPECT_NEAR(IMGetFinalValue(view->image()), 236.8, 1e-9);
    EXPECT_EQ(IMGetBrightness(view->image()), 0);
    EXPECT_EQ(histo()->brightnessSlider()->value(), 0);

    histo()->contrastSlider()->setValue(20);
    histo()->apply();
    // g = e, d = 127.5 - 127.5 / e.
    const double g = std::exp(1.0), d = 127.5 - 127.5 / g, r = 236.8 + 19.2;
    EXPECT_NEAR(IMGetInitialValue(view->image()), -19.2 + r / 256 * d, 1e-9);
    EXPECT_NEAR(IMGetFinalValue(view->image()), 236.8 + r / 256 * (255 / g + d - 255), 1e-9);

    // Nothing to fold.
    const double before = IMGetInitialValue(view->image());
    histo()->apply();
    EXPECT_DOUBLE_EQ(IMGetInitialValue(view->image()), before);
}

TEST_F(HistogramTest, FollowsTheActiveWindowAndEmptiesWhenTheLastCloses) {
    CChildFrame* f = app->openImageWindow(makeImage(4, 4, MT_UCHAR), 0);
    EXPECT_TRUE(histo()->brightnessSlider()->isEnabled());
    f->close();
    flush();
    EXPECT_EQ(histo()->view(), nullptr);
    EXPECT_FALSE(histo()->applyButton()->isEnabled());
    EXPECT_TRUE(histo()->plotHeights().isEmpty());
}

TEST_F(HistogramTest, PaintShowsTheBarsOnTheWhitePlot) {
    std::vector<int> v(16, 0);
    v[1] = v[5] = v[9] = v[13] = 1;
    openValues(4, 4, MT_BINARY, v, 0, 2); // bars of 64 pixels: 100 and 33 high
    const QImage shot = histo()->grab().toImage();
    shot.save(path("histo.png"));
    EXPECT_EQ(shot.pixel(5, 5) & 0xFFFFFF, 0xC0C0C0u);
    EXPECT_EQ(shot.pixel(10, 50) & 0xFFFFFF, 0u); // the outline
    EXPECT_EQ(shot.pixel(20, 111 - 99) & 0xFFFFFF, 0u);
    EXPECT_EQ(shot.pixel(100, 111 - 32) & 0xFFFFFF, 0u);
    EXPECT_EQ(shot.pixel(100, 111 - 40) & 0xFFFFFF, 0xFFFFFFu);
}
