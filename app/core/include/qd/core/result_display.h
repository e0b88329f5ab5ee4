#pragma once

// How a command sets the display of the image it makes from a result
// matrix; the program and the command-line tool share it, so a result looks
// the same in both.

#include <qd/image.h>

namespace qd {

enum class ResultDisplay {
    DefaultRange, // quick default range
    CopyRange,    // the source's colours, initial and final value
    RealLog,      // display type 16, default range
    ModulusLog,   // display type 17, default range
    SourceType,   // the source's display type, default range
    Own           // left as the result came
};

// Does not render; the caller renders once everything is set.
void applyResultDisplay(IMHANDLE image, ResultDisplay display, IMHANDLE source);

} // namespace qd
