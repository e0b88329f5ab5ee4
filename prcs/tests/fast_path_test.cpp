// The row-pointer paths (window = whole matrix) against the element-by-
// element path (the same pixels as the window of a wider matrix), bit for
// bit, on random images of every type they cover, odd sizes included; and
// against naive reference loops written here.
#include "test_support.h"

#include <algorithm>
#include <functional>

using namespace prcs_test;

namespace {

const int32_t kRowTypes[] = {MT_UCHAR, MT_USHORT, MT_SHORT, MT_FLOAT, MT_DOUBLE, MT_BINARY};
const int32_t kSizes[][2] = {{1, 1}, {1, 6}, {7, 1}, {2, 2}, {37, 23}, {16, 9}, {64, 5}};

using Fn = std::function<MTHANDLE(MTHANDLE)>;

void expectPathsAgree(const Fn& f, const std::string& what, const int32_t* types, size_t ntypes) {
    uint32_t seed = 1;
    for (size_t t = 0; t < ntypes; ++t)
        for (const auto& size : kSizes) {
            MTHANDLE whole = randomMatrix(size[0], size[1], types[t], seed++);
            MTHANDLE windowed = windowedCopy(whole);
            MTHANDLE fast = f(whole), slow = f(windowed);
            expectSameElements(fast, slow,
                               what + ", type " + std::to_string(types[t]) + ", " +
                                   std::to_string(size[0]) + " x " + std::to_string(size[1]));
            for (MTHANDLE m : {whole, windowed, fast, slow}) MTDestroy(m);
        }
}

void expectPathsAgree(const Fn& f, const std::string& what) {
    expectPathsAgree(f, what, kRowTypes, std::size(kRowTypes));
}

// Kernels of every shape the offset lists know: odd, even, off-centre,
// holes, negative entries.
std::vector<MMKernel> kernels() {
    return {rectangle(3), rectangle(5), circle5(), diamond3(),
            MMKernel(2, {1, 1, 0, 1}),
            MMKernel(4, {0, 1, 0, 0, 1, 1, 0, 2, 0, 0, 0, 1, 1, 0, -1, 0}),
            MMKernel(3, {0, 0, 0, 0, 0, 0, 0, 0, 1}),
            MMKernel(1, {1}),
            MMKernel(7, [] {
                std::vector<int32_t> v(49, 0);
                v[3] = v[21] = v[27] = v[45] = 1;
                return v;
            }())};
}

} // namespace

TEST(FastPath, ErosionAndDilation) {
    int32_t i = 0;
    for (const MMKernel& k : kernels()) {
        expectPathsAgree([&](MTHANDLE m) { return Erosion2D(m, &k, nullptr); }, "erosion " + std::to_string(i));
        expectPathsAgree([&](MTHANDLE m) { return Dilation2D(m, &k, nullptr); }, "dilation " + std::to_string(i));
        ++i;
    }
}

TEST(FastPath, OpeningClosingTopHat) {
    const MMKernel k = circle5();
    expectPathsAgree([&](MTHANDLE m) { return Opening2D(m, &k, nullptr); }, "opening");
    expectPathsAgree([&](MTHANDLE m) { return Closing2D(m, &k, nullptr); }, "closing");
    expectPathsAgree([&](MTHANDLE m) { return TopHat2D(m, &k, nullptr); }, "top-hat");
}

TEST(FastPath, KernelMedian) {
    int32_t i = 0;
    for (const MMKernel& k : kernels())
        expectPathsAgree([&](MTHANDLE m) { return MedianFilter2D(m, &k, nullptr); }, "median " + std::to_string(i++));
}

TEST(FastPath, WrapAroundFilters) {
    expectPathsAgree([](MTHANDLE m) { return StMedianFilter2D(m, nullptr); }, "3 x 3 median");
    expectPathsAgree([](MTHANDLE m) { return StErosion2D(m, nullptr); }, "3 x 3 erosion");
    expectPathsAgree([](MTHANDLE m) { return StDilation2D(m, nullptr); }, "3 x 3 dilation");
    for (int32_t rank = 0; rank < 9; ++rank)
        expectPathsAgree([rank](MTHANDLE m) { return StRankFilter2D(m, rank, nullptr); },
                         "rank " + std::to_string(rank));
}

TEST(FastPath, ConvolutionEdgesAndArithmetic) {
    const double gauss[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
    std::vector<double> w5(25);
    for (size_t i = 0; i < w5.size(); ++i) w5[i] = double(i % 7) * 0.37 - 1.1;
    expectPathsAgree([&](MTHANDLE m) { return SimpleConvolution2D(m, 3, gauss, 16, nullptr); }, "gaussian");
    expectPathsAgree([&](MTHANDLE m) { return SimpleConvolution2D(m, 5, w5.data(), 3, nullptr); }, "5 x 5");
    // Five terms, and none at all.
    const double cross[9] = {0, -1.5, 0, 2, 0.25, 2, 0, -1.5, 0}, zeros[9] = {};
    expectPathsAgree([&](MTHANDLE m) { return SimpleConvolution2D(m, 3, cross, 0, nullptr); }, "cross");
    expectPathsAgree([&](MTHANDLE m) { return SimpleConvolution2D(m, 3, zeros, 1, nullptr); }, "zeros");
    expectPathsAgree([](MTHANDLE m) { return StEdgeDetect2D(m, nullptr); }, "edges");
    expectPathsAgree([](MTHANDLE m) { return BinOp2D(m, 2, 3.0, nullptr); }, "divide");
    expectPathsAgree([](MTHANDLE m) { return Duplicate2D(m, nullptr); }, "duplicate");
}

TEST(FastPath, Statistics) {
    for (int32_t type : kRowTypes) {
        MTHANDLE whole = randomMatrix(29, 17, type, 99), windowed = windowedCopy(whole);
        StatisticsRecord a{}, b{};
        Statistics2D(whole, &a);
        Statistics2D(windowed, &b);
        EXPECT_EQ(0, std::memcmp(&a, &b, sizeof a)) << type;
        double s1 = 0, s2 = 0, m1 = 0, m2 = 0, v1 = 0, v2 = 0;
        Sum2D(whole, &s1);
        Sum2D(windowed, &s2);
        EXPECT_EQ(s1, s2) << type;
        Mean2D(whole, &m1, &v1);
        Mean2D(windowed, &m2, &v2);
        EXPECT_EQ(m1, m2) << type;
        EXPECT_EQ(v1, v2) << type;
        MinMaxNorm2D(whole, &m1, &v1);
        MinMaxNorm2D(windowed, &m2, &v2);
        EXPECT_EQ(m1, m2) << type;
        EXPECT_EQ(v1, v2) << type;
        MTDestroy(whole);
        MTDestroy(windowed);
    }
}

TEST(FastPath, ErosionMatchesANaiveMinimum) {
    // The offsets written out by hand for "Circle (5 X 5)".
    const MMKernel k = circle5();
    for (int32_t type : kRowTypes) {
        MTHANDLE m = randomMatrix(19, 11, type, 5);
        MTHANDLE e = Erosion2D(m, &k, nullptr);
        for (int32_t y = 0; y < 11; ++y)
            for (int32_t x = 0; x < 19; ++x) {
                double lo = 1e300;
                for (int32_t dy = -2; dy <= 2; ++dy)
                    for (int32_t dx = -2; dx <= 2; ++dx) {
                        if ((dx == -2 || dx == 2) && (dy == -2 || dy == 2)) continue;
                        lo = std::min(lo, MTReal(m, std::clamp(x + dx, 0, 18), std::clamp(y + dy, 0, 10)));
                    }
                ASSERT_EQ(MTReal(e, x, y), lo) << type << " at " << x << ", " << y;
            }
        MTDestroy(e);
        MTDestroy(m);
    }
}

TEST(FastPath, MediansMatchASortedNeighbourhood) {
    const MMKernel k = circle5();
    for (int32_t type : kRowTypes) {
        MTHANDLE m = randomMatrix(13, 10, type, 8);
        MTHANDLE med = MedianFilter2D(m, &k, nullptr), st = StMedianFilter2D(m, nullptr);
        for (int32_t y = 0; y < 10; ++y)
            for (int32_t x = 0; x < 13; ++x) {
                std::vector<double> v;
                for (int32_t dy = -2; dy <= 2; ++dy)
                    for (int32_t dx = -2; dx <= 2; ++dx)
                        if (!((dx == -2 || dx == 2) && (dy == -2 || dy == 2)))
                            v.push_back(MTReal(m, std::clamp(x + dx, 0, 12), std::clamp(y + dy, 0, 9)));
                std::sort(v.begin(), v.end());
                ASSERT_EQ(MTReal(med, x, y), v[10]) << type << " at " << x << ", " << y;
                std::vector<double> w;
                for (int32_t dy = -1; dy <= 1; ++dy)
                    for (int32_t dx = -1; dx <= 1; ++dx) w.push_back(MTReal(m, (x + dx + 13) % 13, (y + dy + 10) % 10));
                std::sort(w.begin(), w.end());
                ASSERT_EQ(MTReal(st, x, y), w[4]) << type << " at " << x << ", " << y;
            }
        MTDestroy(med);
        MTDestroy(st);
        MTDestroy(m);
    }
}

TEST(FastPath, FloatSpecialValuesFollowTheComparisons) {
    // NaN never wins a comparison and never enters a slot; signed zeros keep
    // the first one met.
    const double nan = std::nan("");
    const Rows img = {{nan, -0.0, 0.0, 5}, {0.0, nan, -0.0, -1}, {nan, nan, nan, 2}};
    const MMKernel k = rectangle(3);
    for (int32_t type : {MT_FLOAT, MT_DOUBLE}) {
        MTHANDLE whole = makeMatrix(img, type), windowed = windowedCopy(whole);
        std::vector<std::pair<MTHANDLE, MTHANDLE>> pairs = {
            {Erosion2D(whole, &k, nullptr), Erosion2D(windowed, &k, nullptr)},
            {Dilation2D(whole, &k, nullptr), Dilation2D(windowed, &k, nullptr)},
            {MedianFilter2D(whole, &k, nullptr), MedianFilter2D(windowed, &k, nullptr)},
            {StMedianFilter2D(whole, nullptr), StMedianFilter2D(windowed, nullptr)},
            {StRankFilter2D(whole, 8, nullptr), StRankFilter2D(windowed, 8, nullptr)},
            {StErosion2D(whole, nullptr), StErosion2D(windowed, nullptr)}};
        for (auto& [a, b] : pairs) {
            expectSameElements(a, b, "special values, type " + std::to_string(type));
            MTDestroy(a);
            MTDestroy(b);
        }
        MTDestroy(whole);
        MTDestroy(windowed);
    }
}
