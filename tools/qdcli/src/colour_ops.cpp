// Colour adjustments and the channel-wise colour filters; they take and give
// images.
#include <qd/colorprcs.h>

#include <cstdio>

#include "op_helpers.h"
#include "report.h"

namespace qdcli {
namespace {

using ImageFn = IMHANDLE (*)(IMHANDLE, IMHANDLE);

Operation imageOperation(const char* name, const char* summary, ImageFn fn) {
    return {.name = name,
            .summary = summary,
            .display = Display::Own,
            .prepare = [fn](const Call& call) -> Run {
                IMHANDLE im = call.image();
                return [fn, im] { return Product(fn(im, nullptr)); };
            }};
}

// The scaling range of the channel results: the program passes 0 to 256.
struct Scale {
    double lo, hi;
};
constexpr const char* kScaleOptions = " [--lo L --hi H]";

Scale scaleOf(const Options& options) {
    const Scale s{options.number("lo", 0.0), options.number("hi", 256.0)};
    if (s.lo == s.hi) throw UsageError("--lo and --hi must differ");
    return s;
}

// --butterworth selects the Butterworth form, whose --order is then needed.
struct FilterForm {
    int32_t order = 1;
    int32_t butterworth = 0;
};
constexpr const char* kFormOptions = " [--butterworth --order N]";

FilterForm formOf(const Options& options) {
    FilterForm f;
    f.butterworth = options.flag("butterworth") ? 1 : 0;
    f.order = f.butterworth ? options.integer("order") : options.integer("order", 1);
    return f;
}

Operation colourWeightsOperation(const char* name, const char* summary,
                                 IMHANDLE (*fn)(IMHANDLE, int32_t, const double*, double, double,
                                                double, IMHANDLE)) {
    return {.name = name,
            .summary = summary,
            .options = std::string(kConvolutionKernelOptions) + kScaleOptions,
            .display = Display::Own,
            .prepare = [fn](const Call& call) -> Run {
                IMHANDLE im = call.image();
                const ConvolutionKernel k = call.settings.convolutionKernel(call.options);
                const Scale s = scaleOf(call.options);
                return [fn, im, k, s] {
                    return Product(fn(im, k.n, k.weights.data(), k.divisor, s.lo, s.hi, nullptr));
                };
            }};
}

Operation colourPassOperation(const char* name, const char* summary,
                              IMHANDLE (*fn)(IMHANDLE, double, int32_t, int32_t, double, double,
                                             IMHANDLE)) {
    return {.name = name,
            .summary = summary,
            .options = std::string("--cutoff C") + kFormOptions + kScaleOptions,
            .display = Display::Own,
            .prepare = [fn](const Call& call) -> Run {
                IMHANDLE im = call.image();
                const double cutoff = call.options.number("cutoff");
                const FilterForm f = formOf(call.options);
                const Scale s = scaleOf(call.options);
                return [fn, im, cutoff, f, s] {
                    return Product(fn(im, cutoff, f.order, f.butterworth, s.lo, s.hi, nullptr));
                };
            }};
}

} // namespace

void addColourOperations(OperationTable& table) {
    const size_t first = table.size();
    table.push_back({.name = "AdjustHSI",
                     .summary = "Shifts the hue, saturation and intensity of the colours an image shows.",
                     .options = "[--hue H] [--sat S] [--inten I]",
                     .display = Display::Own,
                     .prepare = [](const Call& call) -> Run {
                         IMHANDLE im = call.image();
                         const int32_t h = call.options.integer("hue", 0);
                         const int32_t s = call.options.integer("sat", 0);
                         const int32_t i = call.options.integer("inten", 0);
                         return [im, h, s, i] { return Product(AdjustHSI(im, h, s, i, nullptr)); };
                     }});
    table.push_back({.name = "ChangeBrightnessAndContrast",
                     .summary = "Changes the brightness and contrast of the colours an image shows.",
                     .options = "[--brightness B] [--contrast C]",
                     .display = Display::Own,
                     .prepare = [](const Call& call) -> Run {
                         IMHANDLE im = call.image();
                         const int32_t b = call.options.integer("brightness", 0);
                         const int32_t c = call.options.integer("contrast", 0);
                         return [im, b, c] { return Product(ChangeBrightnessAndContrast(im, b, c, nullptr)); };
                     }});
    table.push_back({.name = "ColorMakeRGB2D",
                     .summary = "Makes an RGB image of three images as its red, green and blue channels.",
                     .inputs = 3,
                     .wholeImage = true,
                     .display = Display::Own,
                     .prepare = [](const Call& call) -> Run {
                         IMHANDLE r = call.image(0), g = call.image(1), b = call.image(2);
                         return [r, g, b] { return Product(ColorMakeRGB2D(r, g, b, nullptr)); };
                     }});
    table.push_back(imageOperation("ColorMedianFilter2D", "Median filter of each colour channel over 3 x 3 neighbours.", ColorMedianFilter2D));
    table.push_back(imageOperation("ColorErosion2D", "Grey erosion of each colour channel over 3 x 3 neighbours.", ColorErosion2D));
    table.push_back(imageOperation("ColorDilation2D", "Grey dilation of each colour channel over 3 x 3 neighbours.", ColorDilation2D));
    table.push_back(imageOperation("ColorEdgeDetect2D", "Edge detection on each colour channel.", ColorEdgeDetect2D));
    table.push_back(colourWeightsOperation("ColorConvolution2D", "Convolves each colour channel with a kernel in the image domain.", ColorConvolution2D));
    table.push_back(colourWeightsOperation("ColorFTConvolution2D", "Convolves each colour channel with a kernel through the Fourier transform.", ColorFTConvolution2D));
    table.push_back(colourPassOperation("ColorFTLowPass2D", "Low-pass filter of each colour channel in the frequency domain.", ColorFTLowPass2D));
    table.push_back(colourPassOperation("ColorFTHighPass2D", "High-pass filter of each colour channel in the frequency domain.", ColorFTHighPass2D));
    table.push_back({.name = "ColorFTBandPass2D",
                     .summary = "Band-pass filter of each colour channel in the frequency domain.",
                     .options = std::string("--lower L --upper U") + kFormOptions + kScaleOptions,
                     .display = Display::Own,
                     .prepare = [](const Call& call) -> Run {
                         IMHANDLE im = call.image();
                         const double lower = call.options.number("lower");
                         const double upper = call.options.number("upper");
                         const FilterForm f = formOf(call.options);
                         const Scale s = scaleOf(call.options);
                         return [im, lower, upper, f, s] {
                             return Product(ColorFTBandPass2D(im, lower, upper, f.order, f.butterworth,
                                                              s.lo, s.hi, nullptr));
                         };
                     }});
    table.push_back({.name = "ColorFTHomomorphicFilter2D",
                     .summary = "Homomorphic filter of each colour channel.",
                     .options = std::string(kHomomorphicOptions) + kScaleOptions,
                     .display = Display::Own,
                     .prepare = [](const Call& call) -> Run {
                         IMHANDLE im = call.image();
                         const Homomorphic f = homomorphicOf(call.options);
                         const Scale s = scaleOf(call.options);
                         return [im, f, s] {
                             return Product(ColorFTHomomorphicFilter2D(im, f.cutoff, f.lowGain, f.highGain, f.order,
                                                                       s.lo, s.hi, nullptr));
                         };
                     }});
    table.back().notes = {{"order", "the filter's order"}};
    // Palette images enter as they are shown, so the display options set the
    // inputs' display; the true-colour results have none to set.
    for (size_t i = first; i < table.size(); ++i) table[i].readsDisplay = true;

    // The colour model conversions of single values take no image.
    table.push_back({.name = "RGB2HSI",
                     .summary = "Prints the hue, saturation and intensity of one RGB value.",
                     .options = "--value 0xRRGGBB",
                     .inputs = 0,
                     .wholeImage = true,
                     .makesImage = false,
                     .prepare = [](const Call& call) -> Run {
                         const int32_t rgb = call.options.integer("value");
                         return [rgb] {
                             float hsi[3] = {};
                             RGB2HSI(rgb, hsi);
                             char line[128];
                             std::snprintf(line, sizeof line, "hue : %.5e   saturation : %.5e   intensity : %.5e",
                                           hsi[0], hsi[1], hsi[2]);
                             Product p;
                             p.report = {{line},
                                         JsonObject().number("hue", hsi[0]).number("saturation", hsi[1]).number(
                                             "intensity", hsi[2]).str()};
                             return p;
                         };
                     }});
    table.back().notes = {{"value", "the colour as 0xRRGGBB"}};
    table.push_back({.name = "HSI2RGB",
                     .summary = "Prints the RGB value of one hue, saturation and intensity.",
                     .options = "--hue H --sat S --inten I",
                     .inputs = 0,
                     .wholeImage = true,
                     .makesImage = false,
                     .prepare = [](const Call& call) -> Run {
                         const float h = float(call.options.number("hue"));
                         const float s = float(call.options.number("sat"));
                         const float i = float(call.options.number("inten"));
                         return [h, s, i] {
                             int32_t rgb = 0;
                             HSI2RGB(h, s, i, &rgb);
                             char line[64];
                             std::snprintf(line, sizeof line, "rgb : 0x%06X", unsigned(rgb));
                             Product p;
                             p.report = {{line}, JsonObject().whole("rgb", rgb).str()};
                             return p;
                         };
                     }});
    table.back().notes = {{"hue", "the hue"}, {"sat", "the saturation"}, {"inten", "the intensity"}};

}

} // namespace qdcli
