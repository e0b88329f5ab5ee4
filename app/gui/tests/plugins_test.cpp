// Plug-ins and file filters in the program: install, run, menu items and
// their states, the list files across runs, and every request answered.
#include "gui_fixture.h"

#include <qd/core/file_filter_list.h>
#include "plugin_list.h"
#include "plugin_menu.h"
#include "plugin_requests.h"
#include "result_frame.h"
#include "select_menu_position_dialog.h"
#include "uninstall_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>

#include <qd/core/extension_lists.h>
#include <qd/core/settings_dir.h>

#ifdef QD_TEST_PLUGINS
namespace {

QString plugin(const char* name) { return QStringLiteral(QD_TEST_PLUGINS "/%1.so").arg(name); }

class PlugInsTest : public GuiTest {
  protected:
    // Answers the next library file dialog with path, and the menu position
    // dialog with the pop-up of that text.
    void answerFiles(const QString& path, const QString& popUp = "&Process") {
        dialogs = [path, popUp](QDialog& d) {
            if (auto* f = qobject_cast<QFileDialog*>(&d)) {
                f->selectFile(path);
                d.done(QDialog::Accepted);
            } else if (auto* tree = d.findChild<QTreeWidget*>()) {
                const QList<QTreeWidgetItem*> found = tree->findItems(popUp, Qt::MatchExactly | Qt::MatchRecursive);
                if (!found.isEmpty()) tree->setCurrentItem(found[0]);
                d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            } else {
                d.accept();
            }
            return d.result();
        };
    }
    // The items a menu holds for plug-ins.
    static QList<QAction*> plugInItems(QMenu* m) {
        QList<QAction*> out;
        for (QAction* a : m->actions())
            if (a->data().toInt() >= qd::kFirstPlugInCommand) out << a;
        return out;
    }
    QStringList resultLines() const {
        return frame->resultWindow()->view()->toPlainText().split('\n', Qt::SkipEmptyParts);
    }
    void install(const char* name, const QString& popUp = "&Process") {
        answerFiles(plugin(name), popUp);
        frame->installPlugIn();
        dialogs = nullptr;
    }
    // The uninstall dialog deletes that row, then closes.
    void deleteInUninstallDialog(int row) {
        dialogs = [row](QDialog& d) {
            d.findChild<QListWidget*>()->setCurrentRow(row);
            static_cast<CUninstallDialog&>(d).deleteButton()->click();
            d.accept();
            return d.result();
        };
    }
    // Exits the program (writing its list files), keeping the test's answers.
    void stop() {
        for (CChildFrame* f : frame->childFrames()) {
            f->document()->setNoFile(0);
            f->document()->setNotSaved(0);
        }
        app.reset();
        flush();
    }
    void restart() {
        stop();
        start();
    }
};

TEST_F(PlugInsTest, InstalledItemsRunWithTheirStatesAndSurviveARestart) {
    install("gui_test_counting_plugin");
    install("gui_test_counting_plugin");
    install("gui_test_checked_plugin", "Plug-&In");
    QMenu* process = frame->topMenu(qd::MenuProcess);
    const QList<QAction*> items = plugInItems(process);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), "Counting");
    EXPECT_NE(items[0]->data(), items[1]->data()) << "each install its own command";
    emit process->aboutToShow();
    EXPECT_TRUE(items[0]->isEnabled());
    EXPECT_FALSE(items[0]->isChecked()) << "no PlugInMenuUpdate: enabled, unchecked";
    QAction* checked = plugInItems(frame->topMenu(qd::MenuPlugIn)).value(0);
    ASSERT_NE(checked, nullptr);
    emit frame->topMenu(qd::MenuPlugIn)->aboutToShow();
    EXPECT_FALSE(checked->isEnabled());
    EXPECT_TRUE(checked->isChecked());

    openNew(4, 4, MT_UCHAR);
    items[0]->trigger();
    EXPECT_EQ(resultLines(), QStringList{"run 1 with 1 windows"});
    EXPECT_EQ(app->runningProcessingCount(), 0);
    EXPECT_EQ(app->runningPlugInCount(), 0);

    // Uninstall by name removes the first of the two.
    deleteInUninstallDialog(0);
    frame->uninstallPlugIn();
    dialogs = nullptr;
    EXPECT_EQ(plugInItems(process).size(), 1);
    EXPECT_EQ(app->plugInList()->count(), 2);

    // The list file keeps both, and the next start puts them back where they were.
    restart();
    EXPECT_EQ(plugInItems(frame->topMenu(qd::MenuProcess)).size(), 1);
    EXPECT_EQ(plugInItems(frame->topMenu(qd::MenuPlugIn)).size(), 1);
    EXPECT_EQ(app->plugInList()->at(0).record().menuPosition, "Top menu|&Process|");
}

TEST_F(PlugInsTest, TheListFileDropsMissingLibrariesAndDamagedEnds) {
    const std::string file = qd::settingsFile(qd::kPlugInListFile);
    stop();
    ASSERT_TRUE(qd::ensureSettingsDir());
    const std::string counting = plugin("gui_test_counting_plugin").toStdString();
    ASSERT_TRUE(qd::writePlugInList(file, {{counting, "Top menu|Gone|Deeper|"},
                                           {"no/such/plugin.so", "Top menu|"},
                                           {counting, "Top menu|"}}));
    std::filesystem::resize_file(file, 1300); // the third record is cut
    start();
    ASSERT_EQ(app->plugInList()->count(), 1) << "the missing library is dropped";
    // A position no longer in the menu puts the item at the deepest pop-up found.
    bool onBar = false;
    for (QAction* a : frame->imageMenu()->actions()) onBar |= a->text() == "Counting";
    EXPECT_TRUE(onBar);
    EXPECT_EQ(app->plugInList()->at(0).record().menuPosition, "Top menu|Gone|");
    stop();
    EXPECT_EQ(std::filesystem::file_size(file), 520u);
    start();
}

TEST_F(PlugInsTest, CommandsBeyondTheLastIdentifierDoNothing) {
    install("gui_test_counting_plugin");
    // Every rebuild of the menu gives the item a new command.
    for (int i = 0; i <= qd::kLastPlugInCommand - qd::kFirstPlugInCommand; ++i) frame->installImageMenu();
    QAction* item = plugInItems(frame->topMenu(qd::MenuProcess)).value(0);
    ASSERT_NE(item, nullptr);
    EXPECT_GT(item->data().toInt(), qd::kLastPlugInCommand);
    emit frame->topMenu(qd::MenuProcess)->aboutToShow();
    EXPECT_FALSE(item->isEnabled());
    item->trigger();
    EXPECT_TRUE(resultLines().isEmpty());
}

TEST_F(PlugInsTest, RunOnceAndRefusals) {
    answerFiles(plugin("gui_test_counting_plugin"));
    frame->runPlugInOnce();
    EXPECT_EQ(resultLines(), QStringList{"run 0 with 0 windows"});
    EXPECT_EQ(app->plugInList()->count(), 0) << "run once installs nothing";

    answerFiles(plugin("gui_test_full_filter"));
    frame->runPlugInOnce();
    frame->installPlugIn();
    answerFiles(plugin("gui_test_counting_plugin"));
    frame->installFileFilter();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "This file is not Plug-In file.");
    EXPECT_EQ(boxes[1].text, "Not Plug-In");
    EXPECT_EQ(boxes[2].text, "Not File Filter");
    EXPECT_EQ(boxes[2].style, qd::MbOk | qd::MbIconStop);
}

TEST_F(PlugInsTest, EveryRequestIsAnsweredRunOnceAndInstalled) {
    {
        IMHANDLE im = makeImage(4, 4, MT_UCHAR);
        ASSERT_EQ(IMWriteFile(im, QFile::encodeName(path("first.qdw")).constData()), 1);
        IMDestroy(im);
    }
    // The input dialog comes from the dialog library, outside the test's hook.
    QTimer typer;
    QObject::connect(&typer, &QTimer::timeout, [] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            d->findChild<QLineEdit*>()->setText("typed");
            d->accept();
        }
    });
    typer.start(20);
    answerFiles(QD_REQUEST_PLUGIN);
    frame->installPlugIn();
    for (bool installed : {false, true}) {
        SCOPED_TRACE(installed);
        // "first" comes from a file in the test's directory, "second" is active.
        for (CChildFrame* f : frame->childFrames()) f->closeWithoutQuestion();
        flush();
        frame->resultWindow()->clear();
        boxes.clear();
        ASSERT_TRUE(app->openDocumentFile(path("first.qdw")));
        openNew(5, 3, MT_SHORT, 1, "second");
        if (installed) {
            plugInItems(frame->topMenu(qd::MenuProcess)).value(0)->trigger();
        } else {
            answerFiles(QD_REQUEST_PLUGIN);
            frame->runPlugInOnce();
        }
        const QStringList lines = resultLines();
        EXPECT_FALSE(lines.filter("FAIL").size()) << lines.filter("FAIL").join("; ").toStdString();
        EXPECT_TRUE(lines.contains("aa5"));
        EXPECT_EQ(lines.value(lines.size() - 1), "done 0");
        EXPECT_TRUE(QFile::exists(path("made.qdw")));
        ASSERT_EQ(boxes.size(), 1u) << "the plug-in's own box; no import of a missing file";
        EXPECT_EQ(boxes[0].title, "caption");
    }
}

TEST_F(PlugInsTest, TestLibrariesExportOnlyTheirEntryPoints) {
    const QStringList plugInExports{"PlugInMain", "PlugInName", "PlugInMenuUpdate"};
    const QStringList filterExports{"GetExtName", "GetFileDes", "FileOpen", "FileSave"};
    for (const QString& file : {plugin("gui_test_counting_plugin"), plugin("gui_test_checked_plugin"),
                                QString(QD_REQUEST_PLUGIN), plugin("gui_test_full_filter"),
                                plugin("gui_test_save_only_filter")}) {
        SCOPED_TRACE(file.toStdString());
        QProcess nm;
        nm.start("nm", {"-D", "--defined-only", file});
        if (!nm.waitForFinished() || nm.exitCode() != 0) GTEST_SKIP() << "nm is not available";
        const QStringList& allowed = file.endsWith("filter.so") ? filterExports : plugInExports;
        int found = 0;
        for (const QString& line : QString::fromLocal8Bit(nm.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
            const QString symbol = line.section(' ', -1);
            if (line.section(' ', -2, -2) != "T") continue; // only code defined here
            EXPECT_TRUE(allowed.contains(symbol)) << symbol.toStdString();
            ++found;
        }
        EXPECT_GE(found, 2);
    }
}

TEST_F(PlugInsTest, RequestEdgesAnsweredWithoutTouchingAnything) {
    qd::CPlugInRequests* server = frame->plugInRequests();
    QDSELECTREQUEST select{"pick", nullptr};
    EXPECT_EQ(server->answer(QD_REQ_SELECT_WINDOW, reinterpret_cast<intptr_t>(&select)), -1);
    EXPECT_TRUE(dialogTitles.empty()) << "no dialog without a window";
    int stale = 0;
    char buffer[8] = "keep";
    QDWINDOWBUFFER name{&stale, buffer, sizeof buffer};
    EXPECT_EQ(server->answer(QD_REQ_IW_GET_NAME, reinterpret_cast<intptr_t>(&name)), 0);
    EXPECT_STREQ(buffer, "keep");
    EXPECT_EQ(server->answer(QD_REQ_IW_DESTROY, reinterpret_cast<intptr_t>(&stale)), 0);
    EXPECT_EQ(server->answer(QD_REQ_IW_IS_VALID, reinterpret_cast<intptr_t>(&stale)), 0);

    // A locked window still closes on request, without questions.
    CChildFrame* f = openNew(3, 3, MT_UCHAR);
    CQDView* v = f->view();
    server->answer(QD_REQ_IW_LOCK, reinterpret_cast<intptr_t>(v));
    app->beginProcessing();
    server->answer(QD_REQ_IW_DESTROY, reinterpret_cast<intptr_t>(v));
    app->endProcessing();
    EXPECT_EQ(server->answer(QD_REQ_IW_IS_VALID, reinterpret_cast<intptr_t>(v)), 0);
    EXPECT_TRUE(boxes.empty());
    flush();
}

TEST_F(PlugInsTest, FileFiltersOpenAndSaveTheirTypes) {
    answerFiles(plugin("gui_test_save_only_filter"));
    frame->installFileFilter();
    answerFiles(plugin("gui_test_full_filter"));
    frame->installFileFilter();
    dialogs = nullptr;
    // The installed filters come first, then those shipped with the program.
    const QStringList shipped{"JPEG image (*.jpeg)", "JPEG image (*.jpg)", "PNG image (*.png)",
                              "TIFF image (*.tif)", "TIFF image (*.tiff)"};
    EXPECT_EQ(app->fileFilterNames(false), QStringList{"Test images (*.tst)"} + shipped);
    EXPECT_EQ(app->fileFilterNames(true), (QStringList{"Test save-only (*.tst)", "Test images (*.tst)"} + shipped));

    // Save goes to the first filter that can save; Open to the one that can open.
    CChildFrame* f = openNew(3, 2, MT_UCHAR);
    MTSetReal(IMGetDataHandle(f->view()->image()), 2, 1, 77);
    ASSERT_TRUE(f->document()->saveToPath(path("a.TST"), app->saveHooks()));
    ASSERT_TRUE(app->openDocumentFile(path("a.TST")));
    IMHANDLE back = frame->activeView()->image();
    EXPECT_EQ(IMGetImageWidth(back), 3);
    EXPECT_EQ(MTReal(IMGetDataHandle(back), 2, 1), 77);

    // Both stay installed across a restart; Uninstall removes by description.
    // Only the installed ones are written to the list and can be uninstalled.
    restart();
    EXPECT_EQ(std::filesystem::file_size(qd::settingsFile(qd::kFileFilterListFile)), 520u);
    ASSERT_EQ(app->fileFilterList()->installedCount(), 2);
    deleteInUninstallDialog(1);
    frame->uninstallFileFilter();
    ASSERT_EQ(app->fileFilterList()->installedCount(), 1);
    EXPECT_EQ(app->fileFilterList()->at(0).description(), "Test save-only");
    EXPECT_EQ(app->fileFilterList()->count(), 1 + shipped.size());
}

TEST_F(PlugInsTest, ShippedFiltersSaveAndOpenWideTypesAndStayInstalled) {
    CChildFrame* f = openNew(5, 4, MT_USHORT);
    MTHANDLE data = IMGetDataHandle(f->view()->image());
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 5; ++x) MTSetReal(data, x, y, x * 16000 + y * 101 + (x == 4 && y == 3 ? 2939 : 0));
    for (const char* name : {"w.tif", "w.png"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(f->document()->saveToPath(path(name), app->saveHooks()));
        ASSERT_TRUE(app->openDocumentFile(path(name)));
        MTHANDLE back = IMGetDataHandle(frame->activeView()->image());
        ASSERT_EQ(MTGetFlags(back), MT_USHORT);
        for (int32_t y = 0; y < 4; ++y)
            for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(MTReal(back, x, y), MTReal(data, x, y));
    }
    EXPECT_EQ(MTReal(data, 4, 3), 65535);

    // With nothing installed there is nothing to uninstall.
    frame->topMenu(qd::MenuPlugIn)->aboutToShow();
    EXPECT_FALSE(frame->namedAction("UninstallFileFilter")->isEnabled());
}

} // namespace
#endif
