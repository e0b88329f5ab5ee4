#pragma once
// "image math" page: two images of the same size and the operator between
// them.

#include "dialog_values.h"
#include "property_sheet.h"

#include <vector>

#include <qd/image.h>

class QComboBox;
class CQDView;
class ImageChoiceBox;

namespace qd {

class ImageRegistry;

// The images image math can take: every window that is not RGB.
std::vector<CQDView*> imageMathCandidates(const ImageRegistry& registry);
// 61486 when the two images differ in width or height (or one is missing).
std::vector<DialogMessage> checkImageMath(IMHANDLE first, IMHANDLE second);

} // namespace qd

class CImageMathPage : public CPropertyPage {
    Q_OBJECT
  public:
    // Both lists start at the active view when it is listed, else the first.
    CImageMathPage(const QString& section, const std::vector<CQDView*>& views, CQDView* active,
                   QWidget* parent = nullptr);

    ImageChoiceBox* firstBox() const { return first_; }
    ImageChoiceBox* secondBox() const { return second_; }
    QComboBox* operatorBox() const { return operator_; }

    // Valid after commit.
    CQDView* firstView() const { return firstView_; }
    CQDView* secondView() const { return secondView_; }
    int op() const { return op_; } // 0 "+", 1 "-", 2 "*"

    bool validate() override;
    void commit() override;

  private:
    QString section_;
    ImageChoiceBox* first_;
    ImageChoiceBox* second_;
    QComboBox* operator_;
    CQDView* firstView_ = nullptr;
    CQDView* secondView_ = nullptr;
    int op_ = 0;
};
