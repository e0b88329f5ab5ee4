#include "platform.h"

#include <QDialog>
#include <QMessageBox>
#include <utility>

namespace qd {
namespace {

int showMessageBox(QWidget* parent, const QString& text, const QString& title, uint32_t style) {
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (style & 0xF0) {
    case MbIconStop:
        box.setIcon(QMessageBox::Critical);
        break;
    case MbIconQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case MbIconWarning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MbIconInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    switch (style & 0x0F) {
    case MbOkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MbYesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MbYesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return IdYes;
    case QMessageBox::No:
        return IdNo;
    case QMessageBox::Cancel:
        return IdCancel;
    default:
        return (style & 0x0F) == MbYesNo ? IdNo : IdOk;
    }
}

MessageBoxFunction& messageBoxSlot() {
    static MessageBoxFunction f;
    return f;
}

ModalRunner& modalSlot() {
    static ModalRunner f;
    return f;
}

} // namespace

int messageBox(QWidget* parent, const QString& text, const QString& title, uint32_t style) {
    if (auto& f = messageBoxSlot()) return f(parent, text, title, style);
    return showMessageBox(parent, text, title, style);
}

int runModal(QDialog& dialog) {
    if (auto& f = modalSlot()) return f(dialog);
    return dialog.exec();
}

MessageBoxFunction setMessageBoxFunction(MessageBoxFunction f) {
    return std::exchange(messageBoxSlot(), std::move(f));
}

ModalRunner setModalRunner(ModalRunner f) { return std::exchange(modalSlot(), std::move(f)); }

} // namespace qd
