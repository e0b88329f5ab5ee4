#pragma once

// Command line of one qdcli run: the operation, its input files, -o and the
// named options.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace qdcli {

// Bad usage: the message says what was wrong; the run ends with exit code 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A file that cannot be read or written; exit code 3.
struct FileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Options {
public:
    // Splits argv[first ..] into options, -o and input files. Throws
    // UsageError for an option this tool does not know or a missing value.
    Options(int argc, char** argv, int first);

    const std::vector<std::string>& inputs() const { return inputs_; }
    const std::string& output() const { return output_; }
    bool hasOutput() const { return !output_.empty(); }

    bool has(const std::string& name) const;
    bool flag(const std::string& name) const { return flags_.count(name) != 0; }
    // Every option given, without its leading dashes.
    std::set<std::string> given() const;
    // UsageError naming the first option given that is not accepted.
    void acceptOnly(const std::vector<std::string>& accepted, const std::string& command) const;
    // Every value of an option that may be repeated, in command-line order.
    const std::vector<std::string>& all(const std::string& name) const;

    // Typed values; UsageError when missing (without a fallback) or not a
    // number of that kind.
    std::string text(const std::string& name) const;
    double number(const std::string& name) const;
    double number(const std::string& name, double fallback) const;
    int32_t integer(const std::string& name) const;
    int32_t integer(const std::string& name, int32_t fallback) const;
    // "a,b,c" as numbers; exactly count of them when count > 0.
    std::vector<double> numbers(const std::string& name, size_t count = 0) const;

private:
    std::map<std::string, std::string> values_;
    std::set<std::string> flags_;
    std::map<std::string, std::vector<std::string>> lists_;
    std::vector<std::string> inputs_;
    std::string output_;
};

// Whole-text parses; nothing when the text is not entirely one number.
std::optional<double> parseNumber(const std::string& text);
std::optional<int32_t> parseInteger(const std::string& text);
std::vector<std::string> split(const std::string& text, char separator);

} // namespace qdcli
