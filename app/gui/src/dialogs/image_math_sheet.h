#pragma once
// The image math sheet: two images and an operator, then the display of
// the result.

#include "property_sheet.h"

#include <optional>
#include <vector>

#include <qd/core/display_record.h>

class CDspSetupPage;
class CImageMathPage;
class CQDView;

struct ImageMathResult {
    CQDView* first;
    CQDView* second;
    int op; // 0 add, 1 subtract, 2 multiply
    qd::DisplayRecord display;
};

class CImageMathSheet : public CPropertySheet {
    Q_OBJECT
  public:
    // views: the images offered (see imageMathCandidates).
    CImageMathSheet(const std::vector<CQDView*>& views, CQDView* active, QWidget* parent = nullptr);

    CImageMathPage* mathPage() const { return math_; }
    CDspSetupPage* displayPage() const { return display_; }
    // Valid after acceptance.
    ImageMathResult values() const;

  private:
    CImageMathPage* math_;
    CDspSetupPage* display_;
};

// Offers the non-RGB image windows; nothing on Cancel or when there is none.
std::optional<ImageMathResult> runImageMathSheet(QWidget* parent, CQDView* active);
