// Raw import with whatever the import dialog may be told: the first 17 bytes
// are width, height, type code and offset (little-endian) and the swap
// choice; the rest is the file.
#include <qd/core/document_files.h>

#include <cstring>

#include "fuzz_file.h"

namespace {
int32_t le32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return int32_t(v);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 17) return 0;
    qd::RawImportRequest request;
    request.header.Width = le32(data);
    request.header.Height = le32(data + 4);
    request.header.DataType = le32(data + 8);
    // Offsets beyond 2 GiB, and negative ones, in steps the file can reach.
    request.offset = int64_t(le32(data + 12)) * (data[16] & 0x80 ? 4096 : 1);
    request.swapBytes = (data[16] & 1) != 0;
    const std::string path = qdfuzz::spill(data + 17, size - 17, "input.raw");
    if (IMHANDLE im = qd::importRawFile(path, request, nullptr)) IMDestroy(im);
    return 0;
}
