// JSON text and the statistics reports.
#include "report.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include <qd/core/program_ops.h>

namespace qdcli {

std::string jsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    return ec == std::errc() ? std::string(text, end) : "null";
}

std::string latin1ToUtf8(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x80) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(c);
        }
    }
    return out;
}

std::string jsonString(const std::string& bytes) {
    std::string out = "\"";
    for (unsigned char c : latin1ToUtf8(bytes)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", c);
            out += esc;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

JsonObject& JsonObject::field(const std::string& key, const std::string& json) {
    if (!body_.empty()) body_ += ",";
    body_ += jsonString(key) + ":" + json;
    return *this;
}
JsonObject& JsonObject::number(const std::string& key, double value) {
    return field(key, jsonNumber(value));
}
JsonObject& JsonObject::whole(const std::string& key, long long value) {
    return field(key, std::to_string(value));
}
JsonObject& JsonObject::text(const std::string& key, const std::string& value) {
    return field(key, jsonString(value));
}
JsonObject& JsonObject::raw(const std::string& key, const std::string& json) {
    return field(key, json);
}

std::string jsonArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i];
    return out + "]";
}

namespace {
void addMinMax(JsonObject& json, double min, double max, bool integer) {
    if (integer)
        json.whole("minimum", qd::wholeNumber(min)).whole("maximum", qd::wholeNumber(max));
    else
        json.number("minimum", min).number("maximum", max);
}
} // namespace

Report sumReport(double sum) {
    return {{qd::sumLine(sum)}, JsonObject().number("sum", sum).str()};
}

Report meanReport(double mean, double variance) {
    return {{qd::meanLine(mean, variance)},
            JsonObject()
                .number("mean", mean)
                .number("standard_deviation", qd::standardDeviation(variance))
                .str()};
}

Report minMaxReport(double min, double max, bool integer) {
    JsonObject json;
    addMinMax(json, min, max, integer);
    return {{qd::minMaxLine(min, max, integer)}, json.str()};
}

Report statisticsReport(const StatisticsRecord& stats, bool integer) {
    JsonObject json;
    json.number("sum", stats.sum)
        .number("mean", stats.mean)
        .number("standard_deviation", qd::standardDeviation(stats.variance));
    addMinMax(json, stats.min, stats.max, integer);
    return {qd::statisticsLines(stats, integer), json.str()};
}

Report objectsReport(const std::vector<ObjectPropertyRecord>& objects) {
    std::vector<std::string> rows;
    double area = 0, perimeter = 0;
    long long holes = 0;
    for (size_t i = 0; i < objects.size(); ++i) {
        const ObjectPropertyRecord& o = objects[i];
        rows.push_back(JsonObject()
                           .whole("object", (long long)(i + 1))
                           .number("area", o.area)
                           .number("perimeter", o.perimeter)
                           .number("angle", o.angle * qd::kDegreesPerRadian)
                           .number("major_axis", o.majorAxis)
                           .number("minor_axis", o.minorAxis)
                           .whole("holes", o.holes)
                           .number("rg", o.Rg)
                           .str());
        area += o.area;
        perimeter += o.perimeter;
        holes += o.holes;
    }
    const std::string total = JsonObject().number("area", area).number("perimeter", perimeter).whole("holes", holes).str();
    return {qd::objectTableLines(objects), JsonObject()
                                               .whole("count", (long long)objects.size())
                                               .raw("objects", jsonArray(rows))
                                               .raw("total", total)
                                               .str()};
}

} // namespace qdcli
