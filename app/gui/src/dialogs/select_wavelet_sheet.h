#pragma once
// The wavelet sheet of the forward and inverse transforms: the filter, then
// the display of the result.

#include "property_sheet.h"

#include <optional>

#include <qd/core/display_record.h>

class CDspSetupPage;
class CSelectWaveletPage;

struct WaveletResult {
    int type;  // 1, 2, 4 or 8
    int order; // 4, 6, 12 or 20
    qd::DisplayRecord display;
};

class CSelectWaveletSheet : public CPropertySheet {
    Q_OBJECT
  public:
    CSelectWaveletSheet(const QString& caption, const QString& section, QWidget* parent = nullptr);

    CSelectWaveletPage* waveletPage() const { return wavelet_; }
    CDspSetupPage* displayPage() const { return display_; }
    // Valid after acceptance.
    WaveletResult values() const;

  private:
    CSelectWaveletPage* wavelet_;
    CDspSetupPage* display_;
};

// The forward ("Wavelet") or inverse ("IWavelet") transform's sheet;
// nothing on Cancel.
std::optional<WaveletResult> runSelectWaveletSheet(QWidget* parent, bool inverse);
