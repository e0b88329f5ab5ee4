#pragma once
// One run of an image command on its window: the processing count stays
// raised for the whole run (dialogs included), the source window is watched
// so that nothing touches an image that went away meanwhile, and library
// calls are made so that running out of memory is told, not swallowed.

#include <QPointer>
#include <QString>
#include <QStringList>
#include <cerrno>
#include <functional>
#include <vector>

#include <qd/core/display_record.h>
#include <qd/core/result_display.h>
#include <qd/image.h>

class CChildFrame;
class CQDDoc;
class CQDView;
class QWidget;

namespace qd {

// What a run tells the recorder beyond its command's declared line.
struct RunLine {
    bool set = false;     // the command ran with these choices
    QString operation;    // when the command picks it as it runs
    // The dialog's options: one list per window opened, the last for the rest.
    std::vector<QStringList> options;
    QStringList display;  // from a display record
    QString selection;    // "L,T,R,B" when only the selection was read
    std::vector<QPointer<CQDDoc>> inputs; // when not the source alone
    std::vector<QPointer<CChildFrame>> opened;
};

class CommandRun {
  public:
    // name: the command as the user knows it, for the out-of-memory message.
    CommandRun(CChildFrame& frame, QString name);
    ~CommandRun();
    CommandRun(const CommandRun&) = delete;
    CommandRun& operator=(const CommandRun&) = delete;

    QWidget* parent() const;
    CQDView* view() const;
    // The source's document while it is open.
    CQDDoc* document() const;
    // The window's image; null once the window closed or its image was replaced.
    IMHANDLE source() const;
    QString sourceName() const;

    // Calls f and notes whether a null result came from a failed allocation.
    template <class F> auto call(F&& f) {
        errno = 0;
        auto result = f();
        if (!result && errno == ENOMEM) outOfMemory_ = true;
        return result;
    }
    // Calls f(source) with the source restricted to its selection (unless
    // wholeImage) and lifts the restriction again if the source is still there.
    template <class F> auto onSource(bool wholeImage, F&& f) -> decltype(f(IMHANDLE{})) {
        IMHANDLE im = source();
        if (!im) return {};
        if (!wholeImage) noteSelection(im);
        if (!wholeImage) IMSelect(im, 1);
        auto result = call([&] { return f(im); });
        if (!wholeImage && source()) IMSelect(im, 0);
        return result;
    }

    // Opens a result as a new window, not saved, named title or "untitledN".
    // A null result opens nothing; a lack of memory is told in a message box.
    bool open(IMHANDLE result, const QString& title = {});
    // Wraps a matrix as an image with its display set, then opens it.
    bool openMatrix(MTHANDLE result, ResultDisplay display, const QString& title = {});
    bool openMatrix(MTHANDLE result, const DisplayRecord& display);
    // Whether a call failed for lack of memory, and telling the user so.
    bool outOfMemory() const { return outOfMemory_; }
    void reportFailure();

    // ---- The run as a qdcli line ----
    // The command ran with these options (and operation, when it picks one).
    void setLine(QStringList options = {}, QString operation = {});
    void setLineInputs(const std::vector<CQDDoc*>& documents);
    void setLineDisplay(const DisplayRecord& display);
    const RunLine& line() const { return line_; }

  private:
    void noteSelection(IMHANDLE im);

    IMHANDLE wrap(MTHANDLE result);

    QPointer<CChildFrame> frame_;
    QPointer<CQDDoc> doc_;
    IMHANDLE image_;
    QString name_;
    bool outOfMemory_ = false;
    RunLine line_;
};

} // namespace qd
