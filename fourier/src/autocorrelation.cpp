#include <algorithm>

#include <qd/fourier.h>

#include "matrix_access.h"

extern "C" {

MTHANDLE AutoCorrelation2D(MTHANDLE in, MTHANDLE out) noexcept {
    MTHANDLE s = RealFt2D(in, out);
    if (!s) return nullptr;
    const int32_t w = MTGetWidth(s);
    const int32_t h = MTGetHeight(s);
    for (int32_t y = 0; y < h; ++y) {
        float* row = qd::fourier::complexRow(s, y);
        for (int32_t x = 0; x < w; ++x) {
            const double re = row[2 * x];
            const double im = row[2 * x + 1];
            row[2 * x] = static_cast<float>(re * re + im * im);
            row[2 * x + 1] = 0.0f;
        }
    }
    if (!IFt2D(s, s)) {
        if (s != out) MTDestroy(s);
        return nullptr;
    }
    // Zero lag from (0, 0) to the centre: rotate the rows down by h/2 and
    // every row right by w/2. Rows are contiguous, so the first rotation
    // is one over the whole block.
    float* data = static_cast<float*>(MTGetPointer(s));
    const int64_t rowFloats = 2 * static_cast<int64_t>(w);
    const int64_t total = rowFloats * h;
    std::rotate(data, data + rowFloats * (h - h / 2), data + total);
    for (int32_t y = 0; y < h; ++y) {
        float* row = data + rowFloats * y;
        std::rotate(row, row + 2 * (w - w / 2), row + rowFloats);
    }
    return s;
}

} // extern "C"
