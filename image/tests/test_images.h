// Small helpers shared by the image tests.
#pragma once

#include <memory>
#include <vector>

#include <qd/image.h>

struct ImageDeleter {
    void operator()(QDImage* im) const { IMDestroy(im); }
};
using ImagePtr = std::unique_ptr<QDImage, ImageDeleter>;

inline ImagePtr makeImage(int32_t w, int32_t h, int32_t type) {
    return ImagePtr(IMCreateFromMatrix(MTCreate(w, h, type)));
}

// value (x + w * y) * step at every pixel
inline void fillRamp(IMHANDLE im, double step) {
    const int32_t w = IMGetImageWidth(im), h = IMGetImageHeight(im);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) IMSetReal(im, x, y, (x + w * y) * step);
}

inline std::vector<double> readValues(IMHANDLE im) {
    std::vector<double> v;
    for (int32_t y = 0; y < IMGetImageHeight(im); ++y)
        for (int32_t x = 0; x < IMGetImageWidth(im); ++x) v.push_back(IMReal(im, x, y));
    return v;
}

inline std::vector<int32_t> readLevels(IMHANDLE im) {
    std::vector<int32_t> v;
    for (int32_t y = 0; y < IMGetImageHeight(im); ++y)
        for (int32_t x = 0; x < IMGetImageWidth(im); ++x) v.push_back(IMBmpVal(im, x, y));
    return v;
}
