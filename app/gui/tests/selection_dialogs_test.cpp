// The image-choice dialogs (Make RGB, Make complex, Select image), the menu
// position of a plug-in and the uninstall list.
#include "gui_fixture.h"
#include "image_choice_box.h"
#include "make_complex_dialog.h"
#include "make_rgb_dialog.h"
#include "profile.h"
#include "select_image_dialog.h"
#include "select_menu_position_dialog.h"
#include "uninstall_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeWidget>

namespace {

void pressOk(QDialogButtonBox* buttons) { buttons->button(QDialogButtonBox::Ok)->click(); }

QStringList itemTexts(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

QStringList childTexts(const QTreeWidgetItem* item) {
    QStringList out;
    for (int i = 0; i < item->childCount(); ++i)
        out << item->child(i)->text(0);
    return out;
}

QTreeWidgetItem* childNamed(QTreeWidgetItem* item, const QString& text) {
    for (int i = 0; i < item->childCount(); ++i)
        if (item->child(i)->text(0) == text) return item->child(i);
    return nullptr;
}

} // namespace

// ---- Make RGB, Make complex, Select image ----

class ImageChoiceTest : public GuiTest {
  protected:
    // One window of each kind the lists tell apart.
    void openMixed() {
        openNew(4, 3, MT_BINARY, 1, "bin");
        openNew(6, 5, MT_UCHAR, 1, "u8");
        openNew(4, 3, MT_4BITS, 1, "four");
        openNew(4, 3, MT_RGB, 1, "rgb");
        openNew(6, 5, MT_FLOAT, 1, "f32");
        openNew(7, 5, MT_SHORT, 1, "s16");
    }
};

TEST_F(ImageChoiceTest, MakeRgbListsOnlyChannelSourcesEachStartingAtTheFirst) {
    openMixed();
    CMakeRgbDialog dlg(qd::channelSources(app->registry()));
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(itemTexts(dlg.channelBox(c)), (QStringList{"u8", "f32", "s16"})) << c;
        EXPECT_EQ(dlg.channelBox(c)->currentIndex(), 0);
        EXPECT_EQ(dlg.sizeLabel(c)->text(), "6 X 5");
    }
    dlg.channelBox(1)->setCurrentIndex(2);
    EXPECT_EQ(dlg.sizeLabel(1)->text(), "7 X 5");
    EXPECT_EQ(dlg.sizeLabel(0)->text(), "6 X 5");
}

TEST_F(ImageChoiceTest, MakeRgbRefusesDifferentDimensionsAndReturnsTheThreeViews) {
    openMixed();
    const auto views = qd::channelSources(app->registry());
    CMakeRgbDialog dlg(views);
    dlg.channelBox(2)->setCurrentIndex(2); // 7 X 5 against 6 X 5
    pressOk(dlg.buttons());
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Selected images should have the same dimension.");
    EXPECT_EQ(boxes[0].title, "warning");
    EXPECT_EQ(boxes[0].style, 0x10u);

    dlg.channelBox(2)->setCurrentIndex(1);
    pressOk(dlg.buttons());
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.values().red, views[0]);
    EXPECT_EQ(dlg.values().green, views[0]);
    EXPECT_EQ(dlg.values().blue, views[1]);
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(ImageChoiceTest, MakeRgbWithoutChannelSourceShowsNothing) {
    openNew(4, 3, MT_RGB);
    openNew(4, 3, MT_BINARY);
    EXPECT_FALSE(runMakeRgbDialog(nullptr));
    EXPECT_TRUE(dialogTitles.empty());
}

TEST_F(ImageChoiceTest, MakeComplexOffersEveryWindow) {
    openMixed();
    dialogs = [](QDialog& d) {
        auto* dlg = dynamic_cast<CMakeComplexDialog*>(&d);
        if (!dlg) return int(QDialog::Rejected);
        EXPECT_EQ(itemTexts(dlg->realBox()),
                  (QStringList{"bin", "u8", "four", "rgb", "f32", "s16"}));
        EXPECT_EQ(dlg->imaginaryBox()->count(), 6);
        dlg->imaginaryBox()->setCurrentIndex(4);
        pressOk(dlg->buttons());
        return d.result();
    };
    const auto r = runMakeComplexDialog(nullptr);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->real, app->registry().viewAt(0));
    EXPECT_EQ(r->imaginary, app->registry().viewAt(4));
}

TEST_F(ImageChoiceTest, SelectImageAnswersMinusOneWithoutWindowsAndShowsNoDialog) {
    CQDView* chosen = nullptr;
    EXPECT_EQ(runSelectImageDialog(nullptr, "Pick one", &chosen), -1);
    EXPECT_TRUE(dialogTitles.empty());
    EXPECT_EQ(chosen, nullptr);
}

TEST_F(ImageChoiceTest, SelectImageShowsThePromptAndAnswersTheChoiceOrCancel) {
    openMixed();
    dialogs = [](QDialog& d) {
        auto* dlg = dynamic_cast<CSelectImageDialog*>(&d);
        if (!dlg) return int(QDialog::Rejected);
        EXPECT_EQ(dlg->promptLabel()->text(), "<b>Pick</b> one");
        EXPECT_EQ(dlg->imageBox()->count(), 6);
        dlg->imageBox()->setCurrentIndex(3);
        pressOk(dlg->buttons());
        return d.result();
    };
    CQDView* chosen = nullptr;
    EXPECT_EQ(runSelectImageDialog(nullptr, "<b>Pick</b> one", &chosen), 1);
    EXPECT_EQ(chosen, app->registry().findByName("rgb"));

    dialogs = {};
    chosen = nullptr;
    EXPECT_EQ(runSelectImageDialog(nullptr, "again", &chosen), 0);
    EXPECT_EQ(chosen, nullptr);
}

// ---- Select menu position ----

class MenuPositionTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        openNew(4, 4, MT_UCHAR);
        ASSERT_NE(frame->imageMenu(), nullptr);
    }
    QTreeWidgetItem* root(CSelectMenuPositionDialog& d) { return d.tree()->topLevelItem(0); }
};

TEST_F(MenuPositionTest, TreeHoldsTheImageMenusPopupsUnderTopMenu) {
    CSelectMenuPositionDialog dlg(frame->imageMenu());
    ASSERT_EQ(dlg.tree()->topLevelItemCount(), 1);
    QTreeWidgetItem* top = root(dlg);
    EXPECT_EQ(top->text(0), "Top menu");
    const QStringList tops = childTexts(top);
    EXPECT_EQ(tops.value(0), "&File");
    EXPECT_TRUE(tops.contains("&Process"));
    EXPECT_TRUE(tops.contains("Plug-&In"));
    EXPECT_EQ(tops.back(), "&Help");
    // Nothing first use: the root is preselected.
    EXPECT_EQ(dlg.tree()->currentItem(), top);
}

TEST_F(MenuPositionTest, OnlyTwoLevelsOfNestedPopupsAndNoPlainItems) {
    QMenuBar bar;
    QMenu* process = bar.addMenu("&Process");
    process->addAction("plain item");
    QMenu* fourier = process->addMenu("&Fourier");
    fourier->addMenu("too deep");
    bar.addAction("not a pop-up");
    const qd::MenuNode tree = qd::menuPositionTree(&bar);
    ASSERT_EQ(tree.children.size(), 1u);
    EXPECT_EQ(tree.children[0].text, "&Process");
    ASSERT_EQ(tree.children[0].children.size(), 1u);
    EXPECT_EQ(tree.children[0].children[0].text, "&Fourier");
    EXPECT_TRUE(tree.children[0].children[0].children.empty());

    CSelectMenuPositionDialog dlg(&bar);
    QTreeWidgetItem* node = childNamed(childNamed(root(dlg), "&Process"), "&Fourier");
    ASSERT_NE(node, nullptr);
    dlg.tree()->setCurrentItem(node);
    pressOk(dlg.buttons());
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.position(), "Top menu|&Process|&Fourier|");
}

TEST_F(MenuPositionTest, ProcessGivesItsPositionAndIsPreselectedNextTime) {
    dialogs = [this](QDialog& d) {
        auto* dlg = dynamic_cast<CSelectMenuPositionDialog*>(&d);
        if (!dlg) return int(QDialog::Rejected);
        dlg->tree()->setCurrentItem(childNamed(root(*dlg), "&Process"));
        pressOk(dlg->buttons());
        return d.result();
    };
    EXPECT_EQ(runSelectMenuPositionDialog(nullptr, frame->imageMenu()), "Top menu|&Process|");
    EXPECT_EQ(qd::openProfile()->value("SelectMenu/Name").toString(), "&Process");

    CSelectMenuPositionDialog again(frame->imageMenu());
    ASSERT_NE(again.tree()->currentItem(), nullptr);
    EXPECT_EQ(again.tree()->currentItem()->text(0), "&Process");
    pressOk(again.buttons());
    EXPECT_EQ(again.position(), "Top menu|&Process|");
}

TEST_F(MenuPositionTest, RootAloneAndNoSelection) {
    qd::openProfile()->setValue("SelectMenu/Name", "no such menu");
    CSelectMenuPositionDialog dlg(frame->imageMenu());
    EXPECT_EQ(dlg.tree()->currentItem(), root(dlg));
    dlg.tree()->clearSelection();
    pressOk(dlg.buttons());
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Pop-up menu not selected.");
    EXPECT_EQ(boxes[0].title, "warning");
    EXPECT_EQ(boxes[0].style, 0x10u);
    EXPECT_EQ(qd::openProfile()->value("SelectMenu/Name").toString(), "no such menu");

    dlg.tree()->setCurrentItem(root(dlg));
    pressOk(dlg.buttons());
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.position(), "Top menu|");
    EXPECT_EQ(qd::openProfile()->value("SelectMenu/Name").toString(), "Top menu");
}

// ---- Uninstall ----

class UninstallTest : public GuiTest {};

TEST_F(UninstallTest, DeleteHandsTheSelectedRowToTheCallerAndDropsIt) {
    std::vector<std::pair<int, QString>> deleted;
    CUninstallDialog dlg("Uninstall Plug-In", {"alpha", "beta", "alpha", "gamma"},
                         [&](int row, const QString& name) {
                             deleted.push_back({row, name});
                         });
    EXPECT_EQ(dlg.windowTitle(), "Uninstall Plug-In");
    EXPECT_EQ(dlg.list()->currentRow(), 0);
    dlg.deleteButton()->click();
    ASSERT_EQ(deleted.size(), 1u);
    EXPECT_EQ(deleted[0], std::make_pair(0, QString("alpha")));
    ASSERT_EQ(dlg.list()->count(), 3);
    EXPECT_EQ(dlg.list()->item(0)->text(), "beta");

    dlg.list()->setCurrentRow(2);
    dlg.deleteButton()->click();
    EXPECT_EQ(deleted.back(), std::make_pair(2, QString("gamma")));
    // The dialog stays open after each Delete.
    EXPECT_NE(dlg.result(), QDialog::Accepted);

    dlg.deleteButton()->click();
    dlg.deleteButton()->click();
    EXPECT_EQ(dlg.list()->count(), 0);
    EXPECT_EQ(deleted.size(), 4u);
    EXPECT_FALSE(dlg.deleteButton()->isEnabled());
    dlg.deleteSelected();
    EXPECT_EQ(deleted.size(), 4u);
}

TEST_F(UninstallTest, EntryPointRunsTheListUnderItsTitle) {
    int calls = 0;
    dialogs = [](QDialog& d) {
        auto* dlg = dynamic_cast<CUninstallDialog*>(&d);
        if (!dlg) return int(QDialog::Rejected);
        dlg->deleteButton()->click();
        dlg->buttons()->button(QDialogButtonBox::Close)->click();
        return d.result();
    };
    runUninstallDialog(nullptr, "Uninstall File Filter", {"TIFF files", "PNG files"},
                       [&](int row, const QString& name) {
                           ++calls;
                           EXPECT_EQ(row, 0);
                           EXPECT_EQ(name, "TIFF files");
                       });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(dialogTitles, std::vector<QString>{"Uninstall File Filter"});
}
