#include <qd/core/file_filter_entry.h>

#include <qd/core/document_files.h>

namespace qd {

CFileFilterEntry::CFileFilterEntry(std::string path, bool shipped) : path_(std::move(path)), shipped_(shipped) {
    if (!library_.load(path_)) return;
    extension_ = reinterpret_cast<TextFn>(library_.symbol({"GetExtName"}));
    description_ = reinterpret_cast<TextFn>(library_.symbol({"GetFileDes"}));
    open_ = reinterpret_cast<OpenFn>(library_.symbol({"FileOpen"}));
    save_ = reinterpret_cast<SaveFn>(library_.symbol({"FileSave"}));
    status_ = extension_ && description_ && (open_ || save_) ? Usable : NotAFilter;
}

std::string CFileFilterEntry::extensionName() const {
    const char* e = extension_ ? extension_() : nullptr;
    return e ? e : "";
}

std::string CFileFilterEntry::description() const {
    const char* d = description_ ? description_() : nullptr;
    return d ? d : "";
}

bool CFileFilterEntry::handles(const std::string& extension) const {
    const char* e = extension_ ? extension_() : nullptr;
    return e && lowerCase("." + std::string(e)) == lowerCase(extension);
}

IMHANDLE CFileFilterEntry::open(void* window, const std::string& path) const {
    return open_ ? open_(window, path.c_str()) : nullptr;
}

bool CFileFilterEntry::save(void* window, IMHANDLE image, const std::string& path) const {
    return save_ && save_(window, image, path.c_str()) == 1;
}

} // namespace qd
