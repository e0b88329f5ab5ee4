#include "input_text_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cstring>

namespace qddlg {

QByteArray cutUtf8(const QByteArray& utf8, int maxBytes) {
    if (maxBytes <= 0) return {};
    if (utf8.size() <= maxBytes) return utf8;
    int end = maxBytes;
    // Back off over continuation bytes to the start of the cut character.
    while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
        --end;
    return utf8.left(end);
}

InputTextDialog::InputTextDialog(const QString& caption, const QString& prompt, const QString& text,
                                 QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(text, this)) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(prompt, this);
    label->setObjectName("prompt");
    edit_->setObjectName("text");
    layout->addWidget(label);
    layout->addWidget(edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("buttons");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString InputTextDialog::text() const { return edit_->text(); }

int runInputText(QWidget* parent, const char* caption, const char* prompt, char* buffer, int size) {
    // The caller's text need not be terminated inside its buffer.
    const auto start = QString::fromUtf8(buffer, qsizetype(strnlen(buffer, size_t(size))));
    InputTextDialog dlg(QString::fromUtf8(caption ? caption : ""),
                        QString::fromUtf8(prompt ? prompt : ""), start, parent);
    if (dlg.exec() != QDialog::Accepted) return 0;
    const QByteArray out = cutUtf8(dlg.text().toUtf8(), size - 1);
    std::memcpy(buffer, out.constData(), size_t(out.size()));
    buffer[out.size()] = '\0';
    return 1;
}

} // namespace qddlg
