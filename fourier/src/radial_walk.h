// Walking a centred spectrum by normalised frequency radius.
#pragma once

#include <cmath>
#include <memory>
#include <new>

#include <qd/fourier.h>
#include <qd/memobj.h>

#include "matrix_access.h"

namespace qd::fourier {

// Normalised coordinate of centred index k: -1 at index 0, 0 at the centre,
// 1 at the highest frequency. A side of 1 has only the zero frequency.
inline double normalisedCoordinate(int k, int n) {
    const int c = n / 2;
    if (c == 0) return 0.0;
    return static_cast<double>(k - c) / static_cast<double>(c);
}

// Calls fn(r2, element) for every element of the centred complex spectrum s,
// with r2 the squared normalised radius and element its (re, im) pair.
template <class Fn> bool forEachRadius(MTHANDLE s, Fn&& fn) noexcept {
    const int w = MTGetWidth(s);
    const int h = MTGetHeight(s);
    std::unique_ptr<double[]> fx2(new (std::nothrow) double[static_cast<size_t>(w)]);
    if (!fx2) return false;
    for (int x = 0; x < w; ++x) {
        const double fx = normalisedCoordinate(x, w);
        fx2[x] = fx * fx;
    }
    for (int y = 0; y < h; ++y) {
        const double fy = normalisedCoordinate(y, h);
        const double fy2 = fy * fy;
        float* row = complexRow(s, y);
        for (int x = 0; x < w; ++x)
            fn(fx2[x] + fy2, row + 2 * x);
    }
    return true;
}

inline void scaleElement(float* e, double g) {
    e[0] = static_cast<float>(e[0] * g);
    e[1] = static_cast<float>(e[1] * g);
}

// Gain-table index of a radius: the nearest table step 2/M, halves up.
inline int gainIndex(double r2, double m, int size) {
    const int k = static_cast<int>(m * std::sqrt(r2) * 0.5 + 0.5);
    return k < size ? k : size - 1;
}

// The frame shared by the pass filters: spectrum of the real parts, the
// per-element change, inverse transform in place.
template <class Fn> MTHANDLE filterSpectrum(MTHANDLE in, MTHANDLE out, Fn&& fn) noexcept {
    MTHANDLE s = RealFt2D(in, out);
    if (!s) return nullptr;
    if (fn(s)) {
        MTHANDLE r = IFt2D(s, s);
        if (r) return r;
    }
    if (s != out) MTDestroy(s);
    return nullptr;
}

} // namespace qd::fourier
