// The native format (.qdw): a new image from the file, and a file read into
// an image that already exists.
#include <qd/image.h>

#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = qdfuzz::spill(data, size, "input.qdw");
    if (IMHANDLE im = IMCreateFromFile(path.c_str())) {
        IMPrepareBitmap(im);
        IMDestroy(im);
    }
    if (IMHANDLE im = IMCreateFromMatrix(MTCreate(5, 3, MT_UCHAR))) {
        if (IMReadFile(im, path.c_str())) IMPrepareBitmap(im);
        IMDestroy(im);
    }
    return 0;
}
