// Independent references for the tests: plain O(N^2) transforms in long
// double with explicit centring, and helpers to move values in and out of
// matrices.
#pragma once

#include <complex>
#include <cstdint>
#include <random>
#include <vector>

#include <qd/memobj.h>

using cld = std::complex<long double>;

// Values of a w x h grid, element (x, y) at y * w + x.
struct Grid {
    int w = 0, h = 0;
    std::vector<cld> v;
    cld& at(int x, int y) { return v[static_cast<size_t>(y) * w + x]; }
    const cld& at(int x, int y) const { return v[static_cast<size_t>(y) * w + x]; }
};

Grid randomGrid(int w, int h, bool complexValues, uint32_t seed);
Grid realPart(const Grid& g);

// Forward: spectrum with frequency (k - n/2) mod n at element k, unscaled.
// Inverse: of such a spectrum, scaled by 1/n per axis.
std::vector<cld> referenceDft(const std::vector<cld>& x, bool inverse);
Grid referenceDft2D(const Grid& g, bool inverse);

MTHANDLE makeMatrix(const Grid& g, int32_t type);
Grid readMatrix(MTHANDLE m);

// Largest modulus of a - b, and of g.
long double maxError(const Grid& a, const Grid& b);
long double maxModulus(const Grid& g);
