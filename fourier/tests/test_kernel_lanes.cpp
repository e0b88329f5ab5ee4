// The kernels run several sequences in vector lanes, in a build chosen by
// the processor; each lane must give bit for bit what the same sequence
// gives alone, in either build.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "fft_kernel.h"

using namespace qd::fourier;

namespace {

const int kLengths[] = {1,  2,  4,   8,  16,   64, 256, 2048, 6,  10,
                        12, 30, 100, 96, 1000, 3,  5,   15,   31, 125,
                     7,  49, 53, 97,  106, 127, 1009, 1536};

struct Input {
    int n, lanes;
    std::vector<double> re, im;
};

Input randomInput(int n, int lanes, uint32_t seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    Input in{n, lanes, std::vector<double>(static_cast<size_t>(n) * lanes), {}};
    in.im.resize(in.re.size());
    for (size_t i = 0; i < in.re.size(); ++i) {
        in.re[i] = dist(rng);
        in.im[i] = dist(rng);
    }
    return in;
}

void load(WorkBuffers& w, const Input& in) {
    std::memcpy(w.xr, in.re.data(), in.re.size() * sizeof(double));
    std::memcpy(w.xi, in.im.data(), in.im.size() * sizeof(double));
}

} // namespace

TEST(KernelLanes, EveryLaneEqualsTheSequenceAlone) {
    for (int n : kLengths) {
        const Input in = randomInput(n, kLanes, static_cast<uint32_t>(n));
        WorkBuffers batch, single;
        ASSERT_TRUE(batch.allocate(n, kLanes));
        ASSERT_TRUE(single.allocate(n, 1));
        load(batch, in);
        ASSERT_TRUE(forwardTransform(n, kLanes, batch));
        for (int l = 0; l < kLanes; ++l) {
            for (int k = 0; k < n; ++k) {
                single.xr[k] = in.re[static_cast<size_t>(k * kLanes + l)];
                single.xi[k] = in.im[static_cast<size_t>(k * kLanes + l)];
            }
            ASSERT_TRUE(forwardTransform(n, 1, single));
            for (int k = 0; k < n; ++k) {
                ASSERT_EQ(batch.yr[k * kLanes + l], single.yr[k]) << n << " lane " << l;
                ASSERT_EQ(batch.yi[k * kLanes + l], single.yi[k]) << n << " lane " << l;
            }
        }
    }
}

TEST(KernelLanes, ProcessorSpecificBuildEqualsThePortableOne) {
    for (int n : kLengths)
        for (int lanes : {1, kLanes}) {
            const Input in = randomInput(n, lanes, static_cast<uint32_t>(n + lanes));
            WorkBuffers a, b;
            ASSERT_TRUE(a.allocate(n, lanes));
            ASSERT_TRUE(b.allocate(n, lanes));
            load(a, in);
            load(b, in);
            ASSERT_TRUE(forwardTransform(n, lanes, a));
            ASSERT_TRUE(forwardTransformPortable(n, lanes, b));
            const size_t bytes = in.re.size() * sizeof(double);
            EXPECT_EQ(std::memcmp(a.yr, b.yr, bytes), 0) << n << " lanes " << lanes;
            EXPECT_EQ(std::memcmp(a.yi, b.yi, bytes), 0) << n << " lanes " << lanes;
        }
}
