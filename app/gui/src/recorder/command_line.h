#pragma once
// How a menu command is written as a qdcli line: declared beside each
// command in the command table, so that a command without one shows.

#include <QString>
#include <QStringList>

namespace qd {

struct CliLine {
    enum class Kind {
        Missing,   // nothing declared
        NewImages, // one line per window the run opened, -o named after it
        InPlace,   // a line that writes the changed image under a new name
        Report,    // a line that prints what the result window was given
        Comment    // no equivalent: a comment saying what was done
    };
    Kind kind = Kind::Missing;
    // The qdcli operation, or for a comment what was done. A command that
    // picks the operation as it runs names the choices, "RealFt2D|Ft2D".
    QString operation;
    // Arguments the command always passes, before what its dialog chose.
    QStringList fixed;
    // What the dialog adds, as the qdcli usage shows it.
    QString parameters;
    // The images the line reads, when not the active one.
    QString inputs = "IN";
};

inline CliLine newImages(const char* op, const char* parameters = "", QStringList fixed = {}) {
    return {CliLine::Kind::NewImages, op, std::move(fixed), parameters};
}
inline CliLine inPlaceLine(const char* op, const char* parameters = "") {
    return {CliLine::Kind::InPlace, op, {}, parameters};
}
inline CliLine reportLine(const char* op) { return {CliLine::Kind::Report, op, {}, {}}; }
inline CliLine commentLine(const char* what) { return {CliLine::Kind::Comment, what, {}, {}}; }

// The dialog parameters shared by several commands, as qdcli names them.
inline constexpr const char* kKernelParameters = "--kernel NAME [--weights ROWS --divisor D]";
// A structuring element with the display of the result, from the sheets
// that have a display page.
inline constexpr const char* kMorphologyParameters =
    "--kernel NAME [--weights ROWS] --display-type CODE [--range FROM,TO]";

} // namespace qd
