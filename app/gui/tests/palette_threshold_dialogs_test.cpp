// The two dialogs that work on an image's palette: the manual threshold
// preview (and its undoing) and the palette choice.
#include "gui_fixture.h"
#include "manual_threshold_dialog.h"
#include "palette_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <algorithm>
#include <vector>

namespace {

void clickButton(QDialogButtonBox* b, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(b->button(which), Qt::LeftButton);
}

uint32_t grey(uint32_t g) { return g << 16 | g << 8 | g; }

std::vector<uint32_t> basicPalette(IMHANDLE im) {
    const uint32_t* p = IMGetHeaderPointer(im)->Palette;
    return {p, p + 256};
}

std::vector<uint32_t> shownPalette(IMHANDLE im) {
    std::vector<uint32_t> c(256, 0);
    c.resize(size_t(IMGetPaletteArray(im, c.data())));
    return c;
}

} // namespace

class ThresholdDialogTest : public GuiTest {
  protected:
    std::function<void()> counter() {
        return [this] { ++repaints; };
    }
    int repaints = 0;
};

TEST_F(ThresholdDialogTest, PreviewOfA256ColourImage) {
    IMHANDLE im = makeImage(4, 4, MT_UCHAR);
    CManualThresholdDialog d(im, counter());
    EXPECT_EQ(d.lowerSlider()->minimum(), 0);
    EXPECT_EQ(d.lowerSlider()->maximum(), 255);
    EXPECT_EQ(d.upperSlider()->maximum(), 255);
    EXPECT_EQ(d.lowerSlider()->value(), 128);
    EXPECT_EQ(d.upperSlider()->value(), 255);
    EXPECT_EQ(d.lowerLabel()->text(), "128");
    EXPECT_EQ(d.upperLabel()->text(), "255");
    EXPECT_GE(repaints, 1);
    std::vector<uint32_t> p = basicPalette(im);
    EXPECT_EQ(p[0], 0u);
    EXPECT_EQ(p[127], grey(127));
    EXPECT_EQ(p[128], 0xFFFFFFu);
    EXPECT_EQ(p[255], 0xFFFFFFu);
    EXPECT_EQ(shownPalette(im)[127], grey(127)); // applied to the colour table too
    EXPECT_EQ(shownPalette(im)[128], 0xFFFFFFu);
    EXPECT_STREQ(IMGetPaletteName(im), "");

    const int before = repaints;
    d.upperSlider()->setValue(200);
    d.lowerSlider()->setValue(10);
    EXPECT_EQ(repaints, before + 2);
    EXPECT_EQ(d.upperLabel()->text(), "200");
    EXPECT_EQ(d.lowerLabel()->text(), "10");
    p = basicPalette(im);
    EXPECT_EQ(p[9], grey(9));
    EXPECT_EQ(p[10], 0xFFFFFFu);
    EXPECT_EQ(p[200], 0xFFFFFFu);
    EXPECT_EQ(p[201], 0u);
    EXPECT_EQ(shownPalette(im)[201], 0u);

    // A lower level above the upper one leaves nothing white.
    d.lowerSlider()->setValue(220);
    p = basicPalette(im);
    EXPECT_EQ(p[210], grey(210));
    EXPECT_EQ(p[219], grey(219));
    EXPECT_EQ(p[220], 0u);
    EXPECT_EQ(std::count(p.begin(), p.end(), 0xFFFFFFu), 0);
    EXPECT_EQ(d.result().lower, 220);
    EXPECT_EQ(d.result().upper, 200);
    clickButton(d.buttons(), QDialogButtonBox::Cancel);
    IMDestroy(im);
}

TEST_F(ThresholdDialogTest, PreviewOfA16ColourImageUsesSteppedGreys) {
    IMHANDLE im = makeImage(4, 4, MT_4BITS);
    CManualThresholdDialog d(im, counter());
    EXPECT_EQ(d.lowerSlider()->maximum(), 15);
    EXPECT_EQ(d.lowerSlider()->value(), 8);
    EXPECT_EQ(d.upperSlider()->value(), 15);
    std::vector<uint32_t> p = basicPalette(im);
    EXPECT_EQ(p[0], 0u);
    EXPECT_EQ(p[7], grey(119));
    EXPECT_EQ(p[8], 0xFFFFFFu);
    EXPECT_EQ(p[15], 0xFFFFFFu);
    d.upperSlider()->setValue(12);
    d.lowerSlider()->setValue(3);
    p = basicPalette(im);
    EXPECT_EQ(p[2], grey(34));
    EXPECT_EQ(p[3], 0xFFFFFFu);
    EXPECT_EQ(p[12], 0xFFFFFFu);
    EXPECT_EQ(p[13], 0u);
    EXPECT_EQ(shownPalette(im)[2], grey(34));
    EXPECT_EQ(shownPalette(im)[13], 0u);
    clickButton(d.buttons(), QDialogButtonBox::Ok);
    IMDestroy(im);
}

TEST_F(ThresholdDialogTest, OkCancelAndCloseAllGiveThePaletteBack) {
    IMHANDLE im = makeImage(4, 4, MT_UCHAR);
    // An own basic palette, a named palette on top and a brightness shift,
    // so that only the saved header palette can restore all three.
    std::vector<uint32_t> own(256);
    for (uint32_t i = 0; i < 256; ++i)
        own[i] = (i * 0x010305u) & 0xFFFFFFu;
    IMSetBasicPalette(im, own.data());
    IMChangePaletteName(im, "Fire (256)");
    IMSetBrightness(im, 20);
    IMSetPalette(im, app->paletteManager());
    const std::vector<uint32_t> shown = shownPalette(im);

    auto expectRestored = [&](const char* how) {
        EXPECT_EQ(basicPalette(im), own) << how;
        EXPECT_STREQ(IMGetPaletteName(im), "Fire (256)") << how;
        EXPECT_EQ(shownPalette(im), shown) << how;
    };
    dialogs = [&](QDialog& dlg) {
        auto& d = dynamic_cast<CManualThresholdDialog&>(dlg);
        EXPECT_STREQ(IMGetPaletteName(im), "");
        d.lowerSlider()->setValue(40);
        d.upperSlider()->setValue(90);
        clickButton(d.buttons(), QDialogButtonBox::Ok);
        return dlg.result();
    };
    const auto r = runManualThresholdDialog(nullptr, im, counter());
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lower, 40);
    EXPECT_EQ(r->upper, 90);
    expectRestored("OK");

    dialogs = [](QDialog& dlg) {
        auto& d = dynamic_cast<CManualThresholdDialog&>(dlg);
        d.lowerSlider()->setValue(3);
        clickButton(d.buttons(), QDialogButtonBox::Cancel);
        return dlg.result();
    };
    EXPECT_FALSE(runManualThresholdDialog(nullptr, im, counter()));
    expectRestored("Cancel");

    dialogs = [](QDialog& dlg) {
        dlg.show();
        dlg.close();
        return dlg.result();
    };
    EXPECT_FALSE(runManualThresholdDialog(nullptr, im, counter()));
    expectRestored("close");

    const int before = repaints;
    dialogs = {}; // the runner returns without closing the dialog at all
    EXPECT_FALSE(runManualThresholdDialog(nullptr, im, counter()));
    expectRestored("no close");
    EXPECT_GE(repaints, before + 2); // preview, then restoration
    IMDestroy(im);
}

TEST_F(ThresholdDialogTest, NotOfferedForRgbImages) {
    IMHANDLE im = makeImage(2, 2, MT_RGB);
    EXPECT_FALSE(runManualThresholdDialog(nullptr, im, counter()));
    EXPECT_TRUE(dialogTitles.empty());
    EXPECT_EQ(repaints, 0);
    IMDestroy(im);
}

class PaletteDialogTest : public GuiTest {
  protected:
    // The manager's names with that colour flag, read through its interface.
    QStringList namesWithFlag(int flag) const {
        QStringList names;
        PMHANDLE pm = app->paletteManager();
        for (int i = 0; i < PMGetCount(pm); ++i)
            if (PMGetColorFlag(pm, i) == flag) names << QString::fromLatin1(PMGetPal(pm, i)->name);
        return names;
    }
    static QStringList listed(const CPaletteDialog& d) {
        QStringList items;
        for (int i = 0; i < d.list()->count(); ++i)
            items << d.list()->item(i)->text();
        return items;
    }
    // Runs the dialog on an image of that type and palette name; pick picks a
    // row (or -1 to cancel) after the checks.
    std::optional<QString> run(int type, const char* name, const QString& count, int flag,
                               const QString& selected, int pick) {
        IMHANDLE im = makeImage(2, 2, type);
        IMChangePaletteName(im, name);
        dialogs = [&](QDialog& dlg) {
            auto& d = dynamic_cast<CPaletteDialog&>(dlg);
            EXPECT_EQ(d.windowTitle(), "select palette");
            EXPECT_EQ(d.colorCountLabel()->text(), count);
            EXPECT_EQ(listed(d), QStringList{"< Original palette >"} + namesWithFlag(flag));
            EXPECT_EQ(d.list()->currentItem()->text(), selected);
            if (pick < 0) {
                clickButton(d.buttons(), QDialogButtonBox::Cancel);
            } else {
                d.list()->setCurrentRow(pick);
                clickButton(d.buttons(), QDialogButtonBox::Ok);
            }
            return dlg.result();
        };
        auto r = runPaletteDialog(nullptr, im, app->paletteManager());
        IMDestroy(im);
        return r;
    }
};

TEST_F(PaletteDialogTest, ListsThePalettesOfTheImagesColourCount) {
    ASSERT_EQ(namesWithFlag(PAL_2).size(), 7);
    ASSERT_EQ(namesWithFlag(PAL_16).size(), 6);
    ASSERT_EQ(namesWithFlag(PAL_256).size(), 7);
    EXPECT_EQ(run(MT_BINARY, "", "2", PAL_2, "< Original palette >", 2), namesWithFlag(PAL_2)[1]);
    EXPECT_EQ(run(MT_4BITS, "Fire (16)", "16", PAL_16, "Fire (16)", 1), namesWithFlag(PAL_16)[0]);
    EXPECT_EQ(run(MT_SHORT, "Separate (256)", "256", PAL_256, "Separate (256)", 0), QString());
}

TEST_F(PaletteDialogTest, AnUnlistedNameSelectsTheOriginalAndCancelGivesNothing) {
    // A 16-colour name does not belong to a 256-colour image.
    EXPECT_EQ(run(MT_UCHAR, "Fire (16)", "256", PAL_256, "< Original palette >", 0), QString());
    EXPECT_EQ(run(MT_FLOAT, "no such palette", "256", PAL_256, "< Original palette >", -1),
              std::nullopt);
}
