#include "plugin_line.h"

#include "main_frame.h"
#include "qd_app.h"
#include "qd_view.h"
#include "recorder.h"

#include <algorithm>

namespace qd {
namespace {

PlugInLine*& running() {
    static PlugInLine* line = nullptr;
    return line;
}

// The name qdcli gives the window of that index.
QString written(int index) { return QStringLiteral("plugin_%1.qdw").arg(index); }

} // namespace

PlugInLine::PlugInLine(QString library) : library_(std::move(library)), outer_(running()) {
    const std::vector<CQDView*>& views = qdApp()->registry().views();
    before_.assign(views.begin(), views.end());
    const CQDView* active = qdApp()->mainFrame() ? qdApp()->mainFrame()->activeView() : nullptr;
    const auto at = std::find(views.begin(), views.end(), active);
    if (at != views.end()) active_ = int(at - views.begin());
    running() = this;
}

PlugInLine::~PlugInLine() { running() = outer_; }

void PlugInLine::noteAnswer(const QString& text) {
    if (running()) running()->answers_ << "--answer" << text;
}

void PlugInLine::notePick(CQDView* view) {
    PlugInLine* line = running();
    if (!line) return;
    const std::vector<CQDView*>& views = qdApp()->registry().views();
    const auto at = std::find(views.begin(), views.end(), view);
    if (at != views.end()) line->answers_ << "--pick" << QString::number(at - views.begin());
}

void PlugInLine::finish(const std::vector<CQDView*>& changed) {
    Recorder& recorder = Recorder::instance();
    if (!recorder.recording() || library_.isEmpty()) return;
    QStringList inputs;
    // A window the plug-in closed leaves qdcli nothing to repeat the run
    // on; what it changed can then only be saved by hand.
    if (std::any_of(before_.begin(), before_.end(), [](const QPointer<CQDView>& v) { return v.isNull(); })) {
        recorder.comment("A run of " + library_ + " that closed one of its windows");
        for (CQDView* v : changed) recorder.changedWithoutLine(v->document(), "The plug-in's change");
        return;
    }
    for (const QPointer<CQDView>& v : before_) inputs << recorder.fileOf(v->document());
    // qdcli numbers its windows as the program does: the images given, then
    // the windows the plug-in made.
    std::vector<std::pair<int, CQDView*>> out;
    for (size_t i = 0; i < before_.size(); ++i)
        if (std::find(changed.begin(), changed.end(), before_[i].data()) != changed.end())
            out.emplace_back(int(i), before_[i].data());
    const std::vector<CQDView*>& views = qdApp()->registry().views();
    int index = int(before_.size());
    for (CQDView* v : views)
        if (std::none_of(before_.begin(), before_.end(), [v](const QPointer<CQDView>& b) { return b == v; }))
            out.emplace_back(index++, v);
    QStringList options{library_};
    if (active_ >= 0) options << "--active" << QString::number(active_);
    options << answers_;
    recorder.add(commandText("plugin", options, inputs, out.empty() ? QString() : "plugin_%d.qdw"));
    for (const auto& [i, view] : out)
        recorder.add("mv " + written(i) + ' ' + shellQuoted(recorder.outputFor(view->document())));
}

} // namespace qd
