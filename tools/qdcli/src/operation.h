#pragma once

// The operation table: one entry per operation that qdcli runs, each with
// the options it takes and a function that turns the parsed options into a
// repeatable library call.

#include <functional>
#include <string>
#include <vector>

#include <qd/core/result_display.h>
#include <qd/image.h>

#include "options.h"

namespace qdcli {

class Settings;

// How a new image from a matrix gets its display, as the program's
// command for the operation sets it.
using Display = qd::ResultDisplay;

// Numbers an operation prints: the result-window lines, and the same
// numbers as one JSON object.
struct Report {
    std::vector<std::string> lines;
    std::string json;
};

// What one run of an operation gives; owns its matrix and image.
struct Product {
    MTHANDLE matrix = nullptr;
    IMHANDLE image = nullptr;
    Report report;
    std::string refusal; // why nothing came back, when the operation knows

    Product() = default;
    explicit Product(MTHANDLE m) : matrix(m) {}
    explicit Product(IMHANDLE im) : image(im) {}
    Product(Product&& other) noexcept;
    Product& operator=(Product&& other) noexcept;
    ~Product();
    bool empty() const { return !matrix && !image && report.lines.empty(); }
};

// One call of an operation: its options, input images (already restricted
// to the selection unless the operation works on whole images) and the
// settings files.
struct Call {
    const Options& options;
    const std::vector<IMHANDLE>& inputs;
    Settings& settings;

    IMHANDLE image(size_t i = 0) const { return inputs[i]; }
    MTHANDLE matrix(size_t i = 0) const { return IMGetDataHandle(inputs[i]); }
};

using Run = std::function<Product()>;

// What one option means to an operation, where the shared text does not say it.
struct OptionNote {
    std::string option; // without its dashes
    std::string meaning;
};

struct Operation {
    std::string name;
    // One sentence on what it does, for "qdcli help" and its usage.
    std::string summary;
    // Its own options as shown by "qdcli list" and in its usage; the option
    // names it accepts are read from this text.
    std::string options;
    int inputs = 1;
    bool wholeImage = false; // ignores the selection, as the program does
    bool makesImage = true;
    // Works on the levels the input shows: --display-type and --range then
    // set the inputs' display instead of the result's.
    bool readsDisplay = false;
    Display display = Display::DefaultRange;
    // Reads and checks the options (throwing UsageError) and returns the
    // call to run, possibly several times.
    std::function<Run(const Call&)> prepare;
    // Meanings that differ from the shared option texts.
    std::vector<OptionNote> notes = {};
};

using OperationTable = std::vector<Operation>;

void addPrcsOperations(OperationTable& table);
void addBinaryOperations(OperationTable& table);
void addFourierOperations(OperationTable& table);
void addWaveletOperations(OperationTable& table);
void addColourOperations(OperationTable& table);
void addProgramOperations(OperationTable& table);
void addImageOperations(OperationTable& table);

// Every operation of the libraries built in, then the program's.
const OperationTable& operations();
const Operation* findOperation(const std::string& name);

// The option names an operation accepts: its own and the common ones.
std::vector<std::string> acceptedOptions(const Operation& op);
// The options it cannot run without, from its options text: each group
// holds one option, or the alternatives separated by " | ", one of which
// is needed; options in brackets are left out.
std::vector<std::vector<std::string>> requiredOptions(const Operation& op);
std::string usageOf(const Operation& op);

} // namespace qdcli
