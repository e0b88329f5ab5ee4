// RunNewImageDialog through its C interface.
#include "modal_driver.h"

#include <qd/dlg.h>

#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <cstring>
#include <gtest/gtest.h>

namespace {
QString checkedType(QDialog& d) {
    for (QRadioButton* b : d.findChildren<QRadioButton*>())
        if (b->isChecked()) return b->text();
    return {};
}

bool hasRadio(QDialog& d, const QString& label) {
    for (QRadioButton* b : d.findChildren<QRadioButton*>())
        if (b->text() == label) return true;
    return false;
}
} // namespace

TEST(NewImage, DefaultsGiveA256SquareOfUnsignedShort) {
    IMHEADER h;
    std::memset(&h, 0x77, sizeof h);
    QString w, ht, type;
    bool fourBits = false, spaced = true;
    ModalDriver driver({[&](QDialog& d) {
        w = lineEdit(d, "width")->text();
        ht = lineEdit(d, "height")->text();
        type = checkedType(d);
        fourBits = hasRadio(d, "4bits");
        spaced = hasRadio(d, "4 bits");
        pressOk(d);
        return true;
    }});
    ASSERT_EQ(RunNewImageDialog(nullptr, &h), 1);
    ASSERT_EQ(driver.titles.size(), 1u);
    EXPECT_EQ(driver.titles[0], "New image");
    EXPECT_EQ(w, "256");
    EXPECT_EQ(ht, "256");
    EXPECT_EQ(type, "unsigned short");
    EXPECT_TRUE(fourBits);
    EXPECT_FALSE(spaced);

    IMHEADER expected;
    std::memset(&expected, 0, sizeof expected);
    std::strcpy(expected.Version, "Quidora 1.00");
    expected.Levels = 256;
    expected.Width = 256;
    expected.Height = 256;
    expected.DataType = 32;
    expected.Scale = 1.0;
    EXPECT_EQ(std::memcmp(&h, &expected, sizeof h), 0);
    EXPECT_EQ(h.DisplayType, 0);
    EXPECT_EQ(h.Brightness, 0);
    EXPECT_EQ(h.Contrast, 0);
}

TEST(NewImage, SidesBelowOneAreRefusedAndTheDialogStays) {
    IMHEADER h{};
    ModalDriver driver({
        [](QDialog& d) {
            setField(d, "width", "0");
            pressOk(d);
            return true;
        },
        [](QDialog& d) {
            setField(d, "width", "20");
            setField(d, "height", "x");
            pressOk(d);
            return true;
        },
        [](QDialog& d) {
            setField(d, "height", "10");
            click(d, "4bits");
            pressOk(d);
            return true;
        },
    });
    ASSERT_EQ(RunNewImageDialog(nullptr, &h), 1);
    EXPECT_TRUE(driver.allStepsDone());
    ASSERT_EQ(driver.boxes.size(), 2u);
    for (const SeenBox& b : driver.boxes) {
        EXPECT_EQ(b.text, "The Width or Height of Image Can Not be less than 1.");
        EXPECT_EQ(b.title, "warning");
        EXPECT_EQ(b.icon, QMessageBox::Warning);
    }
    EXPECT_EQ(h.Width, 20);
    EXPECT_EQ(h.Height, 10);
    EXPECT_EQ(h.DataType, 2);
}

TEST(NewImage, CancelAfterARefusalLeavesTheHeader) {
    IMHEADER h;
    std::memset(&h, 0x33, sizeof h);
    IMHEADER before = h;
    ModalDriver driver({
        [](QDialog& d) {
            setField(d, "height", "-4");
            pressOk(d);
            return true;
        },
        [](QDialog& d) {
            pressCancel(d);
            return true;
        },
    });
    EXPECT_EQ(RunNewImageDialog(nullptr, &h), 0);
    EXPECT_EQ(driver.boxes.size(), 1u);
    EXPECT_EQ(std::memcmp(&h, &before, sizeof h), 0);
    EXPECT_EQ(RunNewImageDialog(nullptr, nullptr), 0);
}
