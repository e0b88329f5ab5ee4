// Neighbourhood filters, morphology, arithmetic, statistics and geometry.
#include <qd/prcs.h>

#include "op_helpers.h"
#include "report.h"

namespace qdcli {
namespace {

// A statistics export: fn fills values and returns 0 when it refuses.
template <class Fill> Operation statisticsOperation(const char* name, Fill fill) {
    return {.name = name,
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
    table.push_back(plainOperation("StMedianFilter2D", StMedianFilter2D));
    table.push_back({.name = "StRankFilter2D",
                     .options = "--rank R",
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE m = call.matrix();
                         const int32_t rank = call.options.integer("rank");
                         return [m, rank] { return Product(StRankFilter2D(m, rank, nullptr)); };
                     }});
    table.push_back(kernelOperation("MedianFilter2D", MedianFilter2D));
    table.push_back(weightsOperation("SimpleConvolution2D", SimpleConvolution2D));
    table.push_back(plainOperation("StEdgeDetect2D", StEdgeDetect2D));
    table.push_back(kernelOperation("Erosion2D", Erosion2D));
    table.push_back(kernelOperation("Dilation2D", Dilation2D));
    table.push_back(kernelOperation("Opening2D", Opening2D));
    table.push_back(kernelOperation("Closing2D", Closing2D));
    table.push_back(kernelOperation("TopHat2D", TopHat2D));
    table.push_back(plainOperation("StErosion2D", StErosion2D));
    table.push_back(plainOperation("StDilation2D", StDilation2D));

    table.push_back({.name = "BinOp2D",
                     .options = "--op K --value V",
                     .display = Display::SourceType,
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE m = call.matrix();
                         const int32_t op = call.options.integer("op");
                         const double value = call.options.number("value");
                         return [m, op, value] { return Product(BinOp2D(m, op, value, nullptr)); };
                     }});
    table.push_back({.name = "ImageMath2D",
                     .options = "--op K",
                     .inputs = 2,
                     .wholeImage = true,
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE a = call.matrix(0), b = call.matrix(1);
                         const int32_t op = call.options.integer("op");
                         return [a, b, op] { return Product(ImageMath2D(a, b, op, nullptr)); };
                     }});

    table.push_back(statisticsOperation("Sum2D", [](MTHANDLE m) {
        double sum = 0;
        Product p;
        if (Sum2D(m, &sum)) p.report = sumReport(sum);
        return p;
    }));
    table.push_back(statisticsOperation("Mean2D", [](MTHANDLE m) {
        double mean = 0, variance = 0;
        Product p;
        if (Mean2D(m, &mean, &variance)) p.report = meanReport(mean, variance);
        return p;
    }));
    table.push_back(statisticsOperation("Statistics2D", allStatistics));
    table.push_back(statisticsOperation("MinMaxReal2D", minMax<MinMaxReal2D>));
    table.push_back(statisticsOperation("MinMaxImag2D", minMax<MinMaxImag2D>));
    table.push_back(statisticsOperation("MinMaxNorm2D", minMax<MinMaxNorm2D>));

    table.push_back({.name = "Resize2D",
                     .options = "--width W --height H",
                     .display = Display::CopyRange,
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE m = call.matrix();
                         const int32_t w = call.options.integer("width");
                         const int32_t h = call.options.integer("height");
                         if (w <= 0 || h <= 0) throw UsageError("--width and --height must be above 0");
                         return [m, w, h] { return Product(Resize2D(m, w, h, nullptr)); };
                     }});
    table.push_back(plainOperation("Duplicate2D", Duplicate2D, Display::CopyRange));
    table.push_back(plainOperation("RealPart2D", RealPart2D, Display::RealLog));
    table.push_back(plainOperation("ImaginaryPart2D", ImaginaryPart2D, Display::RealLog));
    table.push_back({.name = "MakeComplex2D",
                     .inputs = 2,
                     .wholeImage = true,
                     .display = Display::ModulusLog,
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE re = call.matrix(0), im = call.matrix(1);
                         return [re, im] { return Product(MakeComplex2D(re, im, nullptr)); };
                     }});
}

} // namespace qdcli
