#pragma once
// The file filters: those the user installed, from the filter list file, and
// after them those shipped beside the program. Open and Save ask them in
// that order; only the installed ones are written back.

#include <memory>
#include <string>
#include <vector>

#include <qd/core/file_filter_entry.h>

namespace qd {

class CFileFilterList {
  public:
    explicit CFileFilterList(std::string file);

    // Keeps every filter of the list file that is usable.
    void load();
    // Adds every usable library (*.so) of the folder, in name order, as
    // shipped filters; a missing folder adds nothing.
    void loadShipped(const std::string& folder);
    // An installed filter goes before the shipped ones.
    void add(std::unique_ptr<CFileFilterEntry> entry);
    void remove(int index) { entries_.erase(entries_.begin() + index); }
    int count() const { return int(entries_.size()); }
    int installedCount() const;
    const CFileFilterEntry& at(int index) const { return *entries_[size_t(index)]; }

    // The first image a filter of the extension opens, or null.
    IMHANDLE open(void* window, const std::string& path, const std::string& extension) const;
    // The first filter of the extension that can save decides.
    bool save(void* window, IMHANDLE image, const std::string& path, const std::string& extension) const;
    // Whether some filter saves files of the extension (".png").
    bool canSave(const std::string& extension) const;
    // Rewrites the list file with the installed filters.
    bool write() const;

  private:
    std::string file_;
    std::vector<std::unique_ptr<CFileFilterEntry>> entries_;
};

// Where the program's own filters lie: filters/ beside the folder of the
// running executable (build/bin/QD finds build/filters).
std::string shippedFilterFolder();

} // namespace qd
