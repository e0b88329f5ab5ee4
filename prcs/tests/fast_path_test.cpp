// The row-pointer paths against the element-by-element path (taken when
// the destination is a window of a larger matrix), bit for bit, on random
// images of every type they cover, odd sizes included, with the source as a
// whole matrix and as a window at an odd origin; and against naive
// reference loops written here.
#include "test_support.h"

#include <algorithm>
#include <functional>

using namespace prcs_test;

namespace {

const int32_t kRowTypes[] = {MT_UCHAR, MT_USHORT, MT_SHORT, MT_FLOAT, MT_DOUBLE, MT_BINARY};
const int32_t kSizes[][2] = {{1, 1}, {1, 6}, {7, 1}, {2, 2}, {37, 23}, {16, 9}, {64, 5}};

// f(src, dst) as the library function with its destination.
using Fn = std::function<MTHANDLE(MTHANDLE, MTHANDLE)>;

// f on the whole matrix and on the same pixels as a window at (x0, y0), both
// by the row paths, and on the window into a windowed destination, by the
// element path.
void expectSameOnEveryPath(const Fn& f, MTHANDLE whole, int32_t x0, int32_t y0, const std::string& what) {
    MTHANDLE windowed = windowAt(whole, x0, y0);
    const std::string where = what + ", type " + std::to_string(MTGetFlags(whole)) + ", " +
                              std::to_string(MTGetWidth(whole)) + " x " + std::to_string(MTGetHeight(whole)) +
                              " at " + std::to_string(x0) + ", " + std::to_string(y0);
    MTHANDLE fast = f(whole, nullptr), fastWindow = f(windowed, nullptr);
    MTHANDLE dst = windowedLike(fast);
    MTHANDLE slow = f(windowed, dst);
    EXPECT_EQ(slow, dst) << where;
    expectSameElements(fast, slow, where);
    expectSameElements(fastWindow, slow, where + " (window)");
    for (MTHANDLE m : {windowed, fast, fastWindow, slow}) MTDestroy(m);
}

// Random images of the given types and every size, at random odd origins.
void expectPathsAgree(const Fn& f, const std::string& what, const int32_t* types, size_t ntypes) {
    uint32_t seed = 1;
    std::mt19937 rng(seed);
    for (size_t t = 0; t < ntypes; ++t)
        for (const auto& size : kSizes) {
            MTHANDLE whole = randomMatrix(size[0], size[1], types[t], seed++);
            expectSameOnEveryPath(f, whole, 2 * int32_t(rng() % 8) + 1, int32_t(rng() % 4), what);
            MTDestroy(whole);
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
        expectPathsAgree([&](MTHANDLE m, MTHANDLE d) { return Erosion2D(m, &k, d); }, "erosion " + std::to_string(i));
        expectPathsAgree([&](MTHANDLE m, MTHANDLE d) { return Dilation2D(m, &k, d); }, "dilation " + std::to_string(i));
        ++i;
    }
}

TEST(FastPath, OpeningClosingTopHat) {
    const MMKernel k = circle5();
    expectPathsAgree([&](MTHANDLE m, MTHANDLE d) { return Opening2D(m, &k, d); }, "opening");
    expectPathsAgree([&](MTHANDLE m, MTHANDLE d) { return Closing2D(m, &k, d); }, "closing");
    expectPathsAgree([&](MTHANDLE m, MTHANDLE d) { return TopHat2D(m, &k, d); }, "top-hat");
}

TEST(FastPath, KernelMedian) {
    int32_t i = 0;
    for (const MMKernel& k : kernels())
        expectPathsAgree([&](MTHANDLE m, MTHANDLE d) { return MedianFilter2D(m, &k, d); }, "median " + std::to_string(i++));
}

TEST(FastPath, WrapAroundFilters) {
    expectPathsAgree([](MTHANDLE m, MTHANDLE d) { return StMedianFilter2D(m, d); }, "3 x 3 median");
    expectPathsAgree([](MTHANDLE m, MTHANDLE d) { return StErosion2D(m, d); }, "3 x 3 erosion");
    expectPathsAgree([](MTHANDLE m, MTHANDLE d) { return StDilation2D(m, d); }, "3 x 3 dilation");
    for (int32_t rank = 0; rank < 9; ++rank)
        expectPathsAgree([rank](MTHANDLE m, MTHANDLE d) { return StRankFilter2D(m, rank, d); },
                         "rank " + std::to_string(rank));
}

TEST(FastPath, ConvolutionEdgesAndArithmetic) {
    const double gauss[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
    std::vector<double> w5(25);
    for (size_t i = 0; i < w5.size(); ++i) w5[i] = double(i % 7) * 0.37 - 1.1;
    expectPathsAgree([&](MTHANDLE m, MTHANDLE d) { return SimpleConvolution2D(m, 3, gauss, 16, d); }, "gaussian");
    expectPathsAgree([&](MTHANDLE m, MTHANDLE d) { return SimpleConvolution2D(m, 5, w5.data(), 3, d); }, "5 x 5");
    // Five terms, and none at all.
    const double cross[9] = {0, -1.5, 0, 2, 0.25, 2, 0, -1.5, 0}, zeros[9] = {};
    expectPathsAgree([&](MTHANDLE m, MTHANDLE d) { return SimpleConvolution2D(m, 3, cross, 0, d); }, "cross");
    expectPathsAgree([&](MTHANDLE m, MTHANDLE d) { return SimpleConvolution2D(m, 3, zeros, 1, d); }, "zeros");
    expectPathsAgree([](MTHANDLE m, MTHANDLE d) { return StEdgeDetect2D(m, d); }, "edges");
    expectPathsAgree([](MTHANDLE m, MTHANDLE d) { return BinOp2D(m, 2, 3.0, d); }, "divide");
    expectPathsAgree([](MTHANDLE m, MTHANDLE d) { return Duplicate2D(m, d); }, "duplicate");
}

TEST(FastPath, StatisticsOfWindowsMatchANaiveScan) {
    for (int32_t type : kRowTypes) {
        MTHANDLE whole = randomMatrix(29, 17, type, 99);
        // Columns outer, as the element path adds them up.
        double sum = 0, squares = 0, lo = 1e300, hi = -1e300;
        for (int32_t x = 0; x < 29; ++x)
            for (int32_t y = 0; y < 17; ++y) {
                const double v = MTReal(whole, x, y);
                sum += v;
                squares += v * v;
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
        const double n = 29.0 * 17.0;
        for (MTHANDLE m : {whole, windowAt(whole, 3, 2), windowAt(whole, 8, 1)}) {
            StatisticsRecord r{};
            ASSERT_EQ(Statistics2D(m, &r), 1);
            EXPECT_EQ(r.sum, sum) << type;
            EXPECT_EQ(r.mean, sum / n) << type;
            EXPECT_EQ(r.variance, squares / n - (sum * sum) / (n * n)) << type;
            EXPECT_EQ(r.min, lo) << type;
            EXPECT_EQ(r.max, hi) << type;
            double mean = 0, variance = 0;
            Mean2D(m, &mean, &variance);
            EXPECT_EQ(variance, squares / n - (sum / n) * (sum / n)) << type;
            if (m != whole) MTDestroy(m);
        }
        MTDestroy(whole);
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
        MTHANDLE whole = makeMatrix(img, type);
        const std::vector<std::pair<Fn, std::string>> fns = {
            {[&](MTHANDLE m, MTHANDLE d) { return Erosion2D(m, &k, d); }, "erosion"},
            {[&](MTHANDLE m, MTHANDLE d) { return Dilation2D(m, &k, d); }, "dilation"},
            {[&](MTHANDLE m, MTHANDLE d) { return MedianFilter2D(m, &k, d); }, "median"},
            {[](MTHANDLE m, MTHANDLE d) { return StMedianFilter2D(m, d); }, "3 x 3 median"},
            {[](MTHANDLE m, MTHANDLE d) { return StRankFilter2D(m, 8, d); }, "rank 8"},
            {[](MTHANDLE m, MTHANDLE d) { return StErosion2D(m, d); }, "3 x 3 erosion"}};
        for (const auto& [f, what] : fns) expectSameOnEveryPath(f, whole, 5, 1, "special values, " + what);
        MTDestroy(whole);
    }
}

TEST(FastPath, WindowedSourcesNeverReadAroundTheirWindow) {
    // A constant window among the type's extremes: every filter must give
    // the constant back (0 for the gradient), and nothing else shows up.
    const MMKernel rect = rectangle(5), circle = circle5();
    const double gauss[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
    for (int32_t type : kRowTypes)
        for (double c : {0.0, 1.0}) {
            MTHANDLE plain = makeMatrix(constantRows(13, 7, c), type);
            MTHANDLE m = windowAt(plain, 3, 2);
            const std::string what = "type " + std::to_string(type) + ", constant " + std::to_string(int(c));
            const std::vector<std::pair<MTHANDLE, double>> results = {
                {Erosion2D(m, &rect, nullptr), c},     {Dilation2D(m, &rect, nullptr), c},
                {MedianFilter2D(m, &circle, nullptr), c}, {StMedianFilter2D(m, nullptr), c},
                {StRankFilter2D(m, 2, nullptr), c},    {StDilation2D(m, nullptr), c},
                {SimpleConvolution2D(m, 3, gauss, 16, nullptr), c},
                {StEdgeDetect2D(m, nullptr), 0.0},     {Duplicate2D(m, nullptr), c}};
            for (size_t i = 0; i < results.size(); ++i) {
                EXPECT_EQ(realRows(results[i].first), constantRows(13, 7, results[i].second)) << what << ", " << i;
                MTDestroy(results[i].first);
            }
            StatisticsRecord r{};
            Statistics2D(m, &r);
            EXPECT_EQ(r.min, c) << what;
            EXPECT_EQ(r.max, c) << what;
            MTDestroy(m);
            MTDestroy(plain);
        }
}

TEST(FastPath, WindowedBinaryAndLabelSources) {
    // Bit rows that start in the middle of a byte, and on one.
    for (int32_t x0 : {5, 8}) {
        MTHANDLE ones = makeMatrix(constantRows(11, 6, 1), MT_BINARY), zeros = makeMatrix(constantRows(11, 6, 0), MT_BINARY);
        MTHANDLE on = windowAt(ones, x0, 1), off = windowAt(zeros, x0, 1);
        MTHANDLE labels = nullptr;
        EXPECT_EQ(FindObjects(on, 1, 0, &labels), 1) << x0;
        EXPECT_EQ(realRows(labels), constantRows(11, 6, 1)) << x0;
        EXPECT_EQ(FindObjects(off, 1, 0, &labels), 0) << x0;
        MTHANDLE thin = Skeletonize(off, nullptr);
        EXPECT_EQ(realRows(thin), constantRows(11, 6, 0)) << x0;
        // One object filling a window of labels.
        MTHANDLE oneLabel = makeMatrix(constantRows(11, 6, 1), MT_USHORT), l = windowAt(oneLabel, x0, 1);
        ObjectPropertyRecord p[2]{};
        ASSERT_EQ(ObjectProperty(l, 1, 1, 0, p), 1);
        EXPECT_EQ(p[0].area, 66.0) << x0;
        EXPECT_EQ(p[0].perimeter, 30.0) << x0;
        EXPECT_EQ(p[0].holes, 0) << x0;
        for (MTHANDLE h : {ones, zeros, on, off, labels, thin, oneLabel, l}) MTDestroy(h);
    }
}
