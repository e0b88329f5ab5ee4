// Butterworth and homomorphic filters: the transfer function is tabulated
// once per call at M = max(W, H) radius steps of 2/M and looked up per
// element.
#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

#include <qd/fourier.h>

#include "radial_walk.h"

using namespace qd::fourier;

namespace {

// Gain 1/sqrt(2) at the cutoff.
const double kButterworth = std::sqrt(2.0) - 1.0;

double exponentOf(int32_t order) { return 2.0 * std::fabs(static_cast<double>(order)); }

double denominator(double ratio, double exponent) {
    return kButterworth * std::pow(ratio, exponent) + 1.0;
}

// fill(gain, M) sets the table; then every element is scaled by its entry.
template <class Fill> MTHANDLE applyTable(MTHANDLE in, MTHANDLE out, Fill&& fill) noexcept {
    return filterSpectrum(in, out, [&](MTHANDLE s) {
        const int size = std::max(MTGetWidth(s), MTGetHeight(s));
        const double m = size;
        std::vector<double> gain;
        try {
            gain.assign(static_cast<size_t>(size), 0.0);
        } catch (const std::bad_alloc&) {
            return false;
        }
        fill(gain, m);
        return forEachRadius(s, [&](double r2, float* e) {
            scaleElement(e, gain[static_cast<size_t>(gainIndex(r2, m, size))]);
        });
    });
}

double nonNegative(double v) { return v > 0.0 ? v : 0.0; }

// High-pass shape: gain(denominator) per step, 0 at the zero frequency.
template <class Gain>
void fillHighPass(std::vector<double>& g, double m, double d, double exponent, Gain&& gain) {
    g[0] = 0.0;
    for (size_t k = 1; k < g.size(); ++k)
        g[k] = gain(denominator(m * d / (2.0 * k), exponent));
}

} // namespace

extern "C" {

MTHANDLE BWLowPassFilter2D(MTHANDLE in, double cutoff, int32_t order, MTHANDLE out) noexcept {
    const double d = nonNegative(cutoff);
    const double n = exponentOf(order);
    return applyTable(in, out, [&](std::vector<double>& g, double m) {
        if (d < 1e-10) return; // everything removed
        for (size_t k = 0; k < g.size(); ++k)
            g[k] = 1.0 / denominator(2.0 * k / (m * d), n);
    });
}

MTHANDLE BWHighPassFilter2D(MTHANDLE in, double cutoff, int32_t order, MTHANDLE out) noexcept {
    const double d = nonNegative(cutoff);
    const double n = exponentOf(order);
    return applyTable(in, out, [&](std::vector<double>& g, double m) {
        if (d < 1e-10)
            g.assign(g.size(), 1.0); // nothing removed
        else
            fillHighPass(g, m, d, n, [](double den) { return 1.0 / den; });
    });
}

MTHANDLE BWBandPassFilter2D(MTHANDLE in, double lower, double upper, int32_t order,
                            MTHANDLE out) noexcept {
    // The bounds may come in either order.
    const double r0 = std::fabs(upper + lower) / 2.0;
    const double width = std::fabs(upper - lower);
    const double n = exponentOf(order);
    return applyTable(in, out, [&](std::vector<double>& g, double m) {
        if (r0 < 1e-10 || width < 1e-12) return; // everything removed
        // At radius 0 the ratio is infinite: the gain tends to 0, unless the
        // exponent is 0.
        g[0] = n == 0.0 ? 1.0 / denominator(1.0, 0.0) : 0.0;
        for (size_t k = 1; k < g.size(); ++k) {
            const double l = 2.0 * k / (m * r0);
            g[k] = 1.0 / denominator(r0 * (l * l - 1.0) / (l * width), n);
        }
    });
}

MTHANDLE HomomorphicFilter2D(MTHANDLE in, double cutoff, double lowGain, double highGain,
                             int32_t order, MTHANDLE out) noexcept {
    const int32_t w = MTGetWidth(in);
    const int32_t h = MTGetHeight(in);
    if (w < 1 || h < 1) return nullptr;
    std::unique_ptr<double[]> row(new (std::nothrow) double[static_cast<size_t>(w)]);
    if (!row) return nullptr;
    const RowReader reader(in);
    double minimum = 1e300;
    for (int32_t y = 0; y < h; ++y) {
        reader.read(y, row.get(), nullptr, 1);
        for (int32_t x = 0; x < w; ++x)
            minimum = std::min(minimum, row[x]);
    }
    MTHANDLE log = MTCreate(w, h, MT_FLOAT);
    if (!log) return nullptr;
    // The minimum maps to ln 1 = 0.
    const double shift = minimum - 1.0;
    float** rows = reinterpret_cast<float**>(MTGetMatrixPointer(log));
    for (int32_t y = 0; y < h; ++y) {
        reader.read(y, row.get(), nullptr, 1);
        for (int32_t x = 0; x < w; ++x)
            rows[y][x] = static_cast<float>(std::log(row[x] - shift));
    }
    const double d = nonNegative(cutoff);
    const double n = exponentOf(order);
    MTHANDLE s = applyTable(log, out, [&](std::vector<double>& g, double m) {
        if (d < 1e-10)
            g.assign(g.size(), highGain);
        else
            fillHighPass(g, m, d, n,
                         [&](double den) { return lowGain + (highGain - lowGain) / den; });
    });
    if (!s) {
        MTDestroy(log);
        return nullptr;
    }
    for (int32_t y = 0; y < h; ++y) {
        const float* src = complexRow(s, y);
        for (int32_t x = 0; x < w; ++x)
            rows[y][x] = static_cast<float>(std::exp(src[2 * x]));
    }
    MTDestroy(s);
    return log;
}

} // extern "C"
