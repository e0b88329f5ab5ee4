#pragma once
// Color-Process, Brightness/Contrast: the two adjustments, -100 to 100.

#include "adjustment_dialog.h"

#include <optional>

struct BrightnessContrastValues {
    int brightness = 0;
    int contrast = 0;
};

class CBrightnessContrastDialog : public CAdjustmentDialog {
    Q_OBJECT
  public:
    explicit CBrightnessContrastDialog(QWidget* parent = nullptr);

    QLineEdit* brightnessField() const { return field(0); }
    QLineEdit* contrastField() const { return field(1); }
    // Valid after acceptance.
    BrightnessContrastValues result() const;
};

// The values on OK (also written to the profile); nothing on Cancel.
std::optional<BrightnessContrastValues> runBrightnessContrastDialog(QWidget* parent);
