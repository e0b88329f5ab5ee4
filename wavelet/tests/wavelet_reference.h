// Straightforward transcription of the transform rules, for comparison.
#pragma once

#include <qd/memobj.h>

#include <vector>

namespace wavelet_test {

// Smoothing coefficients of the Daubechies filter of length n (empty if none).
std::vector<double> smoothing(int n);
// Detail coefficients built from the smoothing ones: r[n-1-k] = (-1)^(k+1) c[k].
std::vector<double> detail(int n);

// Full pyramid on one periodic vector, forward or inverse.
std::vector<double> pyramid1D(std::vector<double> a, int n, bool inverse);

// Rows of in (read with MTReal), then columns, rounded to float in between.
std::vector<float> transform2D(MTHANDLE in, int n, bool inverse);

// The window of m as floats, row by row.
std::vector<float> readFloats(MTHANDLE m);

// A new matrix of the given size and type holding f(x, y).
template <typename F>
MTHANDLE makeMatrix(int w, int h, int type, F f) {
    MTHANDLE m = MTCreate(w, h, type);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) MTSetReal(m, x, y, f(x, y));
    return m;
}

}  // namespace wavelet_test
