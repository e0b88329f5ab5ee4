// A file written under a temporary name beside its path and renamed over it
// only when complete, so that a failed save leaves nothing at the path.
#pragma once

#include <string>

namespace qd::filters {

class AtomicFile {
  public:
    // Creates an empty temporary file in the path's folder.
    explicit AtomicFile(std::string path);
    // Removes the temporary file unless it was committed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool isOpen() const { return !temporary_.empty(); }
    // Where the writer writes.
    const std::string& temporary() const { return temporary_; }
    // Renames the temporary file over the path.
    bool commit();

  private:
    std::string path_;
    std::string temporary_;
};

} // namespace qd::filters
