// Process, Fourier and Process, Wavelet: transforms, frequency filters,
// convolution through the transform, and the Daubechies wavelet transform.
#include "command_table.h"

#include "ft_filter_sheet.h"
#include "homomorphic_dialog.h"
#include "recorder/line_options.h"
#include "select_wavelet_sheet.h"

#include <memory>
#include <qd/fourier.h>
#include <qd/wavelet.h>

namespace qd {
namespace {

using WaveletFn = MTHANDLE (*)(MTHANDLE, int, MTHANDLE);

bool isComplex(MTHANDLE m) { return MTGetFlags(m) == MT_COMPLEX8 || MTGetFlags(m) == MT_COMPLEX16; }

MTHANDLE transform(IMHANDLE im) {
    MTHANDLE m = IMGetDataHandle(im);
    return isComplex(m) ? Ft2D(m, nullptr) : RealFt2D(m, nullptr);
}

std::optional<MatrixPlan> transformPlan(CommandRun& run) {
    run.setLine({}, isComplex(IMGetDataHandle(run.source())) ? "Ft2D" : "RealFt2D");
    return MatrixPlan{transform, {}};
}

// The qdcli operation and options of a pass filter.
void passFilterLine(CommandRun& run, FTFilterKind kind, const FTFilterResult& r) {
    const bool bw = r.filterType == 1;
    const QString prefix = bw ? "BW" : "";
    QStringList options;
    QString op;
    switch (kind) {
    case FTFilterKind::LowPass:
        op = "LowPassFilter2D";
        options << "--cutoff" << lineNumber(r.upper);
        break;
    case FTFilterKind::HighPass:
        op = "HighPassFilter2D";
        options << "--cutoff" << lineNumber(r.lower);
        break;
    case FTFilterKind::BandPass:
        op = "BandPassFilter2D";
        options << "--lower" << lineNumber(r.lower) << "--upper" << lineNumber(r.upper);
        break;
    }
    if (bw) options << "--order" << QString::number(r.power);
    run.setLine(options, prefix + op);
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

void passFilterCommand(Commands& table, const char* path, FTFilterKind kind, CliLine line) {
    add(table, newMatrixCommand(MenuProcess, path, rules::notRgb, {},
                            [kind](CommandRun& run) -> std::optional<MatrixPlan> {
                                const std::optional<FTFilterResult> r = runFTFilterSheet(run.parent(), kind, false);
                                if (!r) return std::nullopt;
                                passFilterLine(run, kind, *r);
                                return MatrixPlan{passFilter(kind, *r), {}};
                            }),
        std::move(line));
}

std::optional<MatrixPlan> homomorphic(CommandRun& run) {
    const std::optional<HomomorphicValues> v = runHomomorphicDialog(run.parent(), false);
    if (!v) return std::nullopt;
    run.setLine({"--cutoff", lineNumber(v->cutoff), "--low-gain", lineNumber(v->lower), "--high-gain",
                 lineNumber(v->upper), "--order", QString::number(v->power)});
    return MatrixPlan{[v = *v](IMHANDLE im) {
                          return HomomorphicFilter2D(IMGetDataHandle(im), v.cutoff, v.lower, v.upper, v.power,
                                                     nullptr);
                      },
                      {}};
}

void wavelet(Commands& table, const char* path, bool inverse, WaveletFn fn, const char* operation) {
    add(table, newMatrixCommand(MenuProcess, path, rules::notRgb, {},
                            [inverse, fn](CommandRun& run) -> std::optional<MatrixPlan> {
                                const std::optional<WaveletResult> r = runSelectWaveletSheet(run.parent(), inverse);
                                if (!r) return std::nullopt;
                                run.setLine({"--n", QString::number(r->order)});
                                return MatrixPlan{[fn, n = r->order](IMHANDLE im) {
                                                      return fn(IMGetDataHandle(im), n, nullptr);
                                                  },
                                                  r->display};
                            }),
        newImages(operation, "--n 4|6|12|20 --display-type CODE [--range FROM,TO]"));
}

} // namespace

void addFourierCommands(Commands& table) {
    add(table, newMatrixCommand(MenuProcess, "Fourier|FT", rules::notRgb, {ResultDisplay::ModulusLog}, transformPlan),
        newImages("RealFt2D|Ft2D"));
    add(table, newMatrixCommand(MenuProcess, "Fourier|IFT", rules::complex, {}, onData(IFt2D)), newImages("IFt2D"));
    add(table,
        newMatrixCommand(MenuProcess, "Fourier|Auto-Correlation", rules::notRgb, {ResultDisplay::ModulusLog},
                         onData(AutoCorrelation2D)),
        newImages("AutoCorrelation2D"));
    add(table,
        newMatrixCommand(MenuProcess, "Fourier|Convolution", rules::notRgb, {},
                         weightsDialog(61466, "Convolution", Convolution2D)),
        newImages("Convolution2D", kKernelParameters));
    add(table,
        newMatrixCommand(MenuProcess, "Fourier|Deconvolution", rules::notRgb, {},
                         weightsDialog(61467, "Deconvolution", Deconvolution2D)),
        newImages("Deconvolution2D", kKernelParameters));
    passFilterCommand(table, "Fourier|Low Pass Filter", FTFilterKind::LowPass,
                      newImages("LowPassFilter2D|BWLowPassFilter2D", "--cutoff C [--order N]"));
    passFilterCommand(table, "Fourier|High Pass Filter", FTFilterKind::HighPass,
                      newImages("HighPassFilter2D|BWHighPassFilter2D", "--cutoff C [--order N]"));
    passFilterCommand(table, "Fourier|Band Pass Filter", FTFilterKind::BandPass,
                      newImages("BandPassFilter2D|BWBandPassFilter2D", "--lower L --upper U [--order N]"));
    add(table, newMatrixCommand(MenuProcess, "Fourier|Homomorphic Filter", rules::notRgb, {}, homomorphic),
        newImages("HomomorphicFilter2D", "--cutoff C --low-gain G --high-gain G --order N"));

    wavelet(table, "Wavelet|Daubechies WT", false, DauWt2D, "DauWt2D");
    wavelet(table, "Wavelet|Daubechies IWT", true, DauIWt2D, "DauIWt2D");
}

} // namespace qd
