// Transforms of real images: two rows packed into one complex transform and
// half of the columns filled by conjugate symmetry; the inverse computes half
// of the rows and packs two columns into one transform.
#include <memory>
#include <new>

#include <qd/fourier.h>

#include "complex_passes.h"
#include "matrix_access.h"
#include "pass.h"

namespace qd::fourier {
namespace {

void storeCentred(float* dst, const Lanes& s, int l, int n) {
    for (int k = 0; k < n; ++k) {
        const int c = centredIndex(k, n);
        dst[2 * c] = static_cast<float>(s.r(k, l));
        dst[2 * c + 1] = static_cast<float>(s.i(k, l));
    }
}

// Splits the transforms Z of a + i*b (rows a and b real) in lanes
// 0..lanes-1 into the centred spectra of a[l] and b[l]. Only elements
// 0..w/2 are stored: the rest are the conjugates that the mirror fill
// writes after the column pass. By tiles of elements, lane after lane: the
// rows lie a power of two apart and share cache sets, while the tile's
// lines of z stay cached for all the lanes.
void storeRowPairs(float* const* a, float* const* b, const Lanes& z, int lanes, int w) {
    constexpr int kTile = 32;
    const int half = w / 2;
    for (int l = 0; l < lanes; ++l) {
        a[l][2 * half] = static_cast<float>(z.r(0, l));
        b[l][2 * half] = static_cast<float>(z.i(0, l));
        a[l][2 * half + 1] = b[l][2 * half + 1] = 0.0f;
        a[l][0] = static_cast<float>(z.r(half, l));
        b[l][0] = static_cast<float>(z.i(half, l));
        a[l][1] = b[l][1] = 0.0f;
    }
    for (int j0 = 1; j0 < half; j0 += kTile) {
        const int j1 = half - j0 < kTile ? half : j0 + kTile;
        for (int l = 0; l < lanes; ++l) {
            float* pa = a[l];
            float* pb = b[l];
            for (int j = j0; j < j1; ++j) {
                const double pr = z.r(j, l), pi = z.i(j, l);
                const double qr = z.r(w - j, l), qi = z.i(w - j, l);
                const int d = 2 * (half - j);
                pa[d] = static_cast<float>((pr + qr) * 0.5);
                pa[d + 1] = -static_cast<float>((pi - qi) * 0.5);
                pb[d] = static_cast<float>((pi + qi) * 0.5);
                pb[d + 1] = -static_cast<float>((qr - pr) * 0.5);
            }
        }
    }
}

void zeroLane(const Lanes& x, int l, int n, bool imaginary) {
    double* p = imaginary ? x.im : x.re;
    for (int k = 0; k < n; ++k)
        p[k * x.stride + l] = 0.0;
}

bool realRowPass(MTHANDLE in, MTHANDLE out) {
    const int w = MTGetWidth(in);
    const int h = MTGetHeight(in);
    const RowReader reader(in);
    // Even widths pair rows 2r and 2r+1; a row left over goes alone, as do
    // all rows of an odd width.
    const int pairs = w % 2 == 0 ? h / 2 : 0;
    const int count = pairs + (h - 2 * pairs);
    auto rowOf = [&](int seq) { return seq < pairs ? 2 * seq : seq + pairs; };
    // Lanes 0..paired-1 of a batch hold pairs, any after them single rows.
    auto pairedOf = [&](int first, int lanes) {
        return first >= pairs ? 0 : pairs - first < lanes ? pairs - first : lanes;
    };
    auto load = [&](int first, int lanes, const Lanes& x) {
        const int paired = pairedOf(first, lanes);
        int32_t even[kLanes], odd[kLanes];
        for (int l = 0; l < paired; ++l) {
            even[l] = 2 * (first + l);
            odd[l] = even[l] + 1;
        }
        reader.readRealLanes(even, paired, x.re, x.stride);
        reader.readRealLanes(odd, paired, x.im, x.stride);
        for (int l = paired; l < lanes; ++l) {
            reader.read(rowOf(first + l), x.re + l, nullptr, x.stride);
            zeroLane(x, l, w, true);
        }
    };
    auto store = [&](int first, int lanes, const Lanes& z) {
        const int paired = pairedOf(first, lanes);
        float* a[kLanes];
        float* b[kLanes];
        for (int l = 0; l < paired; ++l) {
            a[l] = complexRow(out, 2 * (first + l));
            b[l] = complexRow(out, 2 * (first + l) + 1);
        }
        storeRowPairs(a, b, z, paired, w);
        for (int l = paired; l < lanes; ++l)
            storeCentred(complexRow(out, rowOf(first + l)), z, l, w);
    };
    return runPass(w, count, load, store);
}

bool realInverseRowPass(MTHANDLE in, MTHANDLE out) {
    const int w = MTGetWidth(in);
    const int h = MTGetHeight(in);
    const RowReader reader(in);
    std::unique_ptr<double[]> row(new (std::nothrow) double[2 * static_cast<size_t>(w)]);
    if (!row) return false;
    // For even widths the rows past the middle are the conjugates of their
    // mirrors and are not read.
    const bool mirror = w % 2 == 0;
    const int count = mirror ? h / 2 + 1 : h;
    auto load = [&](int first, int lanes, const Lanes& x) {
        for (int l = 0; l < lanes; ++l) {
            reader.read(first + l, row.get(), row.get() + w, 1);
            loadUncentredConjugate(x, l, w, row.get(), row.get() + w);
        }
    };
    auto store = [&](int first, int lanes, const Lanes& s) {
        for (int l = 0; l < lanes; ++l) {
            const int y = first + l;
            const int my = mirrorIndex(y, h);
            float* dst = complexRow(out, y);
            float* twin = mirror && my != y ? complexRow(out, my) : nullptr;
            for (int k = 0; k < w; ++k) {
                const float re = static_cast<float>(s.r(k, l));
                const float im = static_cast<float>(-s.i(k, l));
                dst[2 * k] = re;
                dst[2 * k + 1] = im;
                if (twin) {
                    twin[2 * k] = re;
                    twin[2 * k + 1] = -im;
                }
            }
        }
    };
    return runPass(w, count, load, store);
}

// Even heights: columns 2p and 2p+1 go as u + i*v through one transform, the
// real result of each coming back as the real and the imaginary part; a last
// column of an odd width goes alone.
bool realInverseColumnPass(MTHANDLE m, double scale) {
    const int w = MTGetWidth(m);
    const int h = MTGetHeight(m);
    if (h % 2 != 0) return inverseColumnPass(m, scale);
    float** rows = reinterpret_cast<float**>(MTGetMatrixPointer(m));
    const int pairs = w / 2;
    const int count = pairs + w % 2;
    auto load = [&](int first, int lanes, const Lanes& x) {
        for (int k = 0; k < h; ++k) {
            const float* src = rows[centredIndex(k, h)];
            for (int l = 0; l < lanes; ++l) {
                const int p = first + l;
                const float* u = src + 4 * p;
                if (p < pairs) {
                    x.r(k, l) = static_cast<double>(u[0]) - u[3];
                    x.i(k, l) = -(static_cast<double>(u[1]) + u[2]);
                } else {
                    x.r(k, l) = u[0];
                    x.i(k, l) = -static_cast<double>(u[1]);
                }
            }
        }
    };
    auto store = [&](int first, int lanes, const Lanes& s) {
        for (int y = 0; y < h; ++y) {
            float* dst = rows[y];
            for (int l = 0; l < lanes; ++l) {
                const int p = first + l;
                float* u = dst + 4 * p;
                const float re = static_cast<float>(s.r(y, l) * scale);
                const float im = static_cast<float>(-s.i(y, l) * scale);
                if (p < pairs) {
                    u[0] = re;
                    u[1] = 0.0f;
                    u[2] = im;
                    u[3] = 0.0f;
                } else {
                    u[0] = re;
                    u[1] = im;
                }
            }
        }
    };
    return runPass(h, count, load, store);
}

} // namespace
} // namespace qd::fourier

using namespace qd::fourier;

extern "C" {

MTHANDLE RealFt2D(MTHANDLE in, MTHANDLE out) noexcept {
    return withComplexResult(in, out, [&](MTHANDLE res) {
        if (!realRowPass(in, res) || !forwardColumnPass(res, MTGetWidth(res) / 2 + 1)) return false;
        fillMirrorColumns(res);
        return true;
    });
}

MTHANDLE RealIFt2D(MTHANDLE in, MTHANDLE out) noexcept {
    return withComplexResult(in, out, [&](MTHANDLE res) {
        const double scale = 1.0 / MTGetWidth(res) / MTGetHeight(res);
        return realInverseRowPass(in, res) && realInverseColumnPass(res, scale);
    });
}

} // extern "C"
