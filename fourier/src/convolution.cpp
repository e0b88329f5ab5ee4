// Convolution and deconvolution through one complex transform that carries
// the image in its real part and the placed kernel in its imaginary part.
#include <cmath>
#include <memory>
#include <new>

#include <qd/fourier.h>

#include "fft_kernel.h"
#include "matrix_access.h"

using namespace qd::fourier;

namespace {

struct Spectra {
    double pr, pi; // F(x, y)
    double qr, qi; // F at the mirrored element
};

// Z = image + i * placed kernel. Kernel element (i, j) acts at offset
// (j - c, c - i) from the output pixel, wrapped once.
bool fillImageAndKernel(MTHANDLE in, MTHANDLE z, int32_t size, const double* kernel,
                        double divisor) {
    const int32_t w = MTGetWidth(in);
    const int32_t h = MTGetHeight(in);
    std::unique_ptr<double[]> row(new (std::nothrow) double[static_cast<size_t>(w)]);
    if (!row) return false;
    const RowReader reader(in);
    for (int32_t y = 0; y < h; ++y) {
        reader.read(y, row.get(), nullptr, 1);
        float* dst = complexRow(z, y);
        for (int32_t x = 0; x < w; ++x) {
            dst[2 * x] = static_cast<float>(row[x]);
            dst[2 * x + 1] = 0.0f;
        }
    }
    const double s = std::fabs(divisor) >= 1e-10 ? 1.0 / divisor : 1.0;
    const int32_t c = size / 2;
    for (int32_t i = 0; i < size; ++i) {
        for (int32_t j = 0; j < size; ++j) {
            int32_t x = j - c;
            int32_t y = c - i;
            if (x < 0) x += w;
            if (y < 0) y += h;
            // Added, not stored: a kernel wider than the image wraps onto
            // itself and each element must still count once.
            float* e = complexRow(z, y) + 2 * x + 1;
            *e = static_cast<float>(*e + s * kernel[static_cast<size_t>(size) * i + j]);
        }
    }
    return true;
}

// product(spectra, re, im) writes the spectrum of the result per element.
template <class Product>
MTHANDLE spectralProduct(MTHANDLE in, int32_t size, const double* kernel, double divisor,
                         MTHANDLE out, Product&& product) {
    const int32_t w = MTGetWidth(in);
    const int32_t h = MTGetHeight(in);
    // The input is never taken as the work matrix: it would be destroyed.
    if (out == in) out = nullptr;
    const int32_t c = size / 2;
    if (w < 1 || h < 1 || c >= w || c >= h || (size > 0 && !kernel)) {
        MTDestroy(out);
        return nullptr;
    }
    MTHANDLE z = fitComplexMatrix(in, out, w, h);
    if (!z) return nullptr;
    MTHANDLE f = fillImageAndKernel(in, z, size, kernel, divisor) ? Ft2D(z, z) : nullptr;
    MTHANDLE r = f ? MTCreate(w, h, MT_COMPLEX8) : nullptr;
    if (!r) {
        MTDestroy(z);
        return nullptr;
    }
    for (int32_t y = 0; y < h; ++y) {
        const float* p = complexRow(f, y);
        const float* q = complexRow(f, mirrorIndex(y, h));
        float* dst = complexRow(r, y);
        for (int32_t x = 0; x < w; ++x) {
            const int32_t mx = mirrorIndex(x, w);
            const Spectra sp{p[2 * x], p[2 * x + 1], q[2 * mx], q[2 * mx + 1]};
            double re = 0.0, im = 0.0;
            product(sp, re, im);
            dst[2 * x] = static_cast<float>(re);
            dst[2 * x + 1] = static_cast<float>(im);
        }
    }
    MTDestroy(f);
    MTHANDLE result = IFt2D(r, r);
    if (!result) MTDestroy(r);
    return result;
}

} // namespace

extern "C" {

MTHANDLE Convolution2D(MTHANDLE in, int32_t size, const double* kernel, double divisor,
                       MTHANDLE out) noexcept {
    // A * conj(K), with A and K the spectra of the image and the kernel.
    return spectralProduct(in, size, kernel, divisor, out,
                           [](const Spectra& s, double& re, double& im) {
                               re = 0.5 * (s.pr * s.qi + s.qr * s.pi);
                               im = 0.25 * (s.pr * s.pr + s.pi * s.pi - s.qr * s.qr - s.qi * s.qi);
                           });
}

MTHANDLE Deconvolution2D(MTHANDLE in, int32_t size, const double* kernel, double divisor,
                         MTHANDLE out) noexcept {
    // A / conj(K); where K nearly vanishes, 4 * A * K instead of a division.
    return spectralProduct(in, size, kernel, divisor, out,
                           [](const Spectra& s, double& re, double& im) {
                               const double dr = s.pr - s.qr;
                               const double di = s.pi + s.qi;
                               const double b = dr * dr + di * di;
                               const double t = b >= 1e-13 ? 1.0 / b : 1.0;
                               re = 2.0 * (s.pr * s.pi + s.qr * s.qi) * t;
                               im = (s.pi * s.pi - s.pr * s.pr + s.qr * s.qr - s.qi * s.qi) * t;
                           });
}

} // extern "C"
