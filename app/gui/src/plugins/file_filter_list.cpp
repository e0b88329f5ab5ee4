#include "file_filter_list.h"

#include <qd/core/extension_lists.h>
#include <qd/core/settings_dir.h>

namespace qd {

CFileFilterList::CFileFilterList(std::string file) : file_(std::move(file)) {}

CFileFilterList::~CFileFilterList() { write(); }

void CFileFilterList::load() {
    for (std::string& path : readFileFilterList(file_)) {
        auto entry = std::make_unique<CFileFilterEntry>(std::move(path));
        if (entry->isValid()) add(std::move(entry));
    }
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

bool CFileFilterList::write() const {
    std::vector<std::string> paths;
    for (const auto& f : entries_) paths.push_back(f->path());
    return ensureSettingsDir() && writeFileFilterList(file_, paths);
}

} // namespace qd
