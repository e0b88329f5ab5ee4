// NumPy files: the signature test, then the image as the program opens it.
#include <qd/core/npy_file.h>

#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = qdfuzz::spill(data, size, "input.npy");
    if (qd::isNpyFile(path))
        if (IMHANDLE im = qd::readNpyImage(path, nullptr)) IMDestroy(im);
    return 0;
}
