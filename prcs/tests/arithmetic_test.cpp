// Arithmetic, statistics, resizing, copying and complex parts.
#include "test_support.h"

using namespace prcs_test;

namespace {

MTHANDLE complexMatrix(const std::vector<MTCOMPLEX>& row, int32_t type = MT_COMPLEX8) {
    MTHANDLE m = MTCreate(int32_t(row.size()), 1, type);
    for (size_t x = 0; x < row.size(); ++x) MTSetComplex(m, int32_t(x), 0, row[x]);
    return m;
}

} // namespace

TEST(BinOp, RealSourcesGiveFloatWithoutClamping) {
    MTHANDLE m = makeMatrix({{250, 3}}, MT_UCHAR);
    MTHANDLE add = BinOp2D(m, 0, 10, nullptr), other = BinOp2D(m, 7, -5, nullptr);
    MTHANDLE mul = BinOp2D(m, 1, -2, nullptr), div = BinOp2D(m, 2, 4, nullptr);
    ASSERT_EQ(MTGetFlags(add), MT_FLOAT);
    EXPECT_EQ(realRows(add), (Rows{{260, 13}}));
    EXPECT_EQ(realRows(other), (Rows{{245, -2}}));
    EXPECT_EQ(realRows(mul), (Rows{{-500, -6}}));
    EXPECT_EQ(realRows(div), (Rows{{62.5, 0.75}}));
    for (MTHANDLE h : {add, other, mul, div, m}) MTDestroy(h);
}

TEST(BinOp, DivisionByAlmostZeroIsRefused) {
    MTHANDLE m = makeMatrix({{1}}, MT_DOUBLE);
    EXPECT_EQ(BinOp2D(m, 2, 1e-13, MTCreate(1, 1, MT_FLOAT)), nullptr);
    EXPECT_EQ(BinOp2D(m, 2, -1e-13, nullptr), nullptr);
    MTHANDLE r = BinOp2D(m, 2, 1e-12, nullptr);
    ASSERT_NE(r, nullptr);
    EXPECT_FLOAT_EQ(float(MTReal(r, 0, 0)), 1e12f);
    MTDestroy(r);
    // Multiplying by zero is fine.
    r = BinOp2D(m, 1, 0, nullptr);
    EXPECT_EQ(MTReal(r, 0, 0), 0);
    MTDestroy(r);
    MTDestroy(m);
}

TEST(BinOp, ComplexSourceTreatsBothPartsAlike) {
    MTHANDLE m = complexMatrix({{1, -2}}, MT_COMPLEX16);
    MTHANDLE add = BinOp2D(m, 0, 3, nullptr), mul = BinOp2D(m, 1, 2, nullptr);
    ASSERT_EQ(MTGetFlags(add), MT_COMPLEX8);
    EXPECT_EQ(MTImag(add, 0, 0), 1);
    EXPECT_EQ(MTReal(add, 0, 0), 4);
    EXPECT_EQ(MTImag(mul, 0, 0), -4);
    for (MTHANDLE h : {add, mul, m}) MTDestroy(h);
    MTHANDLE rgb = MTCreate(1, 1, MT_RGB);
    EXPECT_EQ(BinOp2D(rgb, 0, 1, nullptr), nullptr);
    MTDestroy(rgb);
}

TEST(ImageMath, RealOperators) {
    MTHANDLE a = makeMatrix({{7, 2}}, MT_SHORT), b = makeMatrix({{3, 5}}, MT_UCHAR);
    const Rows expected[4] = {{{10, 7}}, {{4, -3}}, {{21, 10}}, {{10, 7}}};
    const int32_t ops[4] = {0, 1, 2, 9};
    for (int32_t i = 0; i < 4; ++i) {
        MTHANDLE r = ImageMath2D(a, b, ops[i], nullptr);
        EXPECT_EQ(MTGetFlags(r), MT_FLOAT);
        EXPECT_EQ(realRows(r), expected[i]) << "op " << ops[i];
        MTDestroy(r);
    }
    MTDestroy(a);
    MTDestroy(b);
}

TEST(ImageMath, ComplexOperandMakesAComplexResult) {
    MTHANDLE c = complexMatrix({{1, 2}}), r = makeMatrix({{3}}, MT_FLOAT);
    MTHANDLE d = complexMatrix({{3, 4}}, MT_COMPLEX16);
    MTHANDLE cr = ImageMath2D(c, r, 2, nullptr), cd = ImageMath2D(c, d, 2, nullptr);
    MTHANDLE sub = ImageMath2D(r, c, 1, nullptr);
    ASSERT_EQ(MTGetFlags(cr), MT_COMPLEX8);
    EXPECT_EQ(MTReal(cr, 0, 0), 3);
    EXPECT_EQ(MTImag(cr, 0, 0), 6);
    EXPECT_EQ(MTReal(cd, 0, 0), -5);  // 3 - 8
    EXPECT_EQ(MTImag(cd, 0, 0), 10);  // 3 x 2 + 1 x 4
    EXPECT_EQ(MTReal(sub, 0, 0), 2);
    EXPECT_EQ(MTImag(sub, 0, 0), -2);
    for (MTHANDLE h : {c, r, d, cr, cd, sub}) MTDestroy(h);
}

TEST(ImageMath, RefusesDifferentSizesAndRgb) {
    MTHANDLE a = MTCreate(3, 2, MT_FLOAT), b = MTCreate(2, 3, MT_FLOAT), rgb = MTCreate(3, 2, MT_RGB);
    EXPECT_EQ(ImageMath2D(a, b, 0, MTCreate(3, 2, MT_FLOAT)), nullptr);
    EXPECT_EQ(ImageMath2D(a, rgb, 0, nullptr), nullptr);
    // A source passed as the destination is never destroyed.
    EXPECT_EQ(ImageMath2D(a, b, 0, a), nullptr);
    EXPECT_EQ(MTGetWidth(a), 3);
    for (MTHANDLE h : {a, b, rgb}) MTDestroy(h);
}

TEST(Statistics, MomentsAndExtremes) {
    MTHANDLE m = makeMatrix({{1, 2}, {3, 4}}, MT_USHORT);
    StatisticsRecord s{};
    ASSERT_EQ(Statistics2D(m, &s), 1);
    EXPECT_EQ(s.sum, 10);
    EXPECT_EQ(s.mean, 2.5);
    EXPECT_EQ(s.variance, 1.25);
    EXPECT_EQ(s.min, 1);
    EXPECT_EQ(s.max, 4);
    double sum = 0, mean = 0, var = -1;
    EXPECT_EQ(Sum2D(m, &sum), 1);
    EXPECT_EQ(sum, 10);
    EXPECT_EQ(Mean2D(m, &mean, &var), 1);
    EXPECT_EQ(mean, 2.5);
    EXPECT_EQ(var, 1.25);
    MTDestroy(m);
    MTHANDLE c = makeMatrix(constantRows(3, 5, -4), MT_CHAR);
    EXPECT_EQ(Mean2D(c, &mean, &var), 1);
    EXPECT_EQ(var, 0);
    MTDestroy(c);
}

TEST(Statistics, ComplexSourcesCountRealParts) {
    MTHANDLE c = complexMatrix({{1, 5}, {-3, 7}});
    double sum = 0, lo = 0, hi = 0;
    EXPECT_EQ(Sum2D(c, &sum), 1);
    EXPECT_EQ(sum, -2);
    EXPECT_EQ(MinMaxReal2D(c, &lo, &hi), 1);
    EXPECT_EQ(lo, -3);
    EXPECT_EQ(hi, 1);
    EXPECT_EQ(MinMaxImag2D(c, &lo, &hi), 1);
    EXPECT_EQ(lo, 5);
    EXPECT_EQ(hi, 7);
    MTDestroy(c);
}

TEST(Statistics, RgbIsRefusedAndOutputsStayUntouched) {
    MTHANDLE rgb = MTCreate(2, 2, MT_RGB);
    double a = 42, b = 43;
    StatisticsRecord s{7, 7, 7, 7, 7};
    EXPECT_EQ(Sum2D(rgb, &a), 0);
    EXPECT_EQ(Mean2D(rgb, &a, &b), 0);
    EXPECT_EQ(Statistics2D(rgb, &s), 0);
    EXPECT_EQ(MinMaxReal2D(rgb, &a, &b), 0);
    EXPECT_EQ(MinMaxImag2D(rgb, &a, &b), 0);
    EXPECT_EQ(MinMaxNorm2D(rgb, &a, &b), 0);
    EXPECT_EQ(a, 42);
    EXPECT_EQ(b, 43);
    EXPECT_EQ(s.sum, 7);
    MTDestroy(rgb);
}

TEST(MinMax, ImaginaryOfARealImageIsZero) {
    MTHANDLE m = makeMatrix({{5, 9}}, MT_UCHAR);
    double lo = -1, hi = -1;
    EXPECT_EQ(MinMaxImag2D(m, &lo, &hi), 1);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 0);
    MTDestroy(m);
}

TEST(MinMax, NormBoundsOfRealAndComplexImages) {
    struct Case {
        Rows img;
        double lo, hi;
    } cases[] = {{{{-5, 0, 3}}, 3, 5}, {{{-5, -2}}, 2, 5}, {{{1, 4}}, 1, 4}, {{{-1, 6}}, 1, 6}};
    for (const Case& c : cases) {
        MTHANDLE m = makeMatrix(c.img, MT_SHORT);
        double lo = 0, hi = 0;
        EXPECT_EQ(MinMaxNorm2D(m, &lo, &hi), 1);
        EXPECT_EQ(lo, c.lo);
        EXPECT_EQ(hi, c.hi);
        MTDestroy(m);
    }
    MTHANDLE z = complexMatrix({{3, 4}, {0, -1}, {-6, 8}}, MT_COMPLEX16);
    double lo = 0, hi = 0;
    EXPECT_EQ(MinMaxNorm2D(z, &lo, &hi), 1);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 10);
    MTDestroy(z);
}

TEST(Resize, NearestNeighbourDownAndUp) {
    MTHANDLE m = makeMatrix({{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}}, MT_UCHAR);
    MTHANDLE down = Resize2D(m, 2, 2, nullptr);
    ASSERT_EQ(MTGetFlags(down), MT_UCHAR);
    EXPECT_EQ(realRows(down), (Rows{{1, 3}, {9, 11}}));
    MTHANDLE up = Resize2D(down, 4, 3, nullptr);
    EXPECT_EQ(realRows(up), (Rows{{1, 1, 3, 3}, {1, 1, 3, 3}, {9, 9, 11, 11}}));
    EXPECT_EQ(Resize2D(m, 0, 2, MTCreate(2, 2, MT_UCHAR)), nullptr);
    EXPECT_EQ(Resize2D(m, 2, -1, nullptr), nullptr);
    for (MTHANDLE h : {m, down, up}) MTDestroy(h);
}

TEST(Resize, CopiesRgbAndComplexElements) {
    MTHANDLE rgb = MTCreate(2, 1, MT_RGB);
    MTSetRgb(rgb, 1, 0, 0x00A1B2C3);
    MTHANDLE r = Resize2D(rgb, 4, 1, nullptr);
    ASSERT_EQ(MTGetFlags(r), MT_RGB);
    EXPECT_EQ(MTRgb(r, 2, 0), 0x00A1B2C3u);
    EXPECT_EQ(MTRgb(r, 3, 0), 0x00A1B2C3u);
    EXPECT_EQ(MTRgb(r, 1, 0), 0u);
    MTHANDLE c = complexMatrix({{1.5, -2.5}});
    MTHANDLE rc = Resize2D(c, 2, 2, nullptr);
    EXPECT_EQ(MTImag(rc, 1, 1), -2.5);
    for (MTHANDLE h : {rgb, r, c, rc}) MTDestroy(h);
}

TEST(Duplicate, CopiesEveryTypeExactlyAndOnlyTheWindow) {
    MTHANDLE rgb = MTCreate(3, 2, MT_RGB);
    MTSetRgb(rgb, 2, 1, 0x00FF0102);
    MTHANDLE d = Duplicate2D(rgb, nullptr);
    EXPECT_EQ(MTRgb(d, 2, 1), 0x00FF0102u);
    MTDestroy(d);
    for (int32_t type : {MT_BINARY, MT_4BITS, MT_SHORT, MT_ULONG, MT_DOUBLE, MT_COMPLEX16}) {
        MTHANDLE m = randomMatrix(11, 5, type, 3);
        MTHANDLE copy = Duplicate2D(m, nullptr);
        expectSameElements(m, copy, "type " + std::to_string(type));
        // Rows that start inside a byte, and on one.
        for (int32_t x0 : {1, 8}) {
            MTHANDLE windowed = windowAt(m, x0, 2);
            MTHANDLE fromWindow = Duplicate2D(windowed, nullptr);
            expectSameElements(m, fromWindow, "window at " + std::to_string(x0) + ", type " + std::to_string(type));
            // Bits past the last element of a row stay 0.
            const int64_t bytes = MTGetMemorySize(copy);
            EXPECT_EQ(0, std::memcmp(MTGetPointer(copy), MTGetPointer(fromWindow), size_t(bytes))) << type;
            MTDestroy(windowed);
            MTDestroy(fromWindow);
        }
        MTDestroy(m);
        MTDestroy(copy);
    }
    MTDestroy(rgb);
}

TEST(ComplexParts, SplitAndMerge) {
    MTHANDLE c = complexMatrix({{1.5, -2}, {3, 4.25}}, MT_COMPLEX16);
    MTHANDLE re = RealPart2D(c, nullptr), im = ImaginaryPart2D(c, nullptr);
    ASSERT_EQ(MTGetFlags(re), MT_FLOAT);
    EXPECT_EQ(realRows(re), (Rows{{1.5, 3}}));
    EXPECT_EQ(realRows(im), (Rows{{-2, 4.25}}));
    MTHANDLE u = makeMatrix({{7, 8}}, MT_UCHAR);
    MTHANDLE joined = MakeComplex2D(u, im, nullptr);
    ASSERT_EQ(MTGetFlags(joined), MT_COMPLEX8);
    EXPECT_EQ(realRows(joined), (Rows{{7, 8}}));
    EXPECT_EQ(imagRows(joined), (Rows{{-2, 4.25}}));
    for (MTHANDLE h : {c, re, im, u, joined}) MTDestroy(h);
}

TEST(ComplexParts, RefusalsLeaveTheDestinationAlone) {
    MTHANDLE real = MTCreate(2, 2, MT_FLOAT), dst = MTCreate(2, 2, MT_FLOAT);
    MTHANDLE other = MTCreate(3, 2, MT_FLOAT), rgb = MTCreate(2, 2, MT_RGB);
    EXPECT_EQ(RealPart2D(real, dst), nullptr);
    EXPECT_EQ(ImaginaryPart2D(real, dst), nullptr);
    EXPECT_EQ(MakeComplex2D(real, other, dst), nullptr);
    EXPECT_EQ(MakeComplex2D(rgb, real, dst), nullptr);
    EXPECT_EQ(MTGetWidth(dst), 2);  // still alive
    for (MTHANDLE h : {real, dst, other, rgb}) MTDestroy(h);
}
