// Neighbourhood filters, morphology, arithmetic, statistics and geometry.
#include <qd/prcs.h>

#include "op_helpers.h"
#include "report.h"

namespace qdcli {
namespace {

// A statistics export: fn fills values and returns 0 when it refuses.
template <class Fill> Operation statisticsOperation(const char* name, const char* summary, Fill fill) {
    return {.name = name,
            .summary = summary,
            .makesImage = false,
            .prepare = [fill](const Call& call) -> Run {
                MTHANDLE m = call.matrix();
                return [fill, m] { return fill(m); };
            }};
}

template <int32_t (*Fn)(MTHANDLE, double*, double*)> Product minMax(MTHANDLE m) {
    double min = 0, max = 0;
    if (!Fn(m, &min, &max)) return {};
    Product p;
    p.report = minMaxReport(min, max, Fn == MinMaxReal2D && MTIsInteger(m));
    return p;
}

} // namespace

Product allStatistics(MTHANDLE m) {
    StatisticsRecord stats{};
    Product p;
    if (Statistics2D(m, &stats)) p.report = statisticsReport(stats, MTIsInteger(m) != 0);
    return p;
}

void addPrcsOperations(OperationTable& table) {
    table.push_back(plainOperation("StMedianFilter2D", "Median of each 3 x 3 neighbourhood, wrapping round the edges.", StMedianFilter2D));
    table.push_back({.name = "StRankFilter2D",
                     .summary = "The value of one rank in each 3 x 3 neighbourhood.",
                     .options = "--rank R",
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE m = call.matrix();
                         const int32_t rank = call.options.integer("rank");
                         return [m, rank] { return Product(StRankFilter2D(m, rank, nullptr)); };
                     }});
    table.back().notes = {{"rank", "the rank taken, 0 the smallest of the 9 values, 8 the largest"}};
    table.push_back(kernelOperation("MedianFilter2D", "Median over the neighbourhood a structuring element covers.", MedianFilter2D));
    table.push_back(weightsOperation("SimpleConvolution2D", "Convolves with a kernel in the image domain.", SimpleConvolution2D));
    table.push_back(plainOperation("StEdgeDetect2D", "Edge detection over 3 x 3 neighbours.", StEdgeDetect2D));
    table.push_back(kernelOperation("Erosion2D", "Grey erosion by a structuring element.", Erosion2D));
    table.push_back(kernelOperation("Dilation2D", "Grey dilation by a structuring element.", Dilation2D));
    table.push_back(kernelOperation("Opening2D", "Grey opening (erosion, then dilation) by a structuring element.", Opening2D));
    table.push_back(kernelOperation("Closing2D", "Grey closing (dilation, then erosion) by a structuring element.", Closing2D));
    table.push_back(kernelOperation("TopHat2D", "Top hat: the image less its opening by a structuring element.", TopHat2D));
    table.push_back(plainOperation("StErosion2D", "Grey erosion over 3 x 3 neighbours.", StErosion2D));
    table.push_back(plainOperation("StDilation2D", "Grey dilation over 3 x 3 neighbours.", StDilation2D));

    table.push_back({.name = "BinOp2D",
                     .summary = "Adds one value to every element, or multiplies or divides every element by it.",
                     .options = "--op K --value V",
                     .display = Display::SourceType,
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE m = call.matrix();
                         const int32_t op = call.options.integer("op");
                         const double value = call.options.number("value");
                         return [m, op, value] { return Product(BinOp2D(m, op, value, nullptr)); };
                     }});
    table.back().notes = {{"op", "0 adds, 1 multiplies, 2 divides"}, {"value", "the value added, or multiplied or divided by"}};
    table.push_back({.name = "ImageMath2D",
                     .summary = "Adds, subtracts or multiplies two images element by element.",
                     .options = "--op K",
                     .inputs = 2,
                     .wholeImage = true,
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE a = call.matrix(0), b = call.matrix(1);
                         const int32_t op = call.options.integer("op");
                         return [a, b, op] { return Product(ImageMath2D(a, b, op, nullptr)); };
                     }});
    table.back().notes = {{"op", "0 adds, 1 subtracts the second image from the first, 2 multiplies"}};

    table.push_back(statisticsOperation("Sum2D", "Prints the sum of the elements.", [](MTHANDLE m) {
        double sum = 0;
        Product p;
        if (Sum2D(m, &sum)) p.report = sumReport(sum);
        return p;
    }));
    table.push_back(statisticsOperation("Mean2D", "Prints the mean and standard deviation of the elements.", [](MTHANDLE m) {
        double mean = 0, variance = 0;
        Product p;
        if (Mean2D(m, &mean, &variance)) p.report = meanReport(mean, variance);
        return p;
    }));
    table.push_back(statisticsOperation("Statistics2D", "Prints the sum, mean, standard deviation, minimum and maximum.", allStatistics));
    table.push_back(statisticsOperation("MinMaxReal2D", "Prints the smallest and largest real part.", minMax<MinMaxReal2D>));
    table.push_back(statisticsOperation("MinMaxImag2D", "Prints the smallest and largest imaginary part.", minMax<MinMaxImag2D>));
    table.push_back(statisticsOperation("MinMaxNorm2D", "Prints the smallest and largest modulus.", minMax<MinMaxNorm2D>));

    table.push_back({.name = "Resize2D",
                     .summary = "Resamples the image to a new width and height.",
                     .options = "--width W --height H",
                     .display = Display::CopyRange,
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE m = call.matrix();
                         const int32_t w = call.options.integer("width");
                         const int32_t h = call.options.integer("height");
                         if (w <= 0 || h <= 0) throw UsageError("--width and --height must be above 0");
                         return [m, w, h] { return Product(Resize2D(m, w, h, nullptr)); };
                     }});
    table.push_back(plainOperation("Duplicate2D", "Copies the image.", Duplicate2D, Display::CopyRange));
    table.push_back(plainOperation("RealPart2D", "The real parts of a complex image.", RealPart2D, Display::RealLog));
    table.push_back(plainOperation("ImaginaryPart2D", "The imaginary parts of a complex image.", ImaginaryPart2D, Display::RealLog));
    table.push_back({.name = "MakeComplex2D",
                     .summary = "Makes a complex image of a real and an imaginary part.",
                     .inputs = 2,
                     .wholeImage = true,
                     .display = Display::ModulusLog,
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE re = call.matrix(0), im = call.matrix(1);
                         return [re, im] { return Product(MakeComplex2D(re, im, nullptr)); };
                     }});
}

} // namespace qdcli
