#include "graphic_object.h"

#include "record_bytes.h"

#include <QColor>

#include <cstdlib>

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

uint8_t* QDGraphicObject::newRecord(std::initializer_list<int64_t> fields) const {
    auto* record = static_cast<uint8_t*>(std::calloc(1, size_t(objectSize_)));
    if (!record) return nullptr;
    uint8_t* at = record;
    auto put = [&at](int64_t v) {
        put32(at, uint32_t(v));
        at += 4;
    };
    put(rect_.left);
    put(rect_.top);
    put(rect_.right);
    put(rect_.bottom);
    for (int64_t v : fields)
        put(v);
    return record;
}

void QDGraphicObject::takeRect(const uint8_t* record) {
    setRect(get32(record + 0), get32(record + 4), get32(record + 8), get32(record + 12));
}
