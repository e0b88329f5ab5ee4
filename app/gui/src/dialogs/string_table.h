#pragma once
// The program's numbered strings: sheet captions and the dialogs' messages,
// looked up by the numbers the commands and dialogs name them by.

#include <QString>

namespace qd {

// The string of that number; empty for a number the table does not hold.
QString loadString(int id);

} // namespace qd
