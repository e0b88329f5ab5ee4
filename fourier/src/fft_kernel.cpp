#include "fft_kernel.h"

#include <cstring>
#include <new>
#include <utility>

#include <qd/fourier.h>

#include "twiddle_cache.h"

namespace qd::fourier {

bool WorkBuffers::allocate(int n, int lanes) noexcept {
    const size_t count = static_cast<size_t>(n) * static_cast<size_t>(lanes);
    block_.reset(new (std::nothrow) double[4 * count]);
    if (!block_) return false;
    xr = block_.get();
    xi = xr + count;
    yr = xi + count;
    yi = yr + count;
    return true;
}

namespace {

// Lanes are processed four at a time where the batch allows. Element-wise
// vector arithmetic rounds exactly as the scalar operations do, so every
// lane gets the same results either way.
template <int L> struct LaneVector {
    static_assert(L % 4 == 0);
    typedef double Type __attribute__((vector_size(32), aligned(8), may_alias));
    static constexpr int width = 4;
};
template <> struct LaneVector<1> {
    typedef double Type;
    static constexpr int width = 1;
};
template <int L> using Vec = typename LaneVector<L>::Type;
template <int L> inline constexpr int kVecWidth = LaneVector<L>::width;

template <int L> [[gnu::always_inline]] inline Vec<L>& at(double* p, int l) {
    return *reinterpret_cast<Vec<L>*>(p + l);
}
template <int L> [[gnu::always_inline]] inline const Vec<L>& at(const double* p, int l) {
    return *reinterpret_cast<const Vec<L>*>(p + l);
}

// Direct transform of odd length n from (sr, si) into (dr, di):
// X[0] = sum x[k]; X[u] = x[0] + sum_{k>=1} x[k] * w[(u*k) mod n].
template <int L>
[[gnu::always_inline]] inline void
directTransform(int n, const DirectRoots& roots, const double* __restrict sr,
                const double* __restrict si, double* __restrict dr, double* __restrict di) {
    constexpr int V = kVecWidth<L>;
    constexpr int C = L / V;
    const double* wr = roots.re.data();
    const double* wi = roots.im.data();
    Vec<L> accR[C], accI[C];
    for (int c = 0; c < C; ++c) {
        accR[c] = at<L>(sr, c * V);
        accI[c] = at<L>(si, c * V);
    }
    for (int k = 1; k < n; ++k) {
        for (int c = 0; c < C; ++c) {
            accR[c] += at<L>(sr, k * L + c * V);
            accI[c] += at<L>(si, k * L + c * V);
        }
    }
    for (int c = 0; c < C; ++c) {
        at<L>(dr, c * V) = accR[c];
        at<L>(di, c * V) = accI[c];
    }
    for (int u = 1; u < n; ++u) {
        for (int c = 0; c < C; ++c) {
            accR[c] = at<L>(sr, c * V);
            accI[c] = at<L>(si, c * V);
        }
        int idx = 0;
        for (int k = 1; k < n; ++k) {
            idx += u;
            if (idx >= n) idx -= n;
            const double cr = wr[idx];
            const double ci = wi[idx];
            for (int c = 0; c < C; ++c) {
                const Vec<L> xr = at<L>(sr, k * L + c * V);
                const Vec<L> xi = at<L>(si, k * L + c * V);
                accR[c] += xr * cr - xi * ci;
                accI[c] += xr * ci + xi * cr;
            }
        }
        for (int c = 0; c < C; ++c) {
            at<L>(dr, u * L + c * V) = accR[c];
            at<L>(di, u * L + c * V) = accI[c];
        }
    }
}

// Butterfly on values held in registers: p, q -> p + w*q, p - w*q.
template <class V>
[[gnu::always_inline]] inline void butterfly(V& pr, V& pi, V& qr, V& qi, double cr, double ci) {
    const V wr = cr * qr - ci * qi;
    const V wi = cr * qi + ci * qr;
    qr = pr - wr;
    qi = pi - wi;
    pr = pr + wr;
    pi = pi + wi;
}

// The same with w = 1, which needs no multiplication.
template <class V> [[gnu::always_inline]] inline void butterflyUnit(V& pr, V& pi, V& qr, V& qi) {
    const V ar = pr, ai = pi;
    pr = ar + qr;
    pi = ai + qi;
    qr = ar - qr;
    qi = ai - qi;
}

// Combining stages for half-lengths h = hFirst, 2*hFirst, ..., n/2 with the
// twiddle t[t * n / h] = exp(-pi*i*t/h). Stages h and 2h are run together
// on groups of four elements kept in registers: the same operations on each
// element, with half as many sweeps over the buffer.
template <int L>
[[gnu::always_inline]] inline void combineStages(int n, int hFirst, const HalfAngleTable& table,
                                                 double* __restrict yr, double* __restrict yi) {
    using V = Vec<L>;
    const double* tr = table.re.data();
    const double* ti = table.im.data();
    int h = hFirst;
    for (; 4 * h <= n; h *= 4) {
        const int step1 = n / h;
        const int step2 = n / (2 * h);
        for (int s = 0; s < n; s += 4 * h) {
            for (int t = 0; t < h; ++t) {
                const int i0 = (s + t) * L, i1 = i0 + h * L, i2 = i1 + h * L, i3 = i2 + h * L;
                const double c1r = tr[t * step1], c1i = ti[t * step1];
                const double c2r = tr[t * step2], c2i = ti[t * step2];
                const double c3r = tr[(t + h) * step2], c3i = ti[(t + h) * step2];
                for (int l = 0; l < L; l += kVecWidth<L>) {
                    V r0 = at<L>(yr, i0 + l), j0 = at<L>(yi, i0 + l);
                    V r1 = at<L>(yr, i1 + l), j1 = at<L>(yi, i1 + l);
                    V r2 = at<L>(yr, i2 + l), j2 = at<L>(yi, i2 + l);
                    V r3 = at<L>(yr, i3 + l), j3 = at<L>(yi, i3 + l);
                    if (t == 0) {
                        butterflyUnit(r0, j0, r1, j1);
                        butterflyUnit(r2, j2, r3, j3);
                        butterflyUnit(r0, j0, r2, j2);
                    } else {
                        butterfly(r0, j0, r1, j1, c1r, c1i);
                        butterfly(r2, j2, r3, j3, c1r, c1i);
                        butterfly(r0, j0, r2, j2, c2r, c2i);
                    }
                    butterfly(r1, j1, r3, j3, c3r, c3i);
                    at<L>(yr, i0 + l) = r0;
                    at<L>(yi, i0 + l) = j0;
                    at<L>(yr, i1 + l) = r1;
                    at<L>(yi, i1 + l) = j1;
                    at<L>(yr, i2 + l) = r2;
                    at<L>(yi, i2 + l) = j2;
                    at<L>(yr, i3 + l) = r3;
                    at<L>(yi, i3 + l) = j3;
                }
            }
        }
    }
    if (2 * h > n) return;
    const int step = n / h;
    for (int s = 0; s < n; s += 2 * h) {
        for (int t = 0; t < h; ++t) {
            const int i0 = (s + t) * L, i1 = i0 + h * L;
            for (int l = 0; l < L; l += kVecWidth<L>) {
                V r0 = at<L>(yr, i0 + l), j0 = at<L>(yi, i0 + l);
                V r1 = at<L>(yr, i1 + l), j1 = at<L>(yi, i1 + l);
                if (t == 0)
                    butterflyUnit(r0, j0, r1, j1);
                else
                    butterfly(r0, j0, r1, j1, tr[t * step], ti[t * step]);
                at<L>(yr, i0 + l) = r0;
                at<L>(yi, i0 + l) = j0;
                at<L>(yr, i1 + l) = r1;
                at<L>(yi, i1 + l) = j1;
            }
        }
    }
}

template <int L> [[gnu::always_inline]] inline bool radix2(int n, WorkBuffers& w) {
    const double* __restrict xr = w.xr;
    const double* __restrict xi = w.xi;
    double* __restrict yr = w.yr;
    double* __restrict yi = w.yi;
    if (n == 1) {
        std::memcpy(yr, xr, sizeof(double) * L);
        std::memcpy(yi, xi, sizeof(double) * L);
        return true;
    }
    if (n == 2) {
        for (int l = 0; l < L; ++l) {
            yr[l] = xr[l] + xr[L + l];
            yi[l] = xi[l] + xi[L + l];
            yr[L + l] = xr[l] - xr[L + l];
            yi[L + l] = xi[l] - xi[L + l];
        }
        return true;
    }
    const HalfAngleTable* table = radix2Table(n);
    if (!table) return false;
    const int32_t* rev = table->rev.data();
    // The first stage loads in bit-reversed order; the second has the
    // twiddles 1 and -i only. Both run on each group of four at once.
    for (int g = 0; g < n; g += 4) {
        const int a = rev[g] * L, b = rev[g + 1] * L, c = rev[g + 2] * L, d = rev[g + 3] * L;
        double* r = yr + g * L;
        double* m = yi + g * L;
        for (int l = 0; l < L; l += kVecWidth<L>) {
            const Vec<L> r0 = at<L>(xr, a + l) + at<L>(xr, b + l);
            const Vec<L> i0 = at<L>(xi, a + l) + at<L>(xi, b + l);
            const Vec<L> r1 = at<L>(xr, a + l) - at<L>(xr, b + l);
            const Vec<L> i1 = at<L>(xi, a + l) - at<L>(xi, b + l);
            const Vec<L> r2 = at<L>(xr, c + l) + at<L>(xr, d + l);
            const Vec<L> i2 = at<L>(xi, c + l) + at<L>(xi, d + l);
            const Vec<L> r3 = at<L>(xr, c + l) - at<L>(xr, d + l);
            const Vec<L> i3 = at<L>(xi, c + l) - at<L>(xi, d + l);
            at<L>(r, l) = r0 + r2;
            at<L>(m, l) = i0 + i2;
            at<L>(r, 2 * L + l) = r0 - r2;
            at<L>(m, 2 * L + l) = i0 - i2;
            at<L>(r, L + l) = r1 + i3; // y1 - i*y3
            at<L>(m, L + l) = i1 - r3;
            at<L>(r, 3 * L + l) = r1 - i3; // y1 + i*y3
            at<L>(m, 3 * L + l) = i1 + r3;
        }
    }
    combineStages<L>(n, 4, *table, yr, yi);
    return true;
}

template <int L> [[gnu::always_inline]] inline bool direct(int n, WorkBuffers& w) {
    const DirectRoots* roots = directRoots(n);
    if (!roots) return false;
    directTransform<L>(n, *roots, w.xr, w.xi, w.yr, w.yi);
    return true;
}

// n = 2^k * m with m odd >= 3 and k >= 1.
template <int L> [[gnu::always_inline]] inline bool mixedRadix(int n, WorkBuffers& w) {
    int m = n;
    int k = 0;
    while (m % 2 == 0) {
        m /= 2;
        ++k;
    }
    const int blocks = 1 << k;
    const HalfAngleTable* table = mixedRadixTable(n);
    const DirectRoots* roots = directRoots(m);
    // The second lookup may not evict the first: they are separate caches.
    if (!table || !roots) return false;
    // The k even/odd splitting passes together send sample
    // rev_k(b) + j * 2^k to element j of block b.
    for (int b = 0; b < blocks; ++b) {
        int r = 0;
        for (int bit = 0; bit < k; ++bit)
            if (b & (1 << bit)) r |= 1 << (k - 1 - bit);
        for (int j = 0; j < m; ++j) {
            const int src = (r + j * blocks) * L;
            const int dst = (b * m + j) * L;
            for (int l = 0; l < L; ++l) {
                w.yr[dst + l] = w.xr[src + l];
                w.yi[dst + l] = w.xi[src + l];
            }
        }
    }
    for (int b = 0; b < blocks; ++b) {
        const int off = b * m * L;
        directTransform<L>(m, *roots, w.yr + off, w.yi + off, w.xr + off, w.xi + off);
    }
    combineStages<L>(n, m, *table, w.xr, w.xi);
    // The result is in x: the buffers trade roles instead of copying.
    std::swap(w.xr, w.yr);
    std::swap(w.xi, w.yi);
    return true;
}

template <int L> [[gnu::always_inline]] inline bool transform(int n, WorkBuffers& w) {
    if (IsPowerOf2(n)) return radix2<L>(n, w);
    if (n % 2 == 0) return mixedRadix<L>(n, w);
    return direct<L>(n, w);
}

// The kernels above are inlined into two builds of the dispatch, one for
// processors with 256-bit vectors. Neither fuses multiply and add, so both
// round alike.
__attribute__((target("avx2"))) bool transformAvx2(int n, int lanes, WorkBuffers& w) {
    return lanes == kLanes ? transform<kLanes>(n, w) : transform<1>(n, w);
}

} // namespace

bool forwardTransformPortable(int n, int lanes, WorkBuffers& w) noexcept {
    return lanes == kLanes ? transform<kLanes>(n, w) : transform<1>(n, w);
}

bool forwardTransform(int n, int lanes, WorkBuffers& w) noexcept {
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2 ? transformAvx2(n, lanes, w) : forwardTransformPortable(n, lanes, w);
}

} // namespace qd::fourier
