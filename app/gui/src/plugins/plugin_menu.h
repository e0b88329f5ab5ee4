#pragma once
// Where a plug-in's item goes in the image menu: its menu position names the
// pop-ups from the menu bar down ("Top menu|&Process|Filter|").

#include <QString>

class QAction;
class QMenuBar;

namespace qd {

inline constexpr int kFirstPlugInCommand = 35100;
inline constexpr int kLastPlugInCommand = 35612;

// Appends item to the deepest pop-up the position's labels lead to (the
// first label, the tree root, is skipped; labels compare exactly, '&'
// included) and returns the position as far as it holds: the labels up to
// and including the first one not found, each followed by '|'.
QString placeInMenu(QMenuBar* bar, const QString& position, QAction* item);

} // namespace qd
