#include "fft_kernel.h"

#include <cstring>
#include <new>

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

// Direct transform of odd length n from (sr, si) into (dr, di):
// X[0] = sum x[k]; X[u] = x[0] + sum_{k>=1} x[k] * w[(u*k) mod n].
template <int L>
void directTransform(int n, const DirectRoots& roots, const double* sr, const double* si,
                     double* dr, double* di) {
    const double* wr = roots.re.data();
    const double* wi = roots.im.data();
    double accR[L], accI[L];
    for (int l = 0; l < L; ++l) {
        accR[l] = sr[l];
        accI[l] = si[l];
    }
    for (int k = 1; k < n; ++k) {
        for (int l = 0; l < L; ++l) {
            accR[l] += sr[k * L + l];
            accI[l] += si[k * L + l];
        }
    }
    for (int l = 0; l < L; ++l) {
        dr[l] = accR[l];
        di[l] = accI[l];
    }
    for (int u = 1; u < n; ++u) {
        for (int l = 0; l < L; ++l) {
            accR[l] = sr[l];
            accI[l] = si[l];
        }
        int idx = 0;
        for (int k = 1; k < n; ++k) {
            idx += u;
            if (idx >= n) idx -= n;
            const double cr = wr[idx];
            const double ci = wi[idx];
            const double* xr = sr + k * L;
            const double* xi = si + k * L;
            for (int l = 0; l < L; ++l) {
                accR[l] += xr[l] * cr - xi[l] * ci;
                accI[l] += xr[l] * ci + xi[l] * cr;
            }
        }
        for (int l = 0; l < L; ++l) {
            dr[u * L + l] = accR[l];
            di[u * L + l] = accI[l];
        }
    }
}

// Combining stages for half-lengths h = hFirst, 2*hFirst, ..., n/2 with the
// twiddle t[t * n / h] = exp(-pi*i*t/h).
template <int L>
void combineStages(int n, int hFirst, const HalfAngleTable& table, double* yr, double* yi) {
    const double* tr = table.re.data();
    const double* ti = table.im.data();
    for (int h = hFirst; h < n; h *= 2) {
        const int step = n / h;
        for (int s = 0; s < n; s += 2 * h) {
            double* ar = yr + s * L;
            double* ai = yi + s * L;
            double* br = yr + (s + h) * L;
            double* bi = yi + (s + h) * L;
            for (int l = 0; l < L; ++l) {
                const double pr = ar[l], pi = ai[l];
                const double qr = br[l], qi = bi[l];
                ar[l] = pr + qr;
                ai[l] = pi + qi;
                br[l] = pr - qr;
                bi[l] = pi - qi;
            }
            for (int t = 1; t < h; ++t) {
                const double cr = tr[t * step];
                const double ci = ti[t * step];
                ar += L;
                ai += L;
                br += L;
                bi += L;
                for (int l = 0; l < L; ++l) {
                    const double qr = cr * br[l] - ci * bi[l];
                    const double qi = cr * bi[l] + ci * br[l];
                    const double pr = ar[l], pi = ai[l];
                    ar[l] = pr + qr;
                    ai[l] = pi + qi;
                    br[l] = pr - qr;
                    bi[l] = pi - qi;
                }
            }
        }
    }
}

template <int L>
bool radix2(int n, WorkBuffers& w) {
    double* xr = w.xr;
    double* xi = w.xi;
    double* yr = w.yr;
    double* yi = w.yi;
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
    // First stage, loading in bit-reversed order.
    for (int i = 0; i < n; i += 2) {
        const int a = rev[i] * L;
        const int b = rev[i + 1] * L;
        for (int l = 0; l < L; ++l) {
            yr[i * L + l] = xr[a + l] + xr[b + l];
            yi[i * L + l] = xi[a + l] + xi[b + l];
            yr[(i + 1) * L + l] = xr[a + l] - xr[b + l];
            yi[(i + 1) * L + l] = xi[a + l] - xi[b + l];
        }
    }
    // Second stage: the twiddles are 1 and -i.
    for (int g = 0; g < n; g += 4) {
        double* r = yr + g * L;
        double* m = yi + g * L;
        for (int l = 0; l < L; ++l) {
            const double r0 = r[l], r1 = r[L + l], r2 = r[2 * L + l], r3 = r[3 * L + l];
            const double i0 = m[l], i1 = m[L + l], i2 = m[2 * L + l], i3 = m[3 * L + l];
            r[l] = r0 + r2;
            m[l] = i0 + i2;
            r[2 * L + l] = r0 - r2;
            m[2 * L + l] = i0 - i2;
            r[L + l] = r1 + i3;  // y1 - i*y3
            m[L + l] = i1 - r3;
            r[3 * L + l] = r1 - i3;  // y1 + i*y3
            m[3 * L + l] = i1 + r3;
        }
    }
    combineStages<L>(n, 4, *table, yr, yi);
    return true;
}

template <int L>
bool direct(int n, WorkBuffers& w) {
    const DirectRoots* roots = directRoots(n);
    if (!roots) return false;
    directTransform<L>(n, *roots, w.xr, w.xi, w.yr, w.yi);
    return true;
}

// n = 2^k * m with m odd >= 3 and k >= 1.
template <int L>
bool mixedRadix(int n, WorkBuffers& w) {
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
    const size_t bytes = sizeof(double) * static_cast<size_t>(n) * L;
    std::memcpy(w.yr, w.xr, bytes);
    std::memcpy(w.yi, w.xi, bytes);
    return true;
}

template <int L>
bool transform(int n, WorkBuffers& w) {
    if (IsPowerOf2(n)) return radix2<L>(n, w);
    if (n % 2 == 0) return mixedRadix<L>(n, w);
    return direct<L>(n, w);
}

}  // namespace

bool forwardTransform(int n, int lanes, WorkBuffers& w) noexcept {
    if (lanes == kLanes) return transform<kLanes>(n, w);
    return transform<1>(n, w);
}

}  // namespace qd::fourier
