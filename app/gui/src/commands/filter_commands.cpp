// Process, Filter, Morphology and Background subtract: kernel filters, grey
// morphology, binary shape operations and thresholds.
#include "command_table.h"

#include "kernel_mm_sheet.h"
#include "manual_threshold_dialog.h"
#include "mm_bksub_sheet.h"
#include "qd_view.h"

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
        auto kernel = std::make_shared<MMKernelData>(std::move(choice->kernel));
        return MatrixPlan{[kernel, fn](IMHANDLE im) {
                              const MMKERNEL record = kernel->record();
                              return fn(IMGetDataHandle(im), &record, nullptr);
                          },
                          choice->display};
    };
}

ImageCommand morphology(const char* path, int captionId, const char* section, MorphologyFn fn) {
    return newMatrixCommand(MenuProcess, path, rules::notRgb, {}, structuringElement(captionId, section, fn));
}

std::optional<MatrixPlan> manualThresholding(CommandRun& run) {
    CQDView* view = run.view();
    const std::optional<ManualThresholdValues> v =
        runManualThresholdDialog(run.parent(), run.source(), [view] { view->update(); });
    if (!v) return std::nullopt;
    return MatrixPlan{[l = v->lower, u = v->upper](IMHANDLE im) { return manualThreshold(im, l, u); }, {}};
}

std::optional<MatrixPlan> backgroundSubtraction(CommandRun& run) {
    std::optional<BKSubChoice> choice = runMMBKSubSheet(run.parent());
    if (!choice) return std::nullopt;
    auto c = std::make_shared<BKSubChoice>(std::move(*choice));
    return MatrixPlan{[c](IMHANDLE im) {
                          return backgroundSubtract(IMGetDataHandle(im), c->operations, c->op == 1,
                                                    c->kernel.record());
                      },
                      {}};
}

} // namespace

void addFilterCommands(Commands& table) {
    table.push_back(morphology("Filter|Median Filter", 61482, "Median", MedianFilter2D));
    table.push_back(newMatrixCommand(MenuProcess, "Filter|Convolution", rules::notRgb, {},
                                     weightsDialog(61468, "sConvolution", SimpleConvolution2D)));

    table.push_back(morphology("Morphology|Erosion", 61461, "Erosion", Erosion2D));
    table.push_back(morphology("Morphology|Dilation", 61462, "Dilation", Dilation2D));
    table.push_back(morphology("Morphology|Opening", 61463, "Opening", Opening2D));
    table.push_back(morphology("Morphology|Closing", 61464, "Closing", Closing2D));
    table.push_back(morphology("Morphology|Top Hat", 61465, "TopHat", TopHat2D));
    table.push_back(newMatrixCommand(MenuProcess, "Morphology|Outline", rules::binary, {}, onData(Contour)));
    table.push_back(newMatrixCommand(MenuProcess, "Morphology|Edge Detect", rules::notRgb, {}, onData(StEdgeDetect2D)));
    table.push_back(newMatrixCommand(MenuProcess, "Morphology|Skeletonize", rules::binary, {}, onData(Skeletonize)));
    table.push_back(newMatrixCommand(MenuProcess, "Morphology|Auto Thresholding", rules::grey,
                                     {ResultDisplay::Own, true, "Thresholded "}, autoThreshold));
    table.push_back(newMatrixCommand(MenuProcess, "Morphology|Manual Thresholding", rules::grey,
                                     {ResultDisplay::Own, true}, manualThresholding));
    table.push_back(newMatrixCommand(MenuProcess, "Morphology|Voronoi Diagram", rules::binary,
                                     {ResultDisplay::DefaultRange, true}, onData(VoronoiDiagram)));
    table.push_back(newMatrixCommand(MenuProcess, "Morphology|Triangulation", rules::binary,
                                     {ResultDisplay::DefaultRange, true}, onData(Triangulation)));
}

void addBackgroundCommands(Commands& table) {
    table.push_back(
        newMatrixCommand(MenuProcess, "Background subtract|Using Erosion", rules::notRgb, {}, backgroundSubtraction));
}

} // namespace qd
