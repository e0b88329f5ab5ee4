// The Edit menu's image commands: undo and redo of the active image's
// changes in place, and the clipboard.
#include "child_frame.h"
#include "image_clipboard.h"
#include "main_frame.h"
#include "qd_app.h"
#include "qd_doc.h"
#include "qd_view.h"
#include "recorded_change.h"
#include "recorder/recorder.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// After the image changed under the view: repaint, and the histogram again.
void showChanged(CChildFrame* f) {
    qdApp()->notifyActiveView(f->view());
    f->view()->update();
}

} // namespace

void CMainFrame::editUndo() {
    CChildFrame* f = activeChild();
    if (f && f->document()->undo()) {
        qd::Recorder::instance().changedWithoutLine(f->document(), "Undo");
        showChanged(f);
    }
}

void CMainFrame::editRedo() {
    CChildFrame* f = activeChild();
    if (f && f->document()->redo()) {
        qd::Recorder::instance().changedWithoutLine(f->document(), "Redo");
        showChanged(f);
    }
}

void CMainFrame::editCopy() {
    CChildFrame* f = activeChild();
    if (!f) return;
    IMHANDLE im = f->view()->image();
    QGuiApplication::clipboard()->setMimeData(qd::imageMimeData(im, qd::clipboardRect(im)));
}

void CMainFrame::editCut() {
    CChildFrame* f = activeChild();
    if (!f) return;
    IMHANDLE im = f->view()->image();
    const QRect rect = qd::clipboardRect(im);
    QGuiApplication::clipboard()->setMimeData(qd::imageMimeData(im, rect));
    qd::recordedChange(*f->document(), "Cut", rect, [im, rect] {
        MTHANDLE m = IMGetDataHandle(im);
        const bool rgb = IMIsRgb(im);
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x) {
                if (rgb) MTSetRgb(m, x, y, 0);
                else MTSetComplex(m, x, y, MTCOMPLEX{0, 0});
            }
        IMPrepareBitmap(im);
    });
    showChanged(f);
    qd::Recorder::instance().changedWithoutLine(f->document(), "Cut");
}

void CMainFrame::editPaste() {
    IMHANDLE im = qd::imageFromMimeData(QGuiApplication::clipboard()->mimeData());
    if (im) qdApp()->openImageWindow(im, 1);
}

void CMainFrame::updateEditCommands() {
    CChildFrame* f = activeChild();
    qd::CUndoHistory* h = f ? &f->document()->history() : nullptr;
    QAction* undo = named_.value("Undo");
    QAction* redo = named_.value("Redo");
    if (!undo || !redo) return;
    undo->setEnabled(h && h->canUndo());
    redo->setEnabled(h && h->canRedo());
    undo->setText(h && h->canUndo() ? QStringLiteral("&Undo %1\tCtrl+Z").arg(h->undoName()) : "&Undo\tCtrl+Z");
    redo->setText(h && h->canRedo() ? QStringLiteral("&Redo %1\tCtrl+Y").arg(h->redoName()) : "&Redo\tCtrl+Y");
    named_["Cut"]->setEnabled(f != nullptr);
    named_["Copy"]->setEnabled(f != nullptr);
    named_["Paste"]->setEnabled(qd::mimeDataHasImage(QGuiApplication::clipboard()->mimeData()));
}
