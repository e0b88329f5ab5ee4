#pragma once
// "Display Setup": how a sheet's new image is shown, either like its source
// or with a chosen display type and range.

#include "dialog_values.h"
#include "property_sheet.h"

#include <QString>
#include <vector>

#include <qd/core/display_record.h>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class DisplayTypeRadios;

namespace qd {

// The page's fields; from and to as typed.
struct DspSetupValues {
    int sameDisplay = 1;
    int displayType = 0;
    int stretch = 1;
    QString from = "0.0";
    QString to = "256.0";

    bool operator==(const DspSetupValues&) const = default;
};

DspSetupValues readDspSetup(const QString& section);
void writeDspSetup(const QString& section, const DspSetupValues& values);
// The range is checked only where it is used: custom display, stretch off.
std::vector<DialogMessage> checkDspSetup(const DspSetupValues& values);
// The record of checked values; a range that is not used keeps 0 to 256.
DisplayRecord displayRecordOf(const DspSetupValues& values);

} // namespace qd

class CDspSetupPage : public CPropertyPage {
    Q_OBJECT
  public:
    // section: the sheet's profile section.
    explicit CDspSetupPage(const QString& section, QWidget* parent = nullptr);

    QRadioButton* sameButton() const { return same_; }
    QRadioButton* customButton() const { return custom_; }
    DisplayTypeRadios* types() const { return types_; }
    QCheckBox* stretchBox() const { return stretch_; }
    QLineEdit* fromField() const { return from_; }
    QLineEdit* toField() const { return to_; }

    qd::DspSetupValues values() const;
    // Valid after commit.
    const qd::DisplayRecord& record() const { return record_; }

    bool validate() override;
    void commit() override;

  private:
    void updateEnabled();

    QString section_;
    QRadioButton* same_;
    QRadioButton* custom_;
    DisplayTypeRadios* types_;
    QCheckBox* stretch_;
    QLineEdit* from_;
    QLineEdit* to_;
    qd::DisplayRecord record_;
};
