#pragma once

// The two settings files that list installed extensions: QDPlugIn.dat, a
// plain sequence of 520-byte records (library path, then menu position, each
// a NUL-terminated text in a 260-byte field), and QDFileFilter.dat, a plain
// sequence of 260-byte library paths. Neither has a header or a count.

#include <string>
#include <vector>

namespace qd {

inline constexpr const char* kPlugInListFile = "QDPlugIn.dat";
inline constexpr const char* kFileFilterListFile = "QDFileFilter.dat";
// Bytes of each text field; a text holds at most one less.
inline constexpr size_t kListFieldSize = 260;

struct PlugInRecord {
    std::string path;
    std::string menuPosition; // pop-up labels from the menu bar down, each followed by '|'
};

// Reading stops at the first record that cannot be read whole; a missing file
// is an empty list. A record whose path has no terminator inside its field is
// dropped rather than read past; a menu position without one keeps all 260
// bytes, as the record's block in memory ends it.
std::vector<PlugInRecord> readPlugInList(const std::string& file);
std::vector<std::string> readFileFilterList(const std::string& file);

// Recreates the file with every record in order, through a temporary file
// renamed into place. Texts longer than a field holds are cut to fit.
bool writePlugInList(const std::string& file, const std::vector<PlugInRecord>& records);
bool writeFileFilterList(const std::string& file, const std::vector<std::string>& paths);

} // namespace qd
