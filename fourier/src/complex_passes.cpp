#include "complex_passes.h"

#include <cstdint>
#include <memory>
#include <new>

#include "matrix_access.h"
#include "pass.h"

namespace qd::fourier {

namespace {
constexpr int kPrefetchRows = 8;
}

bool complexRowPass(MTHANDLE in, MTHANDLE out, bool inverse) noexcept {
    const int w = MTGetWidth(in);
    const int h = MTGetHeight(in);
    const RowReader reader(in);
    std::unique_ptr<double[]> row(new (std::nothrow) double[2 * static_cast<size_t>(w)]);
    if (!row) return false;
    auto load = [&](int first, int lanes, const Lanes& x) {
        for (int l = 0; l < lanes; ++l) {
            if (!inverse) {
                reader.read(first + l, x.re + l, x.im + l, x.stride);
            } else {
                reader.read(first + l, row.get(), row.get() + w, 1);
                loadUncentredConjugate(x, l, w, row.get(), row.get() + w);
            }
        }
    };
    auto store = [&](int first, int lanes, const Lanes& y) {
        for (int l = 0; l < lanes; ++l) {
            float* dst = complexRow(out, first + l);
            for (int k = 0; k < w; ++k) {
                const int c = inverse ? k : centredIndex(k, w);
                dst[2 * c] = static_cast<float>(y.r(k, l));
                dst[2 * c + 1] = static_cast<float>(inverse ? -y.i(k, l) : y.i(k, l));
            }
        }
    };
    return runPass(w, h, load, store);
}

bool forwardColumnPass(MTHANDLE m, int count) noexcept {
    const int h = MTGetHeight(m);
    float** rows = reinterpret_cast<float**>(MTGetMatrixPointer(m));
    auto load = [&](int first, int lanes, const Lanes& x) {
        for (int y = 0; y < h; ++y) {
            // Rows lie far apart: fetch a few ahead, both ends of the batch's
            // elements, which need not start a cache line.
            if (y + kPrefetchRows < h) {
                const float* ahead = rows[y + kPrefetchRows] + 2 * first;
                __builtin_prefetch(ahead);
                __builtin_prefetch(ahead + 2 * lanes - 1);
            }
            const float* src = rows[y] + 2 * first;
            for (int l = 0; l < lanes; ++l) {
                x.r(y, l) = src[2 * l];
                x.i(y, l) = src[2 * l + 1];
            }
        }
    };
    auto store = [&](int first, int lanes, const Lanes& s) {
        for (int k = 0; k < h; ++k) {
            float* dst = rows[centredIndex(k, h)] + 2 * first;
            for (int l = 0; l < lanes; ++l) {
                dst[2 * l] = static_cast<float>(s.r(k, l));
                dst[2 * l + 1] = static_cast<float>(s.i(k, l));
            }
        }
    };
    return runPass(h, count, load, store);
}

bool inverseColumnPass(MTHANDLE m, double scale) noexcept {
    const int w = MTGetWidth(m);
    const int h = MTGetHeight(m);
    float** rows = reinterpret_cast<float**>(MTGetMatrixPointer(m));
    auto load = [&](int first, int lanes, const Lanes& x) {
        for (int k = 0; k < h; ++k) {
            const float* src = rows[centredIndex(k, h)] + 2 * first;
            for (int l = 0; l < lanes; ++l) {
                x.r(k, l) = src[2 * l];
                x.i(k, l) = -static_cast<double>(src[2 * l + 1]);
            }
        }
    };
    auto store = [&](int first, int lanes, const Lanes& s) {
        for (int y = 0; y < h; ++y) {
            float* dst = rows[y] + 2 * first;
            for (int l = 0; l < lanes; ++l) {
                dst[2 * l] = static_cast<float>(s.r(y, l) * scale);
                dst[2 * l + 1] = static_cast<float>(-s.i(y, l) * scale);
            }
        }
    };
    return runPass(h, w, load, store);
}

void fillMirrorColumns(MTHANDLE m) noexcept {
    // Two elements at a time: their mirrors are neighbours in the other order.
    typedef float Pair2 __attribute__((vector_size(16), aligned(4), may_alias));
    typedef int32_t Bits __attribute__((vector_size(16)));
    const Bits imagSign = {0, INT32_MIN, 0, INT32_MIN};
    const int w = MTGetWidth(m);
    const int h = MTGetHeight(m);
    // Row by row, so that both the read and the write stream through memory.
    for (int y = 0; y < h; ++y) {
        const float* src = complexRow(m, mirrorIndex(y, h));
        float* dst = complexRow(m, y);
        int x = w / 2 + 1;
        for (; x + 1 < w; x += 2) {
            // Past the middle the mirror of x + 1 is the one of x less one.
            const int mx = mirrorIndex(x, w);
            const Pair2 v = *reinterpret_cast<const Pair2*>(src + 2 * (mx - 1));
            const Bits swapped = reinterpret_cast<Bits>(__builtin_shuffle(v, Bits{2, 3, 0, 1}));
            *reinterpret_cast<Pair2*>(dst + 2 * x) = reinterpret_cast<Pair2>(swapped ^ imagSign);
        }
        if (x < w) {
            const int mx = mirrorIndex(x, w);
            dst[2 * x] = src[2 * mx];
            dst[2 * x + 1] = -src[2 * mx + 1];
        }
    }
}

} // namespace qd::fourier
