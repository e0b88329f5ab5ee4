#pragma once
// Color-Process, Hue/Saturation/Intensity: the three adjustments, -100 to 100.

#include "adjustment_dialog.h"

#include <optional>

struct HsiValues {
    int hue = 0;
    int saturation = 0;
    int intensity = 0;
};

class CHsiDialog : public CAdjustmentDialog {
    Q_OBJECT
  public:
    explicit CHsiDialog(QWidget* parent = nullptr);

    QLineEdit* hueField() const { return field(0); }
    QLineEdit* saturationField() const { return field(1); }
    QLineEdit* intensityField() const { return field(2); }
    // Valid after acceptance.
    HsiValues result() const;
};

// The values on OK (also written to the profile); nothing on Cancel.
std::optional<HsiValues> runHsiDialog(QWidget* parent);
