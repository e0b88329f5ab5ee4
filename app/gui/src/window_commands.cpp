// Window menu commands: fitting windows to their images, closing them all.
#include "child_frame.h"
#include "main_frame.h"
#include "platform.h"
#include "qd_app.h"
#include "qd_doc.h"
#include "qd_view.h"

#include <QMdiArea>

void CMainFrame::fitToImage(CChildFrame* frame) {
    IMHANDLE im = frame->view()->image();
    const QDRECT r = IMGetDrawRect(im);
    const int w = r.right - r.left, h = r.bottom - r.top;
    IMSetDrawRect(im, 0, 0, w, h);
    // The frame's border and caption stay; the client becomes the drawn image.
    const QMargins m = frame->contentsMargins();
    frame->resize(w + m.left() + m.right(), h + m.top() + m.bottom());
    frame->view()->update();
}

void CMainFrame::allFitToImage() {
    for (CQDView* v : qdApp()->registry().views())
        if (auto* f = qobject_cast<CChildFrame*>(v->parentWidget())) fitToImage(f);
}

void CMainFrame::closeAll() {
    // One pass: a window that refuses stays, and is not asked again.
    for (CChildFrame* f : childFrames())
        f->close();
}

void CMainFrame::killAll() {
    if (qd::messageBox(this,
                       "This command will close all image window without saving.\nYou want to kill "
                       "all image window ?",
                       "warning", qd::MbYesNo | qd::MbIconQuestion) != qd::IdYes)
        return;
    for (CChildFrame* f : childFrames()) {
        f->document()->setNoFile(0);
        f->document()->setNotSaved(0);
    }
    closeAll();
}
