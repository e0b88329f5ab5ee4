#include "test_support.h"

#include <QGuiApplication>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace grptest {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "grpobj-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

SettingsScope::SettingsScope() {
    if (const char* old = std::getenv("QD_SETTINGS_DIR")) {
        old_ = old;
        hadOld_ = true;
    }
    setenv("QD_SETTINGS_DIR", dir_.path().c_str(), 1);
}

SettingsScope::~SettingsScope() {
    if (hadOld_)
        setenv("QD_SETTINGS_DIR", old_.c_str(), 1);
    else
        unsetenv("QD_SETTINGS_DIR");
}

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<std::string> listDir(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path))
        names.push_back(e.path().filename().string());
    return names;
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int k = 0; k < 4; ++k)
        out.push_back(uint8_t(v >> (8 * k)));
}

uint32_t get32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void ensureGuiApp() {
    if (QGuiApplication::instance()) return;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "grpobj_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

} // namespace grptest
