#include "main_frame.h"

#include "plugin_requests.h"

#include "brush_style_wnd.h"
#include "child_frame.h"
#include "histo_frame.h"
#include "profile.h"
#include "profile_wnd.h"
#include "qd_doc.h"
#include "qd_app.h"
#include "qd_view.h"
#include "result_frame.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

namespace {
const qd::ProfileKey<QByteArray> kBarState{"ToolBarState", "State", {}};
}

CMainFrame::CMainFrame() : requests_(std::make_unique<qd::CPlugInRequests>(this)) {
    setWindowTitle(QString::fromLatin1(CQDApp::kTitle));
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
    mdi_ = new QMdiArea(this);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    mdi_->viewport()->setMouseTracking(true);
    mdi_->viewport()->installEventFilter(this);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::onSubWindowActivated);

    createActions();
    createBars();
    createStatusBar();
    histo_ = new CHistoFrame(this);
    histo_->show();
    result_ = new CResultFrame(this);
    brush_ = new CBrushStyleWnd(this);
    brush_->hide();
    createCursors();
    installImageMenu();
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::updateEditCommands);
    restoreBarState();
    setAcceptDrops(true);
    resize(1024, 768);
}

CMainFrame::~CMainFrame() {
    // Image windows go first: their views leave the registry as they die.
    mdi_->disconnect(this);
    for (CChildFrame* f : childFrames())
        delete f;
}

void CMainFrame::setTool(int id) {
    tool_ = id;
    if (QAction* a = action(id)) a->setChecked(true);
    if (id == qd::IdBrushCursor) {
        brush_->show();
        brush_->setView(activeView());
    } else if (brush_->isVisible()) {
        brush_->hide();
    }
    for (CChildFrame* f : childFrames())
        f->view()->setCursor(toolCursor(id));
}

QCursor CMainFrame::toolCursor(int id) const {
    return cursors_.value(id, QCursor(Qt::ArrowCursor));
}

void CMainFrame::setStatusText(int pane, const QString& text) {
    if (pane == 0)
        messagePane_->setText(text);
    else if (pane > 0 && pane <= indicators_.size())
        indicators_[pane - 1]->setText(text);
}

QString CMainFrame::statusText(int pane) const {
    if (pane == 0) return messagePane_->text();
    return pane > 0 && pane <= indicators_.size() ? indicators_[pane - 1]->text() : QString();
}

CChildFrame* CMainFrame::activeChild() const {
    return qobject_cast<CChildFrame*>(mdi_->activeSubWindow());
}

CQDView* CMainFrame::activeView() const {
    CChildFrame* f = activeChild();
    return f ? f->view() : nullptr;
}

QList<CChildFrame*> CMainFrame::childFrames() const {
    QList<CChildFrame*> out;
    for (QMdiSubWindow* w : mdi_->subWindowList(QMdiArea::CreationOrder))
        if (auto* f = qobject_cast<CChildFrame*>(w); f && !f->isClosed()) out.push_back(f);
    return out;
}

void CMainFrame::showProfile(IMHANDLE im, QPoint a, QPoint b) {
    if (!profile_) profile_ = new CProfileWnd(this);
    profile_->setProfile(qd::lineProfile(im, a.x(), a.y(), b.x(), b.y()));
    if (!profile_->isVisible()) profile_->show();
}

void CMainFrame::onSubWindowActivated(QMdiSubWindow* w) {
    auto* f = qobject_cast<CChildFrame*>(w);
    if (f && f->isClosed()) f = nullptr;
    qdApp()->notifyActiveView(f ? f->view() : nullptr);
    updateCommandStates();
    // The main window's title names the active document.
    disconnect(titleLink_);
    updateTitle(f ? f->windowTitle() : QString());
    if (f) titleLink_ = connect(f, &QWidget::windowTitleChanged, this, &CMainFrame::updateTitle);
    disconnect(historyLink_);
    if (f) historyLink_ = connect(f->document(), &CQDDoc::historyChanged, this, &CMainFrame::updateEditCommands);
}

void CMainFrame::updateTitle(const QString& document) {
    const QString app = QString::fromLatin1(CQDApp::kTitle);
    setWindowTitle(document.isEmpty() ? app : QStringLiteral("%1 - [%2]").arg(app, document));
}

void CMainFrame::saveBarState() { kBarState.write(saveState()); }

void CMainFrame::restoreBarState() {
    const QByteArray state = kBarState.read();
    if (!state.isEmpty()) restoreState(state);
}

void CMainFrame::closeEvent(QCloseEvent* e) {
    saveBarState();
    // Every image window is offered its close rules; one refusal keeps the
    // program running with what is left.
    for (CChildFrame* f : childFrames()) {
        if (!f->close()) {
            e->ignore();
            return;
        }
    }
    histo_->close();
    result_->close();
    e->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* e) {
    for (const QUrl& url : e->mimeData()->urls())
        if (url.isLocalFile()) qdApp()->openDocumentFile(url.toLocalFile());
    e->acceptProposedAction();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* e) {
    if (watched == mdi_->viewport() && e->type() == QEvent::MouseMove) setStatusText(0, QString());
    return QMainWindow::eventFilter(watched, e);
}
