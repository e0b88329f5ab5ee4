// The TIFF reader of the image libraries.
#include <qd/tiff.h>

#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (IMHANDLE im = OpenTiff(qdfuzz::spill(data, size, "input.tif").c_str())) IMDestroy(im);
    return 0;
}
