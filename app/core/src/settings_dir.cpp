#include "qd/core/settings_dir.h"

#include <cstdlib>
#include <filesystem>

namespace qd {

std::string settingsDir() {
    if (const char* d = std::getenv("QD_SETTINGS_DIR"); d && *d) return d;
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
        return std::string(x) + "/quidora";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/quidora";
}

std::string settingsFile(const std::string& name) { return settingsDir() + "/" + name; }

bool ensureSettingsDir() {
    std::error_code ec;
    std::filesystem::create_directories(settingsDir(), ec);
    return std::filesystem::is_directory(settingsDir(), ec);
}

} // namespace qd
