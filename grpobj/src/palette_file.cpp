// The palette file: records of name (128 bytes), flag and colours, no header.
#include "palette_manager.h"

#include "record_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <unistd.h>
#include <vector>

namespace qd::grp {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string settingsDir() {
    if (const char* d = std::getenv("QD_SETTINGS_DIR"); d && *d) return d;
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x) return std::string(x) + "/quidora";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/quidora";
}

bool writeAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

// Writes to a temporary file beside path and renames it over path, so a full
// disk or a crash never leaves a half-written list.
bool replaceFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::error_code ec;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    const std::string tmp = path + ".tmp" + std::to_string(::getpid());
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes.data(), bytes.size());
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok && std::rename(tmp.c_str(), path.c_str()) == 0) return true;
    std::remove(tmp.c_str());
    return false;
}

} // namespace

std::string defaultPalettePath() { return settingsDir() + "/" PM_FILE_NAME; }

void readPaletteFile(QDPaletteManager& pm, const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return;
    uint8_t head[kPaletteHeadSize];
    uint8_t colours[256 * 4];
    // Stop at the first short read: a cut-off last record is dropped.
    while (std::fread(head, 1, sizeof head, file.get()) == sizeof head) {
        const int32_t flag = normalisedFlag(get32(head + 128));
        const size_t n = size_t(paletteColorCount(flag));
        if (std::fread(colours, 4, n, file.get()) != n) break;
        QDPALETTE* pal = newPalette(nullptr, flag);
        if (!pal) break;
        std::memcpy(pal->name, head, sizeof pal->name);
        pal->name[sizeof pal->name - 1] = '\0';
        for (size_t i = 0; i < n; ++i)
            pal->colors[i] = get32u(colours + 4 * i);
        if (pm.append(pal) == 0) {
            freePalette(pal);
            break;
        }
    }
}

bool writePaletteFile(const QDPaletteManager& pm, const std::string& path) {
    std::vector<uint8_t> bytes;
    for (int32_t i = PM_BUILTIN_COUNT; i < pm.getCount(); ++i) {
        const QDPALETTE* pal = pm.palette(i);
        const int32_t n = paletteColorCount(pal->colorFlag);
        const size_t at = bytes.size();
        bytes.resize(at + size_t(kPaletteHeadSize) + 4 * size_t(n));
        uint8_t* rec = bytes.data() + at;
        // Only the name itself: bytes after its NUL are not the user's data.
        std::memcpy(rec, pal->name, strnlen(pal->name, sizeof pal->name - 1));
        put32(rec + 128, pal->colorFlag);
        for (int32_t k = 0; k < n; ++k)
            put32(rec + kPaletteHeadSize + 4 * k, pal->colors[k]);
    }
    return replaceFile(path, bytes);
}

} // namespace qd::grp
