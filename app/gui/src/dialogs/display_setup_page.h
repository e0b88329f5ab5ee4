#pragma once
// The "Display" page of the kernel sheets: the new image keeps the source's
// display range, stretches its own, or takes the range typed.

#include "dialog_values.h"
#include "property_sheet.h"

#include <QByteArray>
#include <vector>

#include <qd/core/display_record.h>

class QButtonGroup;
class QLineEdit;
class QRadioButton;

namespace qd {

// Radio positions.
enum DisplayRangeType { SameDisplayRange = 0, StretchDisplayRange = 1, CustomDisplayRange = 2 };

struct DisplayRangeValues {
    int type = StretchDisplayRange;
    QString from = "0.0";
    QString to = "256.0";
};

DisplayRangeValues readDisplayRangeProfile(const QString& section);
void writeDisplayRangeProfile(const QString& section, const DisplayRangeValues& values);
// Message 61453 for a custom range whose ends are not numbers or run backwards.
std::vector<DialogMessage> checkDisplayRange(const DisplayRangeValues& values);
// The record for checked values.
DisplayRecord displayRecordFor(const DisplayRangeValues& values);

} // namespace qd

class CDisplaySetupPage : public CPropertyPage {
    Q_OBJECT
  public:
    // On OK *record receives the choice and the section's profile keeps it.
    CDisplaySetupPage(const QString& section, qd::DisplayRecord* record, QWidget* parent = nullptr);

    QRadioButton* rangeButton(int type) const;
    QLineEdit* fromField() const { return from_; }
    QLineEdit* toField() const { return to_; }
    qd::DisplayRangeValues values() const;

    bool validate() override;
    void commit() override;

  private:
    void updateFields();

    QString section_;
    qd::DisplayRecord* record_;
    QButtonGroup* types_;
    QLineEdit* from_;
    QLineEdit* to_;
};
