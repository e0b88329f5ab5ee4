#pragma once
// The program's platform layer: message boxes with the classic style bits and
// answer ids, and the one place where modal dialogs are run. Both can be
// replaced, so that tests answer them instead of a person.

#include <QString>
#include <cstdint>
#include <functional>

class QDialog;
class QWidget;

namespace qd {

enum : uint32_t {
    MbOk = 0x00,
    MbOkCancel = 0x01,
    MbYesNoCancel = 0x03,
    MbYesNo = 0x04,
    MbIconStop = 0x10,
    MbIconQuestion = 0x20,
    MbIconWarning = 0x30,
    MbIconInformation = 0x40,
};

enum : int { IdOk = 1, IdCancel = 2, IdYes = 6, IdNo = 7 };

using MessageBoxFunction =
    std::function<int(QWidget* parent, const QString& text, const QString& title, uint32_t style)>;
using ModalRunner = std::function<int(QDialog& dialog)>;

// Shows a message box and returns the id of the button pressed.
int messageBox(QWidget* parent, const QString& text, const QString& title, uint32_t style);
// Runs a dialog modally; returns QDialog::Accepted or Rejected.
int runModal(QDialog& dialog);

// Replace the implementations; an empty function restores the real one.
// Each returns the previous function.
MessageBoxFunction setMessageBoxFunction(MessageBoxFunction f);
ModalRunner setModalRunner(ModalRunner f);

} // namespace qd
