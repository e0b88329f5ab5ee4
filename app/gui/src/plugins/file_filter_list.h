#pragma once
// The installed file filters: loaded from the filter list file at start-up,
// asked in list order by Open and Save, written back at exit.

#include "file_filter_entry.h"

#include <memory>
#include <vector>

namespace qd {

class CFileFilterList {
  public:
    explicit CFileFilterList(std::string file);
    ~CFileFilterList(); // writes the list file

    // Keeps every filter of the file that is usable.
    void load();
    void add(std::unique_ptr<CFileFilterEntry> entry) { entries_.push_back(std::move(entry)); }
    void remove(int index) { entries_.erase(entries_.begin() + index); }
    int count() const { return int(entries_.size()); }
    const CFileFilterEntry& at(int index) const { return *entries_[size_t(index)]; }

    // The first image a filter of the extension opens, or null.
    IMHANDLE open(void* window, const std::string& path, const std::string& extension) const;
    // The first filter of the extension that can save decides.
    bool save(void* window, IMHANDLE image, const std::string& path, const std::string& extension) const;
    bool write() const;

  private:
    std::string file_;
    std::vector<std::unique_ptr<CFileFilterEntry>> entries_;
};

} // namespace qd
