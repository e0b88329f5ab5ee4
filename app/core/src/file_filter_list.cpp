#include <qd/core/file_filter_list.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <qd/core/extension_lists.h>
#include <qd/core/settings_dir.h>

namespace qd {

CFileFilterList::CFileFilterList(std::string file) : file_(std::move(file)) {}

void CFileFilterList::load() {
    for (std::string& path : readFileFilterList(file_)) {
        auto entry = std::make_unique<CFileFilterEntry>(std::move(path));
        if (entry->isValid()) add(std::move(entry));
    }
}

void CFileFilterList::loadShipped(const std::string& folder) {
    std::vector<std::string> paths;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".so" && it->is_regular_file(ec)) paths.push_back(it->path().string());
    std::sort(paths.begin(), paths.end());
    for (std::string& path : paths) {
        auto entry = std::make_unique<CFileFilterEntry>(std::move(path), true);
        if (entry->isValid()) entries_.push_back(std::move(entry));
    }
}

void CFileFilterList::add(std::unique_ptr<CFileFilterEntry> entry) {
    entries_.insert(entries_.begin() + installedCount(), std::move(entry));
}

int CFileFilterList::installedCount() const {
    return int(std::count_if(entries_.begin(), entries_.end(), [](const auto& f) { return !f->shipped(); }));
}

IMHANDLE CFileFilterList::open(void* window, const std::string& path, const std::string& extension) const {
    for (const auto& f : entries_)
        if (f->canOpen() && f->handles(extension))
            if (IMHANDLE im = f->open(window, path)) return im;
    return nullptr;
}

bool CFileFilterList::save(void* window, IMHANDLE image, const std::string& path,
                           const std::string& extension) const {
    for (const auto& f : entries_)
        if (f->canSave() && f->handles(extension)) return f->save(window, image, path);
    return false;
}

bool CFileFilterList::canSave(const std::string& extension) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const auto& f) { return f->canSave() && f->handles(extension); });
}

bool CFileFilterList::write() const {
    std::vector<std::string> paths;
    for (const auto& f : entries_)
        if (!f->shipped()) paths.push_back(f->path());
    return ensureSettingsDir() && writeFileFilterList(file_, paths);
}

std::string shippedFilterFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return (exe.parent_path().parent_path() / "filters").string();
}

} // namespace qd
