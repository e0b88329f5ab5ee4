#include "fuzz_file.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace qdfuzz {

const std::string& privateDir() {
    static const struct Dir {
        std::string path;
        Dir() {
            std::string pattern = (std::filesystem::temp_directory_path() / "qd-fuzz-XXXXXX").string();
            if (::mkdtemp(pattern.data())) path = pattern;
            else std::abort(); // nowhere to put the input: nothing can be tested
            // Settings files the readers look for stay in here too.
            ::setenv("QD_SETTINGS_DIR", path.c_str(), 1);
        }
        ~Dir() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } dir;
    return dir.path;
}

std::string spill(const uint8_t* data, size_t size, const std::string& name) {
    const std::string path = privateDir() + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size != 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
    return path;
}

} // namespace qdfuzz
