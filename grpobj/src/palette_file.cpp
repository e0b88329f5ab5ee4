// The palette file: records of name (128 bytes), flag and colours, no header.
#include "palette_manager.h"

#include "record_bytes.h"

#include <qd/core/atomic_file.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
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

// Through a temporary file beside path, flushed and renamed over it with
// the old file's permissions, so a full disk or a crash never leaves a
// half-written list.
bool replaceFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::error_code ec;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    return writeFileAtomically(path, bytes.data(), bytes.size());
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
