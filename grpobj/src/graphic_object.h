#pragma once

#include "qd/grpobj.h"

#include <cstdint>
#include <initializer_list>

class QPainter;
class QColor;

namespace qd::grp {

// Maps image coordinates to device coordinates: origin + c * multiplier / divisor,
// multiplication first, quotient truncated. The divisor is never 0 here.
struct DrawScale {
    int32_t originX;
    int32_t originY;
    int32_t divisor;
    int32_t multiplier;

    int64_t scaled(int64_t c) const { return c * multiplier / divisor; }
    int32_t x(int32_t c) const;
    int32_t y(int32_t c) const;
};

QColor toQColor(uint32_t rgb);

} // namespace qd::grp

// Base of the overlay objects; the C handle points at it. The virtual
// operations keep the order of the object's table of operations.
struct QDGraphicObject {
    QDGraphicObject(int32_t type, int32_t objectSize) : type_(type), objectSize_(objectSize) {}
    virtual ~QDGraphicObject() = default;
    QDGraphicObject(const QDGraphicObject&) = delete;
    QDGraphicObject& operator=(const QDGraphicObject&) = delete;

    virtual int32_t getType() const { return type_; }
    virtual int32_t getObjectSize() const { return objectSize_; }
    virtual void setRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
    virtual QDRECT getRect() const { return rect_; }
    virtual void move(int32_t dx, int32_t dy);
    // False (object unchanged) when the record does not fit in size bytes.
    virtual bool setData(const uint8_t* record, int64_t size);
    // A malloc'ed record of getObjectSize() bytes, or null.
    virtual uint8_t* getData() const { return nullptr; }
    virtual void draw(QPainter& painter, const qd::grp::DrawScale& scale) const;

  protected:
    // A zeroed record of getObjectSize() bytes holding the rectangle and then
    // the given 32-bit fields; null when out of memory.
    uint8_t* newRecord(std::initializer_list<int64_t> fields) const;
    // Reads the rectangle, the first 16 bytes of every record.
    void takeRect(const uint8_t* record);

    int32_t type_;
    int32_t objectSize_;
    QDRECT rect_{0, 0, 0, 0};
};

namespace qd::grp {

class LineObject final : public QDGraphicObject {
  public:
    LineObject() : QDGraphicObject(GO_LINE, GO_LINE_RECORD_SIZE) {}
    LineObject(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour, int32_t width);

    void move(int32_t dx, int32_t dy) override;
    bool setData(const uint8_t* record, int64_t size) override;
    uint8_t* getData() const override;
    void draw(QPainter& painter, const DrawScale& scale) const override;

  private:
    int32_t x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    int32_t width_ = 0;
    uint32_t colour_ = 0;
};

class TextObject final : public QDGraphicObject {
  public:
    TextObject() : QDGraphicObject(GO_TEXT, GO_TEXT_RECORD_BASE) {}
    ~TextObject() override;

    // Copies text and face; false when out of memory or the record would not
    // fit its 32-bit size field.
    bool init(int32_t x, int32_t y, const char* text, const char* face, int32_t size, int32_t bold,
              int32_t italic, uint32_t colour);

    bool setData(const uint8_t* record, int64_t size) override;
    uint8_t* getData() const override;
    void draw(QPainter& painter, const DrawScale& scale) const override;

  private:
    bool replaceText(const char* text, int64_t length);
    void setFace(const char* face, int64_t limit);

    int32_t size_ = 0;
    int32_t bold_ = 0;
    int32_t italic_ = 0;
    uint32_t colour_ = 0;
    char face_[GO_FACE_SIZE] = {};
    int32_t textLength_ = 0;
    char* text_ = nullptr;
};

} // namespace qd::grp
