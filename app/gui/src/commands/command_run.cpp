#include "command_run.h"

#include "child_frame.h"
#include "main_frame.h"
#include "platform.h"
#include "qd_app.h"
#include "qd_doc.h"
#include "qd_view.h"
#include "recorder/line_options.h"

namespace qd {

CommandRun::CommandRun(CChildFrame& frame, QString name)
    : frame_(&frame), doc_(frame.document()), image_(frame.document()->image()), name_(std::move(name)) {
    qdApp()->beginProcessing();
    doc_->beginUse();
}

CommandRun::~CommandRun() {
    if (doc_) doc_->endUse();
    qdApp()->endProcessing();
}

QWidget* CommandRun::parent() const { return qdApp()->mainFrame(); }

CQDView* CommandRun::view() const { return frame_ && !frame_->isClosed() ? frame_->view() : nullptr; }

IMHANDLE CommandRun::source() const {
    return view() && doc_ && doc_->image() == image_ ? image_ : nullptr;
}

CQDDoc* CommandRun::document() const { return source() ? doc_.data() : nullptr; }

QString CommandRun::sourceName() const { return doc_ ? doc_->name() : QString(); }

IMHANDLE CommandRun::wrap(MTHANDLE result) {
    if (!result) return nullptr;
    IMHANDLE im = call([&] { return IMCreateFromMatrix(result); });
    if (!im) MTDestroy(result);
    return im;
}

bool CommandRun::open(IMHANDLE result, const QString& title) {
    if (!result) {
        reportFailure();
        return false;
    }
    // A result whose source went away meanwhile belongs to nothing the user still has.
    if (!source()) {
        IMDestroy(result);
        return false;
    }
    CChildFrame* opened = qdApp()->openImageWindow(result, 1, title);
    if (opened) line_.opened.emplace_back(opened);
    return opened != nullptr;
}

bool CommandRun::openMatrix(MTHANDLE result, ResultDisplay display, const QString& title) {
    IMHANDLE im = wrap(result);
    if (im && source()) applyResultDisplay(im, display, source());
    return open(im, title);
}

bool CommandRun::openMatrix(MTHANDLE result, const DisplayRecord& display) {
    IMHANDLE im = wrap(result);
    if (im && source()) applyDisplayRecord(im, display, source());
    return open(im);
}

void CommandRun::setLine(QStringList options, QString operation) {
    line_.set = true;
    line_.options.push_back(std::move(options));
    if (!operation.isEmpty()) line_.operation = std::move(operation);
}

void CommandRun::setLineInputs(const std::vector<CQDDoc*>& documents) {
    line_.inputs.assign(documents.begin(), documents.end());
}

void CommandRun::setLineDisplay(const DisplayRecord& display) { line_.display = displayOptions(display, source()); }

void CommandRun::noteSelection(IMHANDLE im) {
    if (!IMIsSelected(im)) return;
    const QDRECT r = IMGetSelectedRect(im);
    line_.selection = QStringLiteral("%1,%2,%3,%4").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom);
}

void CommandRun::reportFailure() {
    if (!outOfMemory_) return;
    outOfMemory_ = false;
    messageBox(parent(), QStringLiteral("Not enough memory for %1").arg(name_), "warning",
               MbOk | MbIconWarning);
}

} // namespace qd
