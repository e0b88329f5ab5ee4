#pragma once
// An image window: one view on one document inside the MDI area.

#include <QMdiSubWindow>

class CQDDoc;
class CQDView;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    // Takes over the document.
    explicit CChildFrame(CQDDoc* doc, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CQDView* view() const { return view_; }
    CQDDoc* document() const { return doc_; }
    // Closed and waiting to be deleted.
    bool isClosed() const { return closed_; }

    // The close rules: true when the window may close (asking about unsaved
    // work, and saving it when asked to).
    bool queryClose();
    // Closes at once: no close rule applies and nothing is asked or saved.
    void closeWithoutQuestion();

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    CQDDoc* doc_;
    CQDView* view_;
    bool closed_ = false;
    bool unconditional_ = false;
};
