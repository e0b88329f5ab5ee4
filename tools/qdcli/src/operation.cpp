// The table of every operation, and what each accepts.
#include "operation.h"

#include <regex>
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

std::string usageOf(const Operation& op) {
    std::string usage = "usage: qdcli " + op.name;
    if (!op.options.empty()) usage += " " + op.options;
    if (!op.wholeImage) usage += " [--select L,T,R,B]";
    for (int i = 1; i <= op.inputs; ++i) usage += op.inputs > 1 ? " IN" + std::to_string(i) : " IN";
    usage += op.makesImage ? " [-o OUT]" : " [--json]";
    return usage;
}

} // namespace qdcli
