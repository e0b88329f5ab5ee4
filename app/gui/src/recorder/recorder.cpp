#include "recorder.h"

#include "child_frame.h"
#include "command_run.h"
#include "qd_app.h"
#include "qd_doc.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace qd {
namespace {

// A window's title as a file name of the working directory, without its
// own extension.
QString baseNameOf(const QString& title) {
    QString base = title;
    base.replace(QRegularExpression("\\.[A-Za-z0-9]{1,4}$"), QString());
    base.replace(QRegularExpression("[^A-Za-z0-9_.-]+"), "_");
    return base.isEmpty() ? QStringLiteral("image") : base;
}

} // namespace

QString commandText(const QString& op, const QStringList& options, const QStringList& inputs,
                    const QString& output) {
    QStringList words{"qdcli", op};
    words << options << inputs;
    if (!output.isEmpty()) words << "-o" << output;
    for (QString& w : words) w = shellQuoted(w);
    return words.join(' ');
}

QString shellQuoted(const QString& word) {
    static const QRegularExpression plain("^[A-Za-z0-9_./,:=+%@-]+$");
    if (plain.match(word).hasMatch()) return word;
    QString q = word;
    q.replace('\'', "'\\''");
    return '\'' + q + '\'';
}

Recorder& Recorder::instance() {
    static Recorder* recorder = new Recorder;
    return *recorder;
}

void Recorder::clear() {
    lines_.clear();
    // Later lines name their inputs afresh, so that what is saved runs alone.
    files_.clear();
    used_.clear();
    stale_.clear();
    emit changed();
}

void Recorder::add(const QString& line) {
    if (!recording_) return;
    lines_ << line;
    emit changed();
}

void Recorder::comment(const QString& what) {
    if (recording_) add("# " + what + " (no qdcli equivalent)");
}

void Recorder::recordChange(CQDDoc* doc, const QString& op, const QStringList& options) {
    if (!recording_ || !doc) return;
    const QString input = fileOf(doc);
    add(commandText(op, options, {input}, outputFor(doc)));
}

void Recorder::changedWithoutLine(CQDDoc* doc, const QString& what) {
    if (!recording_ || !doc) return;
    comment(what + " on " + doc->name());
    if (!stale_.contains(doc))
        connect(doc, &QObject::destroyed, this, [this, doc] { stale_.remove(doc); });
    stale_.insert(doc);
    files_.remove(doc);
}

void Recorder::remember(CQDDoc* doc, const QString& file) {
    stale_.remove(doc);
    if (!files_.contains(doc))
        connect(doc, &QObject::destroyed, this, [this, doc] { files_.remove(doc); });
    files_[doc] = file;
    // An input's own name is never an output's, so the script writes over no input.
    used_ << file << QFileInfo(file).fileName();
}

QString Recorder::freshName(const QString& base) {
    QString name = base + ".qdw";
    for (int n = 2; used_.contains(name); ++n) name = QStringLiteral("%1_%2.qdw").arg(base).arg(n);
    used_ << name;
    return name;
}

QString Recorder::fileOf(CQDDoc* doc) {
    if (!doc) return {};
    if (const auto it = files_.find(doc); it != files_.end()) return *it;
    if (!doc->path().isEmpty() && !stale_.contains(doc)) {
        remember(doc, doc->path());
        return doc->path();
    }
    // A window no recorded line made: the script needs it saved under this name.
    const QString file = freshName(baseNameOf(doc->name()));
    add(QStringLiteral("# %1 was not made by a recorded line: save it as %2 beside this script")
            .arg(doc->name(), file));
    remember(doc, file);
    return file;
}

QString Recorder::outputFor(CQDDoc* doc) {
    const QString file = freshName(baseNameOf(doc->name()));
    remember(doc, file);
    return file;
}

void Recorder::record(const CommandRun& run, const CliLine& line) {
    const RunLine& r = run.line();
    if (!recording_ || !r.set) return;
    if (line.kind == CliLine::Kind::Comment || line.kind == CliLine::Kind::Missing) {
        comment(line.kind == CliLine::Kind::Comment ? line.operation + " on " + run.sourceName()
                                                     : run.sourceName() + ": a command with no declared line");
        return;
    }
    const QString op = r.operation.isEmpty() ? line.operation : r.operation;
    QStringList inputs;
    if (r.inputs.empty()) {
        if (!run.document()) return;
        inputs << fileOf(run.document());
    }
    for (const QPointer<CQDDoc>& d : r.inputs) {
        if (!d) return;
        inputs << fileOf(d);
    }
    QStringList common = r.selection.isEmpty() ? QStringList() : QStringList{"--select", r.selection};
    common << r.display;
    auto optionsAt = [&](size_t i) {
        QStringList o = line.fixed;
        if (!r.options.empty()) o << r.options[std::min(i, r.options.size() - 1)];
        return o << common;
    };
    switch (line.kind) {
    case CliLine::Kind::NewImages:
        for (size_t i = 0; i < r.opened.size(); ++i)
            if (r.opened[i]) add(commandText(op, optionsAt(i), inputs, outputFor(r.opened[i]->document())));
        break;
    case CliLine::Kind::InPlace:
        if (run.document()) recordChange(run.document(), op, optionsAt(0));
        break;
    case CliLine::Kind::Report: add(commandText(op, optionsAt(0), inputs, {})); break;
    default: break;
    }
}

QString Recorder::script(const QDateTime& when) const {
    QString text = QStringLiteral("#!/bin/bash\n# Recorded by Quidora %1 on %2.\n# Each line runs qdcli as the "
                                  "program's command did; the script stops at the first line that fails.\nset -e\n\n")
                       .arg(kQuidoraVersion, when.toString(Qt::ISODate));
    for (const QString& line : lines_) text += line + '\n';
    return text;
}

bool Recorder::saveScript(const QString& path) const {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(script().toUtf8());
    if (!f.commit()) return false;
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeUser);
    return true;
}

} // namespace qd
