// File menu commands of the main window.
#include "child_frame.h"
#include "file_dialogs.h"
#include "main_frame.h"
#include "new_image_dialog.h"
#include "platform.h"
#include "qd_app.h"
#include "qd_doc.h"
#include "result_frame.h"

#include <qd/core/document_files.h>

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

void CMainFrame::fileNew() {
    const std::optional<IMHEADER> header = runNewImageDialog(this);
    if (!header) return;
    IMHANDLE im = IMCreateFromHeader(&*header);
    if (!im) {
        qd::messageBox(this, QString::fromStdString(qd::notEnoughMemoryText(header->Width, header->Height)),
                       "warning", qd::MbOk | qd::MbIconWarning);
        return;
    }
    const int type = header->DataType;
    IMSetInitialValue(im, 0.0);
    IMSetFinalValue(im, type == MT_BINARY ? 2.0 : type == MT_4BITS ? 16.0 : 256.0);
    qdApp()->openImageWindow(im, 1);
}

void CMainFrame::fileOpen() {
    const QString path = qd::askOpenImagePath(this, qdApp()->fileFilterNames(false));
    if (!path.isEmpty()) qdApp()->openDocumentFile(path);
}

bool CMainFrame::fileSave(CChildFrame* frame) {
    if (!frame) return false;
    CQDDoc* doc = frame->document();
    if (doc->noFile() || doc->path().isEmpty()) return fileSaveAs(frame);
    if (doc->saveToPath(doc->path(), qdApp()->saveHooks())) {
        qdApp()->addRecentFile(doc->path());
        return true;
    }
    // The user must never believe the work is on disk when it is not.
    qd::messageBox(this, QStringLiteral("Cannot save %1").arg(doc->path()), "warning",
                   qd::MbOk | qd::MbIconStop);
    return false;
}

bool CMainFrame::fileSaveAs(CChildFrame* frame) {
    if (!frame) return false;
    CQDDoc* doc = frame->document();
    const QString path = qd::askSaveImagePath(this, doc->name().section('.', 0, 0), qdApp()->fileFilterNames(true));
    if (path.isEmpty()) return false;
    if (doc->saveToPath(path, qdApp()->saveHooks())) {
        qdApp()->addRecentFile(path);
        return true;
    }
    qd::messageBox(this, QStringLiteral("Cannot save %1").arg(path), "warning",
                   qd::MbOk | qd::MbIconStop);
    return false;
}

void CMainFrame::fileClose() {
    if (CChildFrame* f = activeChild()) f->close();
}

void CMainFrame::saveResult() {
    const QString path = qd::askSaveTextPath(this);
    if (!path.isEmpty() && !result_->saveTo(path))
        qd::messageBox(this, "Cannot create file", "error", qd::MbOk | qd::MbIconStop);
}

void CMainFrame::aboutBox() {
    QDialog dlg(this);
    dlg.setWindowTitle("About Quidora");
    auto* layout = new QVBoxLayout(&dlg);
    layout->addWidget(new QLabel(QString("Quidora Version ") + kQuidoraVersion, &dlg));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dlg);
    connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    layout->addWidget(buttons);
    qd::runModal(dlg);
}
