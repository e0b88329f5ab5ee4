#include "brightness_contrast_dialog.h"

#include "platform.h"

namespace {
std::vector<qd::AdjustmentField> brightnessContrastFields() {
    return {
        {"brightness (-100 / +100)", {"BrightnessContrast", "Brightness", 0}, 61448},
        {"contrast (-100 / +100)", {"BrightnessContrast", "Contrast", 0}, 61449},
    };
}
} // namespace

CBrightnessContrastDialog::CBrightnessContrastDialog(QWidget* parent)
    : CAdjustmentDialog("Brightness/Contrast", brightnessContrastFields(), parent) {}

BrightnessContrastValues CBrightnessContrastDialog::result() const {
    const std::vector<int>& v = values();
    return v.size() == 2 ? BrightnessContrastValues{v[0], v[1]} : BrightnessContrastValues{};
}

std::optional<BrightnessContrastValues> runBrightnessContrastDialog(QWidget* parent) {
    CBrightnessContrastDialog dlg(parent);
    if (qd::runModal(dlg) != QDialog::Accepted) return std::nullopt;
    return dlg.result();
}
