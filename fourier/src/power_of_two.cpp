#include <cstdint>
#include <cstdlib>

#include <qd/fourier.h>

namespace {

// Distances are taken in 64 bits so that extreme coordinates cannot overflow.
int64_t distance(int32_t a, int32_t b) { return std::llabs(static_cast<int64_t>(b) - a); }

int64_t powerOf2AtLeast(int64_t n) {
    int64_t p = 2;
    while (p < n)
        p *= 2;
    return p;
}

int32_t reduceToward(int32_t fixed, int32_t moving) {
    // The new extent is at most half the distance, so it always fits.
    if (fixed < moving)
        return static_cast<int32_t>(fixed + powerOf2AtLeast(distance(fixed, moving)) / 2);
    return static_cast<int32_t>(fixed - powerOf2AtLeast(distance(fixed, moving)) / 2);
}

} // namespace

extern "C" {

int32_t IsPowerOf2(int32_t n) noexcept {
    int64_t b = 2;
    while (b <= n)
        b *= 2;
    return n == b / 2 ? 1 : 0;
}

int32_t GetPowerOf2(int32_t n) noexcept {
    // Beyond 2^30 the next power of two does not fit; saturate there.
    const int64_t p = powerOf2AtLeast(n);
    return p > (int64_t{1} << 30) ? (int32_t{1} << 30) : static_cast<int32_t>(p);
}

int32_t IsPowerOf2Rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) noexcept {
    const int64_t dx = distance(x1, x2);
    if (dx != powerOf2AtLeast(dx)) return 0;
    const int64_t dy = distance(y1, y2);
    return dy == powerOf2AtLeast(dy) ? 1 : 0;
}

void ReduceToPowerOf2Rect(const QDPOINT* fixedPoint, QDPOINT* movingPoint) noexcept {
    if (!fixedPoint || !movingPoint) return;
    movingPoint->x = reduceToward(fixedPoint->x, movingPoint->x);
    movingPoint->y = reduceToward(fixedPoint->y, movingPoint->y);
}

} // extern "C"
