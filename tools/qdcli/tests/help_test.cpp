// qdcli help and OP --help, the changes in place and kernels that carry
// both their name and their weights.
#include <sstream>

#include "cli_harness.h"

namespace cli {
namespace {

using HelpTest = CliTest;

// "  NAME   summary" lines of qdcli help, after its "operations:" line.
std::vector<std::pair<std::string, std::string>> listed(const std::string& out) {
    std::vector<std::pair<std::string, std::string>> ops;
    std::istringstream lines(out.substr(out.find("operations:\n") + 12));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string name, summary;
        words >> name >> std::ws;
        std::getline(words, summary);
        ops.emplace_back(name, summary);
    }
    return ops;
}

TEST_F(HelpTest, EveryOperationExplainsItselfAndEachOption) {
    const Outcome all = run({"help"});
    ASSERT_EQ(all.code, 0);
    const auto ops = listed(all.out);
    ASSERT_GT(ops.size(), 70u);
    for (const auto& [name, summary] : ops) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(summary.empty());
        const Outcome h = run({name, "--help"});
        ASSERT_EQ(h.code, 0) << h.err;
        std::istringstream lines(h.out);
        std::string usage, sentence;
        std::getline(lines, usage);
        std::getline(lines, sentence);
        EXPECT_EQ(usage.rfind("usage: qdcli " + name, 0), 0u) << usage;
        EXPECT_EQ(sentence, summary);
        // Every option the usage shows has a line with a meaning.
        std::istringstream words(usage);
        for (std::string w; words >> w;) {
            const size_t at = w.find("--");
            if (at == std::string::npos) continue;
            std::string option = w.substr(at);
            option = option.substr(0, option.find_first_of("]|"));
            const size_t line = h.out.find("\n  " + option + " ");
            ASSERT_NE(line, std::string::npos) << option;
            // The meaning starts in column 28, on the option's line or the next.
            const size_t next = h.out.find("\n  -", line + 1);
            std::string entry = h.out.substr(line + 1, next - line - 1);
            if (entry.back() == '\n') entry.pop_back();
            const std::string last = entry.substr(entry.rfind('\n') + 1);
            EXPECT_TRUE(last.size() > 30 && last[28] != ' ') << option << " has no meaning";
        }
    }
    EXPECT_EQ(run({"help", "BinOp2D"}).out, run({"BinOp2D", "--help"}).out);
    EXPECT_NE(run({"BinOp2D", "--help"}).out.find("0 adds, 1 multiplies, 2 divides"), std::string::npos);
    EXPECT_EQ(run({"NoSuchOp", "--help"}).code, 2);
}

TEST_F(HelpTest, ChangesInPlaceWriteTheChangedImage) {
    Matrix m = makeMatrix(3, 2, MT_SHORT, [](int32_t x, int32_t y) { return x + 10 * y; });
    npy("m.npy", m.get());
    ASSERT_EQ(run({"xmirror", "m.npy", "-o", "x.npy"}).code, 0);
    Matrix x = readNpy("x.npy");
    EXPECT_TRUE(sameMatrix(makeMatrix(3, 2, MT_SHORT, [](int32_t x, int32_t y) { return x + 10 * (1 - y); }).get(),
                           x.get()));
    ASSERT_EQ(run({"ymirror", "m.npy", "-o", "y.npy"}).code, 0);
    EXPECT_TRUE(sameMatrix(makeMatrix(3, 2, MT_SHORT, [](int32_t x, int32_t y) { return 2 - x + 10 * y; }).get(),
                           readNpy("y.npy").get()));
    ASSERT_EQ(run({"negative", "m.npy", "-o", "n.npy"}).code, 0);
    MTInverse(m.get());
    EXPECT_TRUE(sameMatrix(m.get(), readNpy("n.npy").get()));
    // What would leave the image as it was is refused, not written.
    EXPECT_EQ(run({"exchangeaxes", "m.npy", "-o", "e.npy"}).code, 2);
    Matrix bytes = makeMatrix(2, 2, MT_UCHAR, [](int32_t x, int32_t) { return x; });
    npy("b.npy", bytes.get());
    EXPECT_EQ(run({"byteswap", "b.npy", "-o", "s.npy"}).code, 2);
    EXPECT_EQ(run({"palette", "--palette", "No such palette", "m.npy", "-o", "p.qdw"}).code, 2);
    EXPECT_FALSE(exists("e.npy") || exists("s.npy") || exists("p.qdw"));
}

TEST_F(HelpTest, WeightsWinOverAKernelNameTheyLabel) {
    Matrix m = noise(6, 5, MT_FLOAT);
    npy("m.npy", m.get());
    const std::string identity = "0,0,0;0,1,0;0,0,0";
    const Outcome o = run({"SimpleConvolution2D", "--kernel", "Someone's own", "--weights", identity, "m.npy", "-o",
                           "k.npy"});
    ASSERT_EQ(o.code, 0) << o.err;
    ASSERT_EQ(run({"SimpleConvolution2D", "--weights", identity, "m.npy", "-o", "w.npy"}).code, 0);
    EXPECT_TRUE(sameMatrix(readNpy("w.npy").get(), readNpy("k.npy").get()));
    EXPECT_EQ(run({"SimpleConvolution2D", "--kernel", "Someone's own", "m.npy"}).code, 2);
}

} // namespace
} // namespace cli
