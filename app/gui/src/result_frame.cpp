#include "result_frame.h"

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

CResultView::CResultView(QWidget* parent) : QPlainTextEdit(parent) {
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFont("Courier New", 9));
}

void CResultView::insertText(const QString& text) {
    QString t = text;
    t.replace("\r\n", "\n");
    insertPlainText(t);
}

QByteArray CResultView::buffer() const { return toPlainText().replace('\n', "\r\n").toLocal8Bit(); }

CResultFrame::CResultFrame(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName("ResultWindow");
    setWindowTitle("result");
    view_ = new CResultView(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    resize(240, 120);
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect area = s->availableGeometry();
        move(area.right() - 250, area.bottom() - 130 - 30);
    }
}

void CResultFrame::addLine(const QString& text) { addText(text + "\r\n"); }

void CResultFrame::addText(const QString& text) {
    if (!isVisible()) show();
    view_->insertText(text);
}

void CResultFrame::clear() { view_->setPlainText(QString()); }

bool CResultFrame::saveTo(const QString& path) const {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    f.write(view_->buffer());
    return true;
}
