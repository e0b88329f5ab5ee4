#include "cli_harness.h"

#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <qd/core/npy_file.h>

extern char** environ;

namespace cli {
namespace fs = std::filesystem;

void CliTest::SetUp() {
    std::string pattern = (fs::temp_directory_path() / "qdcli_tests_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    // A settings directory that must stay absent: qdcli reads settings only.
    setenv("QD_SETTINGS_DIR", (dir_ / "settings").c_str(), 1);
}

void CliTest::TearDown() {
    EXPECT_FALSE(fs::exists(dir_ / "settings")) << "qdcli wrote to the settings directory";
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

namespace {
std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
} // namespace

Outcome CliTest::run(const std::vector<std::string>& args) {
    const fs::path out = dir_ / ".stdout", err = dir_ / ".stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    // Relative file names in the tests are relative to the scratch directory.
    posix_spawn_file_actions_addchdir_np(&actions, dir_.c_str());
    std::vector<std::string> all = {QDCLI_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    Outcome o;
    if (spawned != 0) return o;
    int status = 0;
    waitpid(pid, &status, 0);
    o.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    o.out = slurp(out);
    o.err = slurp(err);
    fs::remove(out);
    fs::remove(err);
    EXPECT_EQ(o.err.find("runtime error"), std::string::npos) << o.err; // undefined behaviour
    return o;
}

std::vector<std::string> CliTest::files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string CliTest::npy(const std::string& name, MTHANDLE m) {
    EXPECT_TRUE(qd::writeNpyMatrix(m, path(name)));
    return name;
}

Matrix CliTest::readNpy(const std::string& name) { return Matrix(qd::readNpyMatrix(path(name))); }

Matrix makeMatrix(int32_t w, int32_t h, int32_t type, const std::function<double(int32_t, int32_t)>& value) {
    Matrix m(MTCreate(w, h, type));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const double v = value(x, y);
            if (type == MT_RGB)
                MTSetRgb(m.get(), x, y, uint32_t(v));
            else if (type == MT_COMPLEX8 || type == MT_COMPLEX16)
                MTSetComplex(m.get(), x, y, MTCOMPLEX{v, v / 3});
            else
                MTSetReal(m.get(), x, y, v);
        }
    return m;
}

Matrix noise(int32_t w, int32_t h, int32_t type, uint32_t seed) {
    uint32_t state = seed;
    return makeMatrix(w, h, type, [&state](int32_t, int32_t) {
        state = state * 1664525u + 1013904223u;
        return double((state >> 8) % 200);
    });
}

::testing::AssertionResult sameMatrix(MTHANDLE expected, MTHANDLE actual) {
    if (!expected || !actual) return ::testing::AssertionFailure() << "a matrix is missing";
    if (MTGetFlags(expected) != MTGetFlags(actual) || MTGetWidth(expected) != MTGetWidth(actual) ||
        MTGetHeight(expected) != MTGetHeight(actual))
        return ::testing::AssertionFailure()
               << "type/size " << MTGetFlags(actual) << " " << MTGetWidth(actual) << "x" << MTGetHeight(actual)
               << ", expected " << MTGetFlags(expected) << " " << MTGetWidth(expected) << "x"
               << MTGetHeight(expected);
    for (int32_t y = 0; y < MTGetHeight(expected); ++y)
        for (int32_t x = 0; x < MTGetWidth(expected); ++x) {
            const bool rgb = MTIsRgb(expected);
            const MTCOMPLEX a = MTComplex(expected, x, y), b = MTComplex(actual, x, y);
            const bool same = rgb ? MTRgb(expected, x, y) == MTRgb(actual, x, y)
                                  : (a.re == b.re || (a.re != a.re && b.re != b.re)) &&
                                        (a.im == b.im || (a.im != a.im && b.im != b.im));
            if (!same)
                return ::testing::AssertionFailure() << "element (" << x << ", " << y << "): " << b.re << ","
                                                     << b.im << " expected " << a.re << "," << a.im;
        }
    return ::testing::AssertionSuccess();
}

} // namespace cli
