#pragma once

// qdcli plugin: runs a plug-in on image files with a headless host.

#include "options.h"

namespace qdcli {

// Exit code: 0 the plug-in returned, 1 it could not be loaded or run.
// Throws UsageError and FileError (an input that cannot be read, an output
// that cannot be written) like the other commands.
int pluginCommand(const Options& options);

} // namespace qdcli
