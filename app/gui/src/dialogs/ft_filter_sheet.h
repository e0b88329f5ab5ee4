#pragma once
// The Fourier filter sheet of the low, high and band pass commands: the
// filter's parameters, then the display of the result.

#include "ft_filter_page.h"
#include "property_sheet.h"

#include <optional>

#include <qd/core/display_record.h>

class CDspSetupPage;

struct FTFilterResult {
    int filterType; // 0 ideal, 1 Butterworth
    double lower;
    double upper;
    int power;
    qd::DisplayRecord display;
};

class CFTFilterSheet : public CPropertySheet {
    Q_OBJECT
  public:
    CFTFilterSheet(const QString& caption, const QString& section, qd::FTFilterKind kind,
                   QWidget* parent = nullptr);

    CFTFilterPage* filterPage() const { return filter_; }
    CDspSetupPage* displayPage() const { return display_; }
    // Valid after acceptance.
    FTFilterResult values() const;

  private:
    CFTFilterPage* filter_;
    CDspSetupPage* display_;
};

// Runs the sheet of that filter (caption and section follow the kind; colour
// picks the colour command's caption); nothing on Cancel.
std::optional<FTFilterResult> runFTFilterSheet(QWidget* parent, qd::FTFilterKind kind,
                                               bool colour = false);
