#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include <qd/fourier.h>
#include <qd/memobj.h>

#include "reference.h"

namespace {

const int kSizes[] = {1, 2, 3, 4, 5, 6, 8, 10, 12, 15, 16, 30, 64, 100, 128};

// Single-precision results of double-precision work: errors stay near float
// rounding of the largest value.
void expectNear(const Grid& actual, const Grid& expected, const char* what) {
    const long double tol = 2e-6L * std::max<long double>(1.0L, maxModulus(expected));
    EXPECT_LE(maxError(actual, expected), tol) << what << " " << expected.w << "x" << expected.h;
}

bool sameBits(MTHANDLE a, MTHANDLE b) {
    return MTGetMemorySize(a) == MTGetMemorySize(b) &&
           std::memcmp(MTGetPointer(a), MTGetPointer(b), static_cast<size_t>(MTGetMemorySize(a))) ==
               0;
}

} // namespace

TEST(Transform2D, ForwardMatchesReferenceForAllSizes) {
    for (int w : kSizes)
        for (int h : kSizes) {
            const Grid g = randomGrid(w, h, true, static_cast<uint32_t>(w * 1000 + h));
            MTHANDLE m = makeMatrix(g, MT_COMPLEX8);
            MTHANDLE s = Ft2D(m, nullptr);
            ASSERT_NE(s, nullptr);
            EXPECT_EQ(MTGetFlags(s), MT_COMPLEX8);
            expectNear(readMatrix(s), referenceDft2D(g, false), "Ft2D");
            MTHANDLE back = IFt2D(s, nullptr);
            expectNear(readMatrix(back), g, "IFt2D(Ft2D)");
            MTDestroy(back);
            MTDestroy(s);
            MTDestroy(m);
        }
}

TEST(Transform2D, InverseMatchesReferenceOnAnySpectrum) {
    for (int w : {1, 3, 6, 8, 15, 30})
        for (int h : {1, 2, 5, 12, 16}) {
            const Grid g = randomGrid(w, h, true, static_cast<uint32_t>(w + 77 * h));
            MTHANDLE m = makeMatrix(g, MT_COMPLEX8);
            MTHANDLE r = IFt2D(m, nullptr);
            expectNear(readMatrix(r), referenceDft2D(g, true), "IFt2D");
            MTDestroy(r);
            MTDestroy(m);
        }
}

TEST(Transform2D, RealForwardMatchesReferenceAndIgnoresImaginaryParts) {
    for (int w : kSizes)
        for (int h : kSizes) {
            // Imaginary parts in the input must not reach the result.
            const Grid g = randomGrid(w, h, true, static_cast<uint32_t>(w * 31 + h));
            MTHANDLE m = makeMatrix(g, MT_COMPLEX8);
            MTHANDLE s = RealFt2D(m, nullptr);
            ASSERT_NE(s, nullptr);
            expectNear(readMatrix(s), referenceDft2D(realPart(g), false), "RealFt2D");
            MTHANDLE back = RealIFt2D(s, nullptr);
            const Grid b = readMatrix(back);
            expectNear(b, realPart(g), "RealIFt2D(RealFt2D)");
            // Columns that went through the transform in pairs carry exactly 0.
            if (h % 2 == 0) {
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w - w % 2; ++x)
                        ASSERT_EQ(b.at(x, y).imag(), 0.0L) << w << "x" << h;
            }
            MTDestroy(back);
            MTDestroy(s);
            MTDestroy(m);
        }
}

TEST(Transform2D, HandWorkedSpectra) {
    for (int w : {4, 5, 6})
        for (int h : {3, 8}) {
            // A constant c gives c*W*H at the centre and 0 elsewhere.
            MTHANDLE m = MTCreate(w, h, MT_FLOAT);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    MTSetReal(m, x, y, 2.5);
            for (MTHANDLE s : {Ft2D(m, nullptr), RealFt2D(m, nullptr)}) {
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        const double expected = x == w / 2 && y == h / 2 ? 2.5 * w * h : 0.0;
                        EXPECT_NEAR(MTReal(s, x, y), expected, 1e-5);
                        EXPECT_NEAR(MTImag(s, x, y), 0.0, 1e-5);
                    }
                MTDestroy(s);
            }
            MTDestroy(m);
            // A single 1 at (0, 0): every element is 1.
            m = MTCreate(w, h, MT_UCHAR);
            MTSetReal(m, 0, 0, 1.0);
            MTHANDLE s = Ft2D(m, nullptr);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    EXPECT_NEAR(MTReal(s, x, y), 1.0, 1e-6);
                    EXPECT_NEAR(MTImag(s, x, y), 0.0, 1e-6);
                }
            MTDestroy(s);
            MTDestroy(m);
        }
}

TEST(Transform2D, EveryInputTypeAndWindowReadsAsTheAccessorsDo) {
    const Grid g = randomGrid(10, 7, false, 5);
    Grid bytes = g;
    for (auto& c : bytes.v)
        c = cld(std::floor((c.real() + 1) * 100), 0);
    MTHANDLE asFloat = makeMatrix(bytes, MT_FLOAT);
    MTHANDLE expected = Ft2D(asFloat, nullptr);
    for (int32_t type :
         {MT_UCHAR, MT_SHORT, MT_USHORT, MT_LONG, MT_ULONG, MT_DOUBLE, MT_COMPLEX16}) {
        MTHANDLE m = makeMatrix(bytes, type);
        MTHANDLE s = Ft2D(m, nullptr);
        EXPECT_TRUE(sameBits(s, expected)) << type;
        MTDestroy(s);
        MTDestroy(m);
    }
    // A window inside a larger matrix is transformed as a matrix of its own.
    MTHANDLE big = MTCreate(14, 10, MT_FLOAT);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 10; ++x)
            MTSetReal(big, x + 3, y + 2, static_cast<double>(bytes.at(x, y).real()));
    ASSERT_EQ(MTSetWindow(big, 3, 2, 13, 9), 1);
    MTHANDLE s = Ft2D(big, nullptr);
    EXPECT_TRUE(sameBits(s, expected));
    MTDestroy(s);
    s = RealFt2D(big, nullptr);
    MTHANDLE realExpected = RealFt2D(asFloat, nullptr);
    EXPECT_TRUE(sameBits(s, realExpected));
    MTDestroy(realExpected);
    MTDestroy(s);
    MTDestroy(big);
    MTDestroy(expected);
    MTDestroy(asFloat);
}

TEST(OutputRule, FittingOutputIsReusedOthersReplaced) {
    const Grid g = randomGrid(6, 5, true, 9);
    MTHANDLE m = makeMatrix(g, MT_COMPLEX8);
    MTHANDLE fresh = Ft2D(m, nullptr);

    MTHANDLE fitting = MTCreate(6, 5, MT_COMPLEX8);
    EXPECT_EQ(Ft2D(m, fitting), fitting);
    EXPECT_TRUE(sameBits(fitting, fresh));
    MTDestroy(fitting);

    // Wrong size or wrong type: a new matrix of the right kind comes back.
    for (MTHANDLE wrong : {MTCreate(5, 5, MT_COMPLEX8), MTCreate(6, 5, MT_FLOAT)}) {
        MTHANDLE r = Ft2D(m, wrong);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(MTGetWidth(r), 6);
        EXPECT_EQ(MTGetHeight(r), 5);
        EXPECT_EQ(MTGetFlags(r), MT_COMPLEX8);
        EXPECT_TRUE(sameBits(r, fresh));
        MTDestroy(r);
    }

    // Results go through the row table, which ignores the window: an output
    // whose window is only part of it is replaced too.
    MTHANDLE windowed = MTCreate(8, 7, MT_COMPLEX8);
    ASSERT_EQ(MTSetWindow(windowed, 1, 1, 7, 6), 1);
    MTHANDLE r = Ft2D(m, windowed);
    // The allocator may hand the freed address straight back: judge by size.
    EXPECT_EQ(MTGetWidth(r), 6);
    EXPECT_EQ(MTGetHeight(r), 5);
    EXPECT_TRUE(sameBits(r, fresh));
    MTDestroy(r);

    // In place: the same handle, the same bits as into a new matrix.
    EXPECT_EQ(Ft2D(m, m), m);
    EXPECT_TRUE(sameBits(m, fresh));
    MTHANDLE back = makeMatrix(g, MT_COMPLEX8);
    MTHANDLE viaNew = RealFt2D(back, nullptr);
    EXPECT_EQ(RealFt2D(back, back), back);
    EXPECT_TRUE(sameBits(back, viaNew));
    MTDestroy(viaNew);
    MTDestroy(back);
    MTDestroy(fresh);
    MTDestroy(m);
}

TEST(OutputRule, InputPassedAsUnfitOutputSurvives) {
    // Passing an input of another type as its own output must not destroy
    // it before it is read.
    const Grid g = randomGrid(8, 4, false, 3);
    MTHANDLE m = makeMatrix(g, MT_FLOAT);
    MTHANDLE r = Ft2D(m, m);
    ASSERT_NE(r, m);
    expectNear(readMatrix(r), referenceDft2D(g, false), "Ft2D(m, m) of a float matrix");
    EXPECT_EQ(MTGetFlags(m), MT_FLOAT);
    EXPECT_EQ(MTReal(m, 3, 2), static_cast<double>(g.at(3, 2).real()));
    MTDestroy(r);
    MTDestroy(m);
}

namespace {

// Runs transforms of other lengths from inside the message pump, as other
// commands may while a long transform pumps messages.
int32_t busyPump() {
    static int calls = 0;
    static bool inside = false;
    if (inside) return 0; // the transforms below pump too
    inside = true;
    const int32_t lengths[] = {4, 16, 2};
    ARHANDLE a = ARCreate(lengths[calls++ % 3], MT_FLOAT);
    ARSetReal(a, 0, 1.0);
    ARHANDLE s = Fft1D(a, nullptr);
    ARDestroy(s);
    ARDestroy(a);
    MTHANDLE m = MTCreate(calls % 2 ? 3 : 6, 5, MT_FLOAT);
    MTDestroy(Ft2D(m, nullptr));
    MTDestroy(m);
    inside = false;
    return 1;
}

} // namespace

TEST(TwiddleCaches, StayCorrectWhenLengthsAlternate) {
    SetMessagePump(busyPump);
    for (int w : {12, 7, 16, 30})
        for (int h : {6, 9, 8}) {
            const Grid g = randomGrid(w, h, true, static_cast<uint32_t>(w * h));
            MTHANDLE m = makeMatrix(g, MT_COMPLEX8);
            MTHANDLE s = Ft2D(m, nullptr);
            expectNear(readMatrix(s), referenceDft2D(g, false), "Ft2D with pump");
            MTHANDLE r = RealFt2D(m, nullptr);
            expectNear(readMatrix(r), referenceDft2D(realPart(g), false), "RealFt2D with pump");
            MTDestroy(r);
            MTDestroy(s);
            MTDestroy(m);
        }
    SetMessagePump(nullptr);
}

TEST(Transform1D, MatchesReferenceForPowersOfTwo) {
    for (int n : {1, 2, 4, 8, 16, 64, 256}) {
        const Grid g = randomGrid(n, 1, true, static_cast<uint32_t>(n));
        ARHANDLE a = ARCreate(n, MT_COMPLEX8);
        for (int i = 0; i < n; ++i) {
            ARSetReal(a, i, static_cast<double>(g.v[i].real()));
            ARSetImag(a, i, static_cast<double>(g.v[i].imag()));
        }
        for (bool inverse : {false, true}) {
            ARHANDLE s = inverse ? IFft1D(a, nullptr) : Fft1D(a, nullptr);
            ASSERT_NE(s, nullptr);
            const auto ref = referenceDft(g.v, inverse);
            Grid got{n, 1, std::vector<cld>(static_cast<size_t>(n))};
            for (int i = 0; i < n; ++i)
                got.v[i] = cld(ARReal(s, i), ARImag(s, i));
            expectNear(got, Grid{n, 1, ref}, inverse ? "IFft1D" : "Fft1D");
            ARDestroy(s);
        }
        ARDestroy(a);
    }
}

TEST(Transform1D, LengthRules) {
    ARHANDLE six = ARCreate(6, MT_FLOAT);
    ARHANDLE out = ARCreate(6, MT_COMPLEX8);
    EXPECT_EQ(Fft1D(six, out), nullptr);
    EXPECT_EQ(IFft1D(six, out), nullptr);
    EXPECT_EQ(ARGetWidth(out), 6); // still alive and untouched
    ARDestroy(out);
    ARDestroy(six);

    ARHANDLE eight = ARCreate(8, MT_FLOAT);
    ARSetReal(eight, 1, 1.0);
    ARHANDLE r = Fft1D(eight, ARCreate(4, MT_COMPLEX8));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(ARGetWidth(r), 8);
    // x[1] = 1: X at frequency u is exp(-2*pi*i*u/8); element 4 holds u = 0,
    // element 5 holds u = 1.
    EXPECT_NEAR(ARReal(r, 4), 1.0, 1e-6);
    EXPECT_NEAR(ARReal(r, 5), std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(ARImag(r, 5), -std::sqrt(0.5), 1e-6);
    // In place, then back.
    EXPECT_EQ(IFft1D(r, r), r);
    EXPECT_NEAR(ARReal(r, 1), 1.0, 1e-6);
    EXPECT_NEAR(ARReal(r, 0), 0.0, 1e-6);
    ARDestroy(r);
    ARDestroy(eight);
}
