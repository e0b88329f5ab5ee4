// Process, Filter, Morphology and Background subtract: kernel filters, grey
// morphology, binary shape operations and thresholds.
#include "command_table.h"

#include "kernel_mm_sheet.h"
#include "manual_threshold_dialog.h"
#include "mm_bksub_sheet.h"
#include "qd_view.h"
#include "recorder/line_options.h"

#include <memory>
#include <qd/core/program_ops.h>
#include <qd/prcs.h>

namespace qd {
namespace {

using MorphologyFn = MTHANDLE (*)(MTHANDLE, const MMKERNEL*, MTHANDLE);

// The structuring-element sheet, then fn with the chosen element; the result
// is displayed as the sheet's display page says.
MatrixDialog structuringElement(int captionId, const char* section, MorphologyFn fn) {
    return [captionId, section, fn](CommandRun& run) -> std::optional<MatrixPlan> {
        std::optional<MMKernelChoice> choice = runMMKernelSheet(run.parent(), captionId, section);
        if (!choice) return std::nullopt;
        run.setLine(elementOptions(choice->kernel));
        auto kernel = std::make_shared<MMKernelData>(std::move(choice->kernel));
        return MatrixPlan{[kernel, fn](IMHANDLE im) {
                              const MMKERNEL record = kernel->record();
                              return fn(IMGetDataHandle(im), &record, nullptr);
                          },
                          choice->display};
    };
}

void morphology(Commands& table, const char* path, int captionId, const char* section, MorphologyFn fn,
                const char* operation) {
    add(table, newMatrixCommand(MenuProcess, path, rules::notRgb, {}, structuringElement(captionId, section, fn)),
        newImages(operation, kMorphologyParameters));
}

std::optional<MatrixPlan> manualThresholding(CommandRun& run) {
    CQDView* view = run.view();
    const std::optional<ManualThresholdValues> v =
        runManualThresholdDialog(run.parent(), run.source(), [view] { view->update(); });
    if (!v) return std::nullopt;
    run.setLine({"--lower", QString::number(v->lower), "--upper", QString::number(v->upper)});
    return MatrixPlan{[l = v->lower, u = v->upper](IMHANDLE im) { return manualThreshold(im, l, u); }, {}};
}

std::optional<MatrixPlan> backgroundSubtraction(CommandRun& run) {
    std::optional<BKSubChoice> choice = runMMBKSubSheet(run.parent());
    if (!choice) return std::nullopt;
    run.setLine(QStringList{"--count", QString::number(choice->operations), "--operator",
                            choice->op == 1 ? "dilation" : "erosion"}
                << elementOptions(choice->kernel));
    auto c = std::make_shared<BKSubChoice>(std::move(*choice));
    return MatrixPlan{[c](IMHANDLE im) {
                          return backgroundSubtract(IMGetDataHandle(im), c->operations, c->op == 1,
                                                    c->kernel.record());
                      },
                      {}};
}

} // namespace

void addFilterCommands(Commands& table) {
    morphology(table, "Filter|Median Filter", 61482, "Median", MedianFilter2D, "MedianFilter2D");
    add(table,
        newMatrixCommand(MenuProcess, "Filter|Convolution", rules::notRgb, {},
                         weightsDialog(61468, "sConvolution", SimpleConvolution2D)),
        newImages("SimpleConvolution2D", kKernelParameters));

    morphology(table, "Morphology|Erosion", 61461, "Erosion", Erosion2D, "Erosion2D");
    morphology(table, "Morphology|Dilation", 61462, "Dilation", Dilation2D, "Dilation2D");
    morphology(table, "Morphology|Opening", 61463, "Opening", Opening2D, "Opening2D");
    morphology(table, "Morphology|Closing", 61464, "Closing", Closing2D, "Closing2D");
    morphology(table, "Morphology|Top Hat", 61465, "TopHat", TopHat2D, "TopHat2D");
    add(table, newMatrixCommand(MenuProcess, "Morphology|Outline", rules::binary, {}, onData(Contour)),
        newImages("Contour"));
    add(table, newMatrixCommand(MenuProcess, "Morphology|Edge Detect", rules::notRgb, {}, onData(StEdgeDetect2D)),
        newImages("StEdgeDetect2D"));
    add(table, newMatrixCommand(MenuProcess, "Morphology|Skeletonize", rules::binary, {}, onData(Skeletonize)),
        newImages("Skeletonize"));
    add(table,
        newMatrixCommand(MenuProcess, "Morphology|Auto Thresholding", rules::grey,
                         {ResultDisplay::Own, true, "Thresholded "}, autoThreshold),
        newImages("autothreshold"));
    add(table,
        newMatrixCommand(MenuProcess, "Morphology|Manual Thresholding", rules::grey, {ResultDisplay::Own, true},
                         manualThresholding),
        newImages("threshold", "--lower L --upper U"));
    add(table,
        newMatrixCommand(MenuProcess, "Morphology|Voronoi Diagram", rules::binary,
                         {ResultDisplay::DefaultRange, true}, onData(VoronoiDiagram)),
        newImages("VoronoiDiagram"));
    add(table,
        newMatrixCommand(MenuProcess, "Morphology|Triangulation", rules::binary, {ResultDisplay::DefaultRange, true},
                         onData(Triangulation)),
        newImages("Triangulation"));
}

void addBackgroundCommands(Commands& table) {
    add(table,
        newMatrixCommand(MenuProcess, "Background subtract|Using Erosion", rules::notRgb, {}, backgroundSubtraction),
        newImages("bgsub", "--count M --operator erosion|dilation --kernel NAME [--weights ROWS]"));
}

} // namespace qd
