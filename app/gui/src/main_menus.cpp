// The image menu shared by every image window, and the main window's actions.
#include "brush_style_wnd.h"
#include "child_frame.h"
#include "histo_frame.h"
#include "main_frame.h"
#include "qd_app.h"
#include "qd_view.h"
#include <qd/core/file_filter_list.h>
#include "platform.h"
#include "plugin_list.h"
#include "recorder/recorder_frame.h"
#include "result_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

namespace {

const char* const kMenuTitles[qd::MenuCount] = {
    "&File",          "&Edit",     "&View",    "&Image",  "&Process",
    "&Color-Process", "&Analysis", "Plug-&In", "&Window", "&Help",
};

// The program runs from its build tree (build/bin/QD); its documentation is
// the README at the root of that tree, which serves as help and home page.
QString helpFile() {
    return QDir(QCoreApplication::applicationDirPath() + "/../..").absoluteFilePath("README.md");
}

void openHelpFile() {
    const QString path = helpFile();
    if (!QFileInfo::exists(path) || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        qd::messageBox(nullptr, QString("Cannot open the help file %1").arg(path), "warning", 0x30);
}

} // namespace

QAction* CMainFrame::addAction(const QString& name, const QString& text, std::function<void()> f,
                               const QKeySequence& key) {
    auto* a = new QAction(text, this);
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    connect(a, &QAction::triggered, this, [f = std::move(f)] { f(); });
    named_.insert(name, a);
    return a;
}

void CMainFrame::createActions() {
    auto child = [this] { return activeChild(); };
    addAction(
        "New", "&New\tCtrl+N", [this] { fileNew(); }, QKeySequence::New)
        ->setStatusTip("Create a new image");
    addAction(
        "Open", "&Open...\tCtrl+O", [this] { fileOpen(); }, QKeySequence::Open);
    addAction("Close", "&Close", [this] { fileClose(); });
    addAction(
        "Save", "&Save\tCtrl+S", [this, child] { fileSave(child()); }, QKeySequence::Save);
    addAction("SaveAs", "Save &As...", [this, child] { fileSaveAs(child()); });
    addAction("SaveResult", "Save &Result...", [this] { saveResult(); });
    addAction(
        "Print", "&Print...\tCtrl+P", [this] { filePrint(); }, QKeySequence::Print);
    addAction("PrintPreview", "Print Pre&view", [this] { filePrintPreview(); });
    addAction("Exit", "E&xit", [this] { close(); });
    for (int i = 0; i < 4; ++i) {
        QAction* a = addAction(QStringLiteral("Recent%1").arg(i + 1), QString(), [this, i] {
            const QStringList files = qdApp()->recentFiles();
            if (i < files.size()) qdApp()->openDocumentFile(files[i]);
        });
        recentActions_.push_back(a);
    }

    addAction(
        "Undo", "&Undo\tCtrl+Z", [this] { editUndo(); }, QKeySequence::Undo);
    addAction("Redo", "&Redo\tCtrl+Y", [this] { editRedo(); })
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    addAction(
        "Cut", "Cu&t\tCtrl+X", [this] { editCut(); }, QKeySequence::Cut);
    addAction(
        "Copy", "&Copy\tCtrl+C", [this] { editCopy(); }, QKeySequence::Copy);
    addAction(
        "Paste", "&Paste\tCtrl+V", [this] { editPaste(); }, QKeySequence::Paste);
    addAction("ClearResult", "Clear &result", [this] { result_->clear(); });

    auto toggle = [this](const QString& name, const QString& text, int id, auto target) {
        QAction* a = addAction(name, text, [this, target] { toggleWindow(target()); });
        a->setCheckable(true);
        if (id) actions_.insert(id, a);
        return a;
    };
    toggle("ViewToolbar", "&Main Toolbar", 0, [this] { return static_cast<QWidget*>(mainBar_); });
    toggle("ViewStatusBar", "&Status Bar", 0,
           [this] { return static_cast<QWidget*>(statusBar()); });
    toggle("ViewHistogram", "&Histogram window", qd::IdViewHistogram,
           [this] { return static_cast<QWidget*>(histo_); });
    toggle("ViewResult", "&Result window", qd::IdViewResult,
           [this] { return static_cast<QWidget*>(result_); });
    toggle("ViewBrushBar", "&Brush Style Bar", qd::IdViewBrushBar,
           [this] { return static_cast<QWidget*>(brush_); });
    toggle("ViewStopBar", "S&top Bar", qd::IdViewStopBar,
           [this] { return static_cast<QWidget*>(stopBar_); });
    toggle("ViewRecorder", "Re&corder", 0, [this] { return static_cast<QWidget*>(qd::recorderWindow(this)); });

    addAction("RunPlugIn", "&Run Plug-In...", [this] { runPlugInOnce(); });
    addAction("InstallPlugIn", "&Install Plug-In...", [this] { installPlugIn(); });
    addAction("UninstallPlugIn", "&Uninstall Plug-In...", [this] { uninstallPlugIn(); });
    addAction("StopPlugInItem", "&Stop Plug-In", [] { qdApp()->requestStop(); });
    addAction("InstallFileFilter", "Install &File Filter...", [this] { installFileFilter(); });
    addAction("UninstallFileFilter", "Uninstall File &Filter...", [this] { uninstallFileFilter(); });

    addAction("Cascade", "&Cascade", [this] { mdi_->cascadeSubWindows(); });
    addAction("Tile", "&Tile", [this] { mdi_->tileSubWindows(); });
    addAction("FitToImage", "&Fit To Image", [this, child] {
        if (CChildFrame* f = child()) fitToImage(f);
    });
    addAction("AllFitToImage", "&All Fit To Image", [this] { allFitToImage(); });
    addAction("CloseAll", "C&lose All", [this] { closeAll(); });
    addAction("KillAll", "&Kill All", [this] { killAll(); });

    // Panes of the MDI area in turn, without a menu item of their own.
    QWidget::addAction(addAction(
        "NextPane", "Next Pane", [this] { mdi_->activateNextSubWindow(); },
        QKeySequence(Qt::Key_F6)));
    QWidget::addAction(addAction(
        "PreviousPane", "Previous Pane", [this] { mdi_->activatePreviousSubWindow(); },
        QKeySequence(Qt::SHIFT | Qt::Key_F6)));

    addAction(
        "HelpTopics", "&Help Topics",
        [] { openHelpFile(); },
        QKeySequence::HelpContents);
    addAction("HomePage", "go to &Home Page",
              [] { openHelpFile(); });
    addAction("About", "&About Quidora...", [this] { aboutBox(); });

    connect(qdApp(), &CQDApp::recentFilesChanged, this, &CMainFrame::updateRecentFiles);
    updateRecentFiles();
}

void CMainFrame::installImageMenu() {
    auto* bar = new QMenuBar(this);
    QMenu* menus[qd::MenuCount];
    for (int i = 0; i < qd::MenuCount; ++i)
        menus[i] = bar->addMenu(QString::fromLatin1(kMenuTitles[i]));

    auto add = [this](QMenu* m, std::initializer_list<const char*> names) {
        for (const char* n : names) {
            if (*n)
                m->addAction(named_.value(QString::fromLatin1(n)));
            else
                m->addSeparator();
        }
    };
    add(menus[qd::MenuFile], {"New", "Open", "Close", "Save", "SaveAs", "", "SaveResult", "",
                              "Print", "PrintPreview", ""});
    menus[qd::MenuFile]->addActions(recentActions_);
    add(menus[qd::MenuFile], {"", "Exit"});
    add(menus[qd::MenuEdit], {"Undo", "Redo", "", "Cut", "Copy", "Paste", "", "ClearResult"});
    connect(menus[qd::MenuEdit], &QMenu::aboutToShow, this, &CMainFrame::updateEditCommands);
    add(menus[qd::MenuView], {"ViewToolbar", "ViewStatusBar", "ViewHistogram", "ViewResult",
                              "ViewBrushBar", "ViewStopBar", "ViewRecorder"});
    add(menus[qd::MenuWindow],
        {"Cascade", "Tile", "", "FitToImage", "AllFitToImage", "", "CloseAll", "KillAll"});
    add(menus[qd::MenuHelp], {"HelpTopics", "HomePage", "", "About"});
    add(menus[qd::MenuPlugIn], {"RunPlugIn", "InstallPlugIn", "UninstallPlugIn", "", "StopPlugInItem", "",
                                "InstallFileFilter", "UninstallFileFilter", ""});
    connect(menus[qd::MenuPlugIn], &QMenu::aboutToShow, this, [this] {
        named_["UninstallPlugIn"]->setEnabled(qdApp()->plugInList() && qdApp()->plugInList()->count() > 0);
        named_["UninstallFileFilter"]->setEnabled(qdApp()->fileFilterList() &&
                                                  qdApp()->fileFilterList()->installedCount() > 0);
        named_["StopPlugInItem"]->setEnabled(action(qd::IdStopPlugIn)->isEnabled());
    });

    QMenu* windowMenu = menus[qd::MenuWindow];
    connect(windowMenu, &QMenu::aboutToShow, this,
            [this, windowMenu] { fillWindowMenu(windowMenu); });
    connect(menus[qd::MenuView], &QMenu::aboutToShow, this, [this] {
        named_["ViewToolbar"]->setChecked(mainBar_->isVisible());
        named_["ViewStatusBar"]->setChecked(statusBar()->isVisible());
        named_["ViewHistogram"]->setChecked(histo_->isVisible());
        named_["ViewResult"]->setChecked(result_->isVisible());
        named_["ViewBrushBar"]->setChecked(brush_->isVisible());
        named_["ViewStopBar"]->setChecked(stopBar_->isVisible());
        named_["ViewRecorder"]->setChecked(qd::recorderWindow(this)->isVisible());
    });
    connect(menus[qd::MenuFile], &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);

    setMenuBar(bar); // deletes the previous menu
    imageMenu_ = bar;
    insertImageCommands();
    emit imageMenuRebuilt(bar);
}

QMenu* CMainFrame::topMenu(int position) const {
    if (!imageMenu_) return nullptr;
    const QList<QAction*> tops = imageMenu_->actions();
    return position >= 0 && position < tops.size() ? tops[position]->menu() : nullptr;
}

void CMainFrame::fillWindowMenu(QMenu* menu) {
    // The fixed items stay; the list of open windows follows them.
    for (QAction* a : menu->actions())
        if (a->property("windowEntry").toBool()) delete a;
    updateCommandStates();
    const QList<CChildFrame*> frames = childFrames();
    if (!frames.isEmpty()) menu->addSeparator()->setProperty("windowEntry", true);
    int n = 1;
    for (CChildFrame* f : frames) {
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(n++).arg(f->windowTitle()));
        a->setProperty("windowEntry", true);
        a->setCheckable(true);
        a->setChecked(f == activeChild());
        connect(a, &QAction::triggered, this, [this, f] { mdi_->setActiveSubWindow(f); });
    }
}

void CMainFrame::updateRecentFiles() {
    const QStringList files = qdApp()->recentFiles();
    for (int i = 0; i < recentActions_.size(); ++i) {
        QAction* a = recentActions_[i];
        a->setVisible(i < files.size());
        if (i < files.size())
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
    }
}

void CMainFrame::updateCommandStates() {
    const bool any = !childFrames().isEmpty();
    const bool active = activeChild() != nullptr;
    for (const char* n : {"Close", "Save", "SaveAs", "Print", "PrintPreview", "FitToImage"})
        named_[n]->setEnabled(active);
    for (const char* n : {"Cascade", "Tile", "AllFitToImage", "CloseAll", "KillAll"})
        named_[n]->setEnabled(any);
    updateEditCommands();
}

void CMainFrame::toggleWindow(QWidget* w) {
    if (!w) return;
    w->setVisible(!w->isVisible());
    if (w == brush_ && w->isVisible()) brush_->setView(activeView());
}
