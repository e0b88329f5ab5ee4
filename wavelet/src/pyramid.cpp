#include "pyramid.h"

#include <algorithm>
#include <cstddef>

namespace qd::wavelet {
namespace {

// One forward level of length L from src: smooth half to lo, detail half to
// hi, indices taken modulo L (periodic signal). L is a power of two, so the
// modulo is a mask.
template <int B>
void forwardLevel(const FilterPair& f, const double* src, double* lo, double* hi, int L) {
    const int mask = L - 1;
    for (int i = 0; i < L; i += 2) {
        double smooth[B] = {};
        double detail[B] = {};
        for (int k = 0; k < f.n; ++k) {
            const double* s = src + static_cast<std::ptrdiff_t>((i + k) & mask) * B;
            const double ck = f.c[k];
            const double rk = f.r[k];
            for (int b = 0; b < B; ++b) {
                smooth[b] += ck * s[b];
                detail[b] += rk * s[b];
            }
        }
        for (int b = 0; b < B; ++b) {
            lo[static_cast<std::ptrdiff_t>(i / 2) * B + b] = smooth[b];
            hi[static_cast<std::ptrdiff_t>(i / 2) * B + b] = detail[b];
        }
    }
}

// The levels take turns reading a and w. Details belong in a at once when
// w is read; when a is read they wait in w for its level to end.
template <int B> void forwardPyramid(const FilterPair& f, double* a, double* w, int len) {
    const double* in = a;
    for (int L = len; L >= 4; L /= 2) {
        const std::ptrdiff_t h = static_cast<std::ptrdiff_t>(L / 2) * B;
        double* smooth = in == a ? w : a;
        forwardLevel<B>(f, in, smooth, smooth + h, L);
        if (smooth == w) std::copy(w + h, w + 2 * h, a + h);
        in = smooth;
    }
    if (in != a) std::copy(w, w + 2 * B, a); // the last smooth pair
}

// The transpose of forwardLevel: each coefficient pair is spread back over
// the n samples it was computed from. This scatter form is the rule itself;
// it serves lines shorter than the filter, where taps wrap more than once.
template <int B>
void inverseLevelScatter(const FilterPair& f, double* a, double* w, int L) {
    const int h = L / 2;
    const int mask = L - 1;
    std::fill(w, w + static_cast<std::ptrdiff_t>(L) * B, 0.0);
    for (int i = 0; i < L; i += 2) {
        const double* lo = a + static_cast<std::ptrdiff_t>(i / 2) * B;
        const double* hi = a + static_cast<std::ptrdiff_t>(h + i / 2) * B;
        for (int k = 0; k < f.n; ++k) {
            double* dst = w + static_cast<std::ptrdiff_t>((i + k) & mask) * B;
            const double ck = f.c[k];
            const double rk = f.r[k];
            for (int b = 0; b < B; ++b) dst[b] += ck * lo[b] + rk * hi[b];
        }
    }
    std::copy(w, w + static_cast<std::ptrdiff_t>(L) * B, a);
}

// Adds the terms of the even positions i in [first, last], position i using
// tap k = base - i.
template <int B>
inline void gatherTerms(const FilterPair& f, const double* a, int h, int first, int last,
                        int base, double* acc) {
    for (int i = first + (first & 1); i <= last; i += 2) {
        const double* lo = a + static_cast<std::ptrdiff_t>(i / 2) * B;
        const double* hi = a + static_cast<std::ptrdiff_t>(h + i / 2) * B;
        const double ck = f.c[base - i];
        const double rk = f.r[base - i];
        for (int b = 0; b < B; ++b) acc[b] += ck * lo[b] + rk * hi[b];
    }
}

// The same sums as inverseLevelScatter, gathered per output sample so that
// they stay in registers; needs L >= n, so every pair reaches a sample at
// most once. Terms are added in the scatter's order, by increasing position
// i, which for a sample m near the start means the unwrapped positions
// 0..m first and the wrapped ones near the end of the line after them.
template <int B>
void inverseLevelGather(const FilterPair& f, double* a, double* w, int L) {
    const int h = L / 2;
    for (int m = 0; m < L; ++m) {
        double acc[B] = {};
        const int lowest = m - f.n + 1;
        gatherTerms<B>(f, a, h, lowest < 0 ? 0 : lowest, m, m, acc);
        if (lowest < 0) gatherTerms<B>(f, a, h, lowest + L, L - 1, m + L, acc);
        double* dst = w + static_cast<std::ptrdiff_t>(m) * B;
        for (int b = 0; b < B; ++b) dst[b] = acc[b];
    }
    std::copy(w, w + static_cast<std::ptrdiff_t>(L) * B, a);
}

template <int B>
void inverseLevel(const FilterPair& f, double* a, double* w, int L) {
    if (L >= f.n)
        inverseLevelGather<B>(f, a, w, L);
    else
        inverseLevelScatter<B>(f, a, w, L);
}

template <int B>
void pyramid(const FilterPair& f, Direction dir, double* a, double* w, int len) {
    if (dir == Direction::Forward) {
        forwardPyramid<B>(f, a, w, len);
    } else {
        for (int L = 4; L <= len; L *= 2) inverseLevel<B>(f, a, w, L);
    }
}

}  // namespace

void runPyramid(const FilterPair& filter, Direction dir, double* lines, double* work, int len,
                int lanes) noexcept {
    if (lanes == kLanes)
        pyramid<kLanes>(filter, dir, lines, work, len);
    else
        pyramid<1>(filter, dir, lines, work, len);
}

}  // namespace qd::wavelet
