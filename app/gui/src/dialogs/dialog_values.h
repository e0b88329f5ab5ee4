#pragma once
// What every parameter dialog shares without widgets: numbers read from
// edit fields the same way whatever the user's locale, texts cut to the
// record fields they go into, and the messages a failed check shows.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class QWidget;

namespace qd {

// A decimal number as the C library reads it (point as decimal separator),
// blanks around it allowed. Nothing for an empty field, text that is not a
// number, or a number beyond double's range.
std::optional<double> parseNumber(const QString& text);
// A whole number in decimal; nothing when the text is not one or does not
// fit in 32 bits.
std::optional<int32_t> parseInteger(const QString& text);
// The shortest text (C locale) that reads back as the same double.
QString formatNumber(double value);

// The text in the Western code page (what header fields hold), cut to at
// most maxChars bytes so that it fits a field of maxChars + 1 with its NUL.
QByteArray toFieldBytes(const QString& text, int maxChars);
// A header field's bytes (NUL-terminated within size) as shown to the user.
QString fromFieldBytes(const char* field, int size);

// One message box of a check: text, title and style bits of platform.h.
struct DialogMessage {
    QString text;
    QString title;
    uint32_t style;

    bool operator==(const DialogMessage&) const = default;
};

// The usual refusal: the text titled "warning" with a stop icon.
DialogMessage warning(const QString& text);
// The same with a string-table number.
DialogMessage warning(int stringId);

// Shows the messages in order (through the platform layer); true when there
// were none, so that a check reads: if (!showMessages(this, check(v))) return;
bool showMessages(QWidget* parent, const std::vector<DialogMessage>& messages);

} // namespace qd
