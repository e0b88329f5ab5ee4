#include "qd_doc.h"

#include <QFile>
#include <qd/core/document_files.h>

#include <QFileInfo>

CQDDoc::CQDDoc(QObject* parent) : QObject(parent) {}

CQDDoc::~CQDDoc() {
    history_.clear();
    if (image_) IMDestroy(image_);
}

void CQDDoc::setNotSaved(int v) {
    notSaved_ = v;
    if (v) history_.forgetSaved();
    else history_.markSaved();
}

void CQDDoc::recordChange(std::unique_ptr<qd::UndoStep> step) {
    history_.push(std::move(step));
    notSaved_ = history_.atSaved() ? 0 : 1;
    emit historyChanged();
}

bool CQDDoc::undo() {
    if (!image_ || !history_.undo(image_)) return false;
    notSaved_ = history_.atSaved() ? 0 : 1;
    emit historyChanged();
    return true;
}

bool CQDDoc::redo() {
    if (!image_ || !history_.redo(image_)) return false;
    notSaved_ = history_.atSaved() ? 0 : 1;
    emit historyChanged();
    return true;
}

QString CQDDoc::nameOf(const QString& title) {
    const int colon = title.indexOf(':');
    if (colon < 0) return title;
    // Drop the blank before the colon, but never a character of the name.
    QString name = title.left(colon);
    if (name.endsWith(' ')) name.chop(1);
    return name;
}

void CQDDoc::setName(const QString& name) {
    title_ = name;
    rebuildTitle();
}

void CQDDoc::rebuildTitle() {
    const QString n = name();
    if (image_) {
        int32_t reduction = 1, enlargement = 1;
        IMGetMagnification(image_, &reduction, &enlargement);
        title_ = QStringLiteral("%1 : %2 X %3  <%4:%5>")
                     .arg(n)
                     .arg(IMGetImageWidth(image_))
                     .arg(IMGetImageHeight(image_))
                     .arg(enlargement)
                     .arg(reduction);
    } else {
        title_ = n;
    }
    emit titleChanged(title_);
}

void CQDDoc::setPath(const QString& path) {
    path_ = path;
    setName(QFileInfo(path).fileName());
}

bool CQDDoc::saveToPath(const QString& path, const qd::SaveHooks& hooks) {
    if (!image_ || !qd::saveDocumentFile(image_, QFile::encodeName(path).toStdString(), hooks))
        return false;
    noFile_ = 0;
    setNotSaved(0);
    setPath(path);
    return true;
}
