#include "command_doc.h"

#include "commands.h"
#include "image_commands.h"

namespace qd {
namespace {

const char* menuName(int menu) {
    switch (menu) {
    case MenuImage: return "Image";
    case MenuProcess: return "Process";
    case MenuColorProcess: return "Color-Process";
    case MenuAnalysis: return "Analysis";
    default: return "Other";
    }
}

// A code span that keeps the table's cells apart.
QString code(QString text) { return text.isEmpty() ? QString() : '`' + text.replace('|', "\\|") + '`'; }

QString lineOf(const CliLine& line) {
    switch (line.kind) {
    case CliLine::Kind::Missing: return "none declared";
    case CliLine::Kind::Comment: return "a comment line";
    default: break;
    }
    QStringList words{"qdcli", line.operation};
    words << line.fixed;
    if (!line.parameters.isEmpty()) words << line.parameters;
    words << line.inputs;
    if (line.kind != CliLine::Kind::Report) words << "-o OUT";
    return code(words.join(' '));
}

} // namespace

QString commandsMarkdown() {
    QString text =
        "# Menu commands\n\n"
        "Made from the program's command table by the `commands_doc` build target; edit the table, not this "
        "file.\n\n"
        "Each command acts on the active image window while its rule holds. The recorder (View > Recorder) "
        "writes each run as the qdcli line shown, with the dialog's values, `--select L,T,R,B` when the command "
        "read only the selection, and the document's file as `IN`; `OUT` is named after the new window. "
        "Changes in place write the changed image under a new name. Zooming and brush strokes have no qdcli "
        "equivalent and are recorded as comment lines; a plug-in's run is a `qdcli plugin` line. "
        "`qdcli OP --help` explains each option. Where the operation is given as `A|B`, the command picks "
        "one as it runs (by the image's type, or the dialog's filter form).\n\n"
        "| Menu | Command | Enabled for | Dialog parameters | qdcli line |\n"
        "|---|---|---|---|---|\n";
    for (const ImageCommand& c : imageCommands()) {
        QString path = c.path;
        // A dialog that picks images gives the line its inputs.
        const QString parameters = c.line.inputs == "IN" ? c.line.parameters : c.line.inputs;
        text += QStringLiteral("| %1 | %2 | %3 | %4 | %5 |\n")
                    .arg(menuName(c.menu), path.replace('|', " > "), c.rule, code(parameters), lineOf(c.line));
    }
    return text;
}

} // namespace qd
