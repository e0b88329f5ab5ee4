// QDPlugIn.dat, read and written back as the plug-in menu does.
#include <qd/core/extension_lists.h>

#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = qdfuzz::spill(data, size, qd::kPlugInListFile);
    const std::vector<qd::PlugInRecord> records = qd::readPlugInList(path);
    if (!records.empty()) qd::writePlugInList(path, records);
    return 0;
}
