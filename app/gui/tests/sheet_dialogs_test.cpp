// The Fourier-filter, image-math and wavelet sheets, their "Display Setup"
// page and the display type dialog.
#include "display_type_dialog.h"
#include "display_type_radios.h"
#include "dsp_setup_page.h"
#include "ft_filter_sheet.h"
#include "gui_fixture.h"
#include "image_choice_box.h"
#include "image_math_page.h"
#include "image_math_sheet.h"
#include "profile.h"
#include "select_wavelet_page.h"
#include "select_wavelet_sheet.h"
#include "string_table.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

void pressOk(QDialogButtonBox* buttons) { buttons->button(QDialogButtonBox::Ok)->click(); }

QVariant profileValue(const QString& key) { return qd::openProfile()->value(key); }

QStringList keysIn(const QString& section) {
    auto p = qd::openProfile();
    p->beginGroup(section);
    return p->childKeys();
}

qd::DialogMessage stop(int id) { return qd::warning(id); }

const qd::DialogMessage kLowPassSecond{
    "Upper cutoff value should be greater than 0 and less than 1.", "warning", 0x30};

} // namespace

// ---- Display Setup page ----

class DspSetupPageTest : public GuiTest {};

TEST_F(DspSetupPageTest, FirstUseShowsSameDisplayWithStretchAndTheSevenTypes) {
    CDspSetupPage page("Wavelet");
    EXPECT_EQ(page.windowTitle(), "Display Setup");
    EXPECT_TRUE(page.sameButton()->isChecked());
    EXPECT_EQ(page.sameButton()->text(), "same display");
    EXPECT_EQ(page.customButton()->text(), "custom display");
    EXPECT_TRUE(page.stretchBox()->isChecked());
    EXPECT_EQ(page.fromField()->text(), "0.0");
    EXPECT_EQ(page.toField()->text(), "256.0");
    const std::vector<std::pair<int, QString>> labels = {
        {0, "x"},
        {2, "y"},
        {1, "| z |"},
        {16, "log ( | x |  + 1 )"},
        {18, "log ( | y |  + 1 )"},
        {17, "log ( | z |  + 1 )"},
        {256, "equalize"},
    };
    for (const auto& [code, label] : labels) {
        ASSERT_NE(page.types()->button(code), nullptr) << code;
        EXPECT_EQ(page.types()->button(code)->text(), label);
    }
    EXPECT_TRUE(page.types()->button(0)->isChecked());
}

TEST_F(DspSetupPageTest, TypesOnlyUnderCustomAndRangeOnlyWithoutStretch) {
    CDspSetupPage page("Wavelet");
    EXPECT_FALSE(page.types()->isEnabled());
    EXPECT_FALSE(page.stretchBox()->isEnabled());
    EXPECT_FALSE(page.fromField()->isEnabled());
    page.customButton()->click();
    EXPECT_TRUE(page.types()->isEnabled());
    EXPECT_TRUE(page.stretchBox()->isEnabled());
    EXPECT_FALSE(page.fromField()->isEnabled());
    EXPECT_FALSE(page.toField()->isEnabled());
    page.stretchBox()->setChecked(false);
    EXPECT_TRUE(page.fromField()->isEnabled());
    EXPECT_TRUE(page.toField()->isEnabled());
    page.sameButton()->click();
    EXPECT_FALSE(page.fromField()->isEnabled());
    EXPECT_FALSE(page.types()->isEnabled());
}

TEST_F(DspSetupPageTest, RecordForSameCustomStretchAndCustomRange) {
    qd::DisplayRecord same = qd::displayRecordOf({1, 0, 1, "0.0", "256.0"});
    EXPECT_EQ(same.sameDisplay, 1);

    CSelectWaveletSheet sheet("w", "Wavelet");
    CDspSetupPage* page = sheet.displayPage();
    page->customButton()->click();
    page->types()->button(17)->click();
    pressOk(sheet.buttons());
    ASSERT_EQ(sheet.result(), QDialog::Accepted);
    qd::DisplayRecord r = sheet.values().display;
    EXPECT_EQ(r.sameDisplay, 0);
    EXPECT_EQ(r.displayType, 17);
    EXPECT_EQ(r.defaultRange, 1);

    r = qd::displayRecordOf({0, 256, 0, "10.5", " 20 "});
    EXPECT_EQ(r.sameDisplay, 0);
    EXPECT_EQ(r.displayType, 256);
    EXPECT_EQ(r.defaultRange, 0);
    EXPECT_DOUBLE_EQ(r.from, 10.5);
    EXPECT_DOUBLE_EQ(r.to, 20.0);
}

TEST_F(DspSetupPageTest, ToBelowFromOrNonNumbersRefusedOnlyWhenTheRangeIsUsed) {
    const std::vector<qd::DialogMessage> refused = {stop(61453)};
    EXPECT_EQ(refused.front().text, "From value canot be greater than To value.");
    EXPECT_EQ(qd::checkDspSetup({0, 0, 0, "20", "10"}), refused);
    EXPECT_EQ(qd::checkDspSetup({0, 0, 0, "abc", "10"}), refused);
    EXPECT_EQ(qd::checkDspSetup({0, 0, 0, "1", ""}), refused);
    EXPECT_TRUE(qd::checkDspSetup({0, 0, 0, "10", "10"}).empty());
    EXPECT_TRUE(qd::checkDspSetup({0, 0, 1, "20", "10"}).empty());
    EXPECT_TRUE(qd::checkDspSetup({1, 0, 0, "x", "10"}).empty());

    CSelectWaveletSheet sheet("w", "Wavelet");
    CDspSetupPage* page = sheet.displayPage();
    page->customButton()->click();
    page->stretchBox()->setChecked(false);
    page->fromField()->setText("300");
    pressOk(sheet.buttons());
    EXPECT_NE(sheet.result(), QDialog::Accepted);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "From value canot be greater than To value.");
    EXPECT_EQ(boxes[0].title, "warning");
    EXPECT_EQ(boxes[0].style, 0x10u);
    EXPECT_EQ(sheet.tabs()->currentWidget(), page);
    EXPECT_EQ(page->fromField()->text(), "300");
    EXPECT_TRUE(keysIn("Wavelet").isEmpty());
}

TEST_F(DspSetupPageTest, ValuesRememberedInTheSheetsSectionAfterOk) {
    {
        CSelectWaveletSheet sheet("w", "IWavelet");
        CDspSetupPage* page = sheet.displayPage();
        page->customButton()->click();
        page->types()->button(18)->click();
        page->stretchBox()->setChecked(false);
        page->fromField()->setText("-5");
        page->toField()->setText("7.25");
        pressOk(sheet.buttons());
        ASSERT_EQ(sheet.result(), QDialog::Accepted);
    }
    EXPECT_EQ(profileValue("IWavelet/SameDisplay").toInt(), 0);
    EXPECT_EQ(profileValue("IWavelet/DisplayType").toInt(), 18);
    EXPECT_EQ(profileValue("IWavelet/Stretch").toInt(), 0);
    EXPECT_EQ(profileValue("IWavelet/From").toString(), "-5");
    EXPECT_EQ(profileValue("IWavelet/To").toString(), "7.25");
    EXPECT_TRUE(keysIn("Wavelet").isEmpty());

    CDspSetupPage again("IWavelet");
    EXPECT_TRUE(again.customButton()->isChecked());
    EXPECT_TRUE(again.types()->button(18)->isChecked());
    EXPECT_FALSE(again.stretchBox()->isChecked());
    EXPECT_TRUE(again.fromField()->isEnabled());
    EXPECT_EQ(again.toField()->text(), "7.25");
}

// ---- Display type dialog ----

class DisplayTypeDialogTest : public GuiTest {
  protected:
    IMHANDLE image = nullptr;
    void SetUp() override {
        GuiTest::SetUp();
        image = makeImage(4, 4, MT_FLOAT);
        IMSetDrawType(image, 17);
        IMSetInitialValue(image, 5.0);
        IMSetFinalValue(image, 300.0);
    }
    void TearDown() override {
        IMDestroy(image);
        GuiTest::TearDown();
    }
};

TEST_F(DisplayTypeDialogTest, StartsFromTheImagesDrawTypeAndRangeAndLeavesTheImage) {
    bool seen = false;
    dialogs = [&](QDialog& d) {
        auto* dlg = dynamic_cast<CDisplayTypeDialog*>(&d);
        if (!dlg) return int(QDialog::Rejected);
        seen = true;
        EXPECT_TRUE(dlg->types()->button(17)->isChecked());
        EXPECT_FALSE(dlg->stretchBox()->isChecked());
        EXPECT_DOUBLE_EQ(qd::parseNumber(dlg->fromField()->text()).value_or(-1), 5.0);
        EXPECT_DOUBLE_EQ(qd::parseNumber(dlg->toField()->text()).value_or(-1), 300.0);
        dlg->types()->button(256)->click();
        pressOk(dlg->buttons());
        return d.result();
    };
    const auto r = runDisplayTypeDialog(nullptr, image);
    EXPECT_TRUE(seen);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->drawType, 256);
    EXPECT_EQ(r->defaultRange, 0);
    EXPECT_DOUBLE_EQ(r->from, 5.0);
    EXPECT_DOUBLE_EQ(r->to, 300.0);
    EXPECT_EQ(IMGetDrawType(image), 17);
    EXPECT_DOUBLE_EQ(IMGetInitialValue(image), 5.0);
}

TEST_F(DisplayTypeDialogTest, ToBelowFromRefusedUnlessStretched) {
    CDisplayTypeDialog dlg(2, 0.0, 10.0);
    EXPECT_TRUE(dlg.types()->button(2)->isChecked());
    dlg.toField()->setText("-1");
    pressOk(dlg.buttons());
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "From value canot be greater than To value.");
    EXPECT_EQ(boxes[0].style, 0x10u);

    dlg.stretchBox()->setChecked(true);
    EXPECT_FALSE(dlg.fromField()->isEnabled());
    pressOk(dlg.buttons());
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(dlg.values().defaultRange, 1);
    EXPECT_EQ(dlg.values().drawType, 2);
}

TEST_F(DisplayTypeDialogTest, CancelAnswersNothing) {
    EXPECT_FALSE(runDisplayTypeDialog(nullptr, image));
    EXPECT_EQ(dialogTitles.size(), 1u);
}

// ---- Fourier filter sheet ----

class FTFilterSheetTest : public GuiTest {
  protected:
    using Kind = qd::FTFilterKind;
};

TEST_F(FTFilterSheetTest, FirstUseDefaultsAndWhichFieldsEachFilterUses) {
    struct Case {
        Kind kind;
        const char* section;
        bool lower, upper;
    };
    for (const Case& c : {Case{Kind::LowPass, "LowPass", false, true},
                          Case{Kind::HighPass, "HighPass", true, false},
                          Case{Kind::BandPass, "BandPass", true, true}}) {
        EXPECT_EQ(qd::ftFilterSection(c.kind), c.section);
        CFTFilterSheet sheet("f", c.section, c.kind);
        ASSERT_EQ(sheet.pageCount(), 2);
        EXPECT_EQ(sheet.page(0)->windowTitle(), "parameter");
        EXPECT_EQ(sheet.page(1)->windowTitle(), "Display Setup");
        CFTFilterPage* p = sheet.filterPage();
        EXPECT_TRUE(p->idealButton()->isChecked());
        EXPECT_EQ(p->upperField()->text(), "0.5");
        EXPECT_EQ(p->lowerField()->text(), "0.1");
        EXPECT_EQ(p->powerField()->text(), "2");
        EXPECT_EQ(p->lowerField()->isEnabled(), c.lower) << c.section;
        EXPECT_EQ(p->upperField()->isEnabled(), c.upper) << c.section;
        EXPECT_FALSE(p->powerField()->isEnabled());
        p->butterworthButton()->click();
        EXPECT_TRUE(p->powerField()->isEnabled());
        p->idealButton()->click();
        EXPECT_FALSE(p->powerField()->isEnabled());
    }
}

TEST_F(FTFilterSheetTest, LowPassCutoffOneGivesTwoBoxesInARow) {
    CFTFilterSheet sheet("f", "LowPass", Kind::LowPass);
    sheet.filterPage()->upperField()->setText("1.0");
    pressOk(sheet.buttons());
    EXPECT_NE(sheet.result(), QDialog::Accepted);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Upper cutoff should be between 0 and 1.");
    EXPECT_EQ(boxes[0].title, "warning");
    EXPECT_EQ(boxes[0].style, 0x10u);
    EXPECT_EQ(boxes[1].text, "Upper cutoff value should be greater than 0 and less than 1.");
    EXPECT_EQ(boxes[1].title, "warning");
    EXPECT_EQ(boxes[1].style, 0x30u);
    EXPECT_EQ(sheet.filterPage()->upperField()->text(), "1.0");
    EXPECT_TRUE(keysIn("LowPass").isEmpty());
}

TEST_F(FTFilterSheetTest, ChecksInOrderStoppingAtTheFirstAndSkippingUnusedFields) {
    using M = std::vector<qd::DialogMessage>;
    struct Case {
        Kind kind;
        qd::FTFilterValues v;
        M expected;
    };
    const std::vector<Case> cases = {
        // Butterworth power first, before any cutoff.
        {Kind::BandPass, {1, "0.9", "1.5", "0"}, {stop(61472)}},
        {Kind::HighPass, {1, "0.2", "0.5", "x"}, {stop(61472)}},
        // The ideal filter has no power to check.
        {Kind::BandPass, {0, "0.2", "0.5", "0"}, {}},
        {Kind::LowPass, {0, "0.1", "0", "2"}, {stop(61473), kLowPassSecond}},
        {Kind::BandPass, {0, "0.1", "1", "2"}, {stop(61473)}},
        {Kind::BandPass, {0, "0", "0.5", "2"}, {stop(61474)}},
        {Kind::HighPass, {0, "1.0", "0.5", "2"}, {stop(61474)}},
        {Kind::HighPass, {0, "abc", "0.5", "2"}, {stop(61474)}},
        {Kind::BandPass, {0, "0.3", "0.3", "2"}, {stop(61475)}},
        {Kind::BandPass, {0, "0.6", "0.3", "2"}, {stop(61475)}},
        // Disabled cutoffs are not read.
        {Kind::LowPass, {0, "junk", "0.99", "2"}, {}},
        {Kind::HighPass, {0, "0.01", "junk", "2"}, {}},
        {Kind::BandPass, {1, "0.2", "0.7", "1"}, {}},
    };
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(qd::checkFTFilter(cases[i].kind, cases[i].v), cases[i].expected) << "case " << i;
    EXPECT_EQ(qd::loadString(61472), "Power should be positive integer.");
    EXPECT_EQ(qd::loadString(61474), "Lower cutoff should be between 0 and 1.");
    EXPECT_EQ(qd::loadString(61475), "Upper cutoff should be greater than lower cutoff.");
}

TEST_F(FTFilterSheetTest, AcceptedValuesAreReturnedAndRememberedPerSection) {
    {
        CFTFilterSheet sheet("f", "BandPass", Kind::BandPass);
        CFTFilterPage* p = sheet.filterPage();
        p->butterworthButton()->click();
        p->lowerField()->setText("0.2");
        p->upperField()->setText("0.7");
        p->powerField()->setText("3");
        pressOk(sheet.buttons());
        ASSERT_EQ(sheet.result(), QDialog::Accepted);
        const FTFilterResult r = sheet.values();
        EXPECT_EQ(r.filterType, 1);
        EXPECT_DOUBLE_EQ(r.lower, 0.2);
        EXPECT_DOUBLE_EQ(r.upper, 0.7);
        EXPECT_EQ(r.power, 3);
        EXPECT_EQ(r.display.sameDisplay, 1);
    }
    EXPECT_EQ(profileValue("BandPass/Type").toInt(), 1);
    EXPECT_EQ(profileValue("BandPass/LCutoff").toString(), "0.2");
    EXPECT_EQ(profileValue("BandPass/UCutoff").toString(), "0.7");
    EXPECT_EQ(profileValue("BandPass/Power").toInt(), 3);
    EXPECT_EQ(profileValue("BandPass/SameDisplay").toInt(), 1);

    CFTFilterSheet again("f", "BandPass", Kind::BandPass);
    EXPECT_TRUE(again.filterPage()->butterworthButton()->isChecked());
    EXPECT_EQ(again.filterPage()->lowerField()->text(), "0.2");
    EXPECT_EQ(again.filterPage()->powerField()->text(), "3");
    CFTFilterSheet other("f", "LowPass", Kind::LowPass);
    EXPECT_TRUE(other.filterPage()->idealButton()->isChecked());
    EXPECT_EQ(other.filterPage()->upperField()->text(), "0.5");
}

TEST_F(FTFilterSheetTest, CancelWritesNothingAndCaptionsComeFromTheStringTable) {
    dialogs = [](QDialog& d) {
        auto* s = dynamic_cast<CFTFilterSheet*>(&d);
        if (s) s->filterPage()->upperField()->setText("0.25");
        return int(QDialog::Rejected);
    };
    EXPECT_FALSE(runFTFilterSheet(nullptr, Kind::LowPass));
    EXPECT_FALSE(runFTFilterSheet(nullptr, Kind::HighPass, true));
    EXPECT_FALSE(runFTFilterSheet(nullptr, Kind::BandPass, true));
    EXPECT_EQ(dialogTitles,
              (std::vector<QString>{"low pass", "color high pass", "color band pass"}));
    EXPECT_TRUE(keysIn("LowPass").isEmpty());
    EXPECT_TRUE(keysIn("HighPass").isEmpty());

    dialogs = [](QDialog& d) {
        if (auto* s = dynamic_cast<CFTFilterSheet*>(&d)) pressOk(s->buttons());
        return d.result();
    };
    const auto r = runFTFilterSheet(nullptr, Kind::HighPass);
    ASSERT_TRUE(r);
    EXPECT_DOUBLE_EQ(r->lower, 0.1);
    EXPECT_EQ(dialogTitles.back(), "high pass");
}

// ---- Image math sheet ----

class ImageMathSheetTest : public GuiTest {};

TEST_F(ImageMathSheetTest, ListsLeaveOutRgbAndStartAtTheActiveWindow) {
    CChildFrame* a = openNew(8, 8, MT_UCHAR, 1, "a");
    openNew(8, 8, MT_RGB, 1, "rgb");
    CChildFrame* c = openNew(8, 8, MT_FLOAT, 1, "c");
    const auto views = qd::imageMathCandidates(app->registry());
    CImageMathSheet sheet(views, frame->activeView());
    EXPECT_EQ(sheet.windowTitle(), "Image Math");
    ImageChoiceBox* first = sheet.mathPage()->firstBox();
    ASSERT_EQ(first->count(), 2);
    EXPECT_EQ(first->itemText(0), "a");
    EXPECT_EQ(first->itemText(1), "c");
    EXPECT_EQ(first->view(), c->view());
    EXPECT_EQ(sheet.mathPage()->secondBox()->view(), c->view());
    EXPECT_EQ(sheet.mathPage()->windowTitle(), "image math");

    // An RGB window active: both start at the first.
    CChildFrame* rgb2 = openNew(8, 8, MT_RGB, 1, "rgb2");
    ASSERT_EQ(frame->activeView(), rgb2->view());
    CImageMathSheet second(qd::imageMathCandidates(app->registry()), frame->activeView());
    EXPECT_EQ(second.mathPage()->firstBox()->view(), a->view());
    EXPECT_EQ(second.mathPage()->secondBox()->view(), a->view());
}

TEST_F(ImageMathSheetTest, DifferentSizesRefusedWith61486) {
    openNew(8, 8, MT_UCHAR, 1, "a");
    openNew(8, 9, MT_UCHAR, 1, "b");
    CImageMathSheet sheet(qd::imageMathCandidates(app->registry()), frame->activeView());
    sheet.mathPage()->firstBox()->setCurrentIndex(0);
    pressOk(sheet.buttons());
    EXPECT_NE(sheet.result(), QDialog::Accepted);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Selected images should have same dimension.");
    EXPECT_EQ(boxes[0].style, 0x10u);
    EXPECT_TRUE(keysIn("ImageMath").isEmpty());
}

TEST_F(ImageMathSheetTest, ResultViewsOperatorAndRememberedOperator) {
    CChildFrame* a = openNew(8, 8, MT_UCHAR, 1, "same");
    CChildFrame* b = openNew(8, 8, MT_UCHAR, 1, "same");
    dialogs = [&](QDialog& d) {
        auto* s = dynamic_cast<CImageMathSheet*>(&d);
        if (!s) return int(QDialog::Rejected);
        EXPECT_EQ(s->mathPage()->operatorBox()->currentText(), "+");
        s->mathPage()->firstBox()->setCurrentIndex(1);
        s->mathPage()->secondBox()->setCurrentIndex(0);
        s->mathPage()->operatorBox()->setCurrentIndex(2);
        pressOk(s->buttons());
        return d.result();
    };
    const auto r = runImageMathSheet(nullptr, frame->activeView());
    ASSERT_TRUE(r);
    // Two windows of one name each stand for their own image.
    EXPECT_EQ(r->first, b->view());
    EXPECT_EQ(r->second, a->view());
    EXPECT_EQ(r->op, 2);
    EXPECT_EQ(dialogTitles.back(), "Image Math");
    EXPECT_EQ(profileValue("ImageMath/Operator").toInt(), 2);

    CImageMathSheet again(qd::imageMathCandidates(app->registry()), nullptr);
    EXPECT_EQ(again.mathPage()->operatorBox()->currentText(), "*");
}

TEST_F(ImageMathSheetTest, NoNonRgbWindowShowsNoSheet) {
    openNew(4, 4, MT_RGB);
    EXPECT_FALSE(runImageMathSheet(nullptr, frame->activeView()));
    EXPECT_TRUE(dialogTitles.empty());
}

// ---- Wavelet sheet ----

class WaveletSheetTest : public GuiTest {};

TEST_F(WaveletSheetTest, ChoicesGiveTheirCodeAndOrderAndAreRemembered) {
    const int codes[] = {1, 2, 4, 8}, orders[] = {4, 6, 12, 20};
    const char* labels[] = {"Daubechies 4", "Daubechies 6", "Daubechies 12", "Daubechies 20"};
    for (int i = 0; i < 4; ++i) {
        CSelectWaveletSheet sheet("w", "Wavelet");
        EXPECT_EQ(sheet.waveletPage()->windowTitle(), "Wavelet");
        EXPECT_TRUE(sheet.waveletPage()->button(i == 0 ? 0 : i - 1)->isChecked()) << i;
        EXPECT_EQ(sheet.waveletPage()->button(i)->text(), labels[i]);
        sheet.waveletPage()->button(i)->click();
        pressOk(sheet.buttons());
        ASSERT_EQ(sheet.result(), QDialog::Accepted);
        EXPECT_EQ(sheet.values().type, codes[i]);
        EXPECT_EQ(sheet.values().order, orders[i]);
        EXPECT_EQ(profileValue("Wavelet/WaveletType").toInt(), codes[i]);
    }
    EXPECT_TRUE(keysIn("IWavelet").isEmpty());
}

TEST_F(WaveletSheetTest, CaptionsSectionsAndAStoredCodeThatIsNoChoice) {
    qd::openProfile()->setValue("IWavelet/WaveletType", 3);
    dialogs = [](QDialog& d) {
        auto* s = dynamic_cast<CSelectWaveletSheet*>(&d);
        if (s) pressOk(s->buttons());
        return d.result();
    };
    const auto inverse = runSelectWaveletSheet(nullptr, true);
    ASSERT_TRUE(inverse);
    EXPECT_EQ(inverse->type, 1);
    EXPECT_EQ(inverse->order, 4);
    dialogs = {};
    EXPECT_FALSE(runSelectWaveletSheet(nullptr, false));
    EXPECT_EQ(dialogTitles,
              (std::vector<QString>{"Inverse Wavelet Transformation", "Wavelet Transformation"}));
    EXPECT_TRUE(keysIn("Wavelet").isEmpty());
}
