#include "qd/core/settings_dir.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

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

bool writeFileAtomically(const std::string& path, const void* data, size_t size) {
    const std::string tmp = path + ".tmp" + std::to_string(::getpid());
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) return false;
    bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    ok = (std::fflush(f) == 0) && ok;
    ok = (::fsync(::fileno(f)) == 0) && ok;
    ok = (std::fclose(f) == 0) && ok;
    if (ok && std::rename(tmp.c_str(), path.c_str()) == 0) return true;
    std::remove(tmp.c_str());
    return false;
}

} // namespace qd
