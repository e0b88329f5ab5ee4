// Process, Fourier and Process, Wavelet: transforms, frequency filters,
// convolution through the transform, and the Daubechies wavelet transform.
#include "command_table.h"

#include "ft_filter_sheet.h"
#include "homomorphic_dialog.h"
#include "select_wavelet_sheet.h"

#include <memory>
#include <qd/fourier.h>
#include <qd/wavelet.h>

namespace qd {
namespace {

using WaveletFn = MTHANDLE (*)(MTHANDLE, int, MTHANDLE);

MTHANDLE transform(IMHANDLE im) {
    MTHANDLE m = IMGetDataHandle(im);
    const int32_t type = MTGetFlags(m);
    return type == MT_COMPLEX8 || type == MT_COMPLEX16 ? Ft2D(m, nullptr) : RealFt2D(m, nullptr);
}

// The ideal filter by its cutoffs, or the Butterworth one with the power.
MatrixCall passFilter(FTFilterKind kind, const FTFilterResult& r) {
    const bool bw = r.filterType == 1;
    return [kind, bw, r](IMHANDLE im) {
        MTHANDLE m = IMGetDataHandle(im);
        switch (kind) {
        case FTFilterKind::LowPass:
            return bw ? BWLowPassFilter2D(m, r.upper, r.power, nullptr) : LowPassFilter2D(m, r.upper, nullptr);
        case FTFilterKind::HighPass:
            return bw ? BWHighPassFilter2D(m, r.lower, r.power, nullptr) : HighPassFilter2D(m, r.lower, nullptr);
        case FTFilterKind::BandPass: break;
        }
        return bw ? BWBandPassFilter2D(m, r.lower, r.upper, r.power, nullptr)
                  : BandPassFilter2D(m, r.lower, r.upper, nullptr);
    };
}

ImageCommand passFilterCommand(const char* path, FTFilterKind kind) {
    return newMatrixCommand(MenuProcess, path, rules::notRgb, {},
                            [kind](CommandRun& run) -> std::optional<MatrixPlan> {
                                const std::optional<FTFilterResult> r = runFTFilterSheet(run.parent(), kind, false);
                                if (!r) return std::nullopt;
                                return MatrixPlan{passFilter(kind, *r), {}};
                            });
}

std::optional<MatrixPlan> homomorphic(CommandRun& run) {
    const std::optional<HomomorphicValues> v = runHomomorphicDialog(run.parent(), false);
    if (!v) return std::nullopt;
    return MatrixPlan{[v = *v](IMHANDLE im) {
                          return HomomorphicFilter2D(IMGetDataHandle(im), v.cutoff, v.lower, v.upper, v.power,
                                                     nullptr);
                      },
                      {}};
}

ImageCommand wavelet(const char* path, bool inverse, WaveletFn fn) {
    return newMatrixCommand(MenuProcess, path, rules::notRgb, {},
                            [inverse, fn](CommandRun& run) -> std::optional<MatrixPlan> {
                                const std::optional<WaveletResult> r = runSelectWaveletSheet(run.parent(), inverse);
                                if (!r) return std::nullopt;
                                return MatrixPlan{[fn, n = r->order](IMHANDLE im) {
                                                      return fn(IMGetDataHandle(im), n, nullptr);
                                                  },
                                                  r->display};
                            });
}

} // namespace

void addFourierCommands(Commands& table) {
    table.push_back(newMatrixCommand(MenuProcess, "Fourier|FT", rules::notRgb, {ResultDisplay::ModulusLog}, transform));
    table.push_back(newMatrixCommand(MenuProcess, "Fourier|IFT", rules::complex, {}, onData(IFt2D)));
    table.push_back(newMatrixCommand(MenuProcess, "Fourier|Auto-Correlation", rules::notRgb,
                                     {ResultDisplay::ModulusLog}, onData(AutoCorrelation2D)));
    table.push_back(newMatrixCommand(MenuProcess, "Fourier|Convolution", rules::notRgb, {},
                                     weightsDialog(61466, "Convolution", Convolution2D)));
    table.push_back(newMatrixCommand(MenuProcess, "Fourier|Deconvolution", rules::notRgb, {},
                                     weightsDialog(61467, "Deconvolution", Deconvolution2D)));
    table.push_back(passFilterCommand("Fourier|Low Pass Filter", FTFilterKind::LowPass));
    table.push_back(passFilterCommand("Fourier|High Pass Filter", FTFilterKind::HighPass));
    table.push_back(passFilterCommand("Fourier|Band Pass Filter", FTFilterKind::BandPass));
    table.push_back(newMatrixCommand(MenuProcess, "Fourier|Homomorphic Filter", rules::notRgb, {}, homomorphic));

    table.push_back(wavelet("Wavelet|Daubechies WT", false, DauWt2D));
    table.push_back(wavelet("Wavelet|Daubechies IWT", true, DauIWt2D));
}

} // namespace qd
