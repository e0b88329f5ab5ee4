#include "image_choice_box.h"

#include "image_registry.h"
#include "qd_doc.h"
#include "qd_view.h"

#include <algorithm>

namespace qd {

std::vector<CQDView*> imageWindows(const ImageRegistry& registry,
                                   const std::function<bool(int elementType)>& keep) {
    std::vector<CQDView*> out;
    for (CQDView* v : registry.views())
        if (!keep || keep(v->elementType())) out.push_back(v);
    return out;
}

} // namespace qd

ImageChoiceBox::ImageChoiceBox(std::vector<CQDView*> views, QWidget* parent)
    : QComboBox(parent), views_(std::move(views)) {
    for (CQDView* v : views_)
        addItem(v->document() ? v->document()->name() : QString());
    if (!views_.empty()) setCurrentIndex(0);
}

CQDView* ImageChoiceBox::view() const {
    const int i = currentIndex();
    return i >= 0 && i < int(views_.size()) ? views_[size_t(i)] : nullptr;
}

void ImageChoiceBox::selectView(CQDView* view) {
    const auto it = std::find(views_.begin(), views_.end(), view);
    if (it != views_.end()) setCurrentIndex(int(it - views_.begin()));
}
