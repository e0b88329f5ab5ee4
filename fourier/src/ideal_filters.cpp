// Ideal filters: elements are kept or removed by radius, boundaries kept.
#include <qd/fourier.h>

#include "radial_walk.h"

using namespace qd::fourier;

namespace {

double squareOfCutoff(double cutoff) { return cutoff > 0.0 ? cutoff * cutoff : 0.0; }

void clear(float* e) {
    e[0] = 0.0f;
    e[1] = 0.0f;
}

MTHANDLE band(MTHANDLE in, double lower2, double upper2, MTHANDLE out) {
    return filterSpectrum(in, out, [&](MTHANDLE s) {
        return forEachRadius(s, [&](double r2, float* e) {
            if (r2 < lower2 || r2 > upper2) clear(e);
        });
    });
}

} // namespace

extern "C" {

MTHANDLE LowPassFilter2D(MTHANDLE in, double cutoff, MTHANDLE out) noexcept {
    return filterSpectrum(in, out, [&](MTHANDLE s) {
        const double c2 = squareOfCutoff(cutoff);
        return forEachRadius(s, [&](double r2, float* e) {
            if (r2 > c2) clear(e);
        });
    });
}

MTHANDLE HighPassFilter2D(MTHANDLE in, double cutoff, MTHANDLE out) noexcept {
    return filterSpectrum(in, out, [&](MTHANDLE s) {
        const double c2 = squareOfCutoff(cutoff);
        return forEachRadius(s, [&](double r2, float* e) {
            if (r2 < c2) clear(e);
        });
    });
}

MTHANDLE BandPassFilter2D(MTHANDLE in, double lower, double upper, MTHANDLE out) noexcept {
    return band(in, squareOfCutoff(lower), squareOfCutoff(upper), out);
}

} // extern "C"
