#pragma once
// One loaded file-filter library: a file format that Open and Save As offer.

#include <string>

#include <qd/core/shared_library.h>
#include <qd/image.h>

namespace qd {

class CFileFilterEntry {
  public:
    enum Status { Usable = 0, NotLoadable = 1, NotAFilter = 2 };

    // A shipped filter comes with the program: it is neither written to the
    // list file nor offered for uninstalling.
    explicit CFileFilterEntry(std::string path, bool shipped = false);

    bool isValid() const { return status_ == Usable; }
    Status status() const { return status_; }
    const std::string& path() const { return path_; }
    bool shipped() const { return shipped_; }
    // Without its dot, as the filter gives it ("tif").
    std::string extensionName() const;
    std::string description() const;
    bool canOpen() const { return open_ != nullptr; }
    bool canSave() const { return save_ != nullptr; }
    // Whether a path's extension (".TIF", as written) is this filter's.
    bool handles(const std::string& extension) const;

    // Null, and nothing called, when the filter cannot open.
    IMHANDLE open(void* window, const std::string& path) const;
    // False, and nothing called, when it cannot save.
    bool save(void* window, IMHANDLE image, const std::string& path) const;

  private:
    using TextFn = const char* (*)();
    using OpenFn = IMHANDLE (*)(void*, const char*);
    using SaveFn = int (*)(void*, IMHANDLE, const char*);

    std::string path_;
    bool shipped_ = false;
    SharedLibrary library_;
    Status status_ = NotLoadable;
    TextFn extension_ = nullptr;
    TextFn description_ = nullptr;
    OpenFn open_ = nullptr;
    SaveFn save_ = nullptr;
};

} // namespace qd
