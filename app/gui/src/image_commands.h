#pragma once
// The table of commands that act on the active image window. Every build of
// the image menu (the idle repair's included) inserts them, and each is
// enabled only while an image window is active and its rule accepts that
// window's image.

#include "recorder/command_line.h"

#include <QString>
#include <functional>
#include <vector>

class CChildFrame;
class CQDView;

namespace qd {

struct ImageCommand {
    int menu;     // top-level menu position (MenuPosition)
    QString path; // sub-menu labels, then the item's text, separated by '|'
    std::function<bool(const CQDView&)> enabled; // empty: always
    // Runs the command; the line is what the recorder writes for the run.
    std::function<void(CChildFrame&, const CliLine&)> run;
    CliLine line;
    QString rule; // the enabling rule in words
};

const std::vector<ImageCommand>& imageCommands();

} // namespace qd
