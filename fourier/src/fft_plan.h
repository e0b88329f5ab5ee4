// How a transform of one length is computed: in place by radix-2 stages for
// powers of two, by self-sorting radix passes for other lengths (the odd
// part of mostly-two lengths, then combined by the radix-2 stages), and by
// a chirp convolution through a power-of-two transform for lengths with a
// large prime factor. Kept for one length at a time, process-wide.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace qd::fourier {

// One pass of the self-sorting transform: sub-transforms of length
// radix * m at stride s; twiddles w^(p*k) for p < m, 1 <= k < radix, at
// [offset + p * (radix - 1) + k - 1]; for radices without a butterfly of
// their own, the roots exp(-2*pi*i*j/radix) at [roots + j].
struct FftStage {
    int radix = 0;
    int m = 0;
    int s = 0;
    size_t offset = 0;
    size_t roots = 0;
};

struct FftPlan {
    int n = 0;
    std::vector<FftStage> stages;
    std::vector<double> twr, twi;
    std::vector<double> rootr, rooti;

    // Powers of two from 4 on, and even lengths 2^k * m: the twiddles of
    // the combining steps in the order they are used, for a step of radix r
    // at half-length h exp(-2*pi*i*j*t/(r*h)) for t < h, 1 <= j < r; for
    // powers of two the bit-reversal permutation too.
    std::vector<double> stepr, stepi;
    std::vector<int32_t> rev;

    // Even lengths 2^k * m with odd m > 1: 2^k transforms of length m by
    // this plan, combined by radix-2 stages.
    int blocks = 0;
    std::unique_ptr<FftPlan> oddPart;

    // Chirp convolution: inner transform of length `chirpLength`, chirp
    // exp(-pi*i*j^2/n) for j < n, the chirp filter's spectrum divided by
    // chirpLength.
    int chirpLength = 0;
    std::vector<double> chirpr, chirpi, filterr, filteri;
    std::unique_ptr<FftPlan> inner;
};

// The combining steps of a transform of length n run from half-length
// 4 (powers of two) or the odd part m on, each joining `radix` blocks of
// length h: steps of eight where they divide out, of four or two for the
// rest. Eight blocks far apart would share the same few cache sets, and a
// step of eight would lose its lines between the two halves of a batch:
// from kWideBlock on, steps of four.
inline constexpr int kWideBlock = 64;

inline int combineRadix(int n, int h) {
    const int left = __builtin_ctz(static_cast<unsigned>(n / h));
    if (left == 1) return 2;
    if (left == 2 || left == 4 || h >= kWideBlock) return 4;
    return 8;
}

// Elements each work buffer needs per sequence for a transform of length n.
int workLength(int n) noexcept;

// The plan for n, rebuilt when the cache held another length; null when
// memory is short. Never keep the pointer across ProcessMessage: a
// transform of another length may run in between.
const FftPlan* fftPlan(int n) noexcept;

} // namespace qd::fourier
