// The image menu's commands: enabling rules, the new-image pattern, the
// in-place changes, and results equal to the library calls.
#include "command_fixture.h"

#include "display_setup_page.h"
#include "histo_frame.h"
#include "kernel_select_page.h"
#include "kernel_sheet.h"
#include "resize_dialog.h"
#include "simple_math_dialog.h"

#include <QComboBox>
#include <QCheckBox>
#include <QRadioButton>
#include <QLineEdit>
#include <qd/fourier.h>
#include <qd/prcs.h>
#include <qd/wavelet.h>

namespace {

using qd::MenuAnalysis;
using qd::MenuColorProcess;
using qd::MenuImage;
using qd::MenuProcess;

int32_t diamond[9] = {0, 1, 0, 1, 1, 1, 0, 1, 0};
const MMKERNEL kDiamond = {"Diamond (3 X 3)", 3, diamond};
const double kGaussian[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};

// Picks the convolution library's "Gaussian" in a kernel sheet.
void chooseGaussian(QDialog& d) {
    auto* sheet = qobject_cast<CKernelSheet*>(&d);
    ASSERT_NE(sheet, nullptr);
    sheet->kernelPage()->kernels()->setCurrentIndex(1);
}

class CommandsTest : public CommandTest {
  protected:
    // A 16 x 12 short image with the 8 x 8 selection at (4, 2).
    CChildFrame* selectedSource() {
        Matrix m = noiseMatrix(16, 12, MT_SHORT);
        CChildFrame* f = openMatrix(m.get(), "source");
        IMSetSelectedRect(f->view()->image(), 4, 2, 12, 10);
        return f;
    }
};

TEST_F(CommandsTest, EnablingRulesFollowTheElementType) {
    // One item per rule: not RGB, binary, not binary, grey, real grey, complex, wide, always.
    const std::vector<std::pair<int, QString>> items = {
        {MenuProcess, "Filter|Median Filter"},       {MenuProcess, "Morphology|Outline"},
        {MenuImage, "Grey Scale"},                   {MenuProcess, "Morphology|Auto Thresholding"},
        {MenuImage, "Change Display Type"},          {MenuProcess, "Complex|Real Part"},
        {MenuProcess, "Transform|Byte swap"},        {MenuImage, "Duplicate"},
    };
    const std::vector<std::pair<int, std::string>> expected = {
        {MT_BINARY, "11000001"}, {MT_4BITS, "10110001"},    {MT_UCHAR, "10111001"},
        {MT_SHORT, "10111011"},  {MT_FLOAT, "10111011"},    {MT_COMPLEX8, "10111111"},
        {MT_RGB, "00100011"},
    };
    for (const auto& [type, rules] : expected) {
        SCOPED_TRACE(type);
        openNew(4, 4, type);
        for (size_t i = 0; i < items.size(); ++i)
            EXPECT_EQ(enabled(items[i].first, items[i].second), rules[i] == '1') << items[i].second.toStdString();
    }
    openNew(256, 128, MT_UCHAR);
    EXPECT_FALSE(enabled(MenuProcess, "Transform|Exchange Axes"));
    openNew(128, 128, MT_UCHAR);
    EXPECT_TRUE(enabled(MenuProcess, "Transform|Exchange Axes"));
}

TEST_F(CommandsTest, WindowCountRulesLookAtEveryOpenImage) {
    openNew(4, 4, MT_RGB);
    EXPECT_FALSE(enabled(MenuProcess, "Math|Image Math"));
    EXPECT_FALSE(enabled(MenuProcess, "RGB|Combine RGB"));
    CChildFrame* fourBits = openNew(4, 4, MT_4BITS);
    openNew(4, 4, MT_RGB); // the active window's own type does not matter
    EXPECT_TRUE(enabled(MenuProcess, "Math|Image Math"));
    EXPECT_FALSE(enabled(MenuProcess, "RGB|Combine RGB")) << "a 4-bit image gives no channel";
    openNew(4, 4, MT_USHORT);
    EXPECT_TRUE(enabled(MenuProcess, "RGB|Combine RGB"));
    fourBits->close();
    flush();
    EXPECT_TRUE(enabled(MenuProcess, "Math|Image Math"));
}

TEST_F(CommandsTest, PlainCommandsGiveTheLibraryResultOfTheSelection) {
    CChildFrame* src = selectedSource();
    IMHANDLE im = src->view()->image();
    struct Case {
        int menu;
        const char* path;
        std::function<MTHANDLE(MTHANDLE)> direct;
        int drawType;
    };
    const std::vector<Case> cases = {
        {MenuImage, "Duplicate", [](MTHANDLE m) { return Duplicate2D(m, nullptr); }, 0},
        {MenuProcess, "Morphology|Edge Detect", [](MTHANDLE m) { return StEdgeDetect2D(m, nullptr); }, 0},
        {MenuProcess, "Fourier|FT", [](MTHANDLE m) { return RealFt2D(m, nullptr); }, 17},
        {MenuProcess, "Fourier|Auto-Correlation", [](MTHANDLE m) { return AutoCorrelation2D(m, nullptr); }, 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        mdiActivate(src);
        CChildFrame* out = run(c.menu, c.path);
        ASSERT_NE(out, nullptr);
        Matrix expected = onSelection(im, c.direct);
        EXPECT_TRUE(sameMatrix(dataOf(out), expected.get()));
        EXPECT_EQ(MTGetWidth(dataOf(out)), 8) << "the selection only";
        EXPECT_EQ(IMGetDrawType(out->view()->image()), c.drawType);
        EXPECT_EQ(out->document()->notSaved(), 1);
        EXPECT_EQ(out->document()->noFile(), 1);
    }
    EXPECT_FALSE(IMIsSelected(im) && MTGetWidth(IMGetDataHandle(im)) != 16) << "restriction lifted";
    EXPECT_EQ(MTGetWidth(IMGetDataHandle(im)), 16);
}

TEST_F(CommandsTest, UntitledNamesCountFromStartUpAndCopyRangeKeepsTheDisplay) {
    CChildFrame* src = selectedSource();
    IMHANDLE im = src->view()->image();
    IMSetInitialValue(im, 10);
    IMSetFinalValue(im, 90);
    IMPrepareBitmap(im);
    CChildFrame* a = run(MenuImage, "Duplicate");
    mdiActivate(src);
    CChildFrame* b = run(MenuImage, "Resize", [](QDialog& d) {
        auto* r = qobject_cast<CResizeDialog*>(&d);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->widthField()->text(), "8") << "the selection's size";
        r->keepRatioBox()->setChecked(false);
        r->widthField()->setText("5");
        r->heightField()->setText("3");
    });
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->document()->name(), "untitled1");
    EXPECT_EQ(b->document()->name(), "untitled2");
    Matrix resized = onSelection(im, [](MTHANDLE m) { return Resize2D(m, 5, 3, nullptr); });
    EXPECT_TRUE(sameMatrix(dataOf(b), resized.get()));
    EXPECT_EQ(IMGetInitialValue(b->view()->image()), 10);
    EXPECT_EQ(IMGetFinalValue(b->view()->image()), 90);

    // Cancel opens nothing and counts nothing.
    mdiActivate(src);
    EXPECT_EQ(runCancelled(MenuImage, "Resize"), nullptr);
    EXPECT_EQ(app->runningProcessingCount(), 0);
    mdiActivate(src);
    EXPECT_EQ(run(MenuImage, "Duplicate")->document()->name(), "untitled3");
}

TEST_F(CommandsTest, SheetCommandsCallTheLibraryWithTheChosenKernelAndDisplay) {
    CChildFrame* src = selectedSource();
    IMHANDLE im = src->view()->image();
    IMSetDrawType(im, 1);
    IMSetInitialValue(im, 5);
    IMSetFinalValue(im, 150);
    IMPrepareBitmap(im);

    // The display page keeps the source's display when asked to...
    auto sameDisplay = [](QDialog& d) {
        d.findChild<CDisplaySetupPage*>()->rangeButton(qd::SameDisplayRange)->setChecked(true);
    };
    for (const char* path : {"Morphology|Erosion", "Morphology|Top Hat", "Filter|Median Filter"}) {
        SCOPED_TRACE(path);
        mdiActivate(src);
        CChildFrame* out = run(MenuProcess, path, sameDisplay);
        ASSERT_NE(out, nullptr);
        const QString p(path);
        Matrix expected = onSelection(im, [&](MTHANDLE m) {
            return p.endsWith("Erosion")   ? Erosion2D(m, &kDiamond, nullptr)
                   : p.endsWith("Top Hat") ? TopHat2D(m, &kDiamond, nullptr)
                                           : MedianFilter2D(m, &kDiamond, nullptr);
        });
        EXPECT_TRUE(sameMatrix(dataOf(out), expected.get()));
        EXPECT_EQ(IMGetDrawType(out->view()->image()), 1);
        EXPECT_EQ(IMGetInitialValue(out->view()->image()), 5);
        EXPECT_EQ(IMGetFinalValue(out->view()->image()), 150);
    }
    // ...and, as it first comes, stretches the result's own range.
    mdiActivate(src);
    CChildFrame* dilated = run(MenuProcess, "Morphology|Dilation");
    ASSERT_NE(dilated, nullptr);
    Image stretched(IMCreateFromMatrix(onSelection(im, [](MTHANDLE m) { return Dilation2D(m, &kDiamond, nullptr); })
                                           .release()));
    IMDefaultRange(stretched.get(), 0);
    EXPECT_TRUE(sameMatrix(dataOf(dilated), IMGetDataHandle(stretched.get())));
    EXPECT_EQ(IMGetDrawType(dilated->view()->image()), 0);
    EXPECT_EQ(IMGetInitialValue(dilated->view()->image()), IMGetInitialValue(stretched.get()));
    EXPECT_EQ(IMGetFinalValue(dilated->view()->image()), IMGetFinalValue(stretched.get()));

    mdiActivate(src);
    CChildFrame* conv = run(MenuProcess, "Filter|Convolution", chooseGaussian);
    ASSERT_NE(conv, nullptr);
    Matrix expected = onSelection(im, [](MTHANDLE m) { return SimpleConvolution2D(m, 3, kGaussian, 16, nullptr); });
    EXPECT_TRUE(sameMatrix(dataOf(conv), expected.get()));
    EXPECT_EQ(IMGetDrawType(conv->view()->image()), 0) << "default range, not the source's display";

    mdiActivate(src);
    CChildFrame* deconv = run(MenuProcess, "Fourier|Deconvolution", chooseGaussian);
    ASSERT_NE(deconv, nullptr);
    expected = onSelection(im, [](MTHANDLE m) { return Deconvolution2D(m, 3, kGaussian, 16, nullptr); });
    EXPECT_TRUE(sameMatrix(dataOf(deconv), expected.get()));

    // The sheets' first-use values: ideal filters between 0.1 and 0.5, Daubechies 4.
    mdiActivate(src);
    CChildFrame* band = run(MenuProcess, "Fourier|Band Pass Filter");
    ASSERT_NE(band, nullptr);
    expected = onSelection(im, [](MTHANDLE m) { return BandPassFilter2D(m, 0.1, 0.5, nullptr); });
    EXPECT_TRUE(sameMatrix(dataOf(band), expected.get()));
    mdiActivate(src);
    CChildFrame* low = run(MenuProcess, "Fourier|Low Pass Filter");
    expected = onSelection(im, [](MTHANDLE m) { return LowPassFilter2D(m, 0.5, nullptr); });
    EXPECT_TRUE(sameMatrix(dataOf(low), expected.get()));
    mdiActivate(src);
    CChildFrame* wt = run(MenuProcess, "Wavelet|Daubechies WT");
    expected = onSelection(im, [](MTHANDLE m) { return DauWt2D(m, 4, nullptr); });
    EXPECT_TRUE(sameMatrix(dataOf(wt), expected.get()));
}

TEST_F(CommandsTest, SimpleMathKeepsTheSourcesDisplayTypeWithTheDefaultRange) {
    CChildFrame* src = selectedSource();
    IMHANDLE im = src->view()->image();
    IMSetDrawType(im, 2);
    CChildFrame* out = run(MenuProcess, "Math|Simple Math", [](QDialog& d) {
        auto* s = qobject_cast<CSimpleMathDialog*>(&d);
        ASSERT_NE(s, nullptr);
        s->operatorBox()->setCurrentIndex(2);
        s->valueField()->setText("2.5");
    });
    ASSERT_NE(out, nullptr);
    Matrix expected = onSelection(im, [](MTHANDLE m) { return BinOp2D(m, 2, 2.5, nullptr); });
    EXPECT_TRUE(sameMatrix(dataOf(out), expected.get()));
    EXPECT_EQ(IMGetDrawType(out->view()->image()), 2);
}

TEST_F(CommandsTest, TransformsChangeTheImageInPlace) {
    Matrix m(MTCreate(3, 2, MT_SHORT));
    for (int i = 0; i < 6; ++i) MTSetReal(m.get(), i % 3, i / 3, 0x0100 * (i + 1) + i);
    CChildFrame* f = openMatrix(m.get());
    MTHANDLE data = dataOf(f);
    const int before = frame->childFrames().size();

    run(MenuProcess, "Transform|Y mirror");
    EXPECT_EQ(MTReal(data, 0, 0), 0x0302);
    run(MenuProcess, "Transform|X mirror");
    EXPECT_EQ(MTReal(data, 0, 0), 0x0605);
    run(MenuProcess, "Transform|Byte swap");
    EXPECT_EQ(MTReal(data, 0, 0), 0x0506);
    frame->histogramWindow()->setView(nullptr);
    run(MenuProcess, "Transform|Negative");
    EXPECT_EQ(frame->histogramWindow()->view(), f->view()) << "the histogram shows the new values";
    EXPECT_EQ(frame->childFrames().size(), before);
    // The changes are unsaved work until the history is back where the file is.
    EXPECT_EQ(f->document()->notSaved(), 1);
    EXPECT_EQ(f->document()->noFile(), 0);
    for (int i = 0; i < 4; ++i) frame->editUndo();
    EXPECT_TRUE(sameMatrix(data, m.get()));
    EXPECT_EQ(f->document()->notSaved(), 0);
}

TEST_F(CommandsTest, InPlaceCommandsWaitWhileAnotherCommandReadsTheImage) {
    CChildFrame* f = openNew(4, 4, MT_UCHAR);
    MTSetReal(dataOf(f), 0, 0, 9);
    // A running command's dialog leaves the menu usable meanwhile.
    bool mirrorEnabled = true;
    run(MenuImage, "Resize", [&](QDialog&) {
        mirrorEnabled = enabled(MenuProcess, "Transform|X mirror");
        item(MenuProcess, "Transform|X mirror")->trigger();
    });
    EXPECT_FALSE(mirrorEnabled);
    EXPECT_EQ(MTReal(dataOf(f), 0, 0), 9) << "refused while in use";
    EXPECT_TRUE(enabled(MenuProcess, "Transform|X mirror"));
}

TEST_F(CommandsTest, AResultWhoseSourceWentAwayOpensNothing) {
    CChildFrame* src = selectedSource();
    const int before = frame->childFrames().size();
    run(MenuImage, "Resize", [&](QDialog&) { delete src; });
    EXPECT_EQ(frame->childFrames().size(), before - 1);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CommandsTest, LackOfMemoryIsToldNamingTheCommand) {
    openNew(4, 4, MT_UCHAR);
    const int before = frame->childFrames().size();
    run(MenuImage, "Resize", [](QDialog& d) {
        auto* r = qobject_cast<CResizeDialog*>(&d);
        ASSERT_NE(r, nullptr);
        r->keepRatioBox()->setChecked(false);
        r->widthField()->setText("1000000000");
        r->heightField()->setText("1000000000");
    });
    EXPECT_EQ(frame->childFrames().size(), before);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Not enough memory for Resize");

    // A refusal the library defines stays silent: the wavelet needs powers of two.
    boxes.clear();
    openNew(6, 4, MT_UCHAR);
    EXPECT_EQ(run(MenuProcess, "Wavelet|Daubechies WT"), nullptr);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CommandsTest, StatisticsLinesForIntegerAndFloatImages) {
    Matrix i(MTCreate(2, 2, MT_SHORT));
    for (int k = 0; k < 4; ++k) MTSetReal(i.get(), k % 2, k / 2, 1 + k);
    openMatrix(i.get());
    run(MenuAnalysis, "All");
    run(MenuAnalysis, "Sum");
    Matrix f(MTCreate(3, 1, MT_FLOAT));
    for (int k = 0; k < 3; ++k) MTSetReal(f.get(), k, 0, k * 0.5 - 0.25);
    openMatrix(f.get());
    run(MenuAnalysis, "Minimum/Maximum");
    run(MenuAnalysis, "Mean");
    EXPECT_EQ(resultLines(), (QStringList{"sum : 1.00000e+01",
                                          "mean : 2.50000e+00   standard deviation : 1.11803e+00",
                                          "minimum : 1   maximum : 4", "sum : 1.00000e+01",
                                          "minimum : -2.50000e-01   maximum : 7.50000e-01",
                                          "mean : 2.50000e-01   standard deviation : 4.08248e-01"}));
}

} // namespace
