// Spot checks that the forwarders reach the right library function with the
// right arguments, and the few that differ from plain forwarding.
#include <gtest/gtest.h>
#include <qd/plugin.h>

#include <memory>

// In c_api.c: the header used from C.
extern "C" int pluginCApiSmoke(void);

namespace {

struct MatrixDeleter {
    void operator()(QDMatrix* m) const { MTDestroy(m); }
};
using Matrix = std::unique_ptr<QDMatrix, MatrixDeleter>;

struct ImageDeleter {
    void operator()(QDImage* im) const { IMDestroy(im); }
};
using Image = std::unique_ptr<QDImage, ImageDeleter>;

// An odd-sized ramp with a bright spot, so that transforms and filters give
// something other than zeros.
Matrix sample(int32_t w, int32_t h, int32_t type = MT_FLOAT) {
    Matrix m(MTCreate(w, h, type));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            MTSetReal(m.get(), x, y, x * 3 + y * 7 + (x == 2 && y == 3) * 90);
    return m;
}

void expectSameComplex(MTHANDLE a, MTHANDLE b) {
    ASSERT_EQ(MTGetFlags(a), MTGetFlags(b));
    ASSERT_EQ(MTGetWidth(a), MTGetWidth(b));
    ASSERT_EQ(MTGetHeight(a), MTGetHeight(b));
    for (int32_t y = 0; y < MTGetHeight(a); ++y)
        for (int32_t x = 0; x < MTGetWidth(a); ++x) {
            EXPECT_EQ(MTReal(a, x, y), MTReal(b, x, y)) << x << "," << y;
            EXPECT_EQ(MTImag(a, x, y), MTImag(b, x, y)) << x << "," << y;
        }
}

TEST(WithoutDestination, RealFt2DGivesANewSpectrumAndLeavesItsArgumentAlone) {
    Matrix m = sample(7, 6);
    Matrix before(Duplicate2D(m.get(), nullptr));
    Matrix spectrum(qdRealFt2D(m.get()));
    ASSERT_NE(spectrum, nullptr);
    EXPECT_NE(spectrum.get(), m.get());
    EXPECT_EQ(MTGetFlags(spectrum.get()), MT_COMPLEX8);
    expectSameComplex(m.get(), before.get());

    Matrix direct(RealFt2D(m.get(), nullptr));
    expectSameComplex(spectrum.get(), direct.get());
}

TEST(WithoutDestination, FiltersAndProcessingEqualTheLibraryWithNull) {
    Matrix m = sample(9, 8);
    Matrix spectrum(RealFt2D(m.get(), nullptr));
    Matrix low(qdBWLowPassFilter2D(spectrum.get(), 0.4, 2));
    Matrix lowDirect(BWLowPassFilter2D(spectrum.get(), 0.4, 2, nullptr));
    ASSERT_NE(low, nullptr);
    expectSameComplex(low.get(), lowDirect.get());

    Matrix edges(qdStEdgeDetect2D(m.get()));
    Matrix edgesDirect(StEdgeDetect2D(m.get(), nullptr));
    ASSERT_NE(edges, nullptr);
    expectSameComplex(edges.get(), edgesDirect.get());

    Matrix scaled(qdBinOp2D(m.get(), 1, 2.5));
    ASSERT_NE(scaled, nullptr);
    EXPECT_EQ(MTReal(scaled.get(), 2, 3), 2.5 * MTReal(m.get(), 2, 3));
}

TEST(ByValue, ComplexElementsOfMatricesAndArrays) {
    Matrix m(MTCreate(3, 2, MT_COMPLEX16));
    qdMTSetComplex(m.get(), 1, 1, MTCOMPLEX{2.5, -4.0});
    const MTCOMPLEX c = qdMTComplex(m.get(), 1, 1);
    EXPECT_EQ(c.re, 2.5);
    EXPECT_EQ(c.im, -4.0);
    EXPECT_EQ(qdMTComplex(m.get(), 0, 1).re, 0.0);

    ARHANDLE a = ARCreate(4, MT_COMPLEX8);
    qdARSetComplex(a, 2, MTCOMPLEX{1.5, 0.25});
    EXPECT_EQ(qdARComplex(a, 2).re, 1.5);
    EXPECT_EQ(qdARComplex(a, 2).im, 0.25);
    ARDestroy(a);
}

TEST(ByValue, RectanglesOfAnImage) {
    Image im(IMCreateFromMatrix(MTCreate(40, 30, MT_UCHAR)));
    ASSERT_NE(im, nullptr);
    const QDRECT draw = qdIMGetDrawRect(im.get());
    const QDRECT direct = IMGetDrawRect(im.get());
    EXPECT_EQ(draw.left, direct.left);
    EXPECT_EQ(draw.top, direct.top);
    EXPECT_EQ(draw.right, direct.right);
    EXPECT_EQ(draw.bottom, direct.bottom);
    const QDRECT image = qdIMGetImageRect(im.get());
    EXPECT_EQ(image.right - image.left, 40);
    EXPECT_EQ(image.bottom - image.top, 30);

    const QDRECT before = qdIMGetSelectedRect(im.get());
    const QDRECT previous = qdIMSetSelectedRect(im.get(), 2, 3, 12, 13);
    EXPECT_EQ(previous.right, before.right) << "the setter returns the old rectangle";
    const QDRECT now = qdIMGetSelectedRect(im.get());
    EXPECT_EQ(now.left, 2);
    EXPECT_EQ(now.bottom, 13);
}

TEST(Images, DisplayTypeIsTheDrawType) {
    Image im(IMCreateFromMatrix(MTCreate(8, 8, MT_COMPLEX8)));
    ASSERT_NE(im, nullptr);
    EXPECT_EQ(qdIMGetDisplayType(im.get()), qdIMGetDrawType(im.get()));
    const int32_t old = qdIMGetDrawType(im.get());
    EXPECT_EQ(qdIMSetDisplayType(im.get(), IM_MODULUS_LOG), old);
    EXPECT_EQ(qdIMGetDrawType(im.get()), IM_MODULUS_LOG);
    EXPECT_EQ(IMGetDrawType(im.get()), IM_MODULUS_LOG);
    EXPECT_EQ(qdIMGetDisplayType(im.get()), IM_MODULUS_LOG);
    EXPECT_EQ(qdIMSetDrawType(im.get(), IM_REAL_LINEAR), IM_MODULUS_LOG);
    EXPECT_EQ(qdIMGetDisplayType(im.get()), IM_REAL_LINEAR);
}

TEST(Classification, IsSignedAsTheMatrixSays) {
    for (int32_t type : {MT_SHORT, MT_USHORT, MT_UCHAR, MT_FLOAT}) {
        Matrix m(MTCreate(2, 2, type));
        EXPECT_EQ(qdMTIsSigned(m.get()), MTIsSigned(m.get())) << type;
    }
    Matrix s(MTCreate(2, 2, MT_SHORT));
    EXPECT_NE(qdMTIsSigned(s.get()), 0);
}

TEST(CApi, HeaderWorksFromC) { EXPECT_EQ(pluginCApiSmoke(), 1); }

} // namespace
