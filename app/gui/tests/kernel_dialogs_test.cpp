// The kernel pages and their editors, the kernel sheets with their "Display"
// page, and the background-subtraction sheet.
#include "display_setup_page.h"
#include "gui_fixture.h"
#include "kernel_editor_dialog.h"
#include "kernel_mm_sheet.h"
#include "kernel_select_mm_page.h"
#include "kernel_select_page.h"
#include "kernel_sheet.h"
#include "mm_bksub_sheet.h"
#include "profile.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

void pressOk(QWidget* dialog) {
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

QVariant profileValue(const QString& key) { return qd::openProfile()->value(key); }

void setProfile(const QString& key, const QVariant& value) {
    qd::openProfile()->setValue(key, value);
}

QStringList keysIn(const QString& section) {
    auto p = qd::openProfile();
    p->beginGroup(section);
    return p->childKeys();
}

CKernelEditorDialog* editorOf(QDialog& d) { return qobject_cast<CKernelEditorDialog*>(&d); }

const QString kLowPassRows = "1  1  1  \n1  1  1  \n1  1  1  ";

class KernelPageTest : public GuiTest {
  protected:
    qd::CKernelLibrary& lib() { return *app->kernelLibrary(); }
    qd::CMMKernelLibrary& mmLib() { return *app->mmKernelLibrary(); }
    void addUser(const char* name, int n, double divisor = 1.0) {
        qd::ConvKernelData k{name, n, divisor, std::vector<double>(size_t(n * n), 1.0)};
        ASSERT_NE(lib().add(k.record()), nullptr);
    }
    void addUserMM(const char* name, int n) {
        qd::MMKernelData k{name, n, std::vector<int32_t>(size_t(n * n), 1)};
        ASSERT_NE(mmLib().add(k.record()), nullptr);
    }
    // Runs the editor that pressing button opens through f, which returns
    // the dialog's result.
    void runEditor(QPushButton* button, std::function<void(CKernelEditorDialog&)> f) {
        dialogs = [f](QDialog& d) {
            CKernelEditorDialog* e = editorOf(d);
            EXPECT_NE(e, nullptr);
            if (e) f(*e);
            return d.result();
        };
        button->click();
        dialogs = nullptr;
    }
    std::vector<QString> boxTexts() const {
        std::vector<QString> t;
        for (const RecordedBox& b : boxes) {
            EXPECT_EQ(b.title, "warning");
            EXPECT_EQ(b.style, qd::MbOk | qd::MbIconStop);
            t.push_back(b.text);
        }
        return t;
    }
};

} // namespace

// ---- Kernel pages ----

TEST_F(KernelPageTest, SelectsTheRememberedKernelByNameAndDimension) {
    addUser("Low pass", 5);
    struct Case {
        QVariant name;
        int dim;
        int index;
    };
    const Case cases[] = {{"Low pass", 5, 11}, {"Low pass", 3, 0}, {"Low pass", 0, 0},
                          {"Sobel E", 0, 8},   {"Nothing", 0, 0},  {QVariant(), 0, 0}};
    for (const Case& c : cases) {
        setProfile("sConvolution/KernelName", c.name);
        setProfile("sConvolution/KernelDim", c.dim);
        CONVKERNEL* chosen = nullptr;
        CSelectKernelPage page(lib(), &chosen, "sConvolution");
        EXPECT_EQ(page.current(), c.index) << c.name.toString().toStdString() << " " << c.dim;
    }
    setProfile("sConvolution/KernelName", "Low pass");
    setProfile("sConvolution/KernelDim", 3);
    CSelectKernelPage page(lib(), nullptr, "sConvolution");
    EXPECT_EQ(page.kernels()->count(), 12);
    EXPECT_EQ(page.kernels()->currentText(), "Low pass");
    EXPECT_EQ(page.dimensionField()->text(), "3 X 3");
    EXPECT_EQ(page.entriesBox()->toPlainText(), kLowPassRows);
    EXPECT_EQ(page.divisorField()->text(), "9");
}

TEST_F(KernelPageTest, MorphologyPageRemembersItsOwnKeys) {
    addUserMM("Diamond (3 X 3)", 5);
    setProfile("Erosion/MMKernelName", "Diamond (3 X 3)");
    setProfile("Erosion/MMKernelDim", 5);
    setProfile("Erosion/KernelName", "Circle (5 X 5)"); // the convolution key
    CSelectMMKernelPage page(mmLib(), nullptr, "Erosion");
    EXPECT_EQ(page.current(), 5);
    EXPECT_EQ(page.divisorField(), nullptr);
    page.kernels()->setCurrentIndex(0);
    EXPECT_EQ(page.entriesBox()->toPlainText(), "0  1  0  \n1  1  1  \n0  1  0  ");
    EXPECT_EQ(page.dimensionField()->text(), "3 X 3");
}

TEST_F(KernelPageTest, EditAndDeleteOnlyForUserKernels) {
    addUser("Mine", 3);
    addUserMM("Ring", 3);
    CSelectKernelPage page(lib(), nullptr, "Convolution");
    CSelectMMKernelPage mm(mmLib(), nullptr, "Median");
    EXPECT_EQ(page.newButton()->text(), "New...");
    EXPECT_EQ(page.editButton()->text(), "Edit");
    EXPECT_EQ(page.deleteButton()->text(), "Delete");
    for (auto [p, lastBuiltIn] : {std::pair<CKernelPage*, int>{&page, 10}, {&mm, 4}}) {
        p->kernels()->setCurrentIndex(lastBuiltIn);
        EXPECT_FALSE(p->editButton()->isEnabled());
        EXPECT_FALSE(p->deleteButton()->isEnabled());
        EXPECT_TRUE(p->newButton()->isEnabled());
        p->kernels()->setCurrentIndex(lastBuiltIn + 1);
        EXPECT_TRUE(p->editButton()->isEnabled());
        EXPECT_TRUE(p->deleteButton()->isEnabled());
        EXPECT_TRUE(p->newButton()->isEnabled());
    }
    // Reached without the buttons, a built-in kernel still cannot change.
    page.kernels()->setCurrentIndex(0);
    page.editKernel();
    page.deleteKernel();
    EXPECT_EQ(boxTexts(), (std::vector<QString>(2, "You cannot modify selected kernel.")));
    EXPECT_EQ(lib().count(), 12);
    EXPECT_TRUE(dialogTitles.empty());
}

TEST_F(KernelPageTest, NewKernelShowsEachRefusalInOrder) {
    CSelectKernelPage page(lib(), nullptr, "Convolution");
    runEditor(page.newButton(), [&](CKernelEditorDialog& e) {
        EXPECT_EQ(e.windowTitle(), "New Kernel");
        ASSERT_NE(e.dimensions(), nullptr);
        EXPECT_EQ(e.dimensions()->count(), 31);
        EXPECT_EQ(e.dimensions()->itemText(0), "3 X 3");
        EXPECT_EQ(e.dimensions()->itemText(1), "5 X 5");
        EXPECT_EQ(e.dimensions()->itemText(30), "63 X 63");
        EXPECT_EQ(e.dimensions()->currentText(), "3 X 3");
        EXPECT_EQ(e.entriesBox()->toPlainText(), "0  0  0  \n0  0  0  \n0  0  0  \n");
        EXPECT_EQ(e.divisorField()->text(), "1");

        pressOk(&e); // empty name
        e.nameField()->setText("Low pass");
        pressOk(&e);
        e.nameField()->setText("Edge");
        e.divisorField()->setText("0");
        pressOk(&e);
        e.divisorField()->setText("2");
        e.dimensions()->setCurrentIndex(1);
        EXPECT_EQ(e.entriesBox()->toPlainText(), QString("0  0  0  0  0  \n").repeated(5));
        e.entriesBox()->setPlainText("1 1 1 1 1\n1 1 1 1 1\n1 1 1 1\n1 1 1 1 1\n1 1 1 1 1");
        pressOk(&e);
        e.entriesBox()->setPlainText("1 1 1 1 1\n1 1 1 1 1\n1 1 x 1 1\n1 1 1 1 1\n1 1 1 1 1");
        pressOk(&e);
        EXPECT_EQ(e.result(), QDialog::Rejected);
        EXPECT_EQ(lib().count(), 11);
        e.entriesBox()->setPlainText("1 2 3 4 5 6\n1 1 1 1 1\n1\t1 1 1 1\n1 1 1 1 1\n1 1 1 1 -1");
        pressOk(&e);
    });
    EXPECT_EQ(boxTexts(),
              (std::vector<QString>{"Invalid kernel name.", "Invalid kernel name.",
                                    "Weight should be non zero.",
                                    "The number of kernel elements are not sufficient.",
                                    "The number of kernel elements are not sufficient."}));
    ASSERT_EQ(lib().count(), 12);
    const CONVKERNEL* k = lib().at(11);
    EXPECT_STREQ(k->name, "Edge");
    EXPECT_EQ(k->N, 5);
    EXPECT_EQ(k->divisor, 2.0);
    EXPECT_EQ(k->weights[4], 5.0); // the sixth entry of the first line is ignored
    EXPECT_EQ(k->weights[24], -1.0);
    EXPECT_EQ(page.kernels()->count(), 12);
    EXPECT_EQ(page.current(), 11);
    EXPECT_EQ(page.kernels()->currentText(), "Edge");
    EXPECT_EQ(page.dimensionField()->text(), "5 X 5");
    EXPECT_EQ(page.divisorField()->text(), "2");
    EXPECT_TRUE(page.editButton()->isEnabled());
    EXPECT_EQ(profileValue("NewKernel/KernelDim").toInt(), 5);
}

TEST_F(KernelPageTest, NewKernelRemembersItsDimensionOnlyOnOk) {
    setProfile("NewKernel/KernelDim", 7);
    CSelectKernelPage page(lib(), nullptr, "Convolution");
    runEditor(page.newButton(), [](CKernelEditorDialog& e) {
        EXPECT_EQ(e.dimensions()->currentText(), "7 X 7");
        EXPECT_EQ(e.entriesBox()->toPlainText().count('\n'), 7);
        e.nameField()->setText("Wide");
        e.dimensions()->setCurrentIndex(e.dimensions()->count() - 1);
        // Cancel: the box is not confirmed.
    });
    EXPECT_EQ(lib().count(), 11);
    EXPECT_EQ(profileValue("NewKernel/KernelDim").toInt(), 7);
    EXPECT_EQ(page.current(), 0);
}

TEST_F(KernelPageTest, MorphologyEntriesAreStoredAsZeroOrOne) {
    CSelectMMKernelPage page(mmLib(), nullptr, "Dilation");
    runEditor(page.newButton(), [](CKernelEditorDialog& e) {
        EXPECT_EQ(e.windowTitle(), "define nw MM kernel");
        EXPECT_EQ(e.divisorField(), nullptr);
        e.nameField()->setText("Cross");
        e.entriesBox()->setPlainText("0 2 0\n2 -5 2\n0 2 0");
        pressOk(&e);
    });
    EXPECT_TRUE(boxes.empty());
    ASSERT_EQ(mmLib().count(), 6);
    const MMKERNEL* k = mmLib().at(5);
    EXPECT_EQ(std::vector<int32_t>(k->values, k->values + 9),
              (std::vector<int32_t>{0, 1, 0, 1, 1, 1, 0, 1, 0}));
    EXPECT_EQ(page.entriesBox()->toPlainText(), "0  1  0  \n1  1  1  \n0  1  0  ");
    EXPECT_EQ(profileValue("NewMMKernel/MMKernelDim").toInt(), 3);
    EXPECT_FALSE(profileValue("NewKernel/KernelDim").isValid());
}

TEST_F(KernelPageTest, FractionalValuesSurviveTheEditor) {
    CSelectKernelPage page(lib(), nullptr, "Convolution");
    runEditor(page.newButton(), [](CKernelEditorDialog& e) {
        e.nameField()->setText("Soft");
        e.divisorField()->setText("0.5");
        e.entriesBox()->setPlainText("0.25 1 1\n1 1 1\n1 1 2.5");
        pressOk(&e);
    });
    ASSERT_EQ(lib().count(), 12);
    EXPECT_EQ(lib().at(11)->divisor, 0.5);
    // The page rounds as the C library prints "%.0f": 0.5 and 0.25 show 0, 2.5 shows 2.
    EXPECT_EQ(page.divisorField()->text(), "0");
    EXPECT_EQ(page.entriesBox()->toPlainText(), "0  1  1  \n1  1  1  \n1  1  2  ");

    runEditor(page.editButton(), [](CKernelEditorDialog& e) {
        EXPECT_EQ(e.windowTitle(), "Edit Kernel");
        EXPECT_EQ(e.dimensions(), nullptr);
        EXPECT_EQ(e.dimensionField()->text(), "3 X 3");
        EXPECT_TRUE(e.dimensionField()->isReadOnly());
        EXPECT_EQ(e.nameField()->text(), "Soft");
        EXPECT_EQ(e.divisorField()->text(), "0.5");
        EXPECT_EQ(e.entriesBox()->toPlainText(), "0.25  1  1  \n1  1  1  \n1  1  2.5  ");
        pressOk(&e); // confirmed without retyping
    });
    EXPECT_TRUE(boxes.empty());
    const CONVKERNEL* k = lib().at(11);
    EXPECT_EQ(k->divisor, 0.5);
    EXPECT_EQ(k->weights[0], 0.25);
    EXPECT_EQ(k->weights[8], 2.5);
    EXPECT_EQ(lib().count(), 12);
}

TEST_F(KernelPageTest, EditRenamesInPlaceButRefusesAnotherKernelsName) {
    addUser("Mine", 3);
    addUser("Other", 3);
    CSelectKernelPage page(lib(), nullptr, "Convolution");
    page.kernels()->setCurrentIndex(11);
    runEditor(page.editButton(), [](CKernelEditorDialog& e) {
        e.nameField()->setText("Other");
        pressOk(&e);
        e.nameField()->setText("Renamed");
        e.divisorField()->setText("3");
        pressOk(&e);
    });
    EXPECT_EQ(boxTexts(), std::vector<QString>{"Invalid kernel name."});
    EXPECT_STREQ(lib().at(11)->name, "Renamed");
    EXPECT_EQ(lib().at(11)->divisor, 3.0);
    EXPECT_EQ(page.kernels()->itemText(11), "Renamed");
    EXPECT_EQ(page.divisorField()->text(), "3");
    EXPECT_EQ(lib().count(), 13);
}

TEST_F(KernelPageTest, DeleteSelectsTheFirstKernel) {
    addUser("Mine", 5);
    addUserMM("Ring", 5);
    CSelectKernelPage page(lib(), nullptr, "Convolution");
    CSelectMMKernelPage mm(mmLib(), nullptr, "Closing");
    page.kernels()->setCurrentIndex(11);
    page.deleteButton()->click();
    EXPECT_EQ(lib().count(), 11);
    EXPECT_EQ(page.kernels()->count(), 11);
    EXPECT_EQ(page.current(), 0);
    EXPECT_EQ(page.kernels()->currentText(), "Low pass");
    EXPECT_EQ(page.entriesBox()->toPlainText(), kLowPassRows);
    EXPECT_FALSE(page.deleteButton()->isEnabled());
    mm.kernels()->setCurrentIndex(5);
    mm.deleteButton()->click();
    EXPECT_EQ(mmLib().count(), 5);
    EXPECT_EQ(mm.kernels()->currentText(), "Diamond (3 X 3)");
    EXPECT_TRUE(boxes.empty());
}

// ---- Kernel sheets ----

TEST_F(KernelPageTest, SheetWritesTheChoiceOnOkOnly) {
    {
        CKernelSheet sheet(61468, "sConvolution", lib());
        EXPECT_EQ(sheet.windowTitle(), "simple convolution");
        EXPECT_EQ(sheet.tabs()->tabText(0), "Kernel");
        EXPECT_EQ(sheet.tabs()->tabText(1), "Display");
        sheet.kernelPage()->kernels()->setCurrentIndex(7);
        sheet.buttons()->button(QDialogButtonBox::Cancel)->click();
        EXPECT_EQ(sheet.kernel(), nullptr);
    }
    EXPECT_TRUE(keysIn("sConvolution").isEmpty());
    CKernelSheet sheet(61468, "sConvolution", lib());
    sheet.kernelPage()->kernels()->setCurrentIndex(7);
    pressOk(&sheet);
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(sheet.kernel(), lib().at(7));
    EXPECT_EQ(profileValue("sConvolution/KernelName").toString(), "Sobel N");
    EXPECT_EQ(profileValue("sConvolution/KernelDim").toInt(), 3);
    EXPECT_EQ(profileValue("sConvolution/DisplayRangeTypePos").toInt(), 1);
    CKernelSheet again(61468, "sConvolution", lib());
    EXPECT_EQ(again.kernelPage()->current(), 7);
}

TEST_F(KernelPageTest, EntryPointsReturnCopies) {
    dialogs = [](QDialog& d) {
        auto* sheet = qobject_cast<CKernelSheet*>(&d);
        EXPECT_NE(sheet, nullptr);
        if (sheet) sheet->kernelPage()->kernels()->setCurrentIndex(1);
        pressOk(&d);
        return d.result();
    };
    const std::optional<qd::KernelChoice> c = qd::runKernelSheet(nullptr, 61466, "Convolution");
    ASSERT_TRUE(c);
    EXPECT_EQ(dialogTitles.back(), "convolution");
    EXPECT_EQ(c->kernel.name, "Gaussian");
    EXPECT_EQ(c->kernel.divisor, 16.0);
    EXPECT_EQ(c->kernel.weights, (std::vector<double>{1, 2, 1, 2, 4, 2, 1, 2, 1}));
    EXPECT_EQ(c->display.sameDisplay, 0);
    EXPECT_EQ(c->display.defaultRange, 1);

    dialogs = [](QDialog& d) {
        pressOk(&d);
        return d.result();
    };
    const std::optional<qd::MMKernelChoice> m = qd::runMMKernelSheet(nullptr, 61462, "Dilation");
    ASSERT_TRUE(m);
    EXPECT_EQ(dialogTitles.back(), "diation");
    EXPECT_EQ(m->kernel.name, "Diamond (3 X 3)");
    EXPECT_EQ(m->kernel.values, (std::vector<int32_t>{0, 1, 0, 1, 1, 1, 0, 1, 0}));

    dialogs = nullptr; // Cancel
    EXPECT_FALSE(qd::runMMKernelSheet(nullptr, 61463, "Opening"));
    EXPECT_TRUE(keysIn("Opening").isEmpty());
}

// ---- "Display" page ----

class DisplaySetupPageTest : public KernelPageTest {};

TEST_F(DisplaySetupPageTest, FirstUseStretchesWithTheRangeFieldsOff) {
    qd::DisplayRecord r;
    CDisplaySetupPage page("Erosion", &r);
    EXPECT_EQ(page.windowTitle(), "Display");
    EXPECT_EQ(page.rangeButton(0)->text(), "same display range");
    EXPECT_EQ(page.rangeButton(1)->text(), "stretch display range");
    EXPECT_EQ(page.rangeButton(2)->text(), "custom display range =>");
    EXPECT_TRUE(page.rangeButton(1)->isChecked());
    EXPECT_EQ(page.fromField()->text(), "0.0");
    EXPECT_EQ(page.toField()->text(), "256.0");
    EXPECT_FALSE(page.fromField()->isEnabled());
    EXPECT_FALSE(page.toField()->isEnabled());
    page.rangeButton(2)->click();
    EXPECT_TRUE(page.toField()->isEnabled());
}

TEST_F(DisplaySetupPageTest, EachRadioFillsTheRecord) {
    struct Case {
        int radio;
        qd::DisplayRecord expected;
    };
    const Case cases[] = {
        {0, {1, 0, 1, 0.0, 256.0}}, {1, {0, 0, 1, 0.0, 256.0}}, {2, {0, 0, 0, -1.5, 300.0}}};
    for (const Case& c : cases) {
        CMMKernelSheet sheet(61461, "Erosion", mmLib());
        CDisplaySetupPage* page = sheet.displayPage();
        page->rangeButton(c.radio)->click();
        page->fromField()->setText("-1.5");
        page->toField()->setText("300");
        pressOk(&sheet);
        ASSERT_EQ(sheet.result(), QDialog::Accepted) << c.radio;
        const qd::DisplayRecord& r = sheet.display();
        EXPECT_EQ(r.sameDisplay, c.expected.sameDisplay) << c.radio;
        EXPECT_EQ(r.displayType, c.expected.displayType) << c.radio;
        EXPECT_EQ(r.defaultRange, c.expected.defaultRange) << c.radio;
        if (c.radio == 2) {
            EXPECT_EQ(r.from, -1.5);
            EXPECT_EQ(r.to, 300.0);
        }
        EXPECT_EQ(profileValue("Erosion/DisplayRangeTypePos").toInt(), c.radio);
    }
    EXPECT_EQ(profileValue("Erosion/DisplayRangeFrom").toString(), "-1.5");
    EXPECT_EQ(profileValue("Erosion/DisplayRangeTo").toString(), "300");
    CDisplaySetupPage again("Erosion", nullptr);
    EXPECT_TRUE(again.rangeButton(2)->isChecked());
    EXPECT_EQ(again.fromField()->text(), "-1.5");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DisplaySetupPageTest, CustomRangeBackwardsOrNotANumberIsRefused) {
    CMMKernelSheet sheet(61482, "Median", mmLib());
    EXPECT_EQ(sheet.windowTitle(), "median filter");
    CDisplaySetupPage* page = sheet.displayPage();
    page->fromField()->setText("20");
    page->toField()->setText("10");
    pressOk(&sheet); // not custom: the range is not checked
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_TRUE(boxes.empty());

    CMMKernelSheet custom(61482, "Median", mmLib());
    page = custom.displayPage();
    page->rangeButton(2)->click();
    page->fromField()->setText("20");
    page->toField()->setText("10");
    pressOk(&custom);
    page->fromField()->setText("abc");
    page->toField()->setText("10");
    pressOk(&custom);
    page->fromField()->setText("5");
    page->toField()->setText("");
    pressOk(&custom);
    EXPECT_EQ(custom.result(), QDialog::Rejected);
    EXPECT_EQ(custom.tabs()->currentIndex(), 1);
    EXPECT_EQ(boxTexts(), (std::vector<QString>(3, "From value canot be greater than To value.")));
    EXPECT_EQ(profileValue("Median/DisplayRangeTypePos").toInt(), 1); // from the first sheet
    page->toField()->setText("5");
    pressOk(&custom);
    EXPECT_EQ(custom.result(), QDialog::Accepted);
    EXPECT_EQ(custom.display().from, 5.0);
    EXPECT_EQ(custom.display().to, 5.0);
}

// ---- Background subtraction ----

TEST_F(KernelPageTest, BackgroundSubtractionListsAndDefaults) {
    CMMBKSubSheet sheet(mmLib());
    EXPECT_EQ(sheet.windowTitle(), "background subtraction");
    EXPECT_EQ(sheet.section(), "MMBKSub");
    EXPECT_EQ(sheet.tabs()->tabText(0), "Type");
    EXPECT_EQ(sheet.tabs()->tabText(1), "MM Kernel");
    QStringList counts;
    for (int i = 0; i < sheet.typePage()->operations()->count(); ++i)
        counts << sheet.typePage()->operations()->itemText(i);
    EXPECT_EQ(counts, QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "12", "14",
                                   "16", "18", "20"}));
    EXPECT_EQ(sheet.typePage()->operations()->currentText(), "3");
    EXPECT_EQ(sheet.typePage()->operators()->count(), 2);
    EXPECT_EQ(sheet.typePage()->operators()->itemText(0), "erosion");
    EXPECT_EQ(sheet.typePage()->operators()->itemText(1), "dilation");
    EXPECT_EQ(sheet.typePage()->operators()->currentIndex(), 0);
    EXPECT_EQ(sheet.kernelPage()->current(), 0);
}

TEST_F(KernelPageTest, BackgroundSubtractionRemembersItsChoice) {
    dialogs = [](QDialog& d) {
        auto* sheet = qobject_cast<CMMBKSubSheet*>(&d);
        EXPECT_NE(sheet, nullptr);
        if (!sheet) return int(QDialog::Rejected);
        sheet->typePage()->operations()->setCurrentIndex(11); // 14
        sheet->typePage()->operators()->setCurrentIndex(1);
        sheet->kernelPage()->kernels()->setCurrentIndex(2);
        pressOk(sheet);
        return sheet->result();
    };
    const std::optional<qd::BKSubChoice> c = qd::runMMBKSubSheet(nullptr);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->operations, 14);
    EXPECT_EQ(c->op, 1);
    EXPECT_EQ(c->kernel.name, "Circle (5 X 5)");
    EXPECT_EQ(c->kernel.n, 5);
    EXPECT_EQ(profileValue("MMBKSub/Order").toInt(), 14);
    EXPECT_EQ(profileValue("MMBKSub/Operator").toInt(), 1);
    EXPECT_EQ(profileValue("MMBKSub/MMKernelName").toString(), "Circle (5 X 5)");
    EXPECT_EQ(profileValue("MMBKSub/MMKernelDim").toInt(), 5);

    CMMBKSubSheet again(mmLib());
    EXPECT_EQ(again.typePage()->operations()->currentText(), "14");
    EXPECT_EQ(again.typePage()->operators()->currentText(), "dilation");
    EXPECT_EQ(again.kernelPage()->current(), 2);

    // A number the list does not offer falls back to 3.
    setProfile("MMBKSub/Order", 11);
    setProfile("MMBKSub/Operator", 2);
    CMMBKSubSheet odd(mmLib());
    EXPECT_EQ(odd.typePage()->operations()->currentText(), "3");
    EXPECT_EQ(odd.typePage()->operators()->currentIndex(), 0);

    dialogs = nullptr;
    setProfile("MMBKSub/Order", 5);
    EXPECT_FALSE(qd::runMMBKSubSheet(nullptr));
    EXPECT_EQ(profileValue("MMBKSub/Order").toInt(), 5);
}
