#include "dialog_values.h"

#include "platform.h"
#include "string_table.h"

#include <QStringEncoder>
#include <charconv>
#include <cmath>
#include <cstring>

namespace qd {

std::optional<double> parseNumber(const QString& text) {
    const QByteArray bytes = text.trimmed().toLatin1();
    if (bytes.isEmpty()) return std::nullopt;
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    if (*first == '+') ++first; // the C library takes a leading plus
    double value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int32_t> parseInteger(const QString& text) {
    const QByteArray bytes = text.trimmed().toLatin1();
    if (bytes.isEmpty()) return std::nullopt;
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    if (*first == '+') ++first;
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last) return std::nullopt;
    return value;
}

QString formatNumber(double value) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? QString::fromLatin1(buf, int(end - buf)) : QString();
}

QByteArray toFieldBytes(const QString& text, int maxChars) {
    QStringEncoder latin1(QStringEncoder::Latin1);
    QByteArray bytes = latin1.encode(text);
    if (maxChars >= 0 && bytes.size() > maxChars) bytes.truncate(maxChars);
    return bytes;
}

QString fromFieldBytes(const char* field, int size) {
    const char* end = static_cast<const char*>(std::memchr(field, 0, size_t(size)));
    return QString::fromLatin1(field, end ? int(end - field) : size);
}

DialogMessage warning(const QString& text) { return {text, "warning", MbOk | MbIconStop}; }

DialogMessage warning(int stringId) { return warning(loadString(stringId)); }

bool showMessages(QWidget* parent, const std::vector<DialogMessage>& messages) {
    for (const DialogMessage& m : messages)
        messageBox(parent, m.text, m.title, m.style);
    return messages.empty();
}

} // namespace qd
