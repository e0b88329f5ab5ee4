// Exit codes, refusals, numeric output and its JSON form, --time, list.
#include <algorithm>
#include <sstream>

#include "cli_harness.h"

namespace cli {
namespace {

using ExitsTest = CliTest;

TEST_F(ExitsTest, StatisticsLinesAndJson) {
    Matrix m = makeMatrix(2, 2, MT_UCHAR, [](int32_t x, int32_t y) { return 1.0 + x + 2 * y; });
    npy("s.npy", m.get());
    // sum 10, mean 2.5, variance 7.5 - 6.25 = 1.25.
    const Outcome o = run({"stats", "s.npy"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out,
              "sum : 1.00000e+01\n"
              "mean : 2.50000e+00   standard deviation : 1.11803e+00\n"
              "minimum : 1   maximum : 4\n");
    const Outcome j = run({"stats", "--json", "s.npy"});
    EXPECT_EQ(j.out, "{\"sum\":10,\"mean\":2.5,\"standard_deviation\":1.118033988749895,\"minimum\":1,\"maximum\":4}\n");
    EXPECT_EQ(run({"Statistics2D", "s.npy"}).out, o.out);
    EXPECT_EQ(run({"Sum2D", "s.npy"}).out, "sum : 1.00000e+01\n");
    EXPECT_EQ(run({"MinMaxReal2D", "--select", "1,0,2,2", "s.npy"}).out, "minimum : 2   maximum : 4\n");

    // Floating-point images print the extremes in exponent form.
    Matrix f = makeMatrix(3, 1, MT_FLOAT, [](int32_t x, int32_t) { return x * 0.5 - 0.25; });
    npy("f.npy", f.get());
    EXPECT_EQ(run({"MinMaxReal2D", "f.npy"}).out, "minimum : -2.50000e-01   maximum : 7.50000e-01\n");
    // Unsigned 32-bit maxima print as they are, not wrapped negative.
    Matrix u = makeMatrix(2, 1, MT_ULONG, [](int32_t x, int32_t) { return x ? 4000000000.0 : 3.0; });
    npy("u.npy", u.get());
    EXPECT_EQ(run({"MinMaxReal2D", "u.npy"}).out, "minimum : 3   maximum : 4000000000\n");
}

TEST_F(ExitsTest, ColourModelConversionsTakeNoImage) {
    // Pure red: hue 0, saturation 1, intensity 1/3, and back.
    EXPECT_EQ(run({"RGB2HSI", "--value", "0xFF0000"}).out,
              "hue : 0.00000e+00   saturation : 1.00000e+00   intensity : 3.33333e-01\n");
    EXPECT_EQ(run({"HSI2RGB", "--hue", "0", "--sat", "1", "--inten", "0.3333333"}).out, "rgb : 0xFF0000\n");
    EXPECT_EQ(run({"HSI2RGB", "--hue", "0", "--sat", "1", "--inten", "0.3333333", "--json"}).out,
              "{\"rgb\":16711680}\n");
    EXPECT_EQ(run({"RGB2HSI", "--value", "0xFF0000", "in.npy"}).code, 2) << "no input file";
}

TEST_F(ExitsTest, ObjectTableAndJson) {
    // A 2 x 2 square and a 3 x 1 bar, apart.
    Matrix m = makeMatrix(8, 6, MT_BINARY, [](int32_t x, int32_t y) {
        return (x >= 1 && x <= 2 && y >= 1 && y <= 2) || (y == 4 && x >= 4 && x <= 6) ? 1.0 : 0.0;
    });
    npy("b.npy", m.get());
    const Outcome o = run({"objects", "b.npy", "-o", "labels.qdw"});
    ASSERT_EQ(o.code, 0) << o.err;
    std::istringstream lines(o.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "The number of identified objects is 2.");
    std::getline(lines, line);
    EXPECT_EQ(line, "Object\tArea\tPerimeter\tAngle\tMajor Axis\tMinor Axis\tnumber of holes\tRg");
    std::getline(lines, line);
    EXPECT_EQ(line.rfind("1\t4.000000e+00\t", 0), 0u) << line;
    std::getline(lines, line);
    EXPECT_EQ(line.rfind("2\t3.000000e+00\t", 0), 0u) << line;
    std::getline(lines, line);
    EXPECT_EQ(line.rfind("Total\t7.000000e+00\t", 0), 0u) << line;
    EXPECT_EQ(line.substr(line.size() - 9), "e+00\t\t\t\t0") << line;
    // The label image carries one number per object.
    EXPECT_NE(run({"info", "labels.qdw"}).out.find("overlays : 2\n"), std::string::npos);

    const Outcome j = run({"objects", "--json", "b.npy"});
    ASSERT_EQ(j.code, 0);
    EXPECT_EQ(j.out.rfind("{\"count\":2,\"objects\":[{\"object\":1,\"area\":4,", 0), 0u) << j.out;
    EXPECT_NE(j.out.find("{\"object\":2,\"area\":3,"), std::string::npos) << j.out;
    EXPECT_NE(j.out.find("\"total\":{\"area\":7,"), std::string::npos) << j.out;
}

TEST_F(ExitsTest, RefusalsExitOneAndWriteNothing) {
    Matrix a = noise(4, 4, MT_SHORT), b = noise(5, 4, MT_SHORT);
    npy("a.npy", a.get());
    npy("b.npy", b.get());
    const std::vector<std::string> before = files();
    const Outcome o = run({"MakeComplex2D", "a.npy", "b.npy", "-o", "c.npy"});
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err.rfind("MakeComplex2D: refused: ", 0), 0u) << o.err;
    EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1);
    EXPECT_EQ(files(), before);

    Matrix empty = makeMatrix(4, 4, MT_BINARY, [](int32_t, int32_t) { return 0.0; });
    npy("e.npy", empty.get());
    const Outcome none = run({"objects", "e.npy", "-o", "l.qdw"});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.err, "objects: refused: No Object !\n");
    EXPECT_FALSE(exists("l.qdw"));
    EXPECT_EQ(run({"Contour", "a.npy", "-o", "c.npy"}).code, 1) << "not binary";
    EXPECT_FALSE(exists("c.npy"));
}

TEST_F(ExitsTest, UsageErrorsExitTwoWithTheUsage) {
    Matrix a = noise(4, 4, MT_SHORT);
    npy("a.npy", a.get());
    const Outcome missing = run({"Erosion2D", "a.npy"});
    EXPECT_EQ(missing.code, 2);
    EXPECT_NE(missing.err.find("usage: qdcli Erosion2D --kernel NAME"), std::string::npos) << missing.err;
    EXPECT_EQ(run({"NoSuchOp2D", "a.npy"}).code, 2);
    EXPECT_EQ(run({"Erosion2D", "--kernel", "No such kernel", "a.npy"}).code, 2);
    EXPECT_EQ(run({"Erosion2D", "--rank", "3", "--kernel", "Diamond (3 X 3)", "a.npy"}).code, 2) << "foreign option";
    EXPECT_EQ(run({"StRankFilter2D", "--rank", "two", "a.npy"}).code, 2);
    EXPECT_EQ(run({"ImageMath2D", "--op", "0", "a.npy"}).code, 2) << "one input of two";
    EXPECT_EQ(run({"Duplicate2D", "a.npy", "-o", "a.gif"}).code, 2);
    EXPECT_EQ(run({"Duplicate2D", "--time", "0", "a.npy"}).code, 2);
    EXPECT_EQ(run({"Sum2D", "a.npy", "-o", "s.npy"}).code, 2) << "no image to write";
    EXPECT_EQ(run({"channel", "--red", "--blue", "a.npy"}).code, 2);
    EXPECT_EQ(run({"bgsub", "--count", "0", "--operator", "erosion", "--kernel", "Diamond (3 X 3)", "a.npy"}).code, 2);
    EXPECT_EQ(run({}).code, 2);
    EXPECT_FALSE(exists("a.gif"));
}

TEST_F(ExitsTest, FileErrorsExitThreeNamingTheFile) {
    const Outcome o = run({"Duplicate2D", "missing.qdw", "-o", "d.npy"});
    EXPECT_EQ(o.code, 3);
    EXPECT_NE(o.err.find("missing.qdw"), std::string::npos);
    Matrix a = noise(4, 4, MT_SHORT);
    npy("a.npy", a.get());
    const Outcome w = run({"Duplicate2D", "a.npy", "-o", "no/such/dir/d.npy"});
    EXPECT_EQ(w.code, 3);
    EXPECT_NE(w.err.find("no/such/dir/d.npy"), std::string::npos);
    // Missing options are bad usage even before the input is looked at.
    EXPECT_EQ(run({"Erosion2D", "missing.qdw"}).code, 2);
    EXPECT_EQ(run({"info", "nothing.bmp"}).code, 3);
}

TEST_F(ExitsTest, TimeReportsOnStandardErrorAndKeepsTheLastResult) {
    Matrix a = noise(16, 16, MT_FLOAT);
    npy("a.npy", a.get());
    const Outcome o = run({"RealFt2D", "--time", "3", "a.npy", "-o", "f.npy"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err.rfind("RealFt2D: min ", 0), 0u) << o.err;
    EXPECT_NE(o.err.find(" ms, median "), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("over 3 runs"), std::string::npos) << o.err;
    EXPECT_TRUE(exists("f.npy"));
    // Not a terminal: no progress line.
    EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\r'), 0);
}

TEST_F(ExitsTest, ListNamesEveryProcessingExport) {
    const Outcome o = run({"list"});
    ASSERT_EQ(o.code, 0);
    std::vector<std::string> names;
    std::istringstream lines(o.out);
    for (std::string line; std::getline(lines, line);) names.push_back(line.substr(0, line.find(' ')));
    for (const char* name :
         {"StMedianFilter2D", "StRankFilter2D", "MedianFilter2D", "SimpleConvolution2D", "StEdgeDetect2D", "Erosion2D",
          "Dilation2D", "Opening2D", "Closing2D", "TopHat2D", "StErosion2D", "StDilation2D", "ThresholdPun", "Contour",
          "Skeletonize", "Triangulation", "VoronoiDiagram", "FindObjects", "ObjectProperty", "BinOp2D", "ImageMath2D",
          "Sum2D", "Mean2D", "Statistics2D", "MinMaxReal2D", "MinMaxImag2D", "MinMaxNorm2D", "Resize2D", "Duplicate2D",
          "RealPart2D", "ImaginaryPart2D", "MakeComplex2D", "Fft1D", "IFft1D", "Ft2D", "IFt2D", "RealFt2D", "RealIFt2D",
          "LowPassFilter2D", "HighPassFilter2D", "BandPassFilter2D", "BWLowPassFilter2D", "BWHighPassFilter2D",
          "BWBandPassFilter2D", "HomomorphicFilter2D", "Convolution2D", "Deconvolution2D", "AutoCorrelation2D",
          "RGB2HSI", "HSI2RGB", "AdjustHSI", "ChangeBrightnessAndContrast", "ColorMakeRGB2D", "ColorMedianFilter2D", "ColorErosion2D",
          "ColorDilation2D", "ColorEdgeDetect2D", "ColorConvolution2D", "ColorFTConvolution2D", "ColorFTLowPass2D",
          "ColorFTHighPass2D", "ColorFTBandPass2D", "ColorFTHomomorphicFilter2D", "DauWt2D", "DauIWt2D", "greyscale",
          "channel", "autothreshold", "threshold", "stats", "objects", "bgsub"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
}

} // namespace
} // namespace cli
