// QDFileFilter.dat, read and written back. The libraries it names are not
// loaded: the list is what is under test.
#include <qd/core/extension_lists.h>

#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = qdfuzz::spill(data, size, qd::kFileFilterListFile);
    const std::vector<std::string> paths = qd::readFileFilterList(path);
    if (!paths.empty()) qd::writeFileFilterList(path, paths);
    return 0;
}
