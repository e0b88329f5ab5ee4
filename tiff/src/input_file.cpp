#include "tiff_file.h"

namespace qd::tiff {

InputFile::InputFile(const char* path) {
    if (!path) return;
    file_ = std::fopen(path, "rb");
    if (!file_) return;
    if (std::fseek(file_, 0, SEEK_END) != 0 || (size_ = std::ftell(file_)) < 0) {
        std::fclose(file_);
        file_ = nullptr;
        size_ = 0;
    }
}

InputFile::~InputFile() {
    if (file_) std::fclose(file_);
}

bool InputFile::readAt(int64_t offset, void* out, int64_t count) {
    if (!file_ || !contains(offset, count)) return false;
    if (count == 0) return true;
    if (std::fseek(file_, long(offset), SEEK_SET) != 0) return false;
    return std::fread(out, 1, size_t(count), file_) == size_t(count);
}

} // namespace qd::tiff
