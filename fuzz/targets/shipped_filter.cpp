// A shipped file filter's FileOpen; the format is chosen when building
// (QD_FUZZ_FORMAT: tiff, png or jpeg).
#include "formats.h"

#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (IMHANDLE im = qd::filters::QD_FUZZ_FORMAT::open(qdfuzz::spill(data, size, "input").c_str())) IMDestroy(im);
    return 0;
}
