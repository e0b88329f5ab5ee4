#include "hsi_dialog.h"

#include "platform.h"

namespace {
// The messages read "greater than -100 and less than 100", but the limits
// themselves are accepted, as for brightness and contrast.
std::vector<qd::AdjustmentField> hsiFields() {
    return {
        {"Hue (-100 / +100)", {"HueSaturationIntensity", "Hue", 0}, 61450},
        {"Saturation (-100 / +100)", {"HueSaturationIntensity", "Saturation", 0}, 61451},
        {"Intensity (-100 / +100)", {"HueSaturationIntensity", "Intensity", 0}, 61452},
    };
}
} // namespace

CHsiDialog::CHsiDialog(QWidget* parent)
    : CAdjustmentDialog("Hue/Saturation/Intensity", hsiFields(), parent) {}

HsiValues CHsiDialog::result() const {
    const std::vector<int>& v = values();
    return v.size() == 3 ? HsiValues{v[0], v[1], v[2]} : HsiValues{};
}

std::optional<HsiValues> runHsiDialog(QWidget* parent) {
    CHsiDialog dlg(parent);
    if (qd::runModal(dlg) != QDialog::Accepted) return std::nullopt;
    return dlg.result();
}
