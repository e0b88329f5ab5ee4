#pragma once
// The main window: MDI area, the shared image menu, tool bars, status bar,
// histogram, result and brush windows, and the current mouse tool.

#include "commands.h"

#include <QCursor>
#include <QHash>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <qd/image.h>
#include <memory>

class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;
class CBrushStyleWnd;
class CChildFrame;
class CHistoFrame;
class CQDView;
class CProfileWnd;
class CResultFrame;
namespace qd {
class CPlugInRequests;
} // namespace qd

class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    CMainFrame();
    ~CMainFrame() override;

    QMdiArea* mdiArea() const { return mdi_; }
    CHistoFrame* histogramWindow() const { return histo_; }
    CResultFrame* resultWindow() const { return result_; }
    CBrushStyleWnd* brushBar() const { return brush_; }
    QToolBar* mainToolBar() const { return mainBar_; }
    QToolBar* stopBar() const { return stopBar_; }
    QAction* action(int id) const { return actions_.value(id); }
    QAction* namedAction(const QString& name) const { return named_.value(name); }

    // ---- Mouse tools ----
    int currentTool() const { return tool_; }
    void setTool(int id);
    QCursor toolCursor(int id) const;
    QCursor busyCursor() const { return busyCursor_; }

    // ---- Image menu ----
    QMenuBar* imageMenu() const { return imageMenu_; }
    // Builds a fresh image menu and makes it the window's menu.
    void installImageMenu();
    QMenu* topMenu(int position) const;

    // ---- Status bar ----
    void setStatusText(int pane, const QString& text);
    QString statusText(int pane) const;

    // ---- Windows ----
    CChildFrame* activeChild() const;
    CQDView* activeView() const;
    QList<CChildFrame*> childFrames() const;

    // ---- Commands ----
    void fileNew();
    void fileOpen();
    bool fileSave(CChildFrame* frame);
    bool fileSaveAs(CChildFrame* frame);
    void fileClose();
    void filePrint();
    void filePrintPreview();
    void saveResult();
    void fitToImage(CChildFrame* frame);
    void allFitToImage();
    void closeAll();
    void killAll();
    void aboutBox();
    void toggleWindow(QWidget* w);

    // ---- Edit menu: the active image's history and the clipboard ----
    void editUndo();
    void editRedo();
    void editCut();
    void editCopy();
    void editPaste();
    void updateEditCommands();

    // The profile window, shown with the values from a to b (image points).
    void showProfile(IMHANDLE im, QPoint a, QPoint b);
    CProfileWnd* profileWindow() const { return profile_; }

    // ---- Plug-ins and file filters ----
    qd::CPlugInRequests* plugInRequests() const { return requests_.get(); }
    void runPlugInOnce();
    void installPlugIn();
    void uninstallPlugIn();
    void installFileFilter();
    void uninstallFileFilter();

    // Bar state under "ToolBarState".
    void saveBarState();
    void restoreBarState();

  signals:
    // After every (re)build of the image menu, the idle repair's included:
    // the processing commands and the plug-in items fill their menus here.
    void imageMenuRebuilt(QMenuBar* menu);

  protected:
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void createActions();
    void insertImageCommands();
    void createBars();
    void createStatusBar();
    void createCursors();
    void updateRecentFiles();
    void updateCommandStates();
    void fillWindowMenu(QMenu* menu);
    void onSubWindowActivated(QMdiSubWindow* w);
    void updateTitle(const QString& document);
    QAction* addAction(const QString& name, const QString& text, std::function<void()> f,
                       const QKeySequence& key = {});

    QMdiArea* mdi_ = nullptr;
    QToolBar* mainBar_ = nullptr;
    QToolBar* stopBar_ = nullptr;
    QLabel* messagePane_ = nullptr;
    QList<QLabel*> indicators_;
    CHistoFrame* histo_ = nullptr;
    CResultFrame* result_ = nullptr;
    CProfileWnd* profile_ = nullptr;
    CBrushStyleWnd* brush_ = nullptr;
    QActionGroup* toolGroup_ = nullptr;
    QHash<int, QAction*> actions_;
    QHash<QString, QAction*> named_;
    QList<QAction*> recentActions_;
    QPointer<QMenuBar> imageMenu_;
    QHash<int, QCursor> cursors_;
    QCursor busyCursor_;
    int tool_ = qd::IdNormalCursor;
    std::unique_ptr<qd::CPlugInRequests> requests_;
    QMetaObject::Connection titleLink_;
    QMetaObject::Connection historyLink_;
};
