// Option texts shared by every operation that takes the option; an
// operation's own notes take precedence.
#include "help.h"

#include <algorithm>
#include <map>
#include <regex>

namespace qdcli {
namespace {

struct Shared {
    const char* value; // the placeholder shown after the option, or "" for a flag
    const char* meaning;
};

const std::map<std::string, Shared>& sharedOptions() {
    static const std::map<std::string, Shared> table = {
        {"kernel", {"NAME", "a kernel of the program's library by name; with --weights only its label"}},
        {"weights", {"ROWS", "the kernel itself: N rows of N numbers, ',' between numbers and ';' between rows"}},
        {"divisor", {"D", "the weights' divisor (default: the named kernel's own, 1 with --weights)"}},
        {"rank", {"R", "the rank taken, 0 the smallest of the 9 values"}},
        {"cutoff", {"C", "the cut-off frequency"}},
        {"lower", {"L", "the lower cut-off frequency"}},
        {"upper", {"U", "the upper cut-off frequency"}},
        {"order", {"N", "the Butterworth filter's order"}},
        {"low-gain", {"G", "the gain of the low frequencies"}},
        {"high-gain", {"G", "the gain of the high frequencies"}},
        {"op", {"K", "the operator's code"}},
        {"value", {"V", "the value"}},
        {"width", {"W", "the new width"}},
        {"height", {"H", "the new height"}},
        {"n", {"N", "the filter length: 4, 6, 12 or 20"}},
        {"hue", {"H", "the hue shift (default 0)"}},
        {"sat", {"S", "the saturation shift (default 0)"}},
        {"inten", {"I", "the intensity shift (default 0)"}},
        {"brightness", {"B", "the brightness change (default 0)"}},
        {"contrast", {"C", "the contrast change (default 0)"}},
        {"lo", {"L", "the low end of each channel's result scale (default 0)"}},
        {"hi", {"H", "the high end of each channel's result scale (default 256)"}},
        {"butterworth", {"", "the Butterworth form instead of the ideal one (default: ideal)"}},
        {"count", {"M", "how many erosions or dilations find the background"}},
        {"operator", {"erosion|dilation", "which of the two finds the background"}},
        {"eight", {"", "objects connect through corners too (default: through edges only)"}},
        {"drop-border", {"", "leave out the objects that touch the border (default: keep them)"}},
        {"red", {"", "the red channel"}},
        {"green", {"", "the green channel"}},
        {"blue", {"", "the blue channel"}},
        {"palette", {"NAME", "the palette's name, as the program's palette list has it"}},
        {"select", {"L,T,R,B", "work on this rectangle only (default: the whole image)"}},
        {"display-type",
         {"CODE", "the result's display type, with the default range unless --range (default: as the "
                  "program's command sets it)"}},
        {"range", {"FROM,TO", "the result's display range (default: as the program's command sets it)"}},
        {"raw", {"W,H,TYPE[,OFFSET[,SWAP]]", "read the inputs as raw data of this size and type"}},
        {"as", {"TYPE", "convert the inputs to this element type first (default: as read)"}},
        {"time", {"N", "run N times and print the time per run"}},
        {"json", {"", "print the numbers as one JSON object"}},
        {"quiet", {"", "no progress line"}},
    };
    return table;
}

// The placeholder the operation's options text puts after the option.
std::string valueOf(const Operation& op, const std::string& option) {
    const std::regex after("--" + option + " ([A-Z0-9][A-Za-z0-9|,]*)");
    std::smatch m;
    if (std::regex_search(op.options, m, after)) return m[1];
    const auto it = sharedOptions().find(option);
    return it == sharedOptions().end() ? "" : it->second.value;
}

} // namespace

std::string optionMeaning(const Operation& op, const std::string& option) {
    for (const OptionNote& n : op.notes)
        if (n.option == option) return n.meaning;
    if (op.readsDisplay && option == "display-type")
        return "the inputs' display type before their levels are read (default: as stored)";
    if (op.readsDisplay && option == "range") return "the inputs' display range before their levels are read (default: as stored)";
    const auto it = sharedOptions().find(option);
    return it == sharedOptions().end() ? "" : it->second.meaning;
}

std::string helpOf(const Operation& op) {
    std::string text = usageOf(op) + "\n" + op.summary + "\n\noptions:\n";
    std::vector<std::string> lines;
    std::vector<std::string> names = acceptedOptions(op);
    // Its own options first, as its usage shows them.
    std::stable_partition(names.begin(), names.end(),
                          [&](const std::string& n) { return op.options.find("--" + n) != std::string::npos; });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    for (const std::string& name : names) {
        std::string head = "  --" + name;
        const std::string value = valueOf(op, name);
        if (!value.empty()) head += " " + value;
        if (head.size() < 28) head.resize(28, ' ');
        else head += "\n" + std::string(28, ' ');
        text += head + optionMeaning(op, name) + "\n";
    }
    if (op.makesImage) text += std::string("  -o OUT").append(20, ' ') + "the result's file, by its extension (default: not written)\n";
    return text;
}

std::string operationList() {
    std::string text;
    for (const Operation& op : operations()) {
        std::string name = "  " + op.name;
        if (name.size() < 30) name.resize(30, ' ');
        else name += " ";
        text += name + op.summary + "\n";
    }
    return text;
}

} // namespace qdcli
