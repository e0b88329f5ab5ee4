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

    // Powers of two from 4 on, and even lengths 2^k * m: t[k] =
    // exp(-pi*i*k/n) for k <= 2n; for powers of two the bit-reversal
    // permutation too.
    std::vector<double> halfr, halfi;
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

// Elements each work buffer needs per sequence for a transform of length n.
int workLength(int n) noexcept;

// The plan for n, rebuilt when the cache held another length; null when
// memory is short. Never keep the pointer across ProcessMessage: a
// transform of another length may run in between.
const FftPlan* fftPlan(int n) noexcept;

} // namespace qd::fourier
