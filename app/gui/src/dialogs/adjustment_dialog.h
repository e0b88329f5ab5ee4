#pragma once
// The colour adjustments (brightness/contrast, hue/saturation/intensity):
// whole numbers from -100 to 100, each remembered in the profile.

#include "dialog_values.h"
#include "profile.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <vector>

class QDialogButtonBox;
class QLineEdit;

namespace qd {

struct AdjustmentField {
    const char* label;
    ProfileKey<int> key;
    int messageId; // string-table number of the field's refusal
};

// Reads the texts in field order. The first one that is not a whole number
// from -100 to 100 gives that field's message and ends the check; values is
// filled only when every field passes.
std::vector<DialogMessage> checkAdjustments(const std::vector<AdjustmentField>& fields,
                                            const QStringList& texts, std::vector<int>& values);

} // namespace qd

class CAdjustmentDialog : public QDialog {
    Q_OBJECT
  public:
    CAdjustmentDialog(const QString& title, std::vector<qd::AdjustmentField> fields,
                      QWidget* parent = nullptr);

    QLineEdit* field(int index) const { return edits_[size_t(index)]; }
    QDialogButtonBox* buttons() const { return buttons_; }
    // Valid after acceptance, in field order.
    const std::vector<int>& values() const { return values_; }

    void accept() override;

  private:
    std::vector<qd::AdjustmentField> fields_;
    std::vector<QLineEdit*> edits_;
    std::vector<int> values_;
    QDialogButtonBox* buttons_;
};
