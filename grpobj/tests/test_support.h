#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace grptest {

// A fresh directory, removed with everything in it at the end of the scope.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// Points QD_SETTINGS_DIR at a fresh directory for the scope.
class SettingsScope {
  public:
    SettingsScope();
    ~SettingsScope();
    const TempDir& dir() const { return dir_; }

  private:
    TempDir dir_;
    std::string old_;
    bool hadOld_ = false;
};

std::vector<uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<std::string> listDir(const std::string& path);

void put32(std::vector<uint8_t>& out, uint32_t v);
uint32_t get32(const uint8_t* p);

// Fonts need a GUI application; the offscreen platform is enough.
void ensureGuiApp();

} // namespace grptest
