// RunPalDialog through its C interface, over a manager with the built-in
// palettes and one user palette.
#include "modal_driver.h"

#include <qd/dlg.h>

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

namespace {

class PaletteDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        pm = PMCreate(dir.filePath("QDPalette.dat").toLocal8Bit().constData());
        ASSERT_NE(pm, nullptr);
        auto* pal = static_cast<QDPALETTE*>(std::calloc(1, sizeof(QDPALETTE)));
        std::strcpy(pal->name, "Mine (2)");
        pal->colorFlag = PAL_2;
        pal->colors = static_cast<uint32_t*>(std::calloc(2, sizeof(uint32_t)));
        ASSERT_GT(PMAddPal(pm, pal), 0);
    }
    void TearDown() override { PMDestroy(pm); }

    // Records what the dialog shows, then runs the given ending.
    ModalDriver::Step look(std::function<void(QDialog&)> end) {
        return [this, end](QDialog& d) {
            auto* list = d.findChild<QComboBox*>("palettes");
            count = d.findChild<QLabel*>("colorCount")->text();
            names.clear();
            for (int i = 0; i < list->count(); ++i)
                names << list->itemText(i);
            selected = list->currentText();
            end(d);
            return true;
        };
    }

    QTemporaryDir dir;
    PMHANDLE pm = nullptr;
    QString count, selected;
    QStringList names;
};

} // namespace

TEST_F(PaletteDialogTest, ListsOnlyTheFlagsPalettesInManagerOrder) {
    PALETTEDESC* chosen = nullptr;
    ModalDriver driver({look([](QDialog& d) {
        d.findChild<QComboBox*>("palettes")->setCurrentIndex(5);
        pressOk(d);
    })});
    EXPECT_EQ(RunPalDialog(nullptr, pm, PAL_16, &chosen), 1);
    ASSERT_EQ(driver.titles.size(), 1u);
    EXPECT_EQ(driver.titles[0], "Palette");
    EXPECT_EQ(count, "16");
    EXPECT_EQ(names, QStringList({"Grey Scale (16)", "Red (16)", "Green (16)", "Blue (16)",
                                  "Inversed grey Scale (16)", "Fire (16)"}));
    // The manager's first palette is not a 16-colour one.
    EXPECT_EQ(selected, "Grey Scale (16)");
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen, PMFindPal(pm, "Fire (16)"));
    EXPECT_TRUE(driver.boxes.empty());
}

TEST_F(PaletteDialogTest, TwoColourListEndsWithTheUserPalette) {
    PALETTEDESC* chosen = nullptr;
    ModalDriver driver({look([](QDialog& d) {
        auto* list = d.findChild<QComboBox*>("palettes");
        list->setCurrentIndex(list->count() - 1);
        pressOk(d);
    })});
    EXPECT_EQ(RunPalDialog(nullptr, pm, PAL_2, &chosen), 1);
    EXPECT_EQ(count, "2");
    ASSERT_EQ(names.size(), 8);
    EXPECT_EQ(names.front(), "Black and white (2)");
    EXPECT_EQ(names.back(), "Mine (2)");
    ASSERT_NE(chosen, nullptr);
    EXPECT_STREQ(chosen->name, "Mine (2)");
    EXPECT_EQ(chosen->colorFlag, PAL_2);
}

TEST_F(PaletteDialogTest, SelectsTheManagersFirstPaletteAndAllowsANullResultAddress) {
    ModalDriver driver({look([](QDialog& d) { pressOk(d); })});
    EXPECT_EQ(RunPalDialog(nullptr, pm, PAL_256, nullptr), 1);
    EXPECT_EQ(count, "256");
    EXPECT_EQ(selected, "Grey Scale (256)");
    EXPECT_EQ(names.size(), 7);
    EXPECT_TRUE(names.contains("Separate (256)"));
}

TEST_F(PaletteDialogTest, NoPaletteOfTheFlagWarnsAndStaysEmpty) {
    PALETTEDESC* chosen = reinterpret_cast<PALETTEDESC*>(&chosen);
    PALETTEDESC* const before = chosen;
    ModalDriver driver({
        // The warning comes once the dialog is up; wait for it.
        [&](QDialog&) { return driver.boxes.size() == 1; },
        look([](QDialog& d) { pressOk(d); }), // nothing to choose: warned again
        [](QDialog& d) {
            pressCancel(d);
            return true;
        },
    });
    EXPECT_EQ(RunPalDialog(nullptr, pm, 3, &chosen), 0);
    EXPECT_TRUE(driver.allStepsDone());
    EXPECT_EQ(count, "256");
    EXPECT_TRUE(names.isEmpty());
    ASSERT_EQ(driver.boxes.size(), 2u);
    for (const SeenBox& b : driver.boxes) {
        EXPECT_EQ(b.text, "There is no element.");
        EXPECT_EQ(b.title, "warning");
        EXPECT_EQ(b.icon, QMessageBox::Warning);
    }
    EXPECT_EQ(chosen, before);
}

TEST_F(PaletteDialogTest, CancelWritesNoChoice) {
    PALETTEDESC* chosen = nullptr;
    ModalDriver driver({look([](QDialog& d) { pressCancel(d); })});
    EXPECT_EQ(RunPalDialog(nullptr, pm, PAL_256, &chosen), 0);
    EXPECT_EQ(chosen, nullptr);
    EXPECT_EQ(RunPalDialog(nullptr, nullptr, PAL_256, &chosen), 0);
}
