#pragma once
// The recorder window: the recorded lines, the Recording check and Save
// Script, Copy and Clear.

#include <QWidget>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

class CRecorderFrame : public QWidget {
    Q_OBJECT
  public:
    explicit CRecorderFrame(QWidget* parent = nullptr);

    QPlainTextEdit* view() const { return view_; }
    QCheckBox* recordingBox() const { return recording_; }
    void saveScript();
    void copy();
    void clear();

  private:
    void refresh();

    QPlainTextEdit* view_;
    QCheckBox* recording_;
};

namespace qd {
// The main window's recorder window, made on first use.
CRecorderFrame* recorderWindow(QWidget* mainWindow);
} // namespace qd
