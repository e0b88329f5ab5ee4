// The table of every operation, and what each accepts.
#include "operation.h"

#include <regex>
#include <sstream>
#include <utility>

namespace qdcli {

Product::Product(Product&& other) noexcept
    : matrix(std::exchange(other.matrix, nullptr)), image(std::exchange(other.image, nullptr)),
      report(std::move(other.report)), refusal(std::move(other.refusal)) {}

Product& Product::operator=(Product&& other) noexcept {
    // other takes our handles and frees them as it goes.
    std::swap(matrix, other.matrix);
    std::swap(image, other.image);
    report = std::move(other.report);
    refusal = std::move(other.refusal);
    return *this;
}

Product::~Product() {
    if (matrix) MTDestroy(matrix);
    if (image) IMDestroy(image);
}

const OperationTable& operations() {
    static const OperationTable table = [] {
        OperationTable t;
        addPrcsOperations(t);
        addBinaryOperations(t);
        addFourierOperations(t);
        addColourOperations(t);
        addWaveletOperations(t);
        addProgramOperations(t);
        addImageOperations(t);
        return t;
    }();
    return table;
}

const Operation* findOperation(const std::string& name) {
    for (const Operation& op : operations())
        if (op.name == name) return &op;
    return nullptr;
}

std::vector<std::string> acceptedOptions(const Operation& op) {
    std::vector<std::string> names = {"json", "quiet", "time", "raw", "as"};
    if (op.makesImage || op.readsDisplay) names.insert(names.end(), {"display-type", "range"});
    if (!op.wholeImage) names.push_back("select");
    static const std::regex option("--([a-z-]+)");
    for (std::sregex_iterator it(op.options.begin(), op.options.end(), option), end; it != end; ++it)
        names.push_back((*it)[1]);
    return names;
}

std::vector<std::vector<std::string>> requiredOptions(const Operation& op) {
    std::vector<std::string> tokens;
    std::istringstream words(op.options);
    for (std::string w; words >> w;) tokens.push_back(w);
    std::vector<std::vector<std::string>> groups;
    int depth = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const std::string& t = tokens[i];
        if (t.front() == '[') ++depth;
        if (depth == 0 && t.rfind("--", 0) == 0 && t.find('|') == std::string::npos) {
            if (i > 0 && tokens[i - 1] == "|" && !groups.empty()) groups.back().push_back(t.substr(2));
            else groups.push_back({t.substr(2)});
        }
        if (t.back() == ']') --depth;
    }
    return groups;
}

std::string usageOf(const Operation& op) {
    std::string usage = "usage: qdcli " + op.name;
    if (!op.options.empty()) usage += " " + op.options;
    if (!op.wholeImage) usage += " [--select L,T,R,B]";
    for (int i = 1; i <= op.inputs; ++i) usage += op.inputs > 1 ? " IN" + std::to_string(i) : " IN";
    usage += op.makesImage ? " [-o OUT]" : " [--json]";
    return usage;
}

} // namespace qdcli
