#pragma once

// Result lines and their JSON twin.

#include <cstdint>
#include <string>
#include <vector>

#include <qd/prcs.h>

#include "operation.h"

namespace qdcli {

// Header texts are Western code page bytes; standard output takes UTF-8.
std::string latin1ToUtf8(const std::string& bytes);

// Shortest text that reads back as the same double; null for nan and
// infinities, which JSON cannot hold.
std::string jsonNumber(double value);
// A quoted JSON string; header texts are Western code page bytes and are
// turned into UTF-8.
std::string jsonString(const std::string& bytes);

// Builds one JSON object field by field, in order.
class JsonObject {
public:
    JsonObject& number(const std::string& key, double value);
    JsonObject& whole(const std::string& key, long long value);
    JsonObject& text(const std::string& key, const std::string& value);
    JsonObject& raw(const std::string& key, const std::string& json);
    std::string str() const { return "{" + body_ + "}"; }

private:
    JsonObject& field(const std::string& key, const std::string& json);
    std::string body_;
};

std::string jsonArray(const std::vector<std::string>& items);

// The statistics results, lines as the program prints them.
Report sumReport(double sum);
Report meanReport(double mean, double variance);
Report minMaxReport(double min, double max, bool integer);
Report statisticsReport(const StatisticsRecord& stats, bool integer);

// The object table: the program's lines, and count, objects and totals.
Report objectsReport(const std::vector<ObjectPropertyRecord>& objects);

} // namespace qdcli
