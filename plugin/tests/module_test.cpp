// The built plug-in module and library as the program sees them: their
// dynamic symbols, and a plug-in loaded by path and run against a server.
#include <gtest/gtest.h>
#include <qd/plugin.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "fake_server.h"

namespace {

bool haveNm() { return std::system("command -v nm >/dev/null 2>&1") == 0; }

// The names nm lists as defined in the dynamic symbol table.
std::set<std::string> exportedNames(const std::string& file) {
    std::set<std::string> names;
    const std::string command = "nm -D --defined-only '" + file + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        std::string s(line);
        while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
            s.pop_back();
        const size_t space = s.rfind(' ');
        if (space != std::string::npos) names.insert(s.substr(space + 1));
    }
    pclose(pipe);
    return names;
}

TEST(Exports, PlugInModuleShowsOnlyItsEntryPoints) {
    if (!haveNm()) GTEST_SKIP() << "nm is not installed";
    EXPECT_EQ(exportedNames(QD_SAMPLE_PLUGIN),
              (std::set<std::string>{"PlugInMain", "PlugInMenuUpdate", "PlugInName"}));
}

TEST(Exports, LibraryShowsOnlyThePlugInInterface) {
    if (!haveNm()) GTEST_SKIP() << "nm is not installed";
    const std::set<std::string> names = exportedNames(QD_PLUGIN_LIBRARY);
    EXPECT_EQ(names.size(), 261u);
    for (const std::string& n : names)
        EXPECT_EQ(n.rfind("qd", 0), 0u) << n;
    for (const char* n : {"qdConnectPlugInServer", "qdWriteResultLnF", "qdRGB2HSI", "qdMTCreate",
                          "qdIMGetDisplayType", "qdDeconvolution2D", "qdIWIsValid"})
        EXPECT_EQ(names.count(n), 1u) << n;
}

class LoadedPlugIn : public ServerTest {
  protected:
    void SetUp() override {
        ServerTest::SetUp();
        module = dlopen(QD_SAMPLE_PLUGIN, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module, nullptr) << dlerror();
    }
    void TearDown() override {
        if (module) dlclose(module);
        ServerTest::TearDown();
    }
    template <class F> F entry(const char* name) {
        return reinterpret_cast<F>(dlsym(module, name));
    }

    void* module = nullptr;
};

TEST_F(LoadedPlugIn, RunsAgainstTheServerItIsGiven) {
    auto name = entry<const char* (*)()>("PlugInName");
    auto run = entry<int (*)(int, PLUGINSERVER)>("PlugInMain");
    ASSERT_NE(name, nullptr);
    ASSERT_NE(run, nullptr);
    EXPECT_STREQ(name(), "Sample");

    std::vector<std::string> lines;
    server.answer = [&](uint32_t code, intptr_t arg) -> intptr_t {
        if (code == QD_REQ_RESULT_LINE) lines.push_back(textOf(arg));
        return code == QD_REQ_MAIN_APP ? 0x1010 : 0;
    };
    EXPECT_EQ(run(1, &server), 2);
    EXPECT_EQ(lines, std::vector<std::string>{"Sample run 1"});
    std::vector<uint32_t> codes = server.codes();
    ASSERT_EQ(codes.size(), 6u);
    EXPECT_EQ(codes.front(), uint32_t(QD_REQ_MAIN_APP)) << "it connects first";
    EXPECT_EQ(qdGetMainApp(), reinterpret_cast<void*>(0x1010))
        << "the plug-in and the host share one connection";
}

TEST_F(LoadedPlugIn, MenuUpdateDisablesWithoutActiveWindow) {
    auto update = entry<int (*)(PLUGINSERVER)>("PlugInMenuUpdate");
    ASSERT_NE(update, nullptr);
    EXPECT_EQ(update(&server), 1);
    server.replies[QD_REQ_ACTIVE_WINDOW] = 0x7700;
    EXPECT_EQ(update(&server), 0);
    EXPECT_EQ(entry<void*>("sampleHelper"), nullptr) << "helpers stay inside the module";
}

} // namespace
