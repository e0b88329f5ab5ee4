#include <new>

#include <qd/tiff.h>

#include "tiff_file.h"

using namespace qd::tiff;

namespace {

IMHANDLE openTiff(const char* path) {
    TiffLayout layout;
    MTHANDLE mt = nullptr;
    {
        InputFile file(path);
        if (!file.isOpen() || !readLayout(file, layout)) return nullptr;
        mt = readStrips(file, layout);
    }
    if (!mt) return nullptr;
    IMHANDLE im = IMCreateFromMatrix(mt);
    if (!im) {
        MTDestroy(mt);
        return nullptr;
    }
    if (layout.hasColorMap) IMSetBasicPalette(im, layout.palette);
    IMSetPalette(im, nullptr);
    IMSetInitialValue(im, 0.0);
    IMSetFinalValue(im, layout.bitDepth == 1 ? 2.0 : layout.bitDepth == 4 ? 16.0 : 256.0);
    IMPrepareBitmap(im);
    // TIFF row 0 is the top line; image row 0 is shown at the bottom.
    IMXMirror(im);
    return im;
}

} // namespace

IMHANDLE OpenTiff(const char* path) noexcept {
    try {
        return openTiff(path);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
