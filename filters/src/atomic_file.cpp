#include "atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qd::filters {

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {
    static std::atomic<int> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = path_ + ".part-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
        // O_EXCL: never write through a name someone else made; 0666 lets
        // the umask decide, as for any new file.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            temporary_ = std::move(name);
            return;
        }
        if (errno != EEXIST) return;
    }
}

AtomicFile::~AtomicFile() {
    if (!temporary_.empty()) std::remove(temporary_.c_str());
}

bool AtomicFile::commit() {
    if (temporary_.empty()) return false;
    // The data reaches the disk before the name does, so a crash leaves the
    // old file or the new one; a replaced file keeps its permissions.
    const int fd = ::open(temporary_.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat old;
    if (::stat(path_.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    if (!synced || std::rename(temporary_.c_str(), path_.c_str()) != 0) return false;
    temporary_.clear();
    return true;
}

} // namespace qd::filters
