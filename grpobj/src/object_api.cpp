// Flat exports of the graphic objects: each is a dispatch into the object.
#include "graphic_object.h"

#include <QPainter>

#include <new>

using qd::grp::DrawScale;
using qd::grp::LineObject;
using qd::grp::TextObject;

extern "C" {

GOHANDLE GOCreate(int32_t type) noexcept {
    if (type == GO_TEXT) return new (std::nothrow) TextObject();
    if (type == GO_LINE) return new (std::nothrow) LineObject();
    return nullptr;
}

GOHANDLE GOCreateLineObject(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour,
                            int32_t width) noexcept {
    return new (std::nothrow) LineObject(x1, y1, x2, y2, colour, width);
}

GOHANDLE GOCreateTextObject(int32_t x, int32_t y, const char* text, const char* face, int32_t size,
                            int32_t bold, int32_t italic, uint32_t colour) noexcept {
    auto* obj = new (std::nothrow) TextObject();
    if (obj && !obj->init(x, y, text, face, size, bold, italic, colour)) {
        delete obj;
        return nullptr;
    }
    return obj;
}

void GODestroy(GOHANDLE obj) noexcept { delete obj; }

int32_t GOGetType(GOHANDLE obj) noexcept { return obj ? obj->getType() : 0; }

int32_t GOGetObjectSize(GOHANDLE obj) noexcept { return obj ? obj->getObjectSize() : 0; }

QDRECT GOGetDrawRect(GOHANDLE obj) noexcept { return obj ? obj->getRect() : QDRECT{0, 0, 0, 0}; }

void GOMoveDrawRect(GOHANDLE obj, int32_t dx, int32_t dy) noexcept {
    if (obj) obj->move(dx, dy);
}

int32_t GOSetData(GOHANDLE obj, const void* record, int64_t size) noexcept {
    return obj && obj->setData(static_cast<const uint8_t*>(record), size) ? 1 : 0;
}

void* GOGetData(GOHANDLE obj) noexcept { return obj ? obj->getData() : nullptr; }

void GODraw(HDC hdc, GOHANDLE obj, int32_t originX, int32_t originY, int32_t divisor,
            int32_t multiplier) noexcept {
    auto* painter = static_cast<QPainter*>(hdc);
    if (!painter || !obj || divisor == 0 || !painter->isActive()) return;
    // Restores font, pen, brush and background mode however drawing ends.
    struct StateGuard {
        QPainter* p;
        explicit StateGuard(QPainter* target) : p(target) { p->save(); }
        ~StateGuard() { p->restore(); }
    };
    try {
        StateGuard guard(painter);
        obj->draw(*painter, DrawScale{originX, originY, divisor, multiplier});
    } catch (...) {
        // Out of memory inside Qt: leave the picture as far as it got.
    }
}

} // extern "C"
