#pragma once
// A plug-in's run as a qdcli plugin line: the open windows as its images,
// the active one, the answers given to its dialogs, and the windows it made
// or changed written under their windows' names.

#include <QPointer>
#include <QString>
#include <QStringList>
#include <vector>

class CQDView;

namespace qd {

class PlugInLine {
  public:
    // Notes the open windows and the active one before the plug-in runs.
    explicit PlugInLine(QString library);
    ~PlugInLine();
    PlugInLine(const PlugInLine&) = delete;
    PlugInLine& operator=(const PlugInLine&) = delete;

    // Records the line, with the windows the plug-in changed.
    void finish(const std::vector<CQDView*>& changed);

    // What the user answered the running plug-in's dialogs.
    static void noteAnswer(const QString& text);
    static void notePick(CQDView* view);

  private:
    QString library_;
    std::vector<QPointer<CQDView>> before_;
    int active_ = -1;
    QStringList answers_;
    PlugInLine* outer_;
};

} // namespace qd
