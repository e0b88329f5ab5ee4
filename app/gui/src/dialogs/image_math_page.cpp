#include "image_math_page.h"

#include "image_choice_box.h"
#include "qd_view.h"
#include "sheet_profile.h"

#include <QFormLayout>

namespace qd {

std::vector<CQDView*> imageMathCandidates(const ImageRegistry& registry) {
    return imageWindows(registry, [](int type) { return type != MT_RGB; });
}

std::vector<DialogMessage> checkImageMath(IMHANDLE first, IMHANDLE second) {
    if (!first || !second || IMGetImageWidth(first) != IMGetImageWidth(second) ||
        IMGetImageHeight(first) != IMGetImageHeight(second))
        return {warning(61486)};
    return {};
}

} // namespace qd

namespace {
qd::SectionKey<int> operatorKey(const QString& section) { return {section, "Operator", 0}; }
} // namespace

CImageMathPage::CImageMathPage(const QString& section, const std::vector<CQDView*>& views,
                               CQDView* active, QWidget* parent)
    : CPropertyPage("image math", parent), section_(section) {
    auto* form = new QFormLayout(this);
    first_ = new ImageChoiceBox(views, this);
    second_ = new ImageChoiceBox(views, this);
    first_->selectView(active);
    second_->selectView(active);
    operator_ = new QComboBox(this);
    operator_->addItems({"+", "-", "*"});
    const int op = operatorKey(section).read();
    operator_->setCurrentIndex(op >= 0 && op < 3 ? op : 0);
    form->addRow("image 1", first_);
    form->addRow("image 2", second_);
    form->addRow("operator", operator_);
}

bool CImageMathPage::validate() {
    CQDView* a = first_->view();
    CQDView* b = second_->view();
    return qd::showMessages(this,
                            qd::checkImageMath(a ? a->image() : nullptr, b ? b->image() : nullptr));
}

void CImageMathPage::commit() {
    firstView_ = first_->view();
    secondView_ = second_->view();
    op_ = operator_->currentIndex();
    operatorKey(section_).write(op_);
}
