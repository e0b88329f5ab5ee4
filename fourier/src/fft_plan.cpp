#include "fft_plan.h"

#include <cmath>
#include <new>

#include "fft_kernel.h"

namespace qd::fourier {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Above this prime factor a pass of its own costs more than the chirp
// convolution through a power-of-two transform of about twice the length.
constexpr int kLargestRadix = 47;

int largestPrimeFactor(int n) {
    int largest = 1;
    for (int p = 2; static_cast<long long>(p) * p <= n; ++p)
        while (n % p == 0) {
            largest = p;
            n /= p;
        }
    return n > 1 ? n : largest;
}

bool needsChirp(int n) { return largestPrimeFactor(n) > kLargestRadix; }

int chirpLengthFor(int n) {
    int m = 1;
    while (m < 2 * n - 1)
        m *= 2;
    return m;
}

// Eights first, then a four or a two, then the odd primes in increasing
// order.
std::vector<int> radices(int n) {
    std::vector<int> r;
    while (n % 8 == 0) {
        r.push_back(8);
        n /= 8;
    }
    if (n % 4 == 0) {
        r.push_back(4);
        n /= 4;
    }
    if (n % 2 == 0) {
        r.push_back(2);
        n /= 2;
    }
    for (int p = 3; n > 1; p += 2)
        while (n % p == 0) {
            r.push_back(p);
            n /= p;
        }
    return r;
}

bool hasOwnButterfly(int radix) {
    return radix == 2 || radix == 3 || radix == 4 || radix == 5 || radix == 8;
}

// Appends the roots exp(-2*pi*i*j/radix) and says where they start.
size_t addRoots(FftPlan& plan, int radix) {
    const size_t start = plan.rootr.size();
    for (int j = 0; j < radix; ++j) {
        const double a = 2.0 * kPi * j / radix;
        plan.rootr.push_back(std::cos(a));
        plan.rooti.push_back(-std::sin(a));
    }
    return start;
}

void buildStages(FftPlan& plan, int n) {
    int s = 1;
    int current = n;
    for (int r : radices(n)) {
        FftStage st;
        st.radix = r;
        st.m = current / r;
        st.s = s;
        st.offset = plan.twr.size();
        for (int p = 0; p < st.m; ++p)
            for (int k = 1; k < r; ++k) {
                // p * k < current: the angle needs no reduction.
                const double a = 2.0 * kPi * (p * k) / current;
                plan.twr.push_back(std::cos(a));
                plan.twi.push_back(-std::sin(a));
            }
        if (!hasOwnButterfly(r)) {
            // Equal radices come one after the other: they share their roots.
            const bool same = !plan.stages.empty() && plan.stages.back().radix == r;
            st.roots = same ? plan.stages.back().roots : addRoots(plan, r);
        }
        plan.stages.push_back(st);
        s *= r;
        current /= r;
    }
}

void buildSteps(FftPlan& plan, int n, int hFirst) {
    for (int h = hFirst; h < n;) {
        const int radix = combineRadix(n, h);
        const long long step = 2LL * n / (static_cast<long long>(radix) * h);
        for (int t = 0; t < h; ++t)
            for (int j = 1; j < radix; ++j) {
                // The angle pi*k/n with k < 2n: no reduction needed.
                const double a = kPi * static_cast<double>(j * t * step) / n;
                plan.stepr.push_back(std::cos(a));
                plan.stepi.push_back(-std::sin(a));
            }
        h *= radix;
    }
}

// Lengths whose power-of-two factor is at least their odd part, such as
// 1536 = 512 * 3: the in-place combining stages beat radix passes there.
bool mostlyTwos(int n) {
    int m = n;
    while (m % 2 == 0)
        m /= 2;
    return m > 1 && n / m >= m;
}

// Those lengths: the odd part goes through the radix passes, the factor of
// two through the combining stages.
bool buildEven(FftPlan& plan, int n) {
    int m = n;
    while (m % 2 == 0)
        m /= 2;
    plan.blocks = n / m;
    buildSteps(plan, n, m);
    plan.oddPart.reset(new (std::nothrow) FftPlan);
    if (!plan.oddPart) return false;
    plan.oddPart->n = m;
    buildStages(*plan.oddPart, m);
    return true;
}

void buildPowerOfTwo(FftPlan& plan, int n) {
    // The first sweep does the stages of half-lengths 1 and 2.
    buildSteps(plan, n, 4);
    plan.rev.resize(static_cast<size_t>(n));
    // Bit-reversed counter: add one at the top bit and carry downward.
    int r = 0;
    for (int i = 0; i < n; ++i) {
        plan.rev[static_cast<size_t>(i)] = r;
        int bit = n >> 1;
        while (bit > 0 && (r & bit)) {
            r ^= bit;
            bit >>= 1;
        }
        r |= bit;
    }
}

// exp(-pi*i*j^2/n) with j^2 reduced modulo 2n, so the angle stays small.
void chirp(int n, int j, double& re, double& im) {
    const long long q = (static_cast<long long>(j) * j) % (2LL * n);
    const double a = kPi * static_cast<double>(q) / n;
    re = std::cos(a);
    im = -std::sin(a);
}

bool buildChirp(FftPlan& plan, int n) {
    const int m = chirpLengthFor(n);
    plan.chirpLength = m;
    plan.inner.reset(new (std::nothrow) FftPlan);
    if (!plan.inner) return false;
    plan.inner->n = m;
    buildPowerOfTwo(*plan.inner, m);
    plan.chirpr.resize(static_cast<size_t>(n));
    plan.chirpi.resize(static_cast<size_t>(n));
    for (int j = 0; j < n; ++j)
        chirp(n, j, plan.chirpr[static_cast<size_t>(j)], plan.chirpi[static_cast<size_t>(j)]);
    // The filter is the conjugate chirp, wrapped around so that the
    // circular convolution of length m is the linear one.
    WorkBuffers w;
    if (!w.allocate(m, 1)) return false;
    for (int j = 0; j < m; ++j)
        w.xr[j] = w.xi[j] = 0.0;
    for (int j = 0; j < n; ++j) {
        w.xr[j] = plan.chirpr[static_cast<size_t>(j)];
        w.xi[j] = -plan.chirpi[static_cast<size_t>(j)];
        if (j > 0) {
            w.xr[m - j] = w.xr[j];
            w.xi[m - j] = w.xi[j];
        }
    }
    transformWithPlan(*plan.inner, 1, w);
    plan.filterr.resize(static_cast<size_t>(m));
    plan.filteri.resize(static_cast<size_t>(m));
    for (int k = 0; k < m; ++k) {
        plan.filterr[static_cast<size_t>(k)] = w.yr[k] / m;
        plan.filteri[static_cast<size_t>(k)] = w.yi[k] / m;
    }
    return true;
}

FftPlan* buildPlan(int n) noexcept {
    FftPlan* plan = new (std::nothrow) FftPlan;
    if (!plan) return nullptr;
    try {
        plan->n = n;
        if ((n & (n - 1)) == 0) {
            if (n >= 4) buildPowerOfTwo(*plan, n); // 1 and 2 need no table
        } else if (needsChirp(n)) {
            if (!buildChirp(*plan, n)) throw std::bad_alloc();
        } else if (mostlyTwos(n)) {
            if (!buildEven(*plan, n)) throw std::bad_alloc();
        } else
            buildStages(*plan, n);
    } catch (const std::bad_alloc&) {
        delete plan;
        return nullptr;
    }
    return plan;
}

std::unique_ptr<FftPlan> gPlan;

} // namespace

int workLength(int n) noexcept { return n > 1 && needsChirp(n) ? chirpLengthFor(n) : n; }

const FftPlan* fftPlan(int n) noexcept {
    if (gPlan && gPlan->n == n) return gPlan.get();
    // The old plan goes before the new one is built: never two at once.
    gPlan.reset();
    gPlan.reset(buildPlan(n));
    return gPlan.get();
}

} // namespace qd::fourier
