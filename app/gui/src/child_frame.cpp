#include "child_frame.h"

#include "main_frame.h"
#include "platform.h"
#include "qd_app.h"
#include "qd_doc.h"
#include "qd_view.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(CQDDoc* doc, QWidget* parent) : QMdiSubWindow(parent), doc_(doc) {
    setAttribute(Qt::WA_DeleteOnClose);
    doc_->setParent(this);
    view_ = new CQDView(doc_, this);
    setWidget(view_);
    setWindowTitle(doc_->title());
    connect(doc_, &CQDDoc::titleChanged, this, &QWidget::setWindowTitle);
}

CChildFrame::~CChildFrame() {
    // The view leaves the registry before its document and image go.
    delete view_;
    view_ = nullptr;
}

bool CChildFrame::queryClose() {
    CQDApp* app = qdApp();
    if (app->runningProcessingCount() >= 1) {
        qd::messageBox(this, "There are processings running.\nYou cannot close this window.",
                       "warning", qd::MbOk | qd::MbIconStop);
        return false;
    }
    if (view_->lockFlag()) {
        qd::messageBox(this, "The image window is locked.\nYou cannot close this window.",
                       "warning", qd::MbOk | qd::MbIconStop);
        return false;
    }
    if (!doc_->noFile() && !doc_->notSaved()) {
        app->setStatusText(0, QString());
        return true;
    }
    const int answer = qd::messageBox(
        this, QStringLiteral("%1 is not saved.\nDo you want to save it ?").arg(doc_->name()),
        "warning", qd::MbYesNoCancel | qd::MbIconQuestion);
    if (answer == qd::IdCancel) return false;
    // A save that fails or is cancelled keeps the window: the work is not on disk.
    if (answer == qd::IdYes && !app->mainFrame()->fileSave(this)) return false;
    app->setStatusText(0, QString());
    return true;
}

void CChildFrame::closeWithoutQuestion() {
    doc_->setNoFile(0);
    doc_->setNotSaved(0);
    unconditional_ = true;
    close();
}

void CChildFrame::closeEvent(QCloseEvent* e) {
    if (closed_ || (!unconditional_ && !queryClose())) {
        if (!closed_) e->ignore();
        return;
    }
    closed_ = true;
    view_->leaveRegistry();
    QMdiSubWindow::closeEvent(e);
}
