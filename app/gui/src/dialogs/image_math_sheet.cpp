#include "image_math_sheet.h"

#include "dsp_setup_page.h"
#include "image_math_page.h"
#include "platform.h"
#include "qd_app.h"
#include "string_table.h"

namespace {
const char* const kSection = "ImageMath";
} // namespace

CImageMathSheet::CImageMathSheet(const std::vector<CQDView*>& views, CQDView* active,
                                 QWidget* parent)
    : CPropertySheet(qd::loadString(61487), kSection, parent) {
    math_ = new CImageMathPage(kSection, views, active, this);
    display_ = new CDspSetupPage(kSection, this);
    addPage(math_);
    addPage(display_);
}

ImageMathResult CImageMathSheet::values() const {
    return {math_->firstView(), math_->secondView(), math_->op(), display_->record()};
}

std::optional<ImageMathResult> runImageMathSheet(QWidget* parent, CQDView* active) {
    const std::vector<CQDView*> views = qd::imageMathCandidates(qdApp()->registry());
    if (views.empty()) return std::nullopt;
    CImageMathSheet sheet(views, active, parent);
    if (qd::runModal(sheet) != QDialog::Accepted) return std::nullopt;
    return sheet.values();
}
