#pragma once
// "Wavelet" page: which Daubechies filter the transform uses.

#include "property_sheet.h"

#include <vector>

class QRadioButton;

namespace qd {

struct WaveletChoice {
    const char* label;
    int code;  // what the profile and the sheet's result keep
    int order; // filter length the transform takes
};
const std::vector<WaveletChoice>& waveletChoices();
// The order of a type code; 4 (Daubechies 4) for a code that is not one.
int waveletOrder(int code);
// The profile's code, or 1 when it holds none of the four.
int readWaveletType(const QString& section);

} // namespace qd

class CSelectWaveletPage : public CPropertyPage {
    Q_OBJECT
  public:
    explicit CSelectWaveletPage(const QString& section, QWidget* parent = nullptr);

    QRadioButton* button(int index) const { return buttons_[size_t(index)]; }
    // Code of the checked radio (1, 2, 4 or 8).
    int code() const;

    void commit() override;

  private:
    QString section_;
    std::vector<QRadioButton*> buttons_;
};
