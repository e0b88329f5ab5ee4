#include "select_wavelet_sheet.h"

#include "dsp_setup_page.h"
#include "platform.h"
#include "select_wavelet_page.h"
#include "string_table.h"

CSelectWaveletSheet::CSelectWaveletSheet(const QString& caption, const QString& section,
                                         QWidget* parent)
    : CPropertySheet(caption, section, parent) {
    wavelet_ = new CSelectWaveletPage(section, this);
    display_ = new CDspSetupPage(section, this);
    addPage(wavelet_);
    addPage(display_);
}

WaveletResult CSelectWaveletSheet::values() const {
    const int code = wavelet_->code();
    return {code, qd::waveletOrder(code), display_->record()};
}

std::optional<WaveletResult> runSelectWaveletSheet(QWidget* parent, bool inverse) {
    CSelectWaveletSheet sheet(qd::loadString(inverse ? 61485 : 61484),
                              inverse ? "IWavelet" : "Wavelet", parent);
    if (qd::runModal(sheet) != QDialog::Accepted) return std::nullopt;
    return sheet.values();
}
