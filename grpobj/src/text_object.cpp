#include "graphic_object.h"

#include "record_bytes.h"

#include <QFont>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace qd::grp {

namespace {

// Longest text whose record size still fits the 32-bit size field.
constexpr int64_t kMaxTextLength = std::numeric_limits<int32_t>::max() - GO_TEXT_RECORD_BASE;

// Glyphs beyond this pixel height only cost memory and time.
constexpr int kMaxFontPixels = 32767;

// Device coordinates are kept well inside what the painter's fixed-point
// rasteriser and QRect arithmetic (the halo shifts) can take.
constexpr int32_t kMaxDevice = 1 << 24;

int32_t deviceClamp(int32_t v) { return std::clamp(v, -kMaxDevice, kMaxDevice); }

constexpr int kTextFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip;

} // namespace

TextObject::~TextObject() { delete[] text_; }

bool TextObject::replaceText(const char* text, int64_t length) {
    if (length < 0 || length > kMaxTextLength) return false;
    char* copy = new (std::nothrow) char[size_t(length) + 1];
    if (!copy) return false;
    if (length > 0) std::memcpy(copy, text, size_t(length));
    copy[length] = '\0';
    delete[] text_;
    text_ = copy;
    textLength_ = int32_t(length);
    objectSize_ = GO_TEXT_RECORD_BASE + textLength_;
    return true;
}

// Keeps at most 31 characters so the name stays terminated inside its field.
void TextObject::setFace(const char* face, int64_t limit) {
    std::memset(face_, 0, sizeof face_);
    if (!face) return;
    const size_t n = strnlen(face, size_t(std::min<int64_t>(limit, GO_FACE_SIZE - 1)));
    std::memcpy(face_, face, n);
}

bool TextObject::init(int32_t x, int32_t y, const char* text, const char* face, int32_t size,
                      int32_t bold, int32_t italic, uint32_t colour) {
    if (!text) text = "";
    if (!replaceText(text, int64_t(std::strlen(text)))) return false;
    setFace(face, GO_FACE_SIZE);
    size_ = size;
    bold_ = bold;
    italic_ = italic;
    colour_ = colour;
    const int64_t half = int64_t(textLength_) * size / 2;
    const int64_t v = (int64_t(size) + 5) / 2;
    setRect(sat32(x - half), sat32(y - v), sat32(x + half), sat32(y + v));
    return true;
}

bool TextObject::setData(const uint8_t* record, int64_t size) {
    if (!record || size < GO_TEXT_RECORD_BASE) return false;
    // The stated length must keep the text inside the record.
    const int64_t stated = get32(record + 64);
    if (stated < 0 || stated > size - 68) return false;
    const char* text = reinterpret_cast<const char*>(record + 68);
    if (!replaceText(text, int64_t(strnlen(text, size_t(stated))))) return false;
    takeRect(record);
    size_ = get32(record + 16);
    bold_ = get32(record + 20);
    italic_ = get32(record + 24);
    colour_ = get32u(record + 28);
    setFace(reinterpret_cast<const char*>(record + 32), GO_FACE_SIZE);
    return true;
}

uint8_t* TextObject::getData() const {
    uint8_t* record = newRecord({size_, bold_, italic_, colour_});
    if (!record) return nullptr;
    std::memcpy(record + 32, face_, GO_FACE_SIZE);
    put32(record + 64, textLength_);
    if (textLength_ > 0) std::memcpy(record + 68, text_, size_t(textLength_));
    return record;
}

// Four black copies shifted by one pixel under the coloured text give it a halo.
void TextObject::draw(QPainter& painter, const DrawScale& scale) const {
    QFont font;
    if (face_[0]) font.setFamily(QString::fromLatin1(face_));
    const int64_t height = std::min<int64_t>(std::abs(scale.scaled(size_)), kMaxFontPixels);
    if (height > 0) font.setPixelSize(int(height));
    font.setWeight(bold_ ? QFont::Bold : QFont::Normal);
    font.setItalic(italic_ != 0);
    painter.setFont(font);
    painter.setBackgroundMode(Qt::TransparentMode);

    const int32_t left = deviceClamp(scale.x(rect_.left));
    const int32_t right = deviceClamp(scale.x(rect_.right));
    const int32_t top = deviceClamp(scale.y(rect_.top));
    const int32_t bottom = deviceClamp(scale.y(rect_.bottom));
    const QRect box(std::min(left, right), std::min(top, bottom), std::abs(right - left),
                    std::abs(bottom - top));
    const QString text = QString::fromLatin1(text_ ? text_ : "", textLength_);
    painter.setPen(Qt::black);
    for (const QPoint shift : {QPoint(-1, 0), QPoint(0, -1), QPoint(1, 0), QPoint(0, 1)})
        painter.drawText(box.translated(shift), kTextFlags, text);
    painter.setPen(toQColor(colour_));
    painter.drawText(box, kTextFlags, text);
}

} // namespace qd::grp
