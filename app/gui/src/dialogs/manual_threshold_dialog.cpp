#include "manual_threshold_dialog.h"

#include "dialog_buttons.h"
#include "platform.h"
#include "qd_app.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>
#include <cstring>

namespace qd {

std::array<uint32_t, 256> thresholdPreviewColors(int colors, int lower, int upper) {
    std::array<uint32_t, 256> c{};
    const uint32_t step = colors == 16 ? 17 : 1;
    for (int i = 0; i < colors && i < 256; ++i) {
        if (i < lower) {
            const uint32_t g = uint32_t(i) * step;
            c[size_t(i)] = (g << 16) | (g << 8) | g;
        } else if (i <= upper) {
            c[size_t(i)] = 0xFFFFFF;
        }
    }
    return c;
}

ThresholdPreview::ThresholdPreview(IMHANDLE im, PMHANDLE palettes, std::function<void()> repaint)
    : im_(im), palettes_(palettes), repaint_(std::move(repaint)) {
    const IMHEADER* h = IMGetHeaderPointer(im_);
    std::memcpy(savedColors_, h->Palette, sizeof savedColors_);
    std::memcpy(savedName_, h->PaletteName, IM_PALETTE_NAME_SIZE);
}

ThresholdPreview::~ThresholdPreview() { restore(); }

void ThresholdPreview::show(int lower, int upper) {
    const auto colors = thresholdPreviewColors(IMGetNumPaletteColors(im_), lower, upper);
    // Without a name the image shows its basic palette, which now is the preview.
    IMChangePaletteName(im_, "");
    IMSetBasicPalette(im_, colors.data());
    showing_ = true;
    apply();
}

void ThresholdPreview::restore() {
    if (!showing_) return;
    showing_ = false;
    IMSetBasicPalette(im_, savedColors_);
    IMChangePaletteName(im_, savedName_);
    apply();
}

void ThresholdPreview::apply() {
    IMSetPalette(im_, palettes_);
    if (repaint_) repaint_();
}

} // namespace qd

namespace {
PMHANDLE programPalettes() { return qdApp() ? qdApp()->paletteManager() : nullptr; }

QSlider* levelSlider(int colors, int value, QWidget* parent) {
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setRange(0, colors - 1);
    s->setValue(value);
    return s;
}
} // namespace

CManualThresholdDialog::CManualThresholdDialog(IMHANDLE im, std::function<void()> repaint,
                                               QWidget* parent)
    : QDialog(parent), preview_(im, programPalettes(), std::move(repaint)) {
    setWindowTitle("Manual thresholding");
    const int n = IMGetNumPaletteColors(im);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    upper_ = levelSlider(n, n - 1, this);
    lower_ = levelSlider(n, n / 2, this);
    upperValue_ = new QLabel(this);
    lowerValue_ = new QLabel(this);
    auto* upperRow = new QHBoxLayout;
    upperRow->addWidget(upper_);
    upperRow->addWidget(upperValue_);
    auto* lowerRow = new QHBoxLayout;
    lowerRow->addWidget(lower_);
    lowerRow->addWidget(lowerValue_);
    form->addRow("upper threshold", upperRow);
    form->addRow("lower threshold", lowerRow);
    layout->addLayout(form);
    buttons_ = qd::addOkCancel(this, layout);
    connect(upper_, &QSlider::valueChanged, this, &CManualThresholdDialog::levelsChanged);
    connect(lower_, &QSlider::valueChanged, this, &CManualThresholdDialog::levelsChanged);
    levelsChanged();
}

CManualThresholdDialog::~CManualThresholdDialog() = default;

void CManualThresholdDialog::levelsChanged() {
    upperValue_->setText(QString::number(upper_->value()));
    lowerValue_->setText(QString::number(lower_->value()));
    preview_.show(lower_->value(), upper_->value());
}

ManualThresholdValues CManualThresholdDialog::result() const {
    return {lower_->value(), upper_->value()};
}

void CManualThresholdDialog::done(int r) {
    preview_.restore();
    QDialog::done(r);
}

std::optional<ManualThresholdValues> runManualThresholdDialog(QWidget* parent, IMHANDLE im,
                                                              std::function<void()> repaint) {
    if (!im || IMGetNumPaletteColors(im) < 2) return std::nullopt;
    CManualThresholdDialog dlg(im, std::move(repaint), parent);
    // The preview goes at the latest with the dialog, however it was ended.
    if (qd::runModal(dlg) != QDialog::Accepted) return std::nullopt;
    return dlg.result();
}
