// The parameter dialogs of the processing commands: defaults, remembered
// values, refusals in order with the dialog kept open, and what OK returns.
#include "brightness_contrast_dialog.h"
#include "gui_fixture.h"
#include "homomorphic_dialog.h"
#include "hsi_dialog.h"
#include "image_info_dialog.h"
#include "object_ident_dialog.h"
#include "profile.h"
#include "resize_dialog.h"
#include "simple_math_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <cstring>

namespace {

void clickOk(QDialogButtonBox* b) {
    QTest::mouseClick(b->button(QDialogButtonBox::Ok), Qt::LeftButton);
}
void clickCancel(QDialogButtonBox* b) {
    QTest::mouseClick(b->button(QDialogButtonBox::Cancel), Qt::LeftButton);
}
void focusIn(QWidget* w) {
    QFocusEvent e(QEvent::FocusIn);
    QCoreApplication::sendEvent(w, &e);
}
bool inProfile(const char* path) { return qd::openProfile()->contains(path); }
int profileInt(const char* path) { return qd::openProfile()->value(path).toInt(); }

} // namespace

class ParameterDialogTest : public GuiTest {
  protected:
    // Clicks OK and expects exactly one new box with that text and title.
    template <typename D>
    void refused(D& d, const QString& text, const QString& title = "warning") {
        QSignalSpy accepted(&d, &QDialog::accepted);
        const size_t before = boxes.size();
        clickOk(d.buttons());
        ASSERT_EQ(boxes.size(), before + 1) << text.toStdString();
        EXPECT_EQ(boxes.back().text, text);
        EXPECT_EQ(boxes.back().title, title);
        EXPECT_EQ(boxes.back().style, qd::MbOk | qd::MbIconStop);
        EXPECT_EQ(accepted.count(), 0);
    }
    template <typename D> void acceptedSilently(D& d) {
        QSignalSpy accepted(&d, &QDialog::accepted);
        const size_t before = boxes.size();
        clickOk(d.buttons());
        EXPECT_EQ(boxes.size(), before);
        EXPECT_EQ(accepted.count(), 1);
    }
};

// ---- Brightness/Contrast and HSI ----

TEST_F(ParameterDialogTest, BrightnessContrastStartsAtZeroAndRemembersWhatOkTook) {
    {
        CBrightnessContrastDialog d;
        EXPECT_EQ(d.brightnessField()->text(), "0");
        EXPECT_EQ(d.contrastField()->text(), "0");
        d.brightnessField()->setText("-100");
        d.contrastField()->setText(" 100");
        acceptedSilently(d);
        EXPECT_EQ(d.result().brightness, -100);
        EXPECT_EQ(d.result().contrast, 100);
    }
    EXPECT_EQ(profileInt("BrightnessContrast/Brightness"), -100);
    EXPECT_EQ(profileInt("BrightnessContrast/Contrast"), 100);
    dialogs = [](QDialog& d) {
        auto& bc = dynamic_cast<CBrightnessContrastDialog&>(d);
        EXPECT_EQ(bc.brightnessField()->text(), "-100");
        EXPECT_EQ(bc.contrastField()->text(), "100");
        bc.contrastField()->setText("7");
        clickOk(bc.buttons());
        return d.result();
    };
    const auto r = runBrightnessContrastDialog(nullptr);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->brightness, -100);
    EXPECT_EQ(r->contrast, 7);
    EXPECT_EQ(profileInt("BrightnessContrast/Contrast"), 7);
}

TEST_F(ParameterDialogTest, BrightnessContrastRefusesOneFieldAtATimeAndKeepsTheTexts) {
    CBrightnessContrastDialog d;
    d.brightnessField()->setText("101");
    d.contrastField()->setText("-101");
    refused(d, "Brightness should be integer value between -100 and 100.");
    EXPECT_EQ(d.brightnessField()->text(), "101");
    EXPECT_EQ(d.contrastField()->text(), "-101");
    d.brightnessField()->setText("2.5");
    refused(d, "Brightness should be integer value between -100 and 100.");
    d.brightnessField()->setText("abc");
    refused(d, "Brightness should be integer value between -100 and 100.");
    d.brightnessField()->setText("5");
    refused(d, "Contrast should be integer value between -100 and 100");
    d.contrastField()->setText("");
    refused(d, "Contrast should be integer value between -100 and 100");
    EXPECT_FALSE(inProfile("BrightnessContrast/Brightness"));
    EXPECT_FALSE(inProfile("BrightnessContrast/Contrast"));
}

TEST_F(ParameterDialogTest, CancelWritesNoProfile) {
    qd::openProfile()->setValue("BrightnessContrast/Brightness", 3);
    qd::openProfile()->setValue("HueSaturationIntensity/Hue", -4);
    {
        CBrightnessContrastDialog d;
        EXPECT_EQ(d.brightnessField()->text(), "3");
        d.brightnessField()->setText("50");
        clickCancel(d.buttons());
    }
    {
        CHsiDialog d;
        EXPECT_EQ(d.hueField()->text(), "-4");
        d.hueField()->setText("60");
        clickCancel(d.buttons());
    }
    EXPECT_FALSE(runBrightnessContrastDialog(nullptr)); // the runner rejects
    EXPECT_FALSE(runHsiDialog(nullptr));
    EXPECT_EQ(profileInt("BrightnessContrast/Brightness"), 3);
    EXPECT_FALSE(inProfile("BrightnessContrast/Contrast"));
    EXPECT_EQ(profileInt("HueSaturationIntensity/Hue"), -4);
    EXPECT_FALSE(inProfile("HueSaturationIntensity/Saturation"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ParameterDialogTest, HsiTakesTheLimitsAndRefusesBeyondInFieldOrder) {
    {
        CHsiDialog d;
        EXPECT_EQ(d.hueField()->text(), "0");
        EXPECT_EQ(d.saturationField()->text(), "0");
        EXPECT_EQ(d.intensityField()->text(), "0");
        d.hueField()->setText("-101");
        d.saturationField()->setText("101");
        d.intensityField()->setText("x");
        refused(d, "Hue value should be integer value greater than -100 and less than 100.");
        d.hueField()->setText("-100");
        refused(d, "Saturation value should be integer value greater than -100 and less than 100.");
        d.saturationField()->setText("100");
        refused(d, "Intensity value should be integer value greater than -100 and less than 100.");
        d.intensityField()->setText("1.0");
        refused(d, "Intensity value should be integer value greater than -100 and less than 100.");
        EXPECT_FALSE(inProfile("HueSaturationIntensity/Hue"));
        d.intensityField()->setText("12");
        acceptedSilently(d);
        EXPECT_EQ(d.result().hue, -100);
        EXPECT_EQ(d.result().saturation, 100);
        EXPECT_EQ(d.result().intensity, 12);
    }
    CHsiDialog again;
    EXPECT_EQ(again.hueField()->text(), "-100");
    EXPECT_EQ(again.saturationField()->text(), "100");
    EXPECT_EQ(again.intensityField()->text(), "12");
}

// ---- Image info ----

TEST_F(ParameterDialogTest, ImageInfoShowsTypeSizeAndUnits) {
    IMHANDLE im = makeImage(7, 5, MT_UCHAR);
    {
        CImageInfoDialog d(im);
        EXPECT_EQ(d.dataTypeLabel()->text(), "unsigned integer [1 byte]");
        EXPECT_EQ(d.widthField()->text(), "7");
        EXPECT_EQ(d.heightField()->text(), "5");
        EXPECT_TRUE(d.widthField()->isReadOnly());
        EXPECT_TRUE(d.heightField()->isReadOnly());
        EXPECT_EQ(qd::parseNumber(d.scaleField()->text()), 1.0);
        ASSERT_EQ(d.unitBox()->count(), 4);
        EXPECT_EQ(d.unitBox()->itemText(0), "mm");
        EXPECT_EQ(d.unitBox()->itemText(1), QString::fromUtf8("µm"));
        EXPECT_EQ(d.unitBox()->itemText(2), "nm");
        EXPECT_EQ(d.unitBox()->itemText(3), QString::fromUtf8("Â"));
        EXPECT_TRUE(d.commentField()->toPlainText().isEmpty());
    }
    IMSetXYUnit(im, "furlong");
    IMSetScale(im, 0.125);
    std::strcpy(IMGetHeaderPointer(im)->Comment, "first\r\nsecond");
    {
        CImageInfoDialog d(im);
        EXPECT_EQ(d.unitBox()->currentText(), "furlong");
        EXPECT_EQ(d.scaleField()->text(), "0.125");
        EXPECT_EQ(d.commentField()->toPlainText(), "first\nsecond");
    }
    IMDestroy(im);
    const std::pair<int, const char*> types[] = {{MT_BINARY, "binary [1 bit]"},
                                                 {MT_4BITS, "16 colors [4 bits]"},
                                                 {MT_CHAR, "signed integer [1 byte]"},
                                                 {MT_SHORT, "signed integer [2 bytes]"},
                                                 {MT_USHORT, "unsigned integer [2 bytes]"},
                                                 {MT_LONG, "signed integer [4 bytes]"},
                                                 {MT_ULONG, "unsigned integer [4 bytes]"},
                                                 {MT_FLOAT, "floating [4 bytes]"},
                                                 {MT_DOUBLE, "floating [8 bytes]"},
                                                 {MT_COMPLEX8, "complex [8 bytes]"},
                                                 {MT_COMPLEX16, "complex [16 bytes]"},
                                                 {MT_RGB, "RGB [4 bytes]"}};
    for (const auto& [type, text] : types)
        EXPECT_EQ(qd::dataTypeText(type), text) << type;
}

TEST_F(ParameterDialogTest, ImageInfoRefusesZeroScaleAndWritesTheHeaderOnOk) {
    IMHANDLE im = makeImage(4, 4, MT_FLOAT);
    const QString longComment(2000, QChar('c'));
    dialogs = [&](QDialog& dlg) {
        auto& d = dynamic_cast<CImageInfoDialog&>(dlg);
        d.scaleField()->setText("0");
        refused(d, "Scale value should not be zero.");
        d.scaleField()->setText("0.0");
        refused(d, "Scale value should not be zero.");
        d.scaleField()->setText("zero");
        refused(d, "Scale value should not be zero.");
        EXPECT_EQ(d.scaleField()->text(), "zero");
        EXPECT_EQ(IMGetScale(im), 1.0); // nothing written while refused
        d.scaleField()->setText("0.25");
        d.unitBox()->setCurrentIndex(1);
        d.commentField()->setPlainText(longComment);
        clickOk(d.buttons());
        return dlg.result();
    };
    ASSERT_TRUE(runImageInfoDialog(nullptr, im));
    const IMHEADER* h = IMGetHeaderPointer(im);
    EXPECT_EQ(h->Scale, 0.25);
    EXPECT_EQ(QByteArray(h->XYUnit), QByteArray("\xB5m"));
    EXPECT_EQ(std::strlen(h->Comment), 1023u);
    EXPECT_EQ(QByteArray(h->Comment), QByteArray(1023, 'c'));

    dialogs = [](QDialog& dlg) {
        auto& d = dynamic_cast<CImageInfoDialog&>(dlg);
        d.unitBox()->setCurrentText(QString(40, 'u'));
        d.commentField()->setPlainText("one\ntwo");
        clickOk(d.buttons());
        return dlg.result();
    };
    ASSERT_TRUE(runImageInfoDialog(nullptr, im));
    EXPECT_EQ(QByteArray(h->XYUnit), QByteArray(31, 'u'));
    EXPECT_EQ(QByteArray(h->Comment), QByteArray("one\r\ntwo"));
    EXPECT_EQ(h->Comment[9], 0); // the old, longer comment is gone

    dialogs = [](QDialog& dlg) {
        auto& d = dynamic_cast<CImageInfoDialog&>(dlg);
        d.scaleField()->setText("9");
        d.commentField()->setPlainText("changed");
        clickCancel(d.buttons());
        return dlg.result();
    };
    EXPECT_FALSE(runImageInfoDialog(nullptr, im));
    EXPECT_EQ(h->Scale, 0.25);
    EXPECT_EQ(QByteArray(h->Comment), QByteArray("one\r\ntwo"));
    IMDestroy(im);
}

TEST_F(ParameterDialogTest, ImageInfoCutNeverLeavesHalfALineBreak) {
    IMHANDLE im = makeImage(2, 2, MT_UCHAR);
    qd::applyImageInfo(im, {1.0, "mm", QString(1022, 'a') + "\nb"});
    EXPECT_EQ(QByteArray(IMGetHeaderPointer(im)->Comment), QByteArray(1022, 'a'));
    IMDestroy(im);
}

// ---- Resize ----

TEST_F(ParameterDialogTest, ResizeStartsWithTheSelectionAndChecksInOrder) {
    CResizeDialog d(200, 100);
    EXPECT_EQ(d.widthField()->text(), "200");
    EXPECT_EQ(d.heightField()->text(), "100");
    EXPECT_EQ(d.ratioField()->text(), "2.00000");
    EXPECT_EQ(d.keepRatioBox()->text(), "maintainaspect ratio");
    EXPECT_EQ(CResizeDialog(1, 3).ratioField()->text(), "0.33333");

    d.widthField()->setText("0");
    d.heightField()->setText("0");
    refused(d, "Width should be positive integer value.");
    d.widthField()->setText("1.5");
    refused(d, "Width should be positive integer value.");
    d.widthField()->setText("10");
    refused(d, "Height should be positive integer value.");
    d.heightField()->setText("x");
    refused(d, "Height should be positive integer value.");
    d.heightField()->setText("20");
    d.ratioField()->setText("0");
    d.keepRatioBox()->setChecked(true);
    refused(d, "Ratio should be positive real value.");
    d.ratioField()->setText("1e-14");
    refused(d, "Ratio should be positive real value.");
    EXPECT_EQ(d.widthField()->text(), "10");
    EXPECT_EQ(d.heightField()->text(), "20");
    d.ratioField()->setText("1e-13");
    acceptedSilently(d);
    EXPECT_EQ(d.result().width, 10);
    EXPECT_EQ(d.result().height, 20);
}

TEST_F(ParameterDialogTest, ResizeIgnoresTheRatioWhileTheCheckIsOff) {
    CResizeDialog d(50, 50);
    EXPECT_FALSE(d.keepRatioBox()->isChecked());
    d.ratioField()->setText("junk");
    d.widthField()->setText("30");
    focusIn(d.heightField());
    EXPECT_EQ(d.heightField()->text(), "50");
    acceptedSilently(d);
    EXPECT_EQ(d.result().width, 30);
    EXPECT_EQ(d.result().height, 50);
}

TEST_F(ParameterDialogTest, ResizeRecomputesTheFieldThatTakesTheFocus) {
    CResizeDialog d(200, 100);
    d.keepRatioBox()->setChecked(true);
    d.widthField()->setText("301");
    focusIn(d.heightField());
    EXPECT_EQ(d.heightField()->text(), "151"); // 150.5 + 0.5, truncated
    d.heightField()->setText("51");
    focusIn(d.widthField());
    EXPECT_EQ(d.widthField()->text(), "102");
    d.ratioField()->setText("3");
    d.widthField()->setText("100");
    focusIn(d.heightField());
    EXPECT_EQ(d.heightField()->text(), "33");
    d.ratioField()->setText("0"); // an unusable ratio leaves the field alone
    focusIn(d.heightField());
    EXPECT_EQ(d.heightField()->text(), "33");
    d.ratioField()->setText("1e-20");
    focusIn(d.heightField());
    EXPECT_EQ(d.heightField()->text(), "33");

    dialogs = [](QDialog& dlg) {
        auto& r = dynamic_cast<CResizeDialog&>(dlg);
        r.keepRatioBox()->setChecked(true);
        r.heightField()->setText("10");
        focusIn(r.widthField());
        clickOk(r.buttons());
        return dlg.result();
    };
    const auto r = runResizeDialog(nullptr, 64, 32);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->width, 20);
    EXPECT_EQ(r->height, 10);
}

// ---- Homomorphic filters ----

TEST_F(ParameterDialogTest, HomomorphicStartsFromItsValuesEveryTime) {
    dialogs = [](QDialog& dlg) {
        auto& d = dynamic_cast<CHomomorphicDialog&>(dlg);
        EXPECT_EQ(d.cutoffField()->text(), "1.0");
        EXPECT_EQ(d.lowerField()->text(), "0.5");
        EXPECT_EQ(d.upperField()->text(), "1.5");
        EXPECT_EQ(d.powerField()->text(), "1");
        if (d.isColour()) {
            EXPECT_EQ(d.fromField()->text(), "0");
            EXPECT_EQ(d.toField()->text(), "2");
        } else {
            EXPECT_EQ(d.fromField(), nullptr);
        }
        d.cutoffField()->setText("0.3");
        d.powerField()->setText("4");
        clickOk(d.buttons());
        return dlg.result();
    };
    for (bool colour : {false, true, false, true}) {
        const auto r = runHomomorphicDialog(nullptr, colour);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->cutoff, 0.3);
        EXPECT_EQ(r->lower, 0.5);
        EXPECT_EQ(r->upper, 1.5);
        EXPECT_EQ(r->power, 4);
        if (colour) {
            EXPECT_EQ(r->from, 0.0);
            EXPECT_EQ(r->to, 2.0);
        }
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ParameterDialogTest, HomomorphicRefusesOneCheckAtATime) {
    const QString limits = "Upper limit should be greater than lower limit and both values "
                           "should be positive values.";
    CHomomorphicDialog d(true);
    d.cutoffField()->setText("0");
    d.lowerField()->setText("-1");
    d.powerField()->setText("0");
    d.toField()->setText("0");
    refused(d, "Cutoff value should be greater than 0.0.", " warning");
    d.cutoffField()->setText("cut");
    refused(d, "Cutoff value should be greater than 0.0.", " warning");
    d.cutoffField()->setText("0.01");
    refused(d, limits, " warning");
    d.lowerField()->setText("0");
    refused(d, limits, " warning");
    d.lowerField()->setText("1.5");
    refused(d, limits, " warning"); // upper equal to lower
    d.lowerField()->setText("0.2");
    refused(d, "Power should have positive integer value.", " warning");
    d.powerField()->setText("2.0");
    refused(d, "Power should have positive integer value.", " warning");
    d.powerField()->setText("3");
    refused(d, "From value should be less than to value");
    d.toField()->setText("-1");
    refused(d, "From value should be less than to value");
    EXPECT_EQ(d.cutoffField()->text(), "0.01");
    EXPECT_EQ(d.toField()->text(), "-1");
    d.fromField()->setText("-2");
    acceptedSilently(d);
    EXPECT_EQ(d.result().lower, 0.2);
    EXPECT_EQ(d.result().power, 3);
    EXPECT_EQ(d.result().from, -2.0);
    EXPECT_EQ(d.result().to, -1.0);
}

// ---- Object identification ----

TEST_F(ParameterDialogTest, ObjectIdentificationDefaultsEveryTime) {
    dialogs = [](QDialog& dlg) {
        auto& d = dynamic_cast<CObjectIdentDialog&>(dlg);
        EXPECT_TRUE(d.fourButton()->isChecked());
        EXPECT_TRUE(d.withoutBoundaryButton()->isChecked());
        EXPECT_EQ(d.eightButton()->text(), "8 connectivity");
        EXPECT_EQ(d.withBoundaryButton()->text(), "with boundary");
        d.eightButton()->click();
        d.withBoundaryButton()->click();
        EXPECT_FALSE(d.fourButton()->isChecked());
        EXPECT_FALSE(d.withoutBoundaryButton()->isChecked());
        clickOk(d.buttons());
        return dlg.result();
    };
    for (int run = 0; run < 2; ++run) {
        const auto r = runObjectIdentDialog(nullptr);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->connectivity, 8);
        EXPECT_EQ(r->boundary, 1);
    }
    dialogs = [](QDialog& dlg) {
        clickOk(dynamic_cast<CObjectIdentDialog&>(dlg).buttons());
        return dlg.result();
    };
    const auto r = runObjectIdentDialog(nullptr);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->connectivity, 4);
    EXPECT_EQ(r->boundary, 0);
}

// ---- Simple math ----

TEST_F(ParameterDialogTest, SimpleMathRefusesDivisionByAlmostZero) {
    CSimpleMathDialog d;
    ASSERT_EQ(d.operatorBox()->count(), 3);
    EXPECT_EQ(d.operatorBox()->itemText(0), "+");
    EXPECT_EQ(d.operatorBox()->itemText(1), "*");
    EXPECT_EQ(d.operatorBox()->itemText(2), "/");
    EXPECT_EQ(d.operatorBox()->currentIndex(), 0);
    EXPECT_EQ(d.valueField()->text(), "0");
    d.operatorBox()->setCurrentIndex(2);
    refused(d, "Division by zero is not possible.");
    for (const char* v : {"0.0000000000001", "-1e-13", "none", ""}) {
        d.valueField()->setText(v);
        refused(d, "Division by zero is not possible.");
    }
    d.valueField()->setText("0.000000000001");
    acceptedSilently(d);
    EXPECT_EQ(d.result().op, 2);
    EXPECT_EQ(d.result().value, 1e-12);
}

TEST_F(ParameterDialogTest, SimpleMathTakesZeroForOtherOperatorsButNoText) {
    CSimpleMathDialog d;
    d.valueField()->setText("many");
    refused(d, "Value should be a real number.");
    d.operatorBox()->setCurrentIndex(1);
    refused(d, "Value should be a real number.");
    d.valueField()->setText("0");
    acceptedSilently(d);
    EXPECT_EQ(d.result().op, 1);
    EXPECT_EQ(d.result().value, 0.0);
}
