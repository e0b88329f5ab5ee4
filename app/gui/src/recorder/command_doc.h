#pragma once
// docs/commands.md: every menu command of the command table with its
// enabling rule, its dialog's parameters and its qdcli line.

#include <QString>

namespace qd {

QString commandsMarkdown();

} // namespace qd
