// The kernels run several sequences in vector lanes; each lane must give
// bit for bit what the same sequence gives alone.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "fft_kernel.h"

using namespace qd::fourier;

TEST(KernelLanes, EveryLaneEqualsTheSequenceAlone) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    for (int n : {1, 2, 4, 8, 16, 64, 256, 6, 10, 12, 30, 100, 96, 3, 5, 15, 31}) {
        WorkBuffers batch, single;
        ASSERT_TRUE(batch.allocate(n, kLanes));
        ASSERT_TRUE(single.allocate(n, 1));
        std::vector<double> re(static_cast<size_t>(n) * kLanes), im(re.size());
        for (size_t i = 0; i < re.size(); ++i) {
            re[i] = dist(rng);
            im[i] = dist(rng);
        }
        std::memcpy(batch.xr, re.data(), re.size() * sizeof(double));
        std::memcpy(batch.xi, im.data(), im.size() * sizeof(double));
        ASSERT_TRUE(forwardTransform(n, kLanes, batch));
        for (int l = 0; l < kLanes; ++l) {
            for (int k = 0; k < n; ++k) {
                single.xr[k] = re[static_cast<size_t>(k * kLanes + l)];
                single.xi[k] = im[static_cast<size_t>(k * kLanes + l)];
            }
            ASSERT_TRUE(forwardTransform(n, 1, single));
            for (int k = 0; k < n; ++k) {
                ASSERT_EQ(batch.yr[k * kLanes + l], single.yr[k]) << n << " lane " << l;
                ASSERT_EQ(batch.yi[k * kLanes + l], single.yi[k]) << n << " lane " << l;
            }
        }
    }
}
