#include "image_registry.h"

#include "qd_doc.h"
#include "qd_view.h"

#include <algorithm>
#include <qd/types.h>

namespace qd {

ImageRegistry::Slot ImageRegistry::slotOf(int elementType) {
    switch (elementType) {
    case MT_BINARY:
        return Binary;
    case MT_4BITS:
        return FourBit;
    case MT_COMPLEX8:
        return Complex8;
    case MT_COMPLEX16:
        return Complex16;
    case MT_RGB:
        return Rgb;
    default:
        return Other;
    }
}

void ImageRegistry::add(CQDView* view, int elementType) {
    views_.push_back(view);
    types_.push_back(elementType);
    ++counts_[slotOf(elementType)];
}

void ImageRegistry::remove(CQDView* view) {
    auto it = std::find(views_.begin(), views_.end(), view);
    if (it == views_.end()) return;
    const auto i = it - views_.begin();
    --counts_[slotOf(types_[i])];
    views_.erase(it);
    types_.erase(types_.begin() + i);
}

CQDView* ImageRegistry::viewAt(int index) const {
    return index >= 0 && index < count() ? views_[index] : nullptr;
}

QString ImageRegistry::nameAt(int index) const {
    CQDView* v = viewAt(index);
    return v && v->document() ? v->document()->name() : QString();
}

CQDView* ImageRegistry::findByName(const QString& name) const {
    for (CQDView* v : views_)
        if (v->document() && v->document()->name() == name) return v;
    return nullptr;
}

} // namespace qd
