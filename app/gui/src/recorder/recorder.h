#pragma once
// The record of what the user did, as the qdcli lines that do the same: a
// log, a method section and a batch script at once.

#include "command_line.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>

class CQDDoc;

namespace qd {

class CommandRun;

class Recorder : public QObject {
    Q_OBJECT
  public:
    static Recorder& instance();

    bool recording() const { return recording_; }
    void setRecording(bool on) { recording_ = on; }
    const QStringList& lines() const { return lines_; }
    // Empties the record and forgets the files documents were written as.
    void clear();

    // The lines of a finished run of a command declared with line.
    void record(const CommandRun& run, const CliLine& line);
    // A change of the document in place that op with options makes: the
    // line writes the changed image under a new name.
    void recordChange(CQDDoc* doc, const QString& op, const QStringList& options);
    // A comment line for what has no qdcli equivalent.
    void comment(const QString& what);
    // A change of the document no line can make (a brush stroke, a cut, an
    // undo): the comment, and later lines no longer read its old file but
    // ask for the window to be saved, rather than compute from stale data.
    void changedWithoutLine(CQDDoc* doc, const QString& what);
    // The script: header with date and version, stop at the first failing line.
    QString script(const QDateTime& when = QDateTime::currentDateTime()) const;
    bool saveScript(const QString& path) const;

    // The file a document is read from in the script.
    QString fileOf(CQDDoc* doc);
    // A fresh file named after the document's window, which it then goes by.
    QString outputFor(CQDDoc* doc);
    // A line as it stands, while recording.
    void add(const QString& line);

  signals:
    void changed();

  private:
    // A name not used yet: base.qdw, base_2.qdw, ...
    QString freshName(const QString& base);
    void remember(CQDDoc* doc, const QString& file);

    bool recording_ = true;
    QStringList lines_;
    QHash<const CQDDoc*, QString> files_;
    QSet<const CQDDoc*> stale_; // its file no longer holds what it shows
    QSet<QString> used_;
};

// "word" as it stands, anything else in single quotes.
QString shellQuoted(const QString& word);
// "qdcli op options inputs -o output", each word quoted as needed.
QString commandText(const QString& op, const QStringList& options, const QStringList& inputs,
                    const QString& output);

} // namespace qd
