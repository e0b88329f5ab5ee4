#include "filter_image.h"

#include <sys/stat.h>

namespace qd::filters {

int64_t fileSize(const char* path) {
    struct stat st;
    if (stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return int64_t(st.st_size);
}

bool plausibleSize(int64_t width, int64_t height, int32_t type, int64_t decodedBytes,
                   int64_t fileBytes, int64_t maxRatio) {
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return false;
    const int64_t rowBytes = MTGetRowBytes(type, width);
    if (rowBytes <= 0 || rowBytes > kMaxImageBytes / height) return false;
    return decodedBytes >= 0 && fileBytes > 0 && decodedBytes / maxRatio <= fileBytes;
}

double levelsRange(int32_t type) {
    return type == MT_BINARY ? 2.0 : type == MT_4BITS ? 16.0 : 256.0;
}

void invertedGrey(Look& look, int colours) {
    look.hasPalette = true;
    for (int i = 0; i < colours; ++i) {
        const uint32_t v = uint32_t(255 - i * 255 / (colours - 1));
        look.palette[i] = v << 16 | v << 8 | v;
    }
}

IMHANDLE finishImage(MatrixPtr matrix, const Look& look) {
    IMHANDLE im = IMCreateFromMatrix(matrix.get());
    if (!im) return nullptr;
    matrix.release();
    if (look.hasPalette) IMSetBasicPalette(im, look.palette);
    IMSetPalette(im, nullptr);
    if (look.finalValue > 0 || IMIsRgb(im)) {
        IMSetInitialValue(im, 0.0);
        IMSetFinalValue(im, look.finalValue > 0 ? look.finalValue : 256.0);
    } else {
        IMDefaultRange(im, 0);
    }
    IMPrepareBitmap(im);
    return im;
}

} // namespace qd::filters
