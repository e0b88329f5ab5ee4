#pragma once
// "parameter" page of the Fourier filter sheet: ideal or Butterworth, the
// cutoffs the filter uses and the Butterworth power.

#include "dialog_values.h"
#include "property_sheet.h"

#include <QString>
#include <vector>

class QLineEdit;
class QRadioButton;

namespace qd {

enum class FTFilterKind { LowPass, HighPass, BandPass };

// The profile section that keeps the last values of that filter.
QString ftFilterSection(FTFilterKind kind);
// String-table number of the sheet's caption, grey or colour command.
int ftFilterCaptionId(FTFilterKind kind, bool colour);

// The page's fields as typed.
struct FTFilterValues {
    int type = 0; // 0 ideal, 1 Butterworth
    QString lower = "0.1";
    QString upper = "0.5";
    QString power = "2";

    bool operator==(const FTFilterValues&) const = default;
};

struct FTFilterParams {
    int type;
    double lower;
    double upper;
    int power;
};

FTFilterValues readFTFilter(const QString& section);
void writeFTFilter(const QString& section, const FTFilterValues& values);
// Checks only the fields the filter uses, stopping at the first refusal.
std::vector<DialogMessage> checkFTFilter(FTFilterKind kind, const FTFilterValues& values);
// Numbers of checked values; a field the filter does not use keeps its default.
FTFilterParams ftFilterParamsOf(const FTFilterValues& values);

} // namespace qd

class CFTFilterPage : public CPropertyPage {
    Q_OBJECT
  public:
    CFTFilterPage(qd::FTFilterKind kind, const QString& section, QWidget* parent = nullptr);

    QRadioButton* idealButton() const { return ideal_; }
    QRadioButton* butterworthButton() const { return butterworth_; }
    QLineEdit* lowerField() const { return lower_; }
    QLineEdit* upperField() const { return upper_; }
    QLineEdit* powerField() const { return power_; }

    qd::FTFilterValues values() const;
    // Valid after commit.
    const qd::FTFilterParams& params() const { return params_; }

    bool validate() override;
    void commit() override;

  private:
    void updateEnabled();

    qd::FTFilterKind kind_;
    QString section_;
    QRadioButton* ideal_;
    QRadioButton* butterworth_;
    QLineEdit* lower_;
    QLineEdit* upper_;
    QLineEdit* power_;
    qd::FTFilterParams params_{};
};
