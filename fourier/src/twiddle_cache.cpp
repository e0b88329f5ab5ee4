#include "twiddle_cache.h"

#include <cmath>
#include <new>

namespace qd::fourier {
namespace {

constexpr double kPi = 3.14159265358979323846;

DirectRoots gDirect;
HalfAngleTable gRadix2;
HalfAngleTable gMixed;

// Old storage is released before the new one is taken, so a rebuild never
// holds two tables at once.
template <class T> void release(std::vector<T>& v) { std::vector<T>().swap(v); }

bool fillHalfAngles(HalfAngleTable& t, int n, bool withReversal) {
    release(t.re);
    release(t.im);
    release(t.rev);
    t.n = 0;
    try {
        const size_t count = 2 * static_cast<size_t>(n) + 1;
        t.re.assign(count, 0.0);
        t.im.assign(count, 0.0);
        for (size_t k = 0; k < count; ++k) {
            const double a = kPi * static_cast<double>(k) / n;
            t.re[k] = std::cos(a);
            t.im[k] = -std::sin(a);
        }
        if (withReversal) {
            t.rev.assign(static_cast<size_t>(n), 0);
            // Bit-reversed counter: add one at the top bit and carry downward.
            int r = 0;
            for (int i = 0; i < n; ++i) {
                t.rev[static_cast<size_t>(i)] = r;
                int bit = n >> 1;
                while (bit > 0 && (r & bit)) {
                    r ^= bit;
                    bit >>= 1;
                }
                r |= bit;
            }
        }
    } catch (const std::bad_alloc&) {
        release(t.re);
        release(t.im);
        release(t.rev);
        return false;
    }
    t.n = n;
    return true;
}

} // namespace

const DirectRoots* directRoots(int n) noexcept {
    if (gDirect.n == n) return &gDirect;
    release(gDirect.re);
    release(gDirect.im);
    gDirect.n = 0;
    try {
        gDirect.re.assign(static_cast<size_t>(n), 0.0);
        gDirect.im.assign(static_cast<size_t>(n), 0.0);
    } catch (const std::bad_alloc&) {
        release(gDirect.re);
        release(gDirect.im);
        return nullptr;
    }
    for (int k = 0; k < n; ++k) {
        const double a = 2.0 * kPi * k / n;
        gDirect.re[static_cast<size_t>(k)] = std::cos(a);
        gDirect.im[static_cast<size_t>(k)] = -std::sin(a);
    }
    gDirect.n = n;
    return &gDirect;
}

const HalfAngleTable* radix2Table(int n) noexcept {
    if (gRadix2.n == n) return &gRadix2;
    return fillHalfAngles(gRadix2, n, true) ? &gRadix2 : nullptr;
}

const HalfAngleTable* mixedRadixTable(int n) noexcept {
    if (gMixed.n == n) return &gMixed;
    return fillHalfAngles(gMixed, n, false) ? &gMixed : nullptr;
}

} // namespace qd::fourier
