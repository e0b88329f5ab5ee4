// A pass: many one-dimensional transforms of one length, with the message
// pump between them and never inside one.
#pragma once

#include <qd/memobj.h>

#include "fft_kernel.h"

namespace qd::fourier {

// Interleaved sequences of a batch: element k of lane l at [k * stride + l].
struct Lanes {
    double* re;
    double* im;
    int stride;
    double& r(int k, int l) const { return re[k * stride + l]; }
    double& i(int k, int l) const { return im[k * stride + l]; }
};

// Runs `count` forward transforms of length n in batches: load(first, lanes,
// x) fills the inputs of sequences first..first+lanes-1, store(first, lanes,
// y) takes their natural-order spectra. The two work buffers are allocated
// once for the pass. False when memory is short.
template <class Load, class Store>
bool runPass(int n, int count, Load&& load, Store&& store) noexcept {
    WorkBuffers work;
    if (!work.allocate(n, count >= kLanes ? kLanes : 1)) return false;
    for (int first = 0; first < count;) {
        const int lanes = count - first >= kLanes ? kLanes : 1;
        load(first, lanes, Lanes{work.xr, work.xi, lanes});
        if (!forwardTransform(n, lanes, work)) return false;
        store(first, lanes, Lanes{work.yr, work.yi, lanes});
        for (int l = 0; l < lanes; ++l)
            ProcessMessage();
        first += lanes;
    }
    return true;
}

// The inverse of a centred spectrum is the conjugate of the forward
// transform of its uncentred conjugate; these load and read back that way.
inline void loadUncentredConjugate(const Lanes& x, int l, int n, const double* re,
                                   const double* im) {
    for (int k = 0; k < n; ++k) {
        const int c = centredIndex(k, n);
        x.r(k, l) = re[c];
        x.i(k, l) = -im[c];
    }
}

} // namespace qd::fourier
