// Process-wide twiddle tables, each kept for one length at a time.
#pragma once

#include <cstdint>
#include <vector>

namespace qd::fourier {

// Roots of unity for the direct transform of an odd length n:
// w[k] = exp(-2*pi*i*k/n).
struct DirectRoots {
    int n = 0;
    std::vector<double> re, im;
};

// Half-angle table t[k] = exp(-pi*i*k/n), k = 0..2n, and for power-of-two
// lengths the bit-reversal permutation.
struct HalfAngleTable {
    int n = 0;
    std::vector<double> re, im;
    std::vector<int32_t> rev;
};

// Each returns the cache rebuilt for n when it held another length, or null
// when memory is short. Call at the start of every one-dimensional transform
// and never keep the pointer across ProcessMessage: a transform of another
// length may run in between and rebuild the cache.
const DirectRoots* directRoots(int n) noexcept;
const HalfAngleTable* radix2Table(int n) noexcept;
const HalfAngleTable* mixedRadixTable(int n) noexcept;

} // namespace qd::fourier
