// Reading inputs of any element type and handing out complex results.
#pragma once

#include <cstddef>
#include <cstdint>

#include <qd/memobj.h>

namespace qd::fourier {

// The output rule: reuse `out` when it is an MT_COMPLEX8 object of exactly
// w x h (and covers its whole storage), else destroy it and create a new one.
// The input itself is never destroyed here, even when passed as `out`: it
// still has to be read. Null when memory is short.
MTHANDLE fitComplexMatrix(MTHANDLE in, MTHANDLE out, int32_t w, int32_t h) noexcept;
ARHANDLE fitComplexArray(ARHANDLE in, ARHANDLE out, int32_t n) noexcept;

// Row y of an MT_COMPLEX8 matrix made or fitted above: pairs (re, im).
inline float* complexRow(MTHANDLE m, int32_t y) {
    return static_cast<float*>(MTGetMatrixPointer(m)[y]);
}

// Reads rows of a matrix's current window as the value accessors would,
// straight from storage where the element type allows it.
class RowReader {
  public:
    explicit RowReader(MTHANDLE m) noexcept;
    // Real parts of row y into re[x * stride]; imaginary parts likewise into
    // im unless it is null.
    void read(int32_t y, double* re, double* im, int stride) const noexcept;
    // Real parts of rows ys[0..lanes) into re[x * stride + l]: a batch's
    // lanes in one call, which keeps the lines of re cached while it fills
    // them.
    void readRealLanes(const int32_t* ys, int lanes, double* re, int stride) const noexcept;

  private:
    using ReadFn = void (*)(const void* row, int32_t w, double* re, double* im, int stride);
    using LanesFn = void (*)(const void* const* rows, int lanes, int32_t w, double* re, int stride);
    MTHANDLE m_;
    int32_t width_;
    void** rows_ = nullptr;
    int32_t y0_ = 0;
    size_t offset_ = 0; // bytes from a stored row to the window's element 0
    ReadFn fn_ = nullptr;
    LanesFn lanesFn_ = nullptr;
};

} // namespace qd::fourier
