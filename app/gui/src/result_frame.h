#pragma once
// The result window: a text log that statistics, object tables and plug-ins
// write to, saved as a text file with "\r\n" line ends.

#include <QPlainTextEdit>
#include <QWidget>

class CResultView : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit CResultView(QWidget* parent = nullptr);
    // Inserts at the caret, replacing any selection.
    void insertText(const QString& text);
    // The text as one buffer with "\r\n" line ends.
    QByteArray buffer() const;
};

class CResultFrame : public QWidget {
    Q_OBJECT
  public:
    explicit CResultFrame(QWidget* parent = nullptr);

    CResultView* view() const { return view_; }
    void addLine(const QString& text);
    void addText(const QString& text);
    void clear();
    // Writes the whole text to path; false when the file cannot be created.
    bool saveTo(const QString& path) const;

  private:
    CResultView* view_;
};
