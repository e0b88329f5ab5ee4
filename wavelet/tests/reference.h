// Straightforward transcription of the transform rules, for comparison.
#pragma once

#include <qd/memobj.h>

#include <vector>

namespace wavelet_test {

std::vector<double> smoothing(int n);  // empty when there is no filter of length n
std::vector<double> pyramid1D(std::vector<double> a, int n, bool inverse);
// Rows of in (read with MTReal), then columns, rounded to float in between.
std::vector<float> transform2D(MTHANDLE in, int n, bool inverse);
// The window of m as floats, row by row.
std::vector<float> readFloats(MTHANDLE m);

}  // namespace wavelet_test
