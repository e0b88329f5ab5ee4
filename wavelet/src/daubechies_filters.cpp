#include "daubechies_filters.h"

#include <array>

namespace qd::wavelet {
namespace {

constexpr double kD4[] = {0.482962913145, 0.836516303738, 0.224143868042, -0.129409522551};

constexpr double kD6[] = {0.3326705529501,  0.8068915093111,   0.4598775021185,
                          -0.1350110200102, -0.08544127388201, 0.03522629188571};

constexpr double kD12[] = {0.11154074335,   0.494623890398,  0.751133908021,  0.315250351709,
                           -0.226264693965, -0.129766867567, 0.097501605587,  0.02752286553,
                           -0.031582039318, 0.000553842201,  0.004777257511,  -0.001077301085};

constexpr double kD20[] = {0.026670057901,  0.188176800078,  0.527201188932,  0.688459039454,
                           0.281172343661,  -0.249846424327, -0.195946274377, 0.127369340336,
                           0.093057364604,  -0.071394147166, -0.029457536822, 0.033212674059,
                           0.003606553567,  -0.010733175483, 0.001395351747,  0.001992405295,
                           -0.000685856695, -0.000116466855, 0.00009358867,   -0.000013264203};

// r[n-1-k] = (-1)^(k+1) c[k]: the detail filter is c reversed with every
// other sign flipped, which makes the pair orthogonal.
template <int N>
constexpr FilterPair makePair(const double (&c)[N]) {
    FilterPair p;
    p.n = N;
    for (int k = 0; k < N; ++k) {
        p.c[k] = c[k];
        p.r[N - 1 - k] = (k % 2 == 0) ? -c[k] : c[k];
    }
    return p;
}

constexpr std::array<FilterPair, 4> kPairs = {makePair(kD4), makePair(kD6), makePair(kD12),
                                              makePair(kD20)};

}  // namespace

const FilterPair* daubechiesFilter(int n) noexcept {
    for (const FilterPair& p : kPairs)
        if (p.n == n) return &p;
    return nullptr;
}

}  // namespace qd::wavelet
