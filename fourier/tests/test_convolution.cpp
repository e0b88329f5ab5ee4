#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include <qd/fourier.h>
#include <qd/memobj.h>

#include "reference.h"

namespace {

int wrap(int v, int n) { return ((v % n) + n) % n; }

// out(x, y) = s * sum k(i, j) * in(x + j - c, y + c - i), wrapping around.
Grid circularConvolution(const Grid& in, int size, const std::vector<double>& k, double divisor) {
    const double s = std::fabs(divisor) >= 1e-10 ? 1.0 / divisor : 1.0;
    const int c = size / 2;
    Grid out = in;
    for (int y = 0; y < in.h; ++y)
        for (int x = 0; x < in.w; ++x) {
            long double sum = 0;
            for (int i = 0; i < size; ++i)
                for (int j = 0; j < size; ++j)
                    sum += s * k[static_cast<size_t>(i * size + j)] *
                           in.at(wrap(x + j - c, in.w), wrap(y + c - i, in.h)).real();
            out.at(x, y) = sum;
        }
    return out;
}

std::vector<double> randomKernel(int size, uint32_t seed) {
    const Grid g = randomGrid(size, size, false, seed);
    std::vector<double> k;
    for (const auto& c : g.v)
        k.push_back(static_cast<double>(c.real()));
    return k;
}

void expectReal(MTHANDLE r, const Grid& expected, const char* what) {
    ASSERT_NE(r, nullptr) << what;
    EXPECT_EQ(MTGetFlags(r), MT_COMPLEX8);
    const Grid got = readMatrix(r);
    const long double tol = 1e-5L * std::max<long double>(1.0L, maxModulus(expected));
    EXPECT_LE(maxError(got, expected), tol) << what << " " << expected.w << "x" << expected.h;
    MTDestroy(r);
}

} // namespace

TEST(Convolution, EqualsCircularConvolution) {
    struct Case {
        int w, h, size;
        double divisor;
    };
    // The last two have kernels wider than the image, wrapping onto themselves.
    for (const Case& t : {Case{9, 7, 3, 2.0}, Case{16, 10, 5, 0.0}, Case{8, 8, 1, -3.0},
                          Case{12, 5, 7, 1.0}, Case{3, 7, 5, 1.0}, Case{4, 4, 7, 1.0}}) {
        const Grid g = randomGrid(t.w, t.h, false, static_cast<uint32_t>(t.w * t.h + t.size));
        const auto k = randomKernel(t.size, static_cast<uint32_t>(t.size));
        MTHANDLE m = makeMatrix(g, MT_FLOAT);
        expectReal(Convolution2D(m, t.size, k.data(), t.divisor, nullptr),
                   circularConvolution(g, t.size, k, t.divisor), "convolution");
        MTDestroy(m);
    }
}

TEST(Convolution, HandWorkedKernels) {
    const Grid g = randomGrid(6, 5, false, 2);
    MTHANDLE m = makeMatrix(g, MT_FLOAT);
    // A single 1 at row 0, column 2 reads the pixel at (x + 1, y + 1).
    const double shift[9] = {0, 0, 1, 0, 0, 0, 0, 0, 0};
    Grid moved = g;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            moved.at(x, y) = g.at((x + 1) % 6, (y + 1) % 5);
    expectReal(Convolution2D(m, 3, shift, 1.0, nullptr), moved, "shift");
    // Divisor 0 acts as 1.
    expectReal(Convolution2D(m, 3, shift, 0.0, nullptr), moved, "shift, divisor 0");
    const double one = 1.0;
    expectReal(Convolution2D(m, 1, &one, 1.0, nullptr), g, "1x1 convolution");
    expectReal(Deconvolution2D(m, 1, &one, 1.0, nullptr), g, "1x1 deconvolution");
    MTDestroy(m);
}

TEST(Convolution, DeconvolutionUndoesConvolution) {
    const double k[9] = {1, 1, 1, 1, 10, 1, 1, 1, 1};
    for (auto [w, h] : {std::pair{8, 8}, {9, 7}, {5, 12}}) {
        const Grid g = randomGrid(w, h, false, static_cast<uint32_t>(w + h));
        MTHANDLE m = makeMatrix(g, MT_FLOAT);
        MTHANDLE blurred = Convolution2D(m, 3, k, 18.0, nullptr);
        ASSERT_NE(blurred, nullptr);
        expectReal(Deconvolution2D(blurred, 3, k, 18.0, nullptr), g, "deconvolution");
        MTDestroy(blurred);
        MTDestroy(m);
    }
}

TEST(Convolution, RefusesKernelsReachingPastTheImageAndKeepsTheInput) {
    const double k[49] = {1};
    MTHANDLE m = MTCreate(3, 8, MT_COMPLEX8);
    MTSetReal(m, 1, 1, 5.0);
    EXPECT_EQ(Convolution2D(m, 7, k, 1.0, MTCreate(3, 8, MT_COMPLEX8)), nullptr);
    EXPECT_EQ(Deconvolution2D(m, 7, k, 1.0, nullptr), nullptr);
    EXPECT_EQ(Convolution2D(m, 3, nullptr, 1.0, nullptr), nullptr);
    // The input passed as the work matrix is neither destroyed nor changed.
    const double one = 1.0;
    MTHANDLE r = Convolution2D(m, 1, &one, 1.0, m);
    ASSERT_NE(r, nullptr);
    EXPECT_NE(r, m);
    EXPECT_EQ(MTReal(m, 1, 1), 5.0);
    EXPECT_EQ(MTImag(m, 1, 1), 0.0);
    EXPECT_NEAR(MTReal(r, 1, 1), 5.0, 1e-5);
    MTDestroy(r);
    MTDestroy(m);
}

TEST(AutoCorrelation, DeltaAndConstant) {
    for (auto [w, h] : {std::pair{8, 6}, {5, 7}, {1, 4}}) {
        MTHANDLE m = MTCreate(w, h, MT_FLOAT);
        MTSetReal(m, w - 1, h / 3, 1.0);
        MTHANDLE r = AutoCorrelation2D(m, nullptr);
        ASSERT_NE(r, nullptr);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                EXPECT_NEAR(MTReal(r, x, y), x == w / 2 && y == h / 2 ? 1.0 : 0.0, 1e-6);
        MTDestroy(r);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                MTSetReal(m, x, y, 3.0);
        r = AutoCorrelation2D(m, nullptr);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                EXPECT_NEAR(MTReal(r, x, y), 9.0 * w * h, 1e-4);
        MTDestroy(r);
        MTDestroy(m);
    }
}

TEST(AutoCorrelation, EqualsCircularCorrelationWithZeroLagInTheCentre) {
    for (auto [w, h] : {std::pair{5, 7}, {6, 4}, {10, 9}}) {
        const Grid g = randomGrid(w, h, false, static_cast<uint32_t>(w * 7 + h));
        Grid expected = g;
        for (int ty = 0; ty < h; ++ty)
            for (int tx = 0; tx < w; ++tx) {
                long double sum = 0;
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        sum += g.at(x, y).real() * g.at((x + tx) % w, (y + ty) % h).real();
                expected.at((w / 2 + tx) % w, (h / 2 + ty) % h) = sum;
            }
        MTHANDLE m = makeMatrix(g, MT_FLOAT);
        MTHANDLE out = MTCreate(w, h, MT_COMPLEX8);
        MTHANDLE r = AutoCorrelation2D(m, out);
        EXPECT_EQ(r, out);
        expectReal(r, expected, "auto-correlation");
        MTDestroy(m);
    }
}
