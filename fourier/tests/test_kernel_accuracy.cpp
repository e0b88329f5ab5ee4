// Every element of a transform within 1e-9 of the largest element of a
// long-double reference, for every length up to 128 and the large lengths
// of each kind: powers of two, odd factors, a prime beyond the radices.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

#include "fft_kernel.h"
#include "reference.h"

using namespace qd::fourier;

namespace {

long double relativeError(int n, int lanes, int lane, const WorkBuffers& w,
                          const std::vector<cld>& input) {
    const std::vector<cld> centred = referenceDft(input, false);
    long double largest = 0, error = 0;
    for (int k = 0; k < n; ++k) {
        const cld expected = centred[static_cast<size_t>(centredIndex(k, n))];
        const cld actual(w.yr[k * lanes + lane], w.yi[k * lanes + lane]);
        largest = std::max(largest, std::abs(expected));
        error = std::max(error, std::abs(actual - expected));
    }
    return largest > 0 ? error / largest : error;
}

long double worstError(int n, int lanes, std::initializer_list<int> checked) {
    std::mt19937 rng(static_cast<uint32_t>(n * 31 + lanes));
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    WorkBuffers w;
    EXPECT_TRUE(w.allocate(n, lanes));
    std::vector<std::vector<cld>> inputs(static_cast<size_t>(lanes), std::vector<cld>(static_cast<size_t>(n)));
    for (int k = 0; k < n; ++k)
        for (int l = 0; l < lanes; ++l) {
            const double re = dist(rng), im = dist(rng);
            w.xr[k * lanes + l] = re;
            w.xi[k * lanes + l] = im;
            inputs[static_cast<size_t>(l)][static_cast<size_t>(k)] = cld(re, im);
        }
    EXPECT_TRUE(forwardTransform(n, lanes, w));
    long double worst = 0;
    for (int l : checked)
        worst = std::max(worst, relativeError(n, lanes, l, w, inputs[static_cast<size_t>(l)]));
    return worst;
}

} // namespace

TEST(KernelAccuracy, EveryLengthWithinOneBillionthOfTheLargestElement) {
    long double worst = 0;
    for (int n = 1; n <= 128; ++n)
        for (int lanes : {1, kLanes}) {
            const long double e = lanes == 1 ? worstError(n, 1, {0}) : worstError(n, kLanes, {0, 3, 7});
            EXPECT_LE(e, 1e-9L) << "length " << n << " lanes " << lanes;
            worst = std::max(worst, e);
        }
    for (int n : {1000, 1009, 1536, 2048}) {
        const long double e = worstError(n, kLanes, {0, 7});
        EXPECT_LE(e, 1e-9L) << "length " << n;
        worst = std::max(worst, e);
    }
    std::printf("largest relative error %.3Le\n", worst);
}
