// Checked file access shared by the document readers and writers: every read
// is tested against the bytes the file really has before anything is
// allocated for it, and a write counts only once the file has been closed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include <qd/types.h>

namespace qd::detail {

// Largest data block a file may make us allocate; a larger size is taken for
// a damaged header.
inline constexpr int64_t kMaxBlockBytes = int64_t(16) << 30;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

class InputFile {
public:
    explicit InputFile(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {
        if (!file_ || std::fseek(file_.get(), 0, SEEK_END) != 0 ||
            (size_ = std::ftell(file_.get())) < 0) {
            file_.reset();
            size_ = 0;
        }
    }
    bool isOpen() const { return file_ != nullptr; }
    int64_t size() const { return size_; }
    bool contains(int64_t offset, int64_t count) const {
        return offset >= 0 && count >= 0 && offset <= size_ && count <= size_ - offset;
    }
    // Reads count bytes at offset; false when any of them lies outside the
    // file or the read comes up short.
    bool readAt(int64_t offset, void* out, int64_t count) {
        if (!file_ || !contains(offset, count)) return false;
        if (count == 0) return true;
        if (std::fseek(file_.get(), long(offset), SEEK_SET) != 0) return false;
        return std::fread(out, 1, size_t(count), file_.get()) == size_t(count);
    }

private:
    FilePtr file_;
    int64_t size_ = 0;
};

class OutputFile {
public:
    explicit OutputFile(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {}
    bool isOpen() const { return file_ != nullptr; }
    bool write(const void* data, int64_t count) {
        ok_ = ok_ && file_ && (count == 0 || std::fwrite(data, 1, size_t(count), file_.get()) ==
                                                 size_t(count));
        return ok_;
    }
    // True when every write went through and the buffered rest reached the
    // file.
    bool close() {
        if (!file_) return false;
        return std::fclose(file_.release()) == 0 && ok_;
    }

private:
    FilePtr file_;
    bool ok_ = true;
};


inline uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace qd::detail
