#include <qd/core/extension_lists.h>
#include <qd/core/atomic_file.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace qd {
namespace {

std::vector<char> readAll(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The text of a field, or nothing when no terminator lies inside it.
bool fieldText(const char* field, std::string& text) {
    const void* end = std::memchr(field, 0, kListFieldSize);
    if (!end) return false;
    text.assign(field, static_cast<const char*>(end));
    return true;
}

void appendField(std::vector<char>& out, const std::string& text) {
    const size_t n = std::min(text.size(), kListFieldSize - 1);
    out.insert(out.end(), text.begin(), text.begin() + long(n));
    out.insert(out.end(), kListFieldSize - n, '\0');
}

} // namespace

std::vector<PlugInRecord> readPlugInList(const std::string& file) {
    const std::vector<char> bytes = readAll(file);
    std::vector<PlugInRecord> records;
    for (size_t at = 0; at + 2 * kListFieldSize <= bytes.size(); at += 2 * kListFieldSize) {
        PlugInRecord r;
        if (!fieldText(bytes.data() + at, r.path)) continue;
        const char* position = bytes.data() + at + kListFieldSize;
        r.menuPosition.assign(position, strnlen(position, kListFieldSize));
        records.push_back(std::move(r));
    }
    return records;
}

std::vector<std::string> readFileFilterList(const std::string& file) {
    const std::vector<char> bytes = readAll(file);
    std::vector<std::string> paths;
    for (size_t at = 0; at + kListFieldSize <= bytes.size(); at += kListFieldSize) {
        std::string path;
        if (fieldText(bytes.data() + at, path)) paths.push_back(std::move(path));
    }
    return paths;
}

bool writePlugInList(const std::string& file, const std::vector<PlugInRecord>& records) {
    std::vector<char> out;
    for (const PlugInRecord& r : records) {
        appendField(out, r.path);
        appendField(out, r.menuPosition);
    }
    return writeFileAtomically(file, out.data(), out.size());
}

bool writeFileFilterList(const std::string& file, const std::vector<std::string>& paths) {
    std::vector<char> out;
    for (const std::string& p : paths) appendField(out, p);
    return writeFileAtomically(file, out.data(), out.size());
}

} // namespace qd
