// qdcli's command line: the input is the arguments, separated by NUL bytes;
// every option given is then asked for as each kind of value.
#include "options.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args(1, "qdcli");
    args.emplace_back();
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) args.emplace_back();
        else args.back().push_back(char(data[i]));
    }
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    try {
        const qdcli::Options options(int(argv.size()), argv.data(), 1);
        for (const std::string& name : options.given()) {
            const auto ask = [&](auto&& f) {
                try {
                    f();
                } catch (const qdcli::UsageError&) {
                }
            };
            ask([&] { options.text(name); });
            ask([&] { options.number(name); });
            ask([&] { options.integer(name, 0); });
            ask([&] { options.numbers(name); });
            ask([&] { options.numbers(name, 2); });
            ask([&] { options.all(name); });
            ask([&] { options.acceptOnly({"raw", "as"}, "fuzz"); });
        }
        for (const std::string& in : options.inputs()) {
            qdcli::parseNumber(in);
            qdcli::parseInteger(in);
            qdcli::split(in, ',');
        }
    } catch (const qdcli::UsageError&) {
    }
    return 0;
}
