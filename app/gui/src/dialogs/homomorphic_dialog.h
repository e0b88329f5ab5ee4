#pragma once
// Fourier and Color-Process, Homomorphic Filter: cutoff, gain limits and
// power; the colour filter adds the display range of its result.

#include "dialog_values.h"

#include <QDialog>
#include <optional>
#include <vector>

class QDialogButtonBox;
class QLineEdit;

struct HomomorphicValues {
    double cutoff = 1.0;
    double lower = 0.5;
    double upper = 1.5;
    int power = 1;
    double from = 0.0; // colour only
    double to = 2.0;   // colour only
};

struct HomomorphicTexts {
    QString cutoff, lower, upper, power, from, to;
};

namespace qd {

// Cutoff, limits, power, then (colour only) the display range; the first
// refusal ends the check. A field that cannot be read is refused with its
// own message.
std::vector<DialogMessage> checkHomomorphic(const HomomorphicTexts& texts, bool colour,
                                            HomomorphicValues& values);

} // namespace qd

class CHomomorphicDialog : public QDialog {
    Q_OBJECT
  public:
    // colour: the colour filter's dialog, with the display range.
    explicit CHomomorphicDialog(bool colour, QWidget* parent = nullptr);

    bool isColour() const { return colour_; }
    QLineEdit* cutoffField() const { return cutoff_; }
    QLineEdit* lowerField() const { return lower_; }
    QLineEdit* upperField() const { return upper_; }
    QLineEdit* powerField() const { return power_; }
    // Null for the grey dialog.
    QLineEdit* fromField() const { return from_; }
    QLineEdit* toField() const { return to_; }
    QDialogButtonBox* buttons() const { return buttons_; }
    // Valid after acceptance.
    const HomomorphicValues& result() const { return result_; }

    void accept() override;

  private:
    bool colour_;
    QLineEdit* cutoff_;
    QLineEdit* lower_;
    QLineEdit* upper_;
    QLineEdit* power_;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QDialogButtonBox* buttons_;
    HomomorphicValues result_;
};

// The grey filter's parameters (from and to unused) or the colour filter's.
std::optional<HomomorphicValues> runHomomorphicDialog(QWidget* parent, bool colour);
