#pragma once
// Changes of an image in place, made so that the document's history can
// take them back: a command's change, a brush stroke, a plug-in's run.

#include "undo_step.h"

#include <QHash>
#include <functional>
#include <vector>

class CQDDoc;
class CQDView;

namespace qd {

// Runs change on the document's image and records the data inside dataRect
// (matrix coordinates; may be empty) and the display settings before and
// after as one step. Without memory for the copies the change is still
// made, and the history, which could no longer lead back, is cleared.
void recordedChange(CQDDoc& doc, const QString& name, QRect dataRect, const std::function<void()>& change);

// A change that undoes itself (a mirror), with the display it leaves.
void recordedInvolution(CQDDoc& doc, const QString& name, void (*op)(IMHANDLE) noexcept);

// The whole data block of a matrix.
QRect wholeMatrix(MTHANDLE m);

// The values a brush stroke replaced: noted pixel by pixel before each is
// painted, recorded as one step when the stroke ends.
class StrokeRecorder {
  public:
    void begin(IMHANDLE im);
    // Call before the pixel changes; later calls for it keep the first value.
    void note(int x, int y);
    // Records the stroke in the document's history, when it changed anything.
    void finish(CQDDoc& doc);

  private:
    IMHANDLE image_ = nullptr;
    QRect touched_;
    QHash<quint64, MTCOMPLEX> before_; // RGB values in the real part
    enum class Kind { Real, Complex, Rgb } kind_ = Kind::Real;
};

// Every open image's data, bitmap and display before a plug-in runs, so
// that what the plug-in changed in each becomes one step there.
class PlugInSnapshot {
  public:
    explicit PlugInSnapshot(const std::vector<CQDView*>& views);
    ~PlugInSnapshot();
    PlugInSnapshot(const PlugInSnapshot&) = delete;
    PlugInSnapshot& operator=(const PlugInSnapshot&) = delete;
    // Records the changes of every window still open with the same image;
    // returns the windows the plug-in changed.
    std::vector<CQDView*> record(const QString& name);

  private:
    struct Taken {
        CQDView* view = nullptr;
        IMHANDLE image = nullptr;
        MTHANDLE data = nullptr, bitmap = nullptr;
        DisplayState display;
    };
    std::vector<Taken> taken_;
};

} // namespace qd
