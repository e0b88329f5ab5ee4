#pragma once

// Replacing a file so that a crash, a full disk or a failed writer leaves the
// old file exactly as it was: the new contents go to a temporary file beside
// it, reach the disk, and only then take the file's name.

#include <cstddef>
#include <functional>
#include <string>

namespace qd {

class AtomicFile {
public:
    // Creates an empty temporary file in the path's folder. Its name ends in
    // the path's extension, for writers that look at it. A path that is a
    // symbolic link replaces the file the link points to, not the link.
    explicit AtomicFile(const std::string& path);
    // Removes the temporary file unless it was committed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool isOpen() const { return !temporary_.empty(); }
    // Where the writer writes (it may truncate or reopen it).
    const std::string& temporary() const { return temporary_; }
    // The file that commit replaces.
    const std::string& target() const { return target_; }
    // Flushes the temporary file to disk, gives it the old file's
    // permissions and renames it over the path; false (and nothing renamed)
    // when any step fails.
    bool commit();

private:
    std::string target_;
    std::string temporary_;
};

// Writes bytes to path through an AtomicFile.
bool writeFileAtomically(const std::string& path, const void* data, size_t size);

// Runs a writer that takes a path on the temporary file of an AtomicFile and
// commits it when the writer succeeds.
bool replaceFileWith(const std::string& path, const std::function<bool(const std::string& temporary)>& write);

} // namespace qd
