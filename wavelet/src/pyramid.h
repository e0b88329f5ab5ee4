// One-dimensional periodic pyramid transform on interleaved lines.
#pragma once

#include "daubechies_filters.h"

namespace qd::wavelet {

// Lines are processed this many at a time, interleaved element by element, so
// that the inner loops run over independent lines and vectorise; every line
// still sees exactly the arithmetic of the one-line rule.
inline constexpr int kLanes = 8;

enum class Direction { Forward, Inverse };

// Transforms `lanes` (1 or kLanes) interleaved lines of length len in place:
// element i of line b is lines[i * lanes + b]. work holds len * lanes doubles.
// len must be a power of two; lines shorter than 4 are left as they are.
void runPyramid(const FilterPair& filter, Direction dir, double* lines, double* work, int len,
                int lanes) noexcept;

}  // namespace qd::wavelet
