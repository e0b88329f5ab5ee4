// Daubechies filter pairs (smoothing and detail) for the supported lengths.
#pragma once

namespace qd::wavelet {

inline constexpr int kMaxFilterLength = 20;

struct FilterPair {
    int n = 0;
    double c[kMaxFilterLength] = {};  // smoothing
    double r[kMaxFilterLength] = {};  // detail, the quadrature mirror of c
};

// The pair for n = 4, 6, 12 or 20; null for any other length.
const FilterPair* daubechiesFilter(int n) noexcept;

}  // namespace qd::wavelet
