// One-dimensional forward transforms in natural order, run on a batch of
// interleaved sequences so that the arithmetic of one sequence vectorises
// across the batch. Each sequence goes through exactly the operations of a
// transform of its own.
#pragma once

#include <cstddef>
#include <memory>

namespace qd::fourier {

struct FftPlan;

// Sequences per batch in the two-dimensional passes.
inline constexpr int kLanes = 8;

// Double-precision work buffers of a pass: x is the loaded input, y the
// result; each has room for the length's work (see workLength). Element k
// of lane l sits at index k * lanes + l.
class WorkBuffers {
  public:
    bool allocate(int n, int lanes) noexcept;
    double* xr = nullptr;
    double* xi = nullptr;
    double* yr = nullptr;
    double* yi = nullptr;

  private:
    std::unique_ptr<double[]> block_;
};

// Transforms `lanes` (1 or kLanes) sequences of length n from x into y,
// unscaled, natural order; x is clobbered and the two buffers may trade
// places, so read the pointers afresh after each call. Looks up the
// length's plan first; false when it cannot be had.
bool forwardTransform(int n, int lanes, WorkBuffers& w) noexcept;

// The same with a plan at hand, from the build for any x86-64 processor.
void transformWithPlan(const FftPlan& plan, int lanes, WorkBuffers& w) noexcept;

// The same, always from the build for any x86-64 processor; the run-time
// choice above must not change a single bit.
bool forwardTransformPortable(int n, int lanes, WorkBuffers& w) noexcept;

// Position of natural-order element j in the centred layout of length n.
inline int centredIndex(int j, int n) {
    const int k = j + n / 2;
    return k >= n ? k - n : k;
}

// Element holding the opposite frequency, in the centred layout.
inline int mirrorIndex(int k, int n) {
    if (n % 2 != 0) return n - 1 - k;
    return k == 0 ? 0 : n - k;
}

} // namespace qd::fourier
