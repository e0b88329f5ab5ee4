#pragma once

#include <string>

namespace qd {

// Directory of the settings files (*.dat, QD.ini): $QD_SETTINGS_DIR, else
// $XDG_CONFIG_HOME/quidora, else $HOME/.config/quidora. Not created here.
std::string settingsDir();

// Full path of a settings file inside settingsDir().
std::string settingsFile(const std::string& name);

// Creates settingsDir() (and its parents) when missing; false on failure.
bool ensureSettingsDir();

} // namespace qd
