#include "graphic_object.h"

#include "record_bytes.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

namespace qd::grp {

LineObject::LineObject(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour,
                       int32_t width)
    : LineObject() {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    colour_ = colour;
    width_ = width;
    setRect(sat32(int64_t(std::min(x1, x2)) - width), sat32(int64_t(std::min(y1, y2)) - width),
            sat32(int64_t(std::max(x1, x2)) + width), sat32(int64_t(std::max(y1, y2)) + width));
}

void LineObject::move(int32_t dx, int32_t dy) {
    QDGraphicObject::move(dx, dy);
    x1_ = sat32(int64_t(x1_) + dx);
    x2_ = sat32(int64_t(x2_) + dx);
    y1_ = sat32(int64_t(y1_) + dy);
    y2_ = sat32(int64_t(y2_) + dy);
}

bool LineObject::setData(const uint8_t* record, int64_t size) {
    if (!record || size < GO_LINE_RECORD_SIZE) return false;
    takeRect(record);
    x1_ = get32(record + 16);
    y1_ = get32(record + 20);
    x2_ = get32(record + 24);
    y2_ = get32(record + 28);
    colour_ = get32u(record + 32);
    width_ = get32(record + 36);
    return true;
}

uint8_t* LineObject::getData() const { return newRecord({x1_, y1_, x2_, y2_, colour_, width_}); }

// A black pen two pixels wider under the coloured one gives the line a border.
void LineObject::draw(QPainter& painter, const DrawScale& scale) const {
    const QPoint a(scale.x(x1_), scale.y(y1_));
    const QPoint b(scale.x(x2_), scale.y(y2_));
    auto penWidth = [&](int64_t w) { return int(std::max<int64_t>(0, sat32(scale.scaled(w)))); };
    // Round ends and joins, as wide pens of the original device context had.
    QPen pen(Qt::black, penWidth(int64_t(width_) + 2), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.drawLine(a, b);
    pen.setColor(toQColor(colour_));
    pen.setWidth(penWidth(width_));
    painter.setPen(pen);
    painter.drawLine(a, b);
}

} // namespace qd::grp
