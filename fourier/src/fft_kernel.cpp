#include "fft_kernel.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include <qd/fourier.h>

#include "fft_plan.h"

namespace qd::fourier {

bool WorkBuffers::allocate(int n, int lanes) noexcept {
    // Each buffer starts on a cache line, so that the kLanes doubles of one
    // element fill exactly one; a line of padding between them keeps equal
    // indices of the four from falling into the same cache set.
    constexpr size_t kLine = 8;
    const size_t count = static_cast<size_t>(workLength(n)) * static_cast<size_t>(lanes);
    const size_t spaced = (count + kLine - 1) / kLine * kLine + kLine;
    block_.reset(new (std::nothrow) double[4 * spaced + kLine]);
    if (!block_) return false;
    const auto address = reinterpret_cast<uintptr_t>(block_.get());
    const size_t skip = (kLine * sizeof(double) - address % (kLine * sizeof(double))) % (kLine * sizeof(double));
    xr = block_.get() + skip / sizeof(double);
    xi = xr + spaced;
    yr = xi + spaced;
    yi = yr + spaced;
    return true;
}

namespace {

// Runs of four doubles are processed as one vector where a pass allows.
// Element-wise vector arithmetic rounds exactly as the scalar operations
// do, so every lane gets the same results either way. Kernels take the
// width, not the type: attributes of a type do not survive as a template
// argument, and the vector's reduced alignment must.
template <int W> struct Lane {
    typedef double Type __attribute__((vector_size(32), aligned(8), may_alias));
};
template <> struct Lane<1> {
    typedef double Type;
};

// Complex product (ar + i ai)(br + i bi).
template <class V>
[[gnu::always_inline]] inline void mul(V& ar, V& ai, double br, double bi) {
    const V r = ar * br - ai * bi;
    ai = ar * bi + ai * br;
    ar = r;
}

// Sequences of the batch are interleaved, so inside a pass element j of
// every sub-transform at stride s is one contiguous run of s * L doubles:
// the butterflies sweep that run with one set of twiddles.
struct StageIo {
    const double* __restrict xr;
    const double* __restrict xi;
    double* __restrict yr;
    double* __restrict yi;
    size_t run;
    size_t gap; // between the inputs' runs: run, unless they lie spread out
};

// References rather than values: vectors passed by value would change the
// calling convention between the two builds.
template <int W>
[[gnu::always_inline]] inline const typename Lane<W>::Type& load(const double* p, size_t i) {
    return *reinterpret_cast<const typename Lane<W>::Type*>(p + i);
}
template <int W> [[gnu::always_inline]] inline typename Lane<W>::Type& out(double* p, size_t i) {
    return *reinterpret_cast<typename Lane<W>::Type*>(p + i);
}

// Input j of sub-transform p at (p + j*m) * gap; output k at (r*p + k) * run.
template <int W>
[[gnu::always_inline]] inline void radix2(const StageIo& io, int m, const double* twr, const double* twi) {
    using V = typename Lane<W>::Type;
    const size_t run = io.run, gap = io.gap;
    for (int p = 0; p < m; ++p) {
        const size_t i0 = p * gap, i1 = (p + m) * gap;
        const size_t o0 = 2 * p * run, o1 = o0 + run;
        for (size_t t = 0; t < run; t += W) {
            const V ar = load<W>(io.xr, i0 + t), ai = load<W>(io.xi, i0 + t);
            const V br = load<W>(io.xr, i1 + t), bi = load<W>(io.xi, i1 + t);
            V dr = ar - br, di = ai - bi;
            if (p != 0) mul(dr, di, twr[p], twi[p]);
            out<W>(io.yr, o0 + t) = ar + br;
            out<W>(io.yi, o0 + t) = ai + bi;
            out<W>(io.yr, o1 + t) = dr;
            out<W>(io.yi, o1 + t) = di;
        }
    }
}

template <int W>
[[gnu::always_inline]] inline void radix4(const StageIo& io, int m, const double* twr, const double* twi) {
    using V = typename Lane<W>::Type;
    const size_t run = io.run, gap = io.gap;
    for (int p = 0; p < m; ++p) {
        const size_t i0 = p * gap, i1 = (p + m) * gap, i2 = (p + 2 * m) * gap,
                     i3 = (p + 3 * m) * gap;
        const size_t o0 = 4 * p * run;
        const double* wr = twr + 3 * p;
        const double* wi = twi + 3 * p;
        for (size_t t = 0; t < run; t += W) {
            const V a0r = load<W>(io.xr, i0 + t), a0i = load<W>(io.xi, i0 + t);
            const V a1r = load<W>(io.xr, i1 + t), a1i = load<W>(io.xi, i1 + t);
            const V a2r = load<W>(io.xr, i2 + t), a2i = load<W>(io.xi, i2 + t);
            const V a3r = load<W>(io.xr, i3 + t), a3i = load<W>(io.xi, i3 + t);
            const V t0r = a0r + a2r, t0i = a0i + a2i;
            const V t1r = a0r - a2r, t1i = a0i - a2i;
            const V t2r = a1r + a3r, t2i = a1i + a3i;
            // (a1 - a3) * -i
            const V t3r = a1i - a3i, t3i = a3r - a1r;
            V b1r = t1r + t3r, b1i = t1i + t3i;
            V b2r = t0r - t2r, b2i = t0i - t2i;
            V b3r = t1r - t3r, b3i = t1i - t3i;
            if (p != 0) {
                mul(b1r, b1i, wr[0], wi[0]);
                mul(b2r, b2i, wr[1], wi[1]);
                mul(b3r, b3i, wr[2], wi[2]);
            }
            out<W>(io.yr, o0 + t) = t0r + t2r;
            out<W>(io.yi, o0 + t) = t0i + t2i;
            out<W>(io.yr, o0 + run + t) = b1r;
            out<W>(io.yi, o0 + run + t) = b1i;
            out<W>(io.yr, o0 + 2 * run + t) = b2r;
            out<W>(io.yi, o0 + 2 * run + t) = b2i;
            out<W>(io.yr, o0 + 3 * run + t) = b3r;
            out<W>(io.yi, o0 + 3 * run + t) = b3i;
        }
    }
}

// Eight-point transform in registers, natural order in and out: a radix-2
// level, the odd half turned by the eighth roots 1, w, -i, w^3, then a
// four-point transform of each half.
template <class V>
[[gnu::always_inline]] inline void dft8(const V* er, const V* ei, V* xr, V* xi) {
    constexpr double h = 0.70710678118654752440; // 1/sqrt(2)
    V ur[8], ui[8];
    for (int j = 0; j < 4; ++j) {
        ur[j] = er[j] + er[j + 4];
        ui[j] = ei[j] + ei[j + 4];
        ur[j + 4] = er[j] - er[j + 4];
        ui[j + 4] = ei[j] - ei[j + 4];
    }
    const V ar = ur[5], ai = ui[5];
    ur[5] = (ar + ai) * h;
    ui[5] = (ai - ar) * h;
    const V br = ur[6];
    ur[6] = ui[6];
    ui[6] = -br;
    const V cr = ur[7], ci = ui[7];
    ur[7] = (ci - cr) * h;
    ui[7] = -(cr + ci) * h;
    for (int half = 0; half < 2; ++half) {
        const V* pr = ur + 4 * half;
        const V* pi = ui + 4 * half;
        const V t0r = pr[0] + pr[2], t0i = pi[0] + pi[2];
        const V t1r = pr[0] - pr[2], t1i = pi[0] - pi[2];
        const V t2r = pr[1] + pr[3], t2i = pi[1] + pi[3];
        const V t3r = pi[1] - pi[3], t3i = pr[3] - pr[1];
        xr[half] = t0r + t2r;
        xi[half] = t0i + t2i;
        xr[half + 2] = t1r + t3r;
        xi[half + 2] = t1i + t3i;
        xr[half + 4] = t0r - t2r;
        xi[half + 4] = t0i - t2i;
        xr[half + 6] = t1r - t3r;
        xi[half + 6] = t1i - t3i;
    }
}

template <int W>
[[gnu::always_inline]] inline void radix8(const StageIo& io, int m, const double* twr, const double* twi) {
    using V = typename Lane<W>::Type;
    const size_t run = io.run, gap = io.gap;
    for (int p = 0; p < m; ++p) {
        size_t in[8];
        for (int j = 0; j < 8; ++j)
            in[j] = (p + static_cast<size_t>(j) * m) * gap;
        const size_t o0 = 8 * p * run;
        const double* wr = twr + 7 * p;
        const double* wi = twi + 7 * p;
        for (size_t t = 0; t < run; t += W) {
            V er[8], ei[8];
            for (int j = 0; j < 8; ++j) {
                er[j] = load<W>(io.xr, in[j] + t);
                ei[j] = load<W>(io.xi, in[j] + t);
            }
            V br[8], bi[8];
            dft8(er, ei, br, bi);
            if (p != 0)
                for (int k = 1; k < 8; ++k)
                    mul(br[k], bi[k], wr[k - 1], wi[k - 1]);
            for (int k = 0; k < 8; ++k) {
                out<W>(io.yr, o0 + k * run + t) = br[k];
                out<W>(io.yi, o0 + k * run + t) = bi[k];
            }
        }
    }
}

template <int W>
[[gnu::always_inline]] inline void radix3(const StageIo& io, int m, const double* twr, const double* twi) {
    constexpr double c = -0.5;
    constexpr double s = 0.86602540378443864676; // sin(2*pi/3)
    using V = typename Lane<W>::Type;
    const size_t run = io.run, gap = io.gap;
    for (int p = 0; p < m; ++p) {
        const size_t i0 = p * gap, i1 = (p + m) * gap, i2 = (p + 2 * m) * gap;
        const size_t o0 = 3 * p * run;
        const double* wr = twr + 2 * p;
        const double* wi = twi + 2 * p;
        for (size_t t = 0; t < run; t += W) {
            const V a0r = load<W>(io.xr, i0 + t), a0i = load<W>(io.xi, i0 + t);
            const V a1r = load<W>(io.xr, i1 + t), a1i = load<W>(io.xi, i1 + t);
            const V a2r = load<W>(io.xr, i2 + t), a2i = load<W>(io.xi, i2 + t);
            const V sr = a1r + a2r, si = a1i + a2i;
            const V mr = a0r + c * sr, mi = a0i + c * si;
            // -i * sin * (a1 - a2)
            const V nr = s * (a1i - a2i), ni = s * (a2r - a1r);
            V b1r = mr + nr, b1i = mi + ni;
            V b2r = mr - nr, b2i = mi - ni;
            if (p != 0) {
                mul(b1r, b1i, wr[0], wi[0]);
                mul(b2r, b2i, wr[1], wi[1]);
            }
            out<W>(io.yr, o0 + t) = a0r + sr;
            out<W>(io.yi, o0 + t) = a0i + si;
            out<W>(io.yr, o0 + run + t) = b1r;
            out<W>(io.yi, o0 + run + t) = b1i;
            out<W>(io.yr, o0 + 2 * run + t) = b2r;
            out<W>(io.yi, o0 + 2 * run + t) = b2i;
        }
    }
}

template <int W>
[[gnu::always_inline]] inline void radix5(const StageIo& io, int m, const double* twr, const double* twi) {
    constexpr double c1 = 0.30901699437494742410;  // cos(2*pi/5)
    constexpr double c2 = -0.80901699437494742410; // cos(4*pi/5)
    constexpr double s1 = 0.95105651629515357212;  // sin(2*pi/5)
    constexpr double s2 = 0.58778525229247312917;  // sin(4*pi/5)
    using V = typename Lane<W>::Type;
    const size_t run = io.run, gap = io.gap;
    for (int p = 0; p < m; ++p) {
        const size_t i0 = p * gap, i1 = (p + m) * gap, i2 = (p + 2 * m) * gap,
                     i3 = (p + 3 * m) * gap, i4 = (p + 4 * m) * gap;
        const size_t o0 = 5 * p * run;
        const double* wr = twr + 4 * p;
        const double* wi = twi + 4 * p;
        for (size_t t = 0; t < run; t += W) {
            const V a0r = load<W>(io.xr, i0 + t), a0i = load<W>(io.xi, i0 + t);
            const V a1r = load<W>(io.xr, i1 + t), a1i = load<W>(io.xi, i1 + t);
            const V a2r = load<W>(io.xr, i2 + t), a2i = load<W>(io.xi, i2 + t);
            const V a3r = load<W>(io.xr, i3 + t), a3i = load<W>(io.xi, i3 + t);
            const V a4r = load<W>(io.xr, i4 + t), a4i = load<W>(io.xi, i4 + t);
            const V t1r = a1r + a4r, t1i = a1i + a4i;
            const V t2r = a2r + a3r, t2i = a2i + a3i;
            const V t3r = a1r - a4r, t3i = a1i - a4i;
            const V t4r = a2r - a3r, t4i = a2i - a3i;
            const V m1r = a0r + c1 * t1r + c2 * t2r, m1i = a0i + c1 * t1i + c2 * t2i;
            const V m2r = a0r + c2 * t1r + c1 * t2r, m2i = a0i + c2 * t1i + c1 * t2i;
            const V n1r = s1 * t3r + s2 * t4r, n1i = s1 * t3i + s2 * t4i;
            const V n2r = s2 * t3r - s1 * t4r, n2i = s2 * t3i - s1 * t4i;
            // b1 = m1 - i*n1, b4 = m1 + i*n1, b2 = m2 - i*n2, b3 = m2 + i*n2
            V b1r = m1r + n1i, b1i = m1i - n1r;
            V b4r = m1r - n1i, b4i = m1i + n1r;
            V b2r = m2r + n2i, b2i = m2i - n2r;
            V b3r = m2r - n2i, b3i = m2i + n2r;
            if (p != 0) {
                mul(b1r, b1i, wr[0], wi[0]);
                mul(b2r, b2i, wr[1], wi[1]);
                mul(b3r, b3i, wr[2], wi[2]);
                mul(b4r, b4i, wr[3], wi[3]);
            }
            out<W>(io.yr, o0 + t) = a0r + t1r + t2r;
            out<W>(io.yi, o0 + t) = a0i + t1i + t2i;
            out<W>(io.yr, o0 + run + t) = b1r;
            out<W>(io.yi, o0 + run + t) = b1i;
            out<W>(io.yr, o0 + 2 * run + t) = b2r;
            out<W>(io.yi, o0 + 2 * run + t) = b2i;
            out<W>(io.yr, o0 + 3 * run + t) = b3r;
            out<W>(io.yi, o0 + 3 * run + t) = b3i;
            out<W>(io.yr, o0 + 4 * run + t) = b4r;
            out<W>(io.yi, o0 + 4 * run + t) = b4i;
        }
    }
}

// Any other odd radix r: each output the direct sum over the r inputs.
template <int W>
[[gnu::always_inline]] inline void radixAny(const StageIo& io, int r, int m, const double* twr, const double* twi,
              const double* rootr, const double* rooti) {
    using V = typename Lane<W>::Type;
    const size_t run = io.run, gap = io.gap;
    for (int p = 0; p < m; ++p) {
        const size_t o0 = static_cast<size_t>(r) * p * run;
        for (int k = 0; k < r; ++k) {
            for (size_t t = 0; t < run; t += W) {
                V accr = load<W>(io.xr, p * gap + t), acci = load<W>(io.xi, p * gap + t);
                int idx = 0;
                for (int j = 1; j < r; ++j) {
                    idx += k;
                    if (idx >= r) idx -= r;
                    const size_t i = (p + static_cast<size_t>(j) * m) * gap + t;
                    V ar = load<W>(io.xr, i), ai = load<W>(io.xi, i);
                    mul(ar, ai, rootr[idx], rooti[idx]);
                    accr += ar;
                    acci += ai;
                }
                if (p != 0 && k != 0) mul(accr, acci, twr[p * (r - 1) + k - 1], twi[p * (r - 1) + k - 1]);
                out<W>(io.yr, o0 + k * run + t) = accr;
                out<W>(io.yi, o0 + k * run + t) = acci;
            }
        }
    }
}

template <int W>
[[gnu::always_inline]] inline void stage(const FftPlan& plan, const FftStage& st, const StageIo& io) {
    const double* twr = plan.twr.data() + st.offset;
    const double* twi = plan.twi.data() + st.offset;
    switch (st.radix) {
    case 2: radix2<W>(io, st.m, twr, twi); break;
    case 3: radix3<W>(io, st.m, twr, twi); break;
    case 4: radix4<W>(io, st.m, twr, twi); break;
    case 5: radix5<W>(io, st.m, twr, twi); break;
    case 8: radix8<W>(io, st.m, twr, twi); break;
    default: {
        radixAny<W>(io, st.radix, st.m, twr, twi, plan.rootr.data() + st.roots, plan.rooti.data() + st.roots);
    }
    }
}

// Powers of two: in place after a bit-reversed load, two radix-2 stages at
// a time in registers. Strides of a power of two would make a self-sorting
// pass read from many addresses that share cache sets.
template <int L> using Vec = typename Lane<(L >= 4 ? 4 : 1)>::Type;
template <int L> inline constexpr int kVecWidth = L >= 4 ? 4 : 1;
template <int L> [[gnu::always_inline]] inline Vec<L>& at(double* p, int l) {
    return *reinterpret_cast<Vec<L>*>(p + l);
}
template <int L> [[gnu::always_inline]] inline const Vec<L>& at(const double* p, int l) {
    return *reinterpret_cast<const Vec<L>*>(p + l);
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

// Combining steps on bit-reversed blocks in place. A step of radix r takes
// the r blocks of length h at s, s + h, ..., which hold the transforms of
// the samples congruent to rev(0), rev(1), ... modulo r, turns the block
// of residue j by W^(j*t) with W = exp(-2*pi*i/(r*h)) (w[t * (r-1) + j-1]),
// and joins them by an r-point transform: log2(r) radix-2 stages in one
// sweep over the buffer and with fewer multiplications.
template <int L>
[[gnu::always_inline]] inline void combine2(int n, int h, const double* wr, const double* wi,
                                            double* __restrict yr, double* __restrict yi) {
    using V = Vec<L>;
    for (int s = 0; s < n; s += 2 * h) {
        for (int t = 0; t < h; ++t) {
            const int i0 = (s + t) * L, i1 = i0 + h * L;
            for (int l = 0; l < L; l += kVecWidth<L>) {
                V r0 = at<L>(yr, i0 + l), j0 = at<L>(yi, i0 + l);
                V r1 = at<L>(yr, i1 + l), j1 = at<L>(yi, i1 + l);
                if (t == 0)
                    butterflyUnit(r0, j0, r1, j1);
                else
                    butterfly(r0, j0, r1, j1, wr[t], wi[t]);
                at<L>(yr, i0 + l) = r0;
                at<L>(yi, i0 + l) = j0;
                at<L>(yr, i1 + l) = r1;
                at<L>(yi, i1 + l) = j1;
            }
        }
    }
}

template <int L>
[[gnu::always_inline]] inline void combine4(int n, int h, const double* wr, const double* wi,
                                            double* __restrict yr, double* __restrict yi) {
    using V = Vec<L>;
    for (int s = 0; s < n; s += 4 * h) {
        for (int t = 0; t < h; ++t) {
            const int i0 = (s + t) * L, i1 = i0 + h * L, i2 = i1 + h * L, i3 = i2 + h * L;
            const double w1r = wr[3 * t], w1i = wi[3 * t];
            const double w2r = wr[3 * t + 1], w2i = wi[3 * t + 1];
            const double w3r = wr[3 * t + 2], w3i = wi[3 * t + 2];
            for (int l = 0; l < L; l += kVecWidth<L>) {
                // Blocks 1 and 2 hold residues 2 and 1.
                V e0r = at<L>(yr, i0 + l), e0i = at<L>(yi, i0 + l);
                V e2r = at<L>(yr, i1 + l), e2i = at<L>(yi, i1 + l);
                V e1r = at<L>(yr, i2 + l), e1i = at<L>(yi, i2 + l);
                V e3r = at<L>(yr, i3 + l), e3i = at<L>(yi, i3 + l);
                if (t != 0) {
                    mul(e1r, e1i, w1r, w1i);
                    mul(e2r, e2i, w2r, w2i);
                    mul(e3r, e3i, w3r, w3i);
                }
                const V u0r = e0r + e2r, u0i = e0i + e2i;
                const V u1r = e0r - e2r, u1i = e0i - e2i;
                const V u2r = e1r + e3r, u2i = e1i + e3i;
                // (e1 - e3) * -i
                const V u3r = e1i - e3i, u3i = e3r - e1r;
                at<L>(yr, i0 + l) = u0r + u2r;
                at<L>(yi, i0 + l) = u0i + u2i;
                at<L>(yr, i1 + l) = u1r + u3r;
                at<L>(yi, i1 + l) = u1i + u3i;
                at<L>(yr, i2 + l) = u0r - u2r;
                at<L>(yi, i2 + l) = u0i - u2i;
                at<L>(yr, i3 + l) = u1r - u3r;
                at<L>(yi, i3 + l) = u1i - u3i;
            }
        }
    }
}

template <int L>
[[gnu::always_inline]] inline void combine8(int n, int h, const double* wr, const double* wi,
                                            double* __restrict yr, double* __restrict yi) {
    using V = Vec<L>;
    constexpr int kBlockOf[8] = {0, 4, 2, 6, 1, 5, 3, 7}; // of residue j
    for (int s = 0; s < n; s += 8 * h) {
        for (int t = 0; t < h; ++t) {
            int from[8];
            for (int j = 0; j < 8; ++j)
                from[j] = (s + t + kBlockOf[j] * h) * L;
            const double* cr = wr + 7 * t;
            const double* ci = wi + 7 * t;
            for (int l = 0; l < L; l += kVecWidth<L>) {
                V er[8], ei[8];
                for (int j = 0; j < 8; ++j) {
                    er[j] = at<L>(yr, from[j] + l);
                    ei[j] = at<L>(yi, from[j] + l);
                }
                if (t != 0)
                    for (int j = 1; j < 8; ++j)
                        mul(er[j], ei[j], cr[j - 1], ci[j - 1]);
                V xr[8], xi[8];
                dft8(er, ei, xr, xi);
                for (int k = 0; k < 8; ++k) {
                    const int o = (s + t + k * h) * L + l;
                    at<L>(yr, o) = xr[k];
                    at<L>(yi, o) = xi[k];
                }
            }
        }
    }
}

// All radix-2 stages for half-lengths h = hFirst, 2*hFirst, ..., n/2, in
// the plan's combining steps.
template <int L>
[[gnu::always_inline]] inline void combineStages(int n, int hFirst, const FftPlan& plan,
                                                 double* __restrict yr, double* __restrict yi) {
    const double* wr = plan.stepr.data();
    const double* wi = plan.stepi.data();
    for (int h = hFirst; h < n;) {
        const int radix = combineRadix(n, h);
        if (radix == 2)
            combine2<L>(n, h, wr, wi, yr, yi);
        else if (radix == 4)
            combine4<L>(n, h, wr, wi, yr, yi);
        else
            combine8<L>(n, h, wr, wi, yr, yi);
        wr += static_cast<size_t>(radix - 1) * h;
        wi += static_cast<size_t>(radix - 1) * h;
        h *= radix;
    }
}

template <int L>
[[gnu::always_inline]] inline void powerOfTwo(int n, const FftPlan& plan, const double* __restrict xr,
                                              const double* __restrict xi, double* __restrict yr,
                                              double* __restrict yi) {
    if (n == 2) {
        for (int l = 0; l < L; ++l) {
            yr[l] = xr[l] + xr[L + l];
            yi[l] = xi[l] + xi[L + l];
            yr[L + l] = xr[l] - xr[L + l];
            yi[L + l] = xi[l] - xi[L + l];
        }
        return;
    }
    const int32_t* rev = plan.rev.data();
    // The first stage loads in bit-reversed order; the second has the
    // twiddles 1 and -i only. Both run on each group of four at once. The
    // group at g reads rev[g] + {0, n/2, n/4, 3n/4}: taken in the order of
    // rev[g], the reads are four sequential streams and the scattering is
    // left to the writes, which do not stall.
    for (int q = 0; q < n / 4; ++q) {
        const int g = rev[q];
        const int a = q * L, b = a + n / 2 * L, c = a + n / 4 * L, d = c + n / 2 * L;
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
    combineStages<L>(n, 4, plan, yr, yi);
}

template <int L>
[[gnu::always_inline]] inline void runStage(const FftPlan& plan, const FftStage& st, const StageIo& io) {
    if (io.run % 4 == 0)
        stage<4>(plan, st, io);
    else
        stage<1>(plan, st, io);
}

// Runs the passes of `plan` from (ar, ai) through (br, bi) and back as
// often as it takes; the result is left in (ar, ai).
template <int L>
[[gnu::always_inline]] inline void runStages(const FftPlan& plan, double*& ar, double*& ai,
                                             double*& br, double*& bi) {
    for (const FftStage& st : plan.stages) {
        const size_t run = static_cast<size_t>(st.s) * L;
        runStage<L>(plan, st, StageIo{ar, ai, br, bi, run, run});
        std::swap(ar, br);
        std::swap(ai, bi);
    }
}

// n = 2^k * m with m odd > 1: the k even/odd splitting passes together send
// sample rev_k(b) + j * 2^k to element j of block b; each block is
// transformed by the odd part's passes, then the radix-2 stages combine
// them in place. The first pass reads each block's samples where they lie,
// so the reordering costs no sweep of its own; it runs over all blocks
// before the next pass, which may then overwrite the input.
template <int L> [[gnu::always_inline]] inline void evenLength(const FftPlan& plan, WorkBuffers& w) {
    const int n = plan.n;
    const int blocks = plan.blocks;
    const size_t m = static_cast<size_t>(n / blocks);
    int k = 0;
    while ((1 << k) < blocks)
        ++k;
    const FftPlan& odd = *plan.oddPart;
    double *ar = w.xr, *ai = w.xi, *br = w.yr, *bi = w.yi;
    for (size_t pass = 0; pass < odd.stages.size(); ++pass) {
        const FftStage& st = odd.stages[pass];
        const size_t run = static_cast<size_t>(st.s) * L;
        // In the order of the source, so that the first pass reads m
        // sequential streams.
        for (int r = 0; r < blocks; ++r) {
            int b = 0;
            for (int bit = 0; bit < k; ++bit)
                if (r & (1 << bit)) b |= 1 << (k - 1 - bit);
            const size_t to = b * m * L;
            if (pass == 0) {
                const size_t from = static_cast<size_t>(r) * L;
                runStage<L>(odd, st, StageIo{ar + from, ai + from, br + to, bi + to, run, blocks * run});
            } else {
                runStage<L>(odd, st, StageIo{ar + to, ai + to, br + to, bi + to, run, run});
            }
        }
        std::swap(ar, br);
        std::swap(ai, bi);
    }
    combineStages<L>(n, static_cast<int>(m), plan, ar, ai);
    w.yr = ar;
    w.yi = ai;
    w.xr = br;
    w.xi = bi;
}

// Each lane's element k times c[k], the source conjugated first or the
// product after, as asked.
template <int L>
[[gnu::always_inline]] inline void turnLanes(size_t count, const std::vector<double>& cr,
                                             const std::vector<double>& ci, const double* sr,
                                             const double* si, double* dr, double* di, bool conjugateIn,
                                             bool conjugateOut) {
    for (size_t k = 0; k < count; ++k)
        for (int l = 0; l < L; ++l) {
            double vr = sr[k * L + l], vi = conjugateIn ? -si[k * L + l] : si[k * L + l];
            mul(vr, vi, cr[k], ci[k]);
            dr[k * L + l] = vr;
            di[k * L + l] = conjugateOut ? -vi : vi;
        }
}

// Length with a large prime factor: X[k] = c[k] * sum_j (x[j] c[j]) conj(c[k-j])
// with the chirp c[j] = exp(-pi*i*j^2/n), the sum a circular convolution of
// power-of-two length; its inverse is the conjugate of the forward transform
// of the conjugate.
template <int L>
[[gnu::always_inline]] inline void chirpTransform(const FftPlan& plan, WorkBuffers& w) {
    const size_t n = static_cast<size_t>(plan.n);
    const size_t m = static_cast<size_t>(plan.chirpLength);
    double *ar = w.yr, *ai = w.yi, *br = w.xr, *bi = w.xi;
    turnLanes<L>(n, plan.chirpr, plan.chirpi, w.xr, w.xi, ar, ai, false, false);
    for (size_t i = n * L; i < m * L; ++i)
        ar[i] = ai[i] = 0.0;
    const FftPlan& inner = *plan.inner;
    powerOfTwo<L>(inner.n, inner, ar, ai, br, bi);
    turnLanes<L>(m, plan.filterr, plan.filteri, br, bi, br, bi, false, true);
    powerOfTwo<L>(inner.n, inner, br, bi, ar, ai);
    turnLanes<L>(n, plan.chirpr, plan.chirpi, ar, ai, br, bi, true, false);
    w.yr = br;
    w.yi = bi;
    w.xr = ar;
    w.xi = ai;
}

template <int L>
[[gnu::always_inline]] inline void transformWith(const FftPlan& plan, WorkBuffers& w) {
    if (plan.n == 1) {
        std::memcpy(w.yr, w.xr, sizeof(double) * L);
        std::memcpy(w.yi, w.xi, sizeof(double) * L);
        return;
    }
    if (plan.inner) {
        chirpTransform<L>(plan, w);
        return;
    }
    if (!plan.rev.empty() || plan.n == 2) {
        powerOfTwo<L>(plan.n, plan, w.xr, w.xi, w.yr, w.yi);
        return;
    }
    if (plan.oddPart) {
        evenLength<L>(plan, w);
        return;
    }
    runStages<L>(plan, w.xr, w.xi, w.yr, w.yi);
    // The result is in x: the buffers trade roles instead of copying.
    std::swap(w.xr, w.yr);
    std::swap(w.xi, w.yi);
}

template <int L> [[gnu::always_inline]] inline bool transform(int n, WorkBuffers& w) {
    const FftPlan* plan = fftPlan(n);
    if (!plan) return false;
    transformWith<L>(*plan, w);
    return true;
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

void transformWithPlan(const FftPlan& plan, int lanes, WorkBuffers& w) noexcept {
    if (lanes == kLanes)
        transformWith<kLanes>(plan, w);
    else
        transformWith<1>(plan, w);
}

bool forwardTransform(int n, int lanes, WorkBuffers& w) noexcept {
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2 ? transformAvx2(n, lanes, w) : forwardTransformPortable(n, lanes, w);
}

} // namespace qd::fourier
