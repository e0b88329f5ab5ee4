// The bitmap reader, by content, as File > Open tries it first.
#include <qd/core/bitmap_file.h>

#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (IMHANDLE im = qd::readBitmapFile(qdfuzz::spill(data, size, "input.bmp"))) IMDestroy(im);
    return 0;
}
