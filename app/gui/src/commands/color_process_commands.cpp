// The Color-Process menu: colour adjustments and the channel-wise colour
// filters. They take the image itself, restricted to its selection, and give
// a new image.
#include "command_table.h"

#include "brightness_contrast_dialog.h"
#include "ft_filter_sheet.h"
#include "homomorphic_dialog.h"
#include "hsi_dialog.h"
#include "kernel_sheet.h"

#include <memory>
#include <qd/colorprcs.h>

namespace qd {
namespace {

// The colour filters scale each channel's result from 0 to 256.
constexpr double kLow = 0.0, kHigh = 256.0;

using ColourFn = IMHANDLE (*)(IMHANDLE, IMHANDLE);
using ColourWeightsFn = IMHANDLE (*)(IMHANDLE, int32_t, const double*, double, double, double, IMHANDLE);

ImageCall plain(ColourFn fn) {
    return [fn](IMHANDLE im) { return fn(im, nullptr); };
}

ImageCommand colour(const char* path, ImageDialog dialog) {
    return newImageCommand(MenuColorProcess, path, nullptr, std::move(dialog));
}

ImageDialog kernelFilter(int captionId, const char* section, ColourWeightsFn fn) {
    return [captionId, section, fn](CommandRun& run) -> std::optional<ImageCall> {
        std::optional<KernelChoice> choice = runKernelSheet(run.parent(), captionId, section);
        if (!choice) return std::nullopt;
        auto k = std::make_shared<ConvKernelData>(std::move(choice->kernel));
        return [k, fn](IMHANDLE im) {
            return fn(im, k->n, k->weights.data(), k->divisor, kLow, kHigh, nullptr);
        };
    };
}

ImageDialog passFilter(FTFilterKind kind) {
    return [kind](CommandRun& run) -> std::optional<ImageCall> {
        const std::optional<FTFilterResult> r = runFTFilterSheet(run.parent(), kind, true);
        if (!r) return std::nullopt;
        return [kind, r = *r](IMHANDLE im) {
            switch (kind) {
            case FTFilterKind::LowPass:
                return ColorFTLowPass2D(im, r.upper, r.power, r.filterType, kLow, kHigh, nullptr);
            case FTFilterKind::HighPass:
                return ColorFTHighPass2D(im, r.lower, r.power, r.filterType, kLow, kHigh, nullptr);
            case FTFilterKind::BandPass: break;
            }
            return ColorFTBandPass2D(im, r.upper, r.lower, r.power, r.filterType, kLow, kHigh, nullptr);
        };
    };
}

} // namespace

void addColorProcessCommands(Commands& table) {
    table.push_back(colour("Brightness/Contrast", [](CommandRun& run) -> std::optional<ImageCall> {
        const std::optional<BrightnessContrastValues> v = runBrightnessContrastDialog(run.parent());
        if (!v) return std::nullopt;
        return [v = *v](IMHANDLE im) { return ChangeBrightnessAndContrast(im, v.brightness, v.contrast, nullptr); };
    }));
    table.push_back(colour("Hue/Saturation/Intensity", [](CommandRun& run) -> std::optional<ImageCall> {
        const std::optional<HsiValues> v = runHsiDialog(run.parent());
        if (!v) return std::nullopt;
        return [v = *v](IMHANDLE im) { return AdjustHSI(im, v.hue, v.saturation, v.intensity, nullptr); };
    }));
    table.push_back(newImageCommand(MenuColorProcess, "Median Filter", nullptr, plain(ColorMedianFilter2D)));
    table.push_back(newImageCommand(MenuColorProcess, "Erosion", nullptr, plain(ColorErosion2D)));
    table.push_back(newImageCommand(MenuColorProcess, "Dilation", nullptr, plain(ColorDilation2D)));
    table.push_back(newImageCommand(MenuColorProcess, "Edge Detect", nullptr, plain(ColorEdgeDetect2D)));
    table.push_back(colour("Convolution (Filter)", kernelFilter(61470, "scConvolution", ColorConvolution2D)));
    table.push_back(colour("Convolution (Fourier)", kernelFilter(61469, "cConvolution", ColorFTConvolution2D)));
    table.push_back(colour("Low Pass Filter", passFilter(FTFilterKind::LowPass)));
    table.push_back(colour("High Pass Filter", passFilter(FTFilterKind::HighPass)));
    table.push_back(colour("Band Pass Filter", passFilter(FTFilterKind::BandPass)));
    table.push_back(colour("Homomorphic Filter", [](CommandRun& run) -> std::optional<ImageCall> {
        const std::optional<HomomorphicValues> v = runHomomorphicDialog(run.parent(), true);
        if (!v) return std::nullopt;
        return [v = *v](IMHANDLE im) {
            return ColorFTHomomorphicFilter2D(im, v.cutoff, v.lower, v.upper, v.power, v.from, v.to, nullptr);
        };
    }));
}

} // namespace qd
