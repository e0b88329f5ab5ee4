// Text for the program's result window.
#include <qd/plugin.h>

#include <cstdarg>
#include <cstdio>

#include "connection.h"

using qd::plugin::request;

namespace {

// The program keeps the text, so its length is bounded here: 1023
// characters and the NUL.
constexpr int kTextSize = 1024;

int32_t sendText(uint32_t code, const char* text) noexcept {
    return int32_t(request(code, reinterpret_cast<intptr_t>(text ? text : "")));
}

int32_t sendFormatted(uint32_t code, const char* format, va_list args) noexcept {
    char text[kTextSize];
    if (!format || std::vsnprintf(text, sizeof text, format, args) < 0) text[0] = '\0';
    return sendText(code, text);
}

} // namespace

extern "C" {

int32_t qdWriteResultText(const char* text) noexcept { return sendText(QD_REQ_RESULT_LINE, text); }

int32_t qdWriteResultF(const char* format, ...) noexcept {
    va_list args;
    va_start(args, format);
    const int32_t reply = sendFormatted(QD_REQ_RESULT_TEXT, format, args);
    va_end(args);
    return reply;
}

int32_t qdWriteResultLnF(const char* format, ...) noexcept {
    va_list args;
    va_start(args, format);
    const int32_t reply = sendFormatted(QD_REQ_RESULT_LINE, format, args);
    va_end(args);
    return reply;
}

} // extern "C"
