// Every operation run through qdcli gives what the library call gives when
// made directly on the same input.
#include <qd/colorprcs.h>
#include <qd/fourier.h>
#include <qd/prcs.h>
#include <qd/wavelet.h>

#include <qd/core/npy_file.h>
#include <qd/core/program_ops.h>

#include "cli_harness.h"

namespace cli {
namespace {

// The built-in "Diamond (3 X 3)" structuring element and "Gaussian" kernel.
int32_t diamond[9] = {0, 1, 0, 1, 1, 1, 0, 1, 0};
const MMKERNEL kDiamond = {"Diamond (3 X 3)", 3, diamond};
const double kGaussian[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};

struct MatrixCase {
    std::vector<std::string> args; // operation and options, before the inputs
    std::function<Matrix()> input;
    std::function<MTHANDLE(MTHANDLE)> direct;
};

Matrix grey() { return noise(16, 12, MT_SHORT); }
Matrix square() { return noise(16, 16, MT_FLOAT, 11); }
Matrix complexSquare() { return noise(16, 16, MT_COMPLEX8, 5); }
Matrix row() { return noise(16, 1, MT_FLOAT, 3); }
// Three blobs, one of them on the border.
Matrix blobs() {
    return makeMatrix(16, 12, MT_BINARY, [](int32_t x, int32_t y) {
        return (x >= 2 && x <= 5 && y >= 2 && y <= 4) || (x >= 9 && x <= 12 && y >= 6 && y <= 9) ||
                       (x == 15 && y <= 3) || (x >= 4 && x <= 6 && y >= 8 && y <= 10)
                   ? 1.0
                   : 0.0;
    });
}

std::vector<MatrixCase> matrixCases() {
    return {
        {{"StMedianFilter2D"}, grey, [](MTHANDLE m) { return StMedianFilter2D(m, nullptr); }},
        {{"StRankFilter2D", "--rank", "2"}, grey, [](MTHANDLE m) { return StRankFilter2D(m, 2, nullptr); }},
        {{"MedianFilter2D", "--kernel", "Diamond (3 X 3)"}, grey,
         [](MTHANDLE m) { return MedianFilter2D(m, &kDiamond, nullptr); }},
        {{"SimpleConvolution2D", "--kernel", "Gaussian"}, grey,
         [](MTHANDLE m) { return SimpleConvolution2D(m, 3, kGaussian, 16, nullptr); }},
        {{"SimpleConvolution2D", "--weights", "1,2,1;2,4,2;1,2,1", "--divisor", "8"}, grey,
         [](MTHANDLE m) { return SimpleConvolution2D(m, 3, kGaussian, 8, nullptr); }},
        // Divisor 0 is the library's to read (the weights undivided), not bad usage.
        {{"SimpleConvolution2D", "--kernel", "Gaussian", "--divisor", "0"}, grey,
         [](MTHANDLE m) { return SimpleConvolution2D(m, 3, kGaussian, 0, nullptr); }},
        {{"StEdgeDetect2D"}, grey, [](MTHANDLE m) { return StEdgeDetect2D(m, nullptr); }},
        {{"Erosion2D", "--kernel", "Diamond (3 X 3)"}, grey, [](MTHANDLE m) { return Erosion2D(m, &kDiamond, nullptr); }},
        {{"Dilation2D", "--weights", "0,1,0;1,1,1;0,1,0"}, grey,
         [](MTHANDLE m) { return Dilation2D(m, &kDiamond, nullptr); }},
        {{"Opening2D", "--kernel", "Diamond (3 X 3)"}, grey, [](MTHANDLE m) { return Opening2D(m, &kDiamond, nullptr); }},
        {{"Closing2D", "--kernel", "Diamond (3 X 3)"}, grey, [](MTHANDLE m) { return Closing2D(m, &kDiamond, nullptr); }},
        {{"TopHat2D", "--kernel", "Diamond (3 X 3)"}, grey, [](MTHANDLE m) { return TopHat2D(m, &kDiamond, nullptr); }},
        {{"StErosion2D"}, grey, [](MTHANDLE m) { return StErosion2D(m, nullptr); }},
        {{"StDilation2D"}, grey, [](MTHANDLE m) { return StDilation2D(m, nullptr); }},
        {{"BinOp2D", "--op", "2", "--value", "-2.5"}, grey, [](MTHANDLE m) { return BinOp2D(m, 2, -2.5, nullptr); }},
        {{"Resize2D", "--width", "7", "--height", "21"}, grey, [](MTHANDLE m) { return Resize2D(m, 7, 21, nullptr); }},
        {{"Duplicate2D"}, grey, [](MTHANDLE m) { return Duplicate2D(m, nullptr); }},
        {{"RealPart2D"}, complexSquare, [](MTHANDLE m) { return RealPart2D(m, nullptr); }},
        {{"ImaginaryPart2D"}, complexSquare, [](MTHANDLE m) { return ImaginaryPart2D(m, nullptr); }},
        {{"Contour"}, blobs, [](MTHANDLE m) { return Contour(m, nullptr); }},
        {{"Skeletonize"}, blobs, [](MTHANDLE m) { return Skeletonize(m, nullptr); }},
        {{"Triangulation"}, blobs, [](MTHANDLE m) { return Triangulation(m, nullptr); }},
        {{"VoronoiDiagram"}, blobs, [](MTHANDLE m) { return VoronoiDiagram(m, nullptr); }},
        {{"FindObjects", "--eight"}, blobs,
         [](MTHANDLE m) {
             MTHANDLE labels = nullptr;
             FindObjects(m, 1, 0, &labels);
             return labels;
         }},
        {{"Ft2D"}, complexSquare, [](MTHANDLE m) { return Ft2D(m, nullptr); }},
        {{"IFt2D"}, complexSquare, [](MTHANDLE m) { return IFt2D(m, nullptr); }},
        {{"RealFt2D"}, square, [](MTHANDLE m) { return RealFt2D(m, nullptr); }},
        {{"RealIFt2D"}, complexSquare, [](MTHANDLE m) { return RealIFt2D(m, nullptr); }},
        {{"LowPassFilter2D", "--cutoff", "0.3"}, square, [](MTHANDLE m) { return LowPassFilter2D(m, 0.3, nullptr); }},
        {{"HighPassFilter2D", "--cutoff", "0.3"}, square, [](MTHANDLE m) { return HighPassFilter2D(m, 0.3, nullptr); }},
        {{"BandPassFilter2D", "--lower", "0.1", "--upper", "0.5"}, square,
         [](MTHANDLE m) { return BandPassFilter2D(m, 0.1, 0.5, nullptr); }},
        {{"BWLowPassFilter2D", "--cutoff", "0.3", "--order", "2"}, square,
         [](MTHANDLE m) { return BWLowPassFilter2D(m, 0.3, 2, nullptr); }},
        {{"BWHighPassFilter2D", "--cutoff", "0.3", "--order", "3"}, square,
         [](MTHANDLE m) { return BWHighPassFilter2D(m, 0.3, 3, nullptr); }},
        {{"BWBandPassFilter2D", "--lower", "0.1", "--upper", "0.5", "--order", "2"}, square,
         [](MTHANDLE m) { return BWBandPassFilter2D(m, 0.1, 0.5, 2, nullptr); }},
        {{"HomomorphicFilter2D", "--cutoff", "0.4", "--low-gain", "0.5", "--high-gain", "2", "--order", "2"},
         square, [](MTHANDLE m) { return HomomorphicFilter2D(m, 0.4, 0.5, 2, 2, nullptr); }},
        {{"Convolution2D", "--kernel", "Gaussian"}, square,
         [](MTHANDLE m) { return Convolution2D(m, 3, kGaussian, 16, nullptr); }},
        {{"Deconvolution2D", "--kernel", "Gaussian"}, square,
         [](MTHANDLE m) { return Deconvolution2D(m, 3, kGaussian, 16, nullptr); }},
        {{"Convolution2D", "--kernel", "Gaussian", "--divisor", "0"}, square,
         [](MTHANDLE m) { return Convolution2D(m, 3, kGaussian, 0, nullptr); }},
        {{"AutoCorrelation2D"}, square, [](MTHANDLE m) { return AutoCorrelation2D(m, nullptr); }},
        {{"DauWt2D", "--n", "6"}, square, [](MTHANDLE m) { return DauWt2D(m, 6, nullptr); }},
        {{"DauIWt2D", "--n", "12"}, square, [](MTHANDLE m) { return DauIWt2D(m, 12, nullptr); }},
        {{"DauWt2D", "--n", "8"}, square, [](MTHANDLE m) { return DauWt2D(m, 8, nullptr); }},
        {{"bgsub", "--count", "2", "--operator", "erosion", "--kernel", "Diamond (3 X 3)"}, grey,
         [](MTHANDLE m) { return qd::backgroundSubtract(m, 2, false, kDiamond); }},
        {{"bgsub", "--count", "1", "--operator", "dilation", "--weights", "0,1,0;1,1,1;0,1,0"}, grey,
         [](MTHANDLE m) { return qd::backgroundSubtract(m, 1, true, kDiamond); }},
    };
}

using OperationsTest = CliTest;

TEST_F(OperationsTest, MatrixOperationsMatchTheDirectCall) {
    for (const MatrixCase& c : matrixCases()) {
        SCOPED_TRACE(c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : ""));
        Matrix in = c.input();
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {npy("in.npy", in.get()), "-o", "out.npy"});
        const Outcome o = run(args);
        ASSERT_EQ(o.code, 0) << o.err;
        Matrix expected(c.direct(in.get()));
        EXPECT_TRUE(sameMatrix(expected.get(), readNpy("out.npy").get()));
    }
}

TEST_F(OperationsTest, TwoInputOperationsAndOneRowTransforms) {
    Matrix a = grey(), b = noise(16, 12, MT_SHORT, 99);
    npy("a.npy", a.get());
    npy("b.npy", b.get());
    ASSERT_EQ(run({"ImageMath2D", "--op", "1", "a.npy", "b.npy", "-o", "d.npy"}).code, 0);
    Matrix diff(ImageMath2D(a.get(), b.get(), 1, nullptr));
    EXPECT_TRUE(sameMatrix(diff.get(), readNpy("d.npy").get()));
    ASSERT_EQ(run({"MakeComplex2D", "a.npy", "b.npy", "-o", "c.npy"}).code, 0);
    Matrix c(MakeComplex2D(a.get(), b.get(), nullptr));
    EXPECT_TRUE(sameMatrix(c.get(), readNpy("c.npy").get()));

    // The 1-D transforms take the one row as a complex array.
    Matrix r = row();
    npy("row.npy", r.get());
    ASSERT_EQ(run({"Fft1D", "row.npy", "-o", "f.npy"}).code, 0);
    ARHANDLE in = ARCreate(16, MT_COMPLEX16);
    for (int32_t x = 0; x < 16; ++x) ARSetComplex(in, x, MTComplex(r.get(), x, 0));
    ARHANDLE out = Fft1D(in, nullptr);
    Matrix f = readNpy("f.npy");
    ASSERT_TRUE(f);
    ASSERT_EQ(MTGetWidth(f.get()), ARGetWidth(out));
    for (int32_t x = 0; x < ARGetWidth(out); ++x) {
        EXPECT_EQ(MTComplex(f.get(), x, 0).re, ARComplex(out, x).re);
        EXPECT_EQ(MTComplex(f.get(), x, 0).im, ARComplex(out, x).im);
    }
    ARDestroy(in);
    ARDestroy(out);
    EXPECT_EQ(run({"IFft1D", "a.npy"}).code, 2) << "more than one row";
}

TEST_F(OperationsTest, SelectionRestrictsTheInputWindow) {
    Matrix in = grey();
    npy("in.npy", in.get());
    ASSERT_EQ(run({"Erosion2D", "--kernel", "Diamond (3 X 3)", "--select", "2,3,10,9", "in.npy", "-o", "e.npy"}).code, 0);
    MTSetWindow(in.get(), 2, 3, 10, 9);
    Matrix expected(Erosion2D(in.get(), &kDiamond, nullptr));
    EXPECT_EQ(MTGetWidth(expected.get()), 8);
    EXPECT_TRUE(sameMatrix(expected.get(), readNpy("e.npy").get()));
    EXPECT_EQ(run({"Erosion2D", "--kernel", "Diamond (3 X 3)", "--select", "2,3,40,9", "in.npy"}).code, 2);
    EXPECT_EQ(run({"Triangulation", "--select", "2,3,10,9", "in.npy"}).code, 2) << "works on whole images";
}

// Image operations: the colour library and the program's computations.
struct ImageCase {
    std::vector<std::string> args;
    std::function<IMHANDLE(IMHANDLE)> direct;
};

TEST_F(OperationsTest, ImageOperationsMatchTheDirectCall) {
    Matrix rgb = makeMatrix(8, 6, MT_RGB, [](int32_t x, int32_t y) {
        return double((uint32_t(x * 31) << 16) | (uint32_t(y * 40) << 8) | uint32_t((x + y) * 15));
    });
    const std::string file = npy("rgb.npy", rgb.get());
    Image source(qd::readNpyImage(path(file), nullptr));
    ASSERT_TRUE(source);
    const double w[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    const std::vector<ImageCase> cases = {
        {{"AdjustHSI", "--hue", "10", "--sat", "-20", "--inten", "5"},
         [](IMHANDLE im) { return AdjustHSI(im, 10, -20, 5, nullptr); }},
        {{"ChangeBrightnessAndContrast", "--brightness", "20", "--contrast", "-10"},
         [](IMHANDLE im) { return ChangeBrightnessAndContrast(im, 20, -10, nullptr); }},
        {{"ColorMedianFilter2D"}, [](IMHANDLE im) { return ColorMedianFilter2D(im, nullptr); }},
        {{"ColorErosion2D"}, [](IMHANDLE im) { return ColorErosion2D(im, nullptr); }},
        {{"ColorDilation2D"}, [](IMHANDLE im) { return ColorDilation2D(im, nullptr); }},
        {{"ColorEdgeDetect2D"}, [](IMHANDLE im) { return ColorEdgeDetect2D(im, nullptr); }},
        {{"ColorConvolution2D", "--kernel", "Low pass"},
         [w](IMHANDLE im) { return ColorConvolution2D(im, 3, w, 9, 0, 256, nullptr); }},
        {{"ColorFTConvolution2D", "--weights", "1,1,1;1,1,1;1,1,1", "--divisor", "9", "--lo", "-10", "--hi", "300"},
         [w](IMHANDLE im) { return ColorFTConvolution2D(im, 3, w, 9, -10, 300, nullptr); }},
        {{"ColorFTLowPass2D", "--cutoff", "0.4"},
         [](IMHANDLE im) { return ColorFTLowPass2D(im, 0.4, 1, 0, 0, 256, nullptr); }},
        {{"ColorFTHighPass2D", "--cutoff", "0.2", "--butterworth", "--order", "2"},
         [](IMHANDLE im) { return ColorFTHighPass2D(im, 0.2, 2, 1, 0, 256, nullptr); }},
        {{"ColorFTBandPass2D", "--lower", "0.1", "--upper", "0.6"},
         [](IMHANDLE im) { return ColorFTBandPass2D(im, 0.1, 0.6, 1, 0, 0, 256, nullptr); }},
        {{"ColorFTHomomorphicFilter2D", "--cutoff", "0.4", "--low-gain", "0.5", "--high-gain", "1.5", "--order", "2"},
         [](IMHANDLE im) { return ColorFTHomomorphicFilter2D(im, 0.4, 0.5, 1.5, 2, 0, 256, nullptr); }},
        {{"greyscale"}, [](IMHANDLE im) { return qd::greyScaleImage(im); }},
        {{"channel", "--green"}, [](IMHANDLE im) { return qd::channelImage(im, qd::ColourChannel::Green, nullptr); }},
    };
    for (const ImageCase& c : cases) {
        SCOPED_TRACE(c.args[0]);
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {file, "-o", "out.npy"});
        const Outcome o = run(args);
        ASSERT_EQ(o.code, 0) << o.err;
        Image expected(c.direct(source.get()));
        ASSERT_TRUE(expected);
        EXPECT_TRUE(sameMatrix(IMGetDataHandle(expected.get()), readNpy("out.npy").get()));
    }
    ASSERT_EQ(run({"ColorMakeRGB2D", file, file, file, "-o", "out.npy"}).code, 0);
    Image made(ColorMakeRGB2D(source.get(), source.get(), source.get(), nullptr));
    EXPECT_TRUE(sameMatrix(IMGetDataHandle(made.get()), readNpy("out.npy").get()));
}

TEST_F(OperationsTest, ColourOperationsTakePaletteImagesAsShown) {
    // Shown over 0 to 510, value v is level round(v / 2) in every channel.
    Matrix in = makeMatrix(4, 2, MT_UCHAR, [](int32_t x, int32_t y) { return 40.0 * x + y; });
    npy("in.npy", in.get());
    ASSERT_EQ(run({"ColorMakeRGB2D", "--range", "0,510", "in.npy", "in.npy", "in.npy", "-o", "rgb.npy"}).code, 0);
    Matrix rgb = readNpy("rgb.npy");
    ASSERT_TRUE(rgb);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 4; ++x) {
            const uint32_t level = uint32_t(40 * x + y + 1) / 2;
            EXPECT_EQ(MTRgb(rgb.get(), x, y), level * 0x010101u) << x << "," << y;
        }
    // The grey palette shows the same colours.
    ASSERT_EQ(run({"makergb", "--range", "0,510", "in.npy", "-o", "shown.npy"}).code, 0);
    EXPECT_TRUE(sameMatrix(rgb.get(), readNpy("shown.npy").get()));
}

TEST_F(OperationsTest, ThresholdsWorkOnTheDisplayedLevels) {
    Matrix in = grey();
    npy("in.npy", in.get());
    Image source(qd::readNpyImage(path("in.npy"), nullptr));
    ASSERT_EQ(run({"autothreshold", "in.npy", "-o", "t.npy"}).code, 0);
    Matrix expected(qd::autoThreshold(source.get()));
    EXPECT_TRUE(sameMatrix(expected.get(), readNpy("t.npy").get()));

    // A display range of 0 to 255 makes the levels the values themselves.
    ASSERT_EQ(run({"threshold", "--lower", "50", "--upper", "120", "--range", "0,255", "in.npy", "-o", "t.npy"}).code, 0);
    Matrix t = readNpy("t.npy");
    for (int32_t y = 0; y < 12; ++y)
        for (int32_t x = 0; x < 16; ++x) {
            const double v = MTReal(in.get(), x, y);
            ASSERT_EQ(MTRealInt(t.get(), x, y), v >= 50 && v <= 120 ? 1 : 0) << x << "," << y;
        }
}

} // namespace
} // namespace cli
