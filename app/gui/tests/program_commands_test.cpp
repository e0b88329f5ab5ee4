// Commands whose results the program computes itself, the colour commands
// and those that combine several open images.
#include "command_fixture.h"

#include "image_math_sheet.h"
#include "image_math_page.h"
#include "image_choice_box.h"
#include "make_complex_dialog.h"
#include "mm_bksub_page.h"

#include <QComboBox>
#include <qd/colorprcs.h>
#include <qd/core/program_ops.h>
#include <qd/prcs.h>

namespace {

using qd::MenuAnalysis;
using qd::MenuColorProcess;
using qd::MenuImage;
using qd::MenuProcess;

using ProgramCommandsTest = CommandTest;

TEST_F(ProgramCommandsTest, GreyScaleOfFourBitAndRgbImages) {
    Matrix four(MTCreate(16, 1, MT_4BITS));
    for (int x = 0; x < 16; ++x) MTSetReal(four.get(), x, 0, x);
    CChildFrame* f = openMatrix(four.get());
    IMSetInitialValue(f->view()->image(), 0);
    IMSetFinalValue(f->view()->image(), 15); // each level shows its own grey
    IMPrepareBitmap(f->view()->image());
    CChildFrame* grey = run(MenuImage, "Grey Scale");
    ASSERT_NE(grey, nullptr);
    EXPECT_EQ(MTGetFlags(dataOf(grey)), MT_4BITS);
    EXPECT_TRUE(sameMatrix(dataOf(grey), four.get())) << "0 to 15 as shown";

    Matrix rgb(MTCreate(1, 1, MT_RGB));
    MTSetRgb(rgb.get(), 0, 0, 10 << 16 | 20 << 8 | 31);
    openMatrix(rgb.get());
    grey = run(MenuImage, "Grey Scale");
    ASSERT_NE(grey, nullptr);
    EXPECT_EQ(MTGetFlags(dataOf(grey)), MT_UCHAR);
    EXPECT_EQ(MTReal(dataOf(grey), 0, 0), 20);
}

TEST_F(ProgramCommandsTest, SplitAllOpensRedGreenBlueAndMakeRgbShowsThePalette) {
    Matrix rgb = noiseMatrix(5, 4, MT_RGB);
    CChildFrame* src = openMatrix(rgb.get());
    const int before = frame->childFrames().size();
    run(MenuProcess, "RGB|Split All");
    const QList<CChildFrame*> frames = frame->childFrames();
    ASSERT_EQ(frames.size(), before + 3);
    const char* names[] = {"Red (256)", "Green (256)", "Blue (256)"};
    for (int c = 0; c < 3; ++c) {
        IMHANDLE im = frames[before + c]->view()->image();
        EXPECT_STREQ(IMGetPaletteName(im), names[c]);
        EXPECT_EQ(MTReal(IMGetDataHandle(im), 2, 1), (MTRgb(rgb.get(), 2, 1) >> (16 - 8 * c)) & 255);
    }
    mdiActivate(src);
    EXPECT_EQ(run(MenuProcess, "RGB|Make RGB"), nullptr) << "an RGB source gives nothing";

    Matrix grey = noiseMatrix(6, 3, MT_UCHAR);
    CChildFrame* g = openMatrix(grey.get());
    CChildFrame* shown = run(MenuProcess, "RGB|Make RGB");
    ASSERT_NE(shown, nullptr);
    Matrix expected(qd::shownColourMatrix(g->view()->image()));
    EXPECT_TRUE(sameMatrix(dataOf(shown), expected.get()));
}

TEST_F(ProgramCommandsTest, AutoThresholdingFollowsTheDisplayRange) {
    Matrix ramp(MTCreate(16, 4, MT_UCHAR));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 16; ++x) MTSetReal(ramp.get(), x, y, x * 16 + y);
    CChildFrame* src = openMatrix(ramp.get(), "ramp");
    IMHANDLE im = src->view()->image();
    CChildFrame* first = run(MenuProcess, "Morphology|Auto Thresholding");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->document()->name(), "Thresholded ramp");
    Matrix expected(qd::autoThreshold(im));
    EXPECT_TRUE(sameMatrix(dataOf(first), expected.get()));

    IMSetInitialValue(im, 100);
    IMSetFinalValue(im, 140);
    IMPrepareBitmap(im);
    mdiActivate(src);
    CChildFrame* second = run(MenuProcess, "Morphology|Auto Thresholding");
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(sameMatrix(dataOf(first), dataOf(second)));
    expected.reset(qd::autoThreshold(im));
    EXPECT_TRUE(sameMatrix(dataOf(second), expected.get()));
}

TEST_F(ProgramCommandsTest, ObjectIdentificationOpensLabelsAndWritesTheTable) {
    // A 2 x 2 square and a 3 x 1 bar, apart.
    Matrix b(MTCreate(8, 6, MT_BINARY));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            MTSetReal(b.get(), x, y, (x >= 1 && x <= 2 && y >= 1 && y <= 2) || (y == 4 && x >= 4 && x <= 6));
    openMatrix(b.get(), "blobs");
    CChildFrame* labels = run(MenuAnalysis, "Object Analyses|Object Identification");
    ASSERT_NE(labels, nullptr);
    EXPECT_EQ(labels->document()->name(), "Objects of blobs");
    qd::ObjectTable expected = qd::identifyObjects(b.get(), false, false);
    Matrix expectedLabels(expected.labels);
    EXPECT_TRUE(sameMatrix(dataOf(labels), expectedLabels.get()));
    EXPECT_EQ(IMGetHeaderPointer(labels->view()->image())->NumGraphicObjects, 2);
    QStringList lines;
    for (const std::string& l : qd::objectTableLines(expected.objects)) lines << QString::fromStdString(l);
    EXPECT_EQ(resultLines(), lines);
    EXPECT_EQ(lines[0], "The number of identified objects is 2.");

    openNew(4, 4, MT_BINARY, 0, "empty");
    EXPECT_EQ(run(MenuAnalysis, "Object Analyses|Object Identification"), nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "No Object !");
    EXPECT_EQ(boxes[0].title, "Find Object");
    EXPECT_EQ(resultLines(), lines) << "no lines for no object";
}

TEST_F(ProgramCommandsTest, BackgroundSubtractionByErosionIsFloatAndByDilationKeepsTheType) {
    Matrix m = noiseMatrix(12, 10, MT_SHORT);
    CChildFrame* src = openMatrix(m.get());
    int32_t diamond[9] = {0, 1, 0, 1, 1, 1, 0, 1, 0};
    const MMKERNEL kernel = {"Diamond (3 X 3)", 3, diamond};
    for (int op : {0, 1}) {
        SCOPED_TRACE(op);
        mdiActivate(src);
        CChildFrame* out = run(MenuProcess, "Background subtract|Using Erosion", [op](QDialog& d) {
            auto* page = d.findChild<CMMBKSubPage*>();
            ASSERT_NE(page, nullptr);
            page->operators()->setCurrentIndex(op);
            page->operations()->setCurrentIndex(1);
        });
        ASSERT_NE(out, nullptr);
        const int count = qd::bkSubOperationCounts()[1];
        Matrix expected(qd::backgroundSubtract(m.get(), count, op == 1, kernel));
        EXPECT_TRUE(sameMatrix(dataOf(out), expected.get()));
        EXPECT_EQ(MTGetFlags(dataOf(out)), op == 0 ? MT_FLOAT : MT_SHORT);
    }
}

TEST_F(ProgramCommandsTest, ColourCommandsWorkOnTheSelectedAreaOfTheImage) {
    Matrix rgb = noiseMatrix(12, 10, MT_RGB);
    CChildFrame* src = openMatrix(rgb.get());
    IMHANDLE im = src->view()->image();
    IMSetSelectedRect(im, 2, 2, 9, 8);
    struct Case {
        const char* path;
        std::function<IMHANDLE(IMHANDLE)> direct;
    };
    const double ones[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    const std::vector<Case> cases = {
        {"Median Filter", [](IMHANDLE i) { return ColorMedianFilter2D(i, nullptr); }},
        {"Edge Detect", [](IMHANDLE i) { return ColorEdgeDetect2D(i, nullptr); }},
        {"Brightness/Contrast", [](IMHANDLE i) { return ChangeBrightnessAndContrast(i, 0, 0, nullptr); }},
        {"Low Pass Filter", [](IMHANDLE i) { return ColorFTLowPass2D(i, 0.5, 2, 0, 0.0, 256.0, nullptr); }},
        {"Band Pass Filter", [](IMHANDLE i) { return ColorFTBandPass2D(i, 0.5, 0.1, 2, 0, 0.0, 256.0, nullptr); }},
        {"Convolution (Filter)",
         [&ones](IMHANDLE i) { return ColorConvolution2D(i, 3, ones, 9, 0.0, 256.0, nullptr); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        mdiActivate(src);
        CChildFrame* out = run(MenuColorProcess, c.path);
        ASSERT_NE(out, nullptr);
        IMSelect(im, 1);
        Image expected(c.direct(im));
        IMSelect(im, 0);
        ASSERT_TRUE(expected);
        EXPECT_TRUE(sameMatrix(dataOf(out), IMGetDataHandle(expected.get())));
        EXPECT_EQ(MTGetWidth(dataOf(out)), 7);
    }
}

TEST_F(ProgramCommandsTest, CommandsOfTwoImagesUseTheChosenWindows) {
    Matrix a = noiseMatrix(6, 4, MT_SHORT, 1), b = noiseMatrix(6, 4, MT_SHORT, 2);
    CChildFrame* fa = openMatrix(a.get(), "a");
    openMatrix(b.get(), "b");
    openNew(3, 3, MT_RGB, 0, "colour");

    CChildFrame* complex = run(MenuProcess, "Complex|Make Complex", [&](QDialog& d) {
        auto* c = qobject_cast<CMakeComplexDialog*>(&d);
        ASSERT_NE(c, nullptr);
        c->realBox()->setCurrentText("b");
        c->imaginaryBox()->setCurrentText("a");
    });
    ASSERT_NE(complex, nullptr);
    Matrix expected(MakeComplex2D(b.get(), a.get(), nullptr));
    EXPECT_TRUE(sameMatrix(dataOf(complex), expected.get()));
    EXPECT_EQ(IMGetDrawType(complex->view()->image()), 17);

    mdiActivate(fa);
    CChildFrame* diff = run(MenuProcess, "Math|Image Math", [](QDialog& d) {
        auto* s = qobject_cast<CImageMathSheet*>(&d);
        ASSERT_NE(s, nullptr);
        s->mathPage()->secondBox()->setCurrentText("b");
        s->mathPage()->operatorBox()->setCurrentIndex(1);
    });
    ASSERT_NE(diff, nullptr);
    expected.reset(ImageMath2D(a.get(), b.get(), 1, nullptr));
    EXPECT_TRUE(sameMatrix(dataOf(diff), expected.get()));

    mdiActivate(complex);
    CChildFrame* re = run(MenuProcess, "Complex|Real Part");
    ASSERT_NE(re, nullptr);
    expected.reset(RealPart2D(dataOf(complex), nullptr));
    EXPECT_TRUE(sameMatrix(dataOf(re), expected.get()));
    EXPECT_EQ(IMGetDrawType(re->view()->image()), 16);
}

} // namespace
