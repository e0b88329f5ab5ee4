#pragma once
// Dialog 102: one line of text under a prompt.

#include <QByteArray>
#include <QDialog>

class QLineEdit;

namespace qddlg {

// The first bytes of UTF-8 text that fit in maxBytes, ending on a character
// boundary so that the cut never leaves half a character.
QByteArray cutUtf8(const QByteArray& utf8, int maxBytes);

class InputTextDialog : public QDialog {
    Q_OBJECT
  public:
    InputTextDialog(const QString& caption, const QString& prompt, const QString& text,
                    QWidget* parent);
    QString text() const;

  private:
    QLineEdit* edit_;
};

// Runs the dialog over parent; on OK the buffer of size bytes (size >= 1)
// receives the text and its NUL. Returns the dialog's end code.
int runInputText(QWidget* parent, const char* caption, const char* prompt, char* buffer, int size);

} // namespace qddlg
