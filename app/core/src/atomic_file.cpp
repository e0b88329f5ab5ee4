#include <qd/core/atomic_file.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <signal.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qd {
namespace {

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The extension of the file name with its dot, or nothing.
std::string extensionOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == slash + 1)
        return {};
    return path.substr(dot);
}

// Replacing a link would turn it into a plain file; the file behind it is
// what the user means.
std::string resolvedTarget(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return path;
    std::string target(real);
    std::free(real);
    return target;
}

// Temporary files of saves that were killed before they could clean up:
// those of this target whose process is gone.
void removeStaleTemporaries(const std::string& folder, const std::string& prefix, const std::string& ext) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() <= prefix.size() + ext.size() || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - ext.size(), ext.size(), ext) != 0)
            continue;
        char* end = nullptr;
        const long pid = std::strtol(name.c_str() + prefix.size(), &end, 10);
        if (pid <= 0 || pid > INT_MAX || *end != '-' || pid == ::getpid()) continue;
        if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH) ::unlink((folder + "/" + name).c_str());
    }
    ::closedir(dir);
}

} // namespace

AtomicFile::AtomicFile(const std::string& path) : target_(resolvedTarget(path)) {
    static std::atomic<int> counter{0};
    const std::string ext = extensionOf(target_);
    const std::string stem = target_.substr(0, target_.size() - ext.size());
    const std::string folder = folderOf(target_);
    removeStaleTemporaries(folder, stem.substr(stem.find_last_of('/') + 1) + ".part-", ext);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name =
            stem + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ext;
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
    // old file or the new one.
    const int fd = ::open(temporary_.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    // A replaced file keeps its permissions (where the file system has any).
    struct stat old;
    if (::stat(target_.c_str(), &old) == 0) (void)::fchmod(fd, old.st_mode & 07777);
    bool ok = ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || std::rename(temporary_.c_str(), target_.c_str()) != 0) return false;
    temporary_.clear();
    // The rename itself is durable once the folder is.
    const int dir = ::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool writeFileAtomically(const std::string& path, const void* data, size_t size) {
    AtomicFile file(path);
    if (!file.isOpen()) return false;
    std::FILE* f = std::fopen(file.temporary().c_str(), "wb");
    if (!f) return false;
    bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    ok = std::fclose(f) == 0 && ok;
    return ok && file.commit();
}

bool replaceFileWith(const std::string& path, const std::function<bool(const std::string& temporary)>& write) {
    AtomicFile file(path);
    return file.isOpen() && write(file.temporary()) && file.commit();
}

} // namespace qd
