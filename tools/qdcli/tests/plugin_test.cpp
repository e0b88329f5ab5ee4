// qdcli plugin: loading, the answers a headless host gives, and which
// windows are written where.
#include <dlfcn.h>
#include <fstream>

#include <qd/core/npy_file.h>

#include "cli_harness.h"

namespace cli {
namespace {

using PlugInTest = CliTest;

TEST_F(PlugInTest, LibrariesThatCannotRunExitOne) {
    {
        std::ofstream text(path("notlib.so"));
        text << "not a library\n";
    }
    // The loader's own reason, with the path.
    ASSERT_EQ(dlopen(path("notlib.so").c_str(), RTLD_NOW), nullptr);
    const std::string why = dlerror();
    const Outcome o = run({"plugin", path("notlib.so")});
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.err.find(why), std::string::npos) << o.err;
    EXPECT_EQ(run({"plugin", "--name", "absent.so"}).code, 1);
    EXPECT_EQ(run({"plugin", "absent.so"}).code, 1);
}

TEST_F(PlugInTest, BadUsageExitsTwoBeforeAnythingRuns) {
    Matrix m = noise(3, 2, MT_UCHAR);
    npy("a.npy", m.get());
    EXPECT_EQ(run({"plugin"}).code, 2);
    EXPECT_EQ(run({"plugin", "--name", "x.so", "a.npy"}).code, 2);
    EXPECT_EQ(run({"plugin", "x.so", "--active", "1", "a.npy"}).code, 2) << "one image: index 0 only";
    EXPECT_EQ(run({"plugin", "x.so", "--active", "0"}).code, 2) << "no image to activate";
    EXPECT_EQ(run({"plugin", "x.so", "--pick", "-1", "a.npy"}).code, 2);
    EXPECT_EQ(run({"plugin", "x.so", "-o", "out-%d.gif", "a.npy"}).code, 2);
    EXPECT_EQ(run({"plugin", "x.so", "--shown", "s.gif", "a.npy"}).code, 2);
    EXPECT_EQ(run({"plugin", "x.so", "--json", "a.npy"}).code, 2);
    EXPECT_EQ(run({"stats", "--answer", "1", "a.npy"}).code, 2) << "operations take no plug-in options";
}

#ifdef QDCLI_TEST_PLUGINS

TEST_F(PlugInTest, NameAndLibrariesWithoutMain) {
    Outcome o = run({"plugin", "--name", QDCLI_PLUGIN_TALK});
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.out, "Talk\n");
    EXPECT_EQ(run({"plugin", "--name", QDCLI_PLUGIN_NO_MAIN}).out, "Nothing to run\n");
    // A bare file name is the file here, not one on the library path.
    std::filesystem::copy_file(QDCLI_PLUGIN_TALK, path("talk.so"));
    EXPECT_EQ(run({"plugin", "--name", "talk.so"}).out, "Talk\n");

    Matrix m = noise(3, 2, MT_UCHAR);
    npy("a.npy", m.get());
    o = run({"plugin", QDCLI_PLUGIN_NO_MAIN, "a.npy", "-o", "out-%d.npy"});
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.err.find("PlugInMain"), std::string::npos) << o.err;
    EXPECT_FALSE(exists("out-0.npy"));
}

TEST_F(PlugInTest, MissingInputExitsThree) {
    Matrix m = noise(3, 2, MT_UCHAR);
    npy("a.npy", m.get());
    const Outcome o = run({"plugin", QDCLI_PLUGIN_DUPLICATE, "a.npy", "missing.npy", "-o", "out-%d.npy"});
    EXPECT_EQ(o.code, 3);
    EXPECT_NE(o.err.find("missing.npy"), std::string::npos) << o.err;
    EXPECT_EQ(files(), std::vector<std::string>({"a.npy"}));
}

TEST_F(PlugInTest, NewWindowsAreWrittenAtTheirIndex) {
    Matrix a = noise(5, 3, MT_SHORT, 1), b = noise(4, 6, MT_FLOAT, 2);
    npy("a.npy", a.get());
    npy("b.npy", b.get());
    // The last image is active: the copy of b is window 2.
    Outcome o = run({"plugin", QDCLI_PLUGIN_DUPLICATE, "a.npy", "b.npy", "-o", "out-%d.npy"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(files(), std::vector<std::string>({"a.npy", "b.npy", "out-2.npy"}));
    EXPECT_TRUE(sameMatrix(b.get(), readNpy("out-2.npy").get()));

    o = run({"plugin", QDCLI_PLUGIN_DUPLICATE, "--active", "0", "a.npy", "b.npy", "-o", "copy-%d.qdw"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_TRUE(exists("copy-2.qdw"));
    EXPECT_FALSE(exists("copy-0.qdw"));
    ASSERT_EQ(run({"convert", "copy-2.qdw", "-o", "copy.npy"}).code, 0);
    EXPECT_TRUE(sameMatrix(a.get(), readNpy("copy.npy").get()));

    // Without -o the run writes nothing.
    const std::vector<std::string> before = files();
    EXPECT_EQ(run({"plugin", QDCLI_PLUGIN_DUPLICATE, "a.npy"}).code, 0);
    EXPECT_EQ(files(), before);
}

TEST_F(PlugInTest, OnlyTheChangedInputIsWritten) {
    Matrix a = noise(5, 4, MT_UCHAR, 3), b = noise(5, 4, MT_UCHAR, 4);
    npy("a.npy", a.get());
    npy("b.npy", b.get());
    Image expected(IMCreateFromMatrix(MTCreate(5, 4, MT_UCHAR)));
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 5; ++x) MTSetReal(IMGetDataHandle(expected.get()), x, y, MTReal(a.get(), x, y));
    IMInverse(expected.get());

    const Outcome o = run({"plugin", QDCLI_PLUGIN_INVERT, "--active", "0", "a.npy", "b.npy", "-o", "out-%d.npy"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(files(), std::vector<std::string>({"a.npy", "b.npy", "out-0.npy"}));
    EXPECT_TRUE(sameMatrix(IMGetDataHandle(expected.get()), readNpy("out-0.npy").get()));
    // A pattern without %d is fine while one window is written.
    EXPECT_EQ(run({"plugin", QDCLI_PLUGIN_INVERT, "a.npy", "b.npy", "-o", "inverted.npy"}).code, 0);
    EXPECT_TRUE(exists("inverted.npy"));
}

TEST_F(PlugInTest, DialogsResultTextAndStopCount) {
    Matrix m = noise(3, 2, MT_UCHAR);
    npy("a.npy", m.get());
    npy("b.npy", m.get());
    Outcome o = run({"plugin", QDCLI_PLUGIN_TALK, "a.npy", "b.npy", "--answer", "hello", "--answer", "0123456789",
                     "--pick", "1", "--pick", "7"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out,
              "run flag 1\n"
              "aa\n"
              "box 1\n"
              "yes/no box 6\n"     // the default button of a Yes/No box
              "input 0: 1 hello\n"
              "input 1: 1 0123456\n" // cut to the buffer
              "input 2: 0 preset\n"  // answers used up: Cancel, buffer untouched
              "pick 0: 1\n"
              "pick 1: -1\n" // no window 7: Cancel
              "pick 2: -1\n"
              "select reply 0\n"
              "stop 0\n"
              "stop 1\n" // after SIGINT
              "stop 0\n"); // the stop button starts the count over
    EXPECT_NE(o.err.find("Talk: Something to say.\n"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("Ask: Go on?\n"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("--pick 7"), std::string::npos) << o.err;

    // With no window open the selection answers -1 and takes no pick.
    o = run({"plugin", QDCLI_PLUGIN_TALK, "--pick", "0"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_NE(o.out.find("pick 0: -1\npick 1: -1\npick 2: -1\nselect reply -1\n"), std::string::npos) << o.out;
}

TEST_F(PlugInTest, RegistryNamesFlagsAndUnknownHandles) {
    Matrix a = noise(4, 3, MT_USHORT, 5), b = noise(4, 3, MT_USHORT, 6);
    npy("a.npy", a.get());
    npy("b.npy", b.get());
    const Outcome o = run({"plugin", QDCLI_PLUGIN_REGISTRY, "a.npy", "b.npy", "-o", "out-%d.npy"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out,
              "objects 1 0\n"
              "palettes 1\n"
              "count 2, active 1\n"
              "a.npy|a.npy|0|0|1\n"
              "b.npy|b.npy|0|0|1\n"
              "short a.n\n"
              "twice 0\n"
              "count 5, active 4\n"
              "closed 0 0 0 0, count 4\n"
              "closed name kept, save 0\n"
              "fake 0 0, null 0, index 0 0\n"
              "count 4, active 3\n"
              "moved.qdw|dir/moved.qdw|1|1|1\n"
              "renamed|b.npy|0|0|1\n"
              "untitled1||1|1|1\n"
              "untitled2||1|1|1\n");
    // The input given a path counts as changed; a new name alone does not.
    EXPECT_EQ(files(), std::vector<std::string>({"a.npy", "b.npy", "out-0.npy", "out-2.npy", "out-3.npy"}));
    EXPECT_TRUE(sameMatrix(a.get(), readNpy("out-0.npy").get()));
    EXPECT_TRUE(sameMatrix(a.get(), readNpy("out-3.npy").get()));

    // Three windows to one file: refused before any is written.
    const Outcome one = run({"plugin", QDCLI_PLUGIN_REGISTRY, "a.npy", "b.npy", "-o", "one.npy"});
    EXPECT_EQ(one.code, 3);
    EXPECT_NE(one.err.find("%d"), std::string::npos) << one.err;
    EXPECT_FALSE(exists("one.npy"));
}

TEST_F(PlugInTest, OpenAndSaveFiles) {
    Matrix m = noise(6, 5, MT_LONG, 8);
    npy("src.npy", m.get());
    const Outcome o =
        run({"plugin", QDCLI_PLUGIN_FILES, "--answer", "src.npy", "--answer", "saved.npy", "-o", "out-%d.npy"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out,
              "opened 0 of 1, active 0\n"
              "src.npy|src.npy|0|0|1\n"
              "missing 0\n"
              "save 1\n"
              "saved.npy|saved.npy|0|0|1\n"
              "save gif 0\n"
              "save nowhere 0\n");
    // The opened window was not changed, so -o has nothing to write.
    EXPECT_EQ(files(), std::vector<std::string>({"saved.npy", "src.npy"}));
    EXPECT_TRUE(sameMatrix(m.get(), readNpy("saved.npy").get()));
}

TEST_F(PlugInTest, EveryRequestIsAnswered) {
    // The plug-in's own checks: "first" read from a file in a writable
    // directory, "second" active; it ends with the number of failures.
    Matrix a = noise(4, 4, MT_UCHAR, 3);
    ASSERT_EQ(run({"convert", npy("a.npy", a.get()), "-o", path("first.qdw")}).code, 0);
    npy("second.npy", noise(5, 3, MT_SHORT, 4).get());
    const Outcome o = run({"plugin", QDCLI_PLUGIN_REQUESTS, "--answer", "typed", "--pick", "0", path("first.qdw"),
                           "second.npy"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out.find("FAIL"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("\naa5\n"), std::string::npos) << o.out;
    EXPECT_EQ(o.out.substr(o.out.size() - 7), "done 0\n");
    EXPECT_EQ(o.err, "caption: text\n");
}

TEST_F(PlugInTest, ShownWritesTheDisplayLevels) {
    Matrix a = noise(4, 3, MT_UCHAR, 9);
    Matrix rgb = makeMatrix(3, 2, MT_RGB, [](int32_t x, int32_t y) { return double(0x102030 * (x + 1) + 0x050000 * y); });
    Matrix f = makeMatrix(5, 2, MT_FLOAT, [](int32_t x, int32_t y) { return x * 0.75 - y * 3.0; });
    npy("a.npy", a.get());
    npy("rgb.npy", rgb.get());
    npy("f.npy", f.get());
    const Outcome o = run({"plugin", QDCLI_PLUGIN_LEVELS, "--active", "0", "a.npy", "rgb.npy", "f.npy", "-o",
                           "out-%d.npy", "--shown", "shown-%d.npy"});
    ASSERT_EQ(o.code, 0) << o.err;
    // Only what is shown changed: -o writes nothing.
    EXPECT_FALSE(exists("out-0.npy"));
    Matrix set = makeMatrix(4, 3, MT_UCHAR, [](int32_t x, int32_t y) { return double(x + 10 * y); });
    EXPECT_TRUE(sameMatrix(set.get(), readNpy("shown-0.npy").get()));
    EXPECT_TRUE(sameMatrix(rgb.get(), readNpy("shown-1.npy").get()));
    // The untouched window shows the levels it was opened with.
    Image opened(qd::readNpyImage(path("f.npy"), nullptr));
    ASSERT_TRUE(opened);
    Matrix levels = makeMatrix(5, 2, MT_UCHAR, [&](int32_t x, int32_t y) { return IMBmpVal(opened.get(), x, y); });
    Matrix shown = readNpy("shown-2.npy");
    EXPECT_TRUE(sameMatrix(levels.get(), shown.get()));
    EXPECT_NE(MTReal(shown.get(), 0, 1), MTReal(shown.get(), 4, 0)) << "not a flat image";
}

#endif

} // namespace
} // namespace cli
