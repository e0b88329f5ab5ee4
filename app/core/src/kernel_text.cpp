#include "qd/core/kernel_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace qd {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// "%.0f" as the C library prints it (half-way cases go to the even neighbour).
std::string wholeText(double v) {
    const int size = std::snprintf(nullptr, 0, "%.0f", v);
    std::string s(size_t(size > 0 ? size : 0), '\0');
    std::snprintf(s.data(), s.size() + 1, "%.0f", v);
    return s;
}

template <class Value, class Format>
std::string rowsText(const Value* v, int32_t n, Format format) {
    std::string out;
    if (!v || n < 1) return out;
    for (int32_t r = 0; r < n; ++r) {
        if (r > 0) out += "\r\n";
        for (int32_t c = 0; c < n; ++c) {
            out += format(v[size_t(r) * size_t(n) + size_t(c)]);
            out += "  ";
        }
    }
    return out;
}

// A leading plus is the C library's, not from_chars'.
std::string_view withoutPlus(std::string_view token) {
    if (token.size() > 1 && token[0] == '+' && token[1] != '+' && token[1] != '-')
        token.remove_prefix(1);
    return token;
}

std::optional<int32_t> readInteger(std::string_view token) {
    token = withoutPlus(token);
    int32_t value = 0;
    const char* last = token.data() + token.size();
    const auto [end, ec] = std::from_chars(token.data(), last, value);
    if (ec != std::errc() || end != last) return std::nullopt;
    return value;
}

// The entries of the first n lines, each read by readValue; nothing when a
// line gives fewer than n.
template <class Value, class Reader>
std::optional<std::vector<Value>> readEntries(std::string_view text, int32_t n, Reader readValue) {
    if (n < 1) return std::nullopt;
    std::vector<Value> values;
    values.reserve(size_t(n) * size_t(n));
    for (int32_t r = 0; r < n; ++r) {
        if (text.empty() && r > 0) return std::nullopt;
        const size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        if (line.size() > kKernelLineChars) {
            // An entry cut by the limit would read as another number; it is
            // not read at all.
            const bool cutInside = !isBlank(line[kKernelLineChars]);
            line = line.substr(0, kKernelLineChars);
            if (cutInside)
                while (!line.empty() && !isBlank(line.back()))
                    line.remove_suffix(1);
        }
        int32_t got = 0;
        size_t pos = 0;
        while (got < n) {
            while (pos < line.size() && isBlank(line[pos]))
                ++pos;
            if (pos == line.size()) break;
            size_t end = pos;
            while (end < line.size() && !isBlank(line[end]))
                ++end;
            const std::optional<Value> v = readValue(line.substr(pos, end - pos));
            if (!v) break;
            values.push_back(*v);
            ++got;
            pos = end;
        }
        if (got < n) return std::nullopt;
    }
    return values;
}

} // namespace

std::string kernelDimText(int32_t n) { return std::to_string(n) + " X " + std::to_string(n); }

int32_t kernelDimFromText(std::string_view text) {
    text = withoutPlus(text.substr(0, text.find(' ')));
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end != text.data() ? value : 0;
}

std::string kernelEntriesText(const CONVKERNEL& kernel) {
    return rowsText(kernel.weights, kernel.N, wholeText);
}

std::string kernelEntriesText(const MMKERNEL& kernel) {
    return rowsText(kernel.values, kernel.N, [](int32_t v) { return std::to_string(v); });
}

std::string kernelDivisorText(double divisor) { return wholeText(divisor); }

std::string editorValueText(double value) {
    if (!std::isfinite(value) || value == std::trunc(value)) return wholeText(value);
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? std::string(buf, end) : wholeText(value);
}

std::string editorEntriesText(const CONVKERNEL& kernel) {
    return rowsText(kernel.weights, kernel.N, editorValueText);
}

std::string editorDivisorText(double divisor) { return editorValueText(divisor); }

std::string blankKernelText(int32_t n) {
    std::string out;
    for (int32_t r = 0; r < n; ++r) {
        for (int32_t c = 0; c < n; ++c)
            out += "0  ";
        out += "\r\n";
    }
    return out;
}

std::optional<double> readKernelNumber(std::string_view token) {
    token = withoutPlus(token);
    double value = 0;
    const char* last = token.data() + token.size();
    const auto [end, ec] = std::from_chars(token.data(), last, value);
    if (ec != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<std::vector<double>> readConvEntries(std::string_view text, int32_t n) {
    return readEntries<double>(text, n, readKernelNumber);
}

std::optional<std::vector<int32_t>> readMMEntries(std::string_view text, int32_t n) {
    return readEntries<int32_t>(text, n, [](std::string_view token) -> std::optional<int32_t> {
        const std::optional<int32_t> v = readInteger(token);
        if (!v) return std::nullopt;
        return *v != 0 ? 1 : 0;
    });
}

std::optional<double> readKernelDivisor(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    const std::optional<double> d = readKernelNumber(text);
    if (!d || std::fabs(*d) < kMinKernelDivisor) return std::nullopt;
    return d;
}

std::string kernelFieldName(std::string_view name) {
    name = name.substr(0, name.find('\0'));
    return std::string(name.substr(0, kKernelNameChars));
}

} // namespace qd
