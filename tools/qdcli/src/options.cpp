// Command-line splitting and typed option values.
#include "options.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace qdcli {
namespace {

// Options that take a value; everything else with "--" is a flag of this set.
const std::set<std::string> kValueOptions = {
    "kernel", "weights", "divisor", "rank", "cutoff", "lower", "upper", "order",
    "low-gain", "high-gain", "op", "value", "width", "height", "n", "hue", "sat",
    "inten", "brightness", "contrast", "lo", "hi", "count", "operator", "select",
    "display-type", "range", "raw", "as", "time", "active", "shown", "palette"};
const std::set<std::string> kFlags = {"butterworth", "eight", "drop-border", "red", "green",
                                      "blue", "json", "quiet", "name"};
// Options that take a value and may be given again for the next one.
const std::set<std::string> kListOptions = {"answer", "pick"};

} // namespace

std::optional<double> parseNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno == ERANGE || std::isnan(v)) return std::nullopt;
    return v;
}

std::optional<int32_t> parseInteger(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), &end, 0);
    if (end != text.c_str() + text.size() || errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return int32_t(v);
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return parts;
        start = at + 1;
    }
}

Options::Options(int argc, char** argv, int first) {
    for (int i = first; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-o") {
            if (i + 1 >= argc) throw UsageError("-o needs a file name");
            if (!output_.empty()) throw UsageError("-o given twice");
            output_ = argv[++i];
            if (output_.empty()) throw UsageError("-o needs a file name");
        } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            const std::string name = arg.substr(2);
            if (kFlags.count(name)) {
                flags_.insert(name);
            } else if (kListOptions.count(name)) {
                if (i + 1 >= argc) throw UsageError(arg + " needs a value");
                lists_[name].push_back(argv[++i]);
            } else if (kValueOptions.count(name)) {
                if (i + 1 >= argc) throw UsageError(arg + " needs a value");
                if (values_.count(name)) throw UsageError(arg + " given twice");
                values_[name] = argv[++i];
            } else {
                throw UsageError("unknown option " + arg);
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError("unknown option " + arg);
        } else {
            inputs_.push_back(arg);
        }
    }
}

bool Options::has(const std::string& name) const {
    return values_.count(name) || flags_.count(name) || lists_.count(name);
}

std::set<std::string> Options::given() const {
    std::set<std::string> all(flags_);
    for (const auto& [name, value] : values_) all.insert(name);
    for (const auto& [name, values] : lists_) all.insert(name);
    return all;
}

void Options::acceptOnly(const std::vector<std::string>& accepted, const std::string& command) const {
    for (const std::string& name : given())
        if (std::find(accepted.begin(), accepted.end(), name) == accepted.end())
            throw UsageError(command + " does not take --" + name);
}

const std::vector<std::string>& Options::all(const std::string& name) const {
    static const std::vector<std::string> none;
    const auto it = lists_.find(name);
    return it == lists_.end() ? none : it->second;
}

std::string Options::text(const std::string& name) const {
    const auto it = values_.find(name);
    if (it == values_.end()) throw UsageError("--" + name + " is required");
    return it->second;
}

double Options::number(const std::string& name) const {
    const std::optional<double> v = parseNumber(text(name));
    if (!v) throw UsageError("--" + name + " needs a number, not \"" + text(name) + "\"");
    return *v;
}

double Options::number(const std::string& name, double fallback) const {
    return values_.count(name) ? number(name) : fallback;
}

int32_t Options::integer(const std::string& name) const {
    const std::optional<int32_t> v = parseInteger(text(name));
    if (!v) throw UsageError("--" + name + " needs a whole number, not \"" + text(name) + "\"");
    return *v;
}

int32_t Options::integer(const std::string& name, int32_t fallback) const {
    return values_.count(name) ? integer(name) : fallback;
}

std::vector<double> Options::numbers(const std::string& name, size_t count) const {
    std::vector<double> out;
    for (const std::string& part : split(text(name), ',')) {
        const std::optional<double> v = parseNumber(part);
        if (!v) throw UsageError("--" + name + ": \"" + part + "\" is not a number");
        out.push_back(*v);
    }
    if (count && out.size() != count)
        throw UsageError("--" + name + " needs " + std::to_string(count) + " numbers separated by commas");
    return out;
}

} // namespace qdcli
