#include "qd/grpobj.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

using grptest::readBytes;
using grptest::writeBytes;

constexpr size_t kHead = 132;

// A user palette whose colours are worked out from its seed.
QDPALETTE* makePalette(const char* name, int32_t flag, uint32_t seed) {
    const int n = flag == 1 ? 16 : flag == 2 ? 2 : 256;
    auto* pal = static_cast<QDPALETTE*>(std::calloc(1, sizeof(QDPALETTE)));
    std::strncpy(pal->name, name, sizeof pal->name - 1);
    pal->colorFlag = flag;
    pal->colors = static_cast<uint32_t*>(std::calloc(size_t(n), 4));
    for (int i = 0; i < n; ++i)
        pal->colors[i] = (seed * 7919u + uint32_t(i) * 104729u) & 0xFFFFFFu;
    return pal;
}

// One record in the file's layout, built by hand.
std::vector<uint8_t> fileRecord(const std::string& name, uint32_t flag, int colours,
                                uint32_t first) {
    std::vector<uint8_t> rec(128, 0);
    std::memcpy(rec.data(), name.data(), std::min<size_t>(name.size(), 128));
    grptest::put32(rec, flag);
    for (int i = 0; i < colours; ++i)
        grptest::put32(rec, first + uint32_t(i));
    return rec;
}

void append(std::vector<uint8_t>& to, const std::vector<uint8_t>& bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

class PaletteFileTest : public ::testing::Test {
  protected:
    std::string path() const { return settings.dir().file("QDPalette.dat"); }
    grptest::SettingsScope settings;
};

TEST_F(PaletteFileTest, MissingFileGivesTheBuiltInsAndAnEmptyFileOnDestroy) {
    PMHANDLE pm = PMCreate(path().c_str());
    ASSERT_NE(pm, nullptr);
    EXPECT_EQ(PMGetCount(pm), 20);
    PMDestroy(pm);
    ASSERT_TRUE(std::filesystem::exists(path()));
    EXPECT_EQ(std::filesystem::file_size(path()), 0u);
}

TEST_F(PaletteFileTest, UserPalettesOfEveryFlagRoundTrip) {
    PMHANDLE pm = PMCreate(path().c_str());
    ASSERT_EQ(PMAddPal(pm, makePalette("many", 0, 1)), 21);
    ASSERT_EQ(PMAddPal(pm, makePalette("sixteen", 1, 2)), 22);
    ASSERT_EQ(PMAddPal(pm, makePalette("two", 2, 3)), 23);
    PMDestroy(pm);

    const auto bytes = readBytes(path());
    ASSERT_EQ(bytes.size(), 3 * kHead + 4 * (256 + 16 + 2));
    // The 16-colour record takes 128 + 4 + 64 bytes, right after the first one.
    const uint8_t* second = bytes.data() + kHead + 4 * 256;
    EXPECT_STREQ(reinterpret_cast<const char*>(second), "sixteen");
    EXPECT_EQ(grptest::get32(second + 128), 1u);
    EXPECT_EQ(grptest::get32(second + kHead), (2u * 7919u) & 0xFFFFFFu);
    EXPECT_STREQ(reinterpret_cast<const char*>(second + kHead + 64), "two");

    PMHANDLE again = PMCreate(path().c_str());
    ASSERT_EQ(PMGetCount(again), 23);
    const char* names[] = {"many", "sixteen", "two"};
    for (int k = 0; k < 3; ++k) {
        const QDPALETTE* pal = PMGetPal(again, 20 + k);
        QDPALETTE* want = makePalette(names[k], k, uint32_t(k + 1));
        EXPECT_STREQ(pal->name, want->name);
        EXPECT_EQ(pal->colorFlag, k);
        const int n = k == 1 ? 16 : k == 2 ? 2 : 256;
        EXPECT_EQ(std::memcmp(pal->colors, want->colors, size_t(n) * 4), 0) << names[k];
        std::free(want->colors);
        std::free(want);
    }
    PMDestroy(again);
    EXPECT_EQ(readBytes(path()), bytes);
}

TEST_F(PaletteFileTest, CutOffLastRecordIsDropped) {
    std::vector<uint8_t> file;
    append(file, fileRecord("first", 2, 2, 0x10));
    append(file, fileRecord("second", 1, 16, 0x20));
    const auto third = fileRecord("third", 0, 256, 0x30);
    file.insert(file.end(), third.begin(), third.begin() + 500);
    writeBytes(path(), file);

    PMHANDLE pm = PMCreate(path().c_str());
    ASSERT_EQ(PMGetCount(pm), 22);
    EXPECT_STREQ(PMGetPal(pm, 20)->name, "first");
    EXPECT_EQ(PMGetPal(pm, 20)->colors[1], 0x11u);
    EXPECT_STREQ(PMGetPal(pm, 21)->name, "second");
    EXPECT_EQ(PMGetPal(pm, 21)->colors[15], 0x2Fu);
    EXPECT_EQ(PMFindPal(pm, "third"), nullptr);
    PMDestroy(pm);
}

TEST_F(PaletteFileTest, UnknownFlagsAndUnterminatedNamesAreMadeSafe) {
    std::vector<uint8_t> file = fileRecord("odd flag", 7, 256, 0x100);
    append(file, fileRecord("next", 2, 2, 0x5));
    writeBytes(path(), file);
    PMHANDLE pm = PMCreate(path().c_str());
    ASSERT_EQ(PMGetCount(pm), 22);
    EXPECT_EQ(PMGetColorFlag(pm, 20), 0);
    EXPECT_EQ(PMGetPal(pm, 20)->colors[255], 0x1FFu);
    EXPECT_STREQ(PMGetPal(pm, 21)->name, "next");
    PMDestroy(pm);
    // A name without its NUL is cut inside its field; a record cut inside its
    // name and flag is dropped.
    std::vector<uint8_t> cut = fileRecord(std::string(128, 'N'), 2, 2, 0);
    cut.resize(cut.size() + 130, 'x');
    writeBytes(path(), cut);
    pm = PMCreate(path().c_str());
    ASSERT_EQ(PMGetCount(pm), 21);
    EXPECT_EQ(std::string(PMGetPal(pm, 20)->name), std::string(127, 'N'));
    PMDestroy(pm);
}

TEST_F(PaletteFileTest, NullPathMeansTheSettingsDirectoryCreatedOnWrite) {
    const std::string dir = settings.dir().file("nested/deeper");
    setenv("QD_SETTINGS_DIR", dir.c_str(), 1);
    PMHANDLE pm = PMCreate(nullptr);
    ASSERT_EQ(PMAddPal(pm, makePalette("kept", 2, 9)), 21);
    PMDestroy(pm);
    EXPECT_EQ(std::filesystem::file_size(dir + "/QDPalette.dat"), kHead + 8);
    PMHANDLE again = PMCreate("");
    EXPECT_NE(PMFindPal(again, "kept"), nullptr);
    PMDestroy(again);
}

// A write that fails part way (here: the file size limit, as on a full disk)
// must leave the previous file whole and no temporary file behind.
TEST_F(PaletteFileTest, FailedWriteKeepsTheOldFile) {
    std::vector<uint8_t> old = fileRecord("precious", 1, 16, 0xAB);
    writeBytes(path(), old);
    PMHANDLE pm = PMCreate(path().c_str());
    ASSERT_EQ(PMGetCount(pm), 21);
    for (int k = 0; k < 4; ++k)
        PMAddPal(pm, makePalette("big", 0, uint32_t(k)));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 2000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    PMDestroy(pm);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(readBytes(path()), old);
    EXPECT_EQ(grptest::listDir(settings.dir().path()), std::vector<std::string>{"QDPalette.dat"});
}

TEST_F(PaletteFileTest, PathUnderARegularFileIsSkipped) {
    writeBytes(settings.dir().file("plain"), {1, 2, 3});
    const std::string bad = settings.dir().file("plain/QDPalette.dat");
    PMHANDLE pm = PMCreate(bad.c_str());
    ASSERT_EQ(PMGetCount(pm), 20);
    PMAddPal(pm, makePalette("lost", 2, 1));
    PMDestroy(pm);
    EXPECT_EQ(readBytes(settings.dir().file("plain")), (std::vector<uint8_t>{1, 2, 3}));
}

} // namespace
