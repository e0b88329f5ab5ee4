// The Color-Process menu: colour adjustments and the channel-wise colour
// filters. They take the image itself, restricted to its selection, and give
// a new image.
#include "command_table.h"

#include "brightness_contrast_dialog.h"
#include "ft_filter_sheet.h"
#include "homomorphic_dialog.h"
#include "hsi_dialog.h"
#include "kernel_sheet.h"
#include "recorder/line_options.h"

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

void colour(Commands& table, const char* path, ImageDialog dialog, CliLine line) {
    add(table, newImageCommand(MenuColorProcess, path, nullptr, std::move(dialog)), std::move(line));
}

ImageDialog kernelFilter(int captionId, const char* section, ColourWeightsFn fn) {
    return [captionId, section, fn](CommandRun& run) -> std::optional<ImageCall> {
        std::optional<KernelChoice> choice = runKernelSheet(run.parent(), captionId, section);
        if (!choice) return std::nullopt;
        run.setLine(kernelOptions(choice->kernel));
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
        // The library takes the band's ends in either order; the line reads naturally.
        QStringList options = kind == FTFilterKind::LowPass    ? QStringList{"--cutoff", lineNumber(r->upper)}
                              : kind == FTFilterKind::HighPass ? QStringList{"--cutoff", lineNumber(r->lower)}
                                                               : QStringList{"--lower", lineNumber(r->lower), "--upper", lineNumber(r->upper)};
        if (r->filterType) options << "--butterworth";
        run.setLine(options << "--order" << QString::number(r->power));
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
    colour(table, "Brightness/Contrast", [](CommandRun& run) -> std::optional<ImageCall> {
        const std::optional<BrightnessContrastValues> v = runBrightnessContrastDialog(run.parent());
        if (!v) return std::nullopt;
        run.setLine({"--brightness", QString::number(v->brightness), "--contrast", QString::number(v->contrast)});
        return [v = *v](IMHANDLE im) { return ChangeBrightnessAndContrast(im, v.brightness, v.contrast, nullptr); };
    },
           newImages("ChangeBrightnessAndContrast", "--brightness B --contrast C"));
    colour(table, "Hue/Saturation/Intensity", [](CommandRun& run) -> std::optional<ImageCall> {
        const std::optional<HsiValues> v = runHsiDialog(run.parent());
        if (!v) return std::nullopt;
        run.setLine({"--hue", QString::number(v->hue), "--sat", QString::number(v->saturation), "--inten",
                     QString::number(v->intensity)});
        return [v = *v](IMHANDLE im) { return AdjustHSI(im, v.hue, v.saturation, v.intensity, nullptr); };
    },
           newImages("AdjustHSI", "--hue H --sat S --inten I"));
    add(table, newImageCommand(MenuColorProcess, "Median Filter", nullptr, plain(ColorMedianFilter2D)), newImages("ColorMedianFilter2D"));
    add(table, newImageCommand(MenuColorProcess, "Erosion", nullptr, plain(ColorErosion2D)), newImages("ColorErosion2D"));
    add(table, newImageCommand(MenuColorProcess, "Dilation", nullptr, plain(ColorDilation2D)), newImages("ColorDilation2D"));
    add(table, newImageCommand(MenuColorProcess, "Edge Detect", nullptr, plain(ColorEdgeDetect2D)), newImages("ColorEdgeDetect2D"));
    colour(table, "Convolution (Filter)", kernelFilter(61470, "scConvolution", ColorConvolution2D),
           newImages("ColorConvolution2D", kKernelParameters));
    colour(table, "Convolution (Fourier)", kernelFilter(61469, "cConvolution", ColorFTConvolution2D),
           newImages("ColorFTConvolution2D", kKernelParameters));
    colour(table, "Low Pass Filter", passFilter(FTFilterKind::LowPass),
           newImages("ColorFTLowPass2D", "--cutoff C [--butterworth] --order N"));
    colour(table, "High Pass Filter", passFilter(FTFilterKind::HighPass),
           newImages("ColorFTHighPass2D", "--cutoff C [--butterworth] --order N"));
    colour(table, "Band Pass Filter", passFilter(FTFilterKind::BandPass),
           newImages("ColorFTBandPass2D", "--lower L --upper U [--butterworth] --order N"));
    colour(table, "Homomorphic Filter", [](CommandRun& run) -> std::optional<ImageCall> {
        const std::optional<HomomorphicValues> v = runHomomorphicDialog(run.parent(), true);
        if (!v) return std::nullopt;
        run.setLine({"--cutoff", lineNumber(v->cutoff), "--low-gain", lineNumber(v->lower), "--high-gain",
                     lineNumber(v->upper), "--order", QString::number(v->power), "--lo", lineNumber(v->from), "--hi",
                     lineNumber(v->to)});
        return [v = *v](IMHANDLE im) {
            return ColorFTHomomorphicFilter2D(im, v.cutoff, v.lower, v.upper, v.power, v.from, v.to, nullptr);
        };
    },
           newImages("ColorFTHomomorphicFilter2D", "--cutoff C --low-gain G --high-gain G --order N --lo L --hi H"));
}

} // namespace qd
