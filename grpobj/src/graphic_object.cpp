#include "graphic_object.h"

#include "record_bytes.h"

#include <QColor>

namespace qd::grp {

int32_t DrawScale::x(int32_t c) const { return sat32(originX + scaled(c)); }
int32_t DrawScale::y(int32_t c) const { return sat32(originY + scaled(c)); }

QColor toQColor(uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

} // namespace qd::grp

using qd::grp::get32;
using qd::grp::put32;
using qd::grp::sat32;

void QDGraphicObject::setRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    rect_ = {left, top, right, bottom};
}

void QDGraphicObject::move(int32_t dx, int32_t dy) {
    rect_.left = sat32(int64_t(rect_.left) + dx);
    rect_.right = sat32(int64_t(rect_.right) + dx);
    rect_.top = sat32(int64_t(rect_.top) + dy);
    rect_.bottom = sat32(int64_t(rect_.bottom) + dy);
}

bool QDGraphicObject::setData(const uint8_t*, int64_t) { return false; }

void QDGraphicObject::draw(QPainter&, const qd::grp::DrawScale&) const {}

void QDGraphicObject::putRect(uint8_t* record) const {
    put32(record + 0, rect_.left);
    put32(record + 4, rect_.top);
    put32(record + 8, rect_.right);
    put32(record + 12, rect_.bottom);
}

void QDGraphicObject::takeRect(const uint8_t* record) {
    setRect(get32(record + 0), get32(record + 4), get32(record + 8), get32(record + 12));
}
