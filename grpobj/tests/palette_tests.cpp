#include "qd/grpobj.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>

namespace {

QDPALETTE* mallocPalette(const char* name, int32_t flag, int32_t colours) {
    auto* pal = static_cast<QDPALETTE*>(std::calloc(1, sizeof(QDPALETTE)));
    std::strncpy(pal->name, name, sizeof pal->name - 1);
    pal->colorFlag = flag;
    pal->colors = static_cast<uint32_t*>(std::calloc(size_t(colours), 4));
    return pal;
}

void freePalette(QDPALETTE* pal) {
    std::free(pal->colors);
    std::free(pal);
}

// Colours worked out by hand from each palette's rule: (palette, entry, colour).
struct Expected {
    int index;
    int entry;
    uint32_t colour;
};

// Every manager in these tests starts on a missing file in a fresh directory.
class PaletteManagerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pm = PMCreate(settings.dir().file("QDPalette.dat").c_str());
        ASSERT_NE(pm, nullptr);
    }
    void TearDown() override { PMDestroy(pm); }
    uint32_t colour(int index, int entry) const { return PMGetPal(pm, index)->colors[entry]; }
    void expectColours(std::initializer_list<Expected> list) const;

    grptest::SettingsScope settings;
    PMHANDLE pm = nullptr;
};

TEST_F(PaletteManagerTest, BuiltInPalettesHaveTheirNamesAndFlagsInOrder) {
    const struct {
        const char* name;
        int32_t flag;
    } expected[] = {{"Grey Scale (256)", 0},
                    {"Red (256)", 0},
                    {"Green (256)", 0},
                    {"Blue (256)", 0},
                    {"Inversed grey Scale (256)", 0},
                    {"Fire (256)", 0},
                    {"Separate (256)", 0},
                    {"Grey Scale (16)", 1},
                    {"Red (16)", 1},
                    {"Green (16)", 1},
                    {"Blue (16)", 1},
                    {"Inversed grey Scale (16)", 1},
                    {"Fire (16)", 1},
                    {"Black and white (2)", 2},
                    {"Red (2)", 2},
                    {"Green (2)", 2},
                    {"Blue (2)", 2},
                    {"Yellow (2)", 2},
                    {"Magenta (2)", 2},
                    {"Cyan (2)", 2}};
    ASSERT_EQ(PMGetCount(pm), 20);
    for (int i = 0; i < 20; ++i) {
        EXPECT_STREQ(PMGetPal(pm, i)->name, expected[i].name) << i;
        EXPECT_EQ(PMGetColorFlag(pm, i), expected[i].flag) << i;
        EXPECT_EQ(PMGetPalDescriptor(pm, i), PMGetPal(pm, i));
    }
}

void PaletteManagerTest::expectColours(std::initializer_list<Expected> list) const {
    for (const Expected& e : list)
        EXPECT_EQ(colour(e.index, e.entry), e.colour)
            << "palette " << e.index << " entry " << e.entry;
}

TEST_F(PaletteManagerTest, TwoHundredFiftySixColourRamps) {
    expectColours({{0, 0, 0x000000},
                   {0, 128, 0x808080},
                   {0, 255, 0xFFFFFF},
                   {1, 77, 0x4D0000},
                   {1, 255, 0xFF0000},
                   {2, 1, 0x000100},
                   {2, 255, 0x00FF00},
                   {3, 10, 0x00000A},
                   {4, 0, 0xFFFFFF},
                   {4, 55, 0xC8C8C8},
                   {4, 255, 0x000000}});
}

TEST_F(PaletteManagerTest, FireTurnsYellowInTheUpperHalf) {
    expectColours({{5, 0, 0x000000},
                   {5, 127, 0xFE0000},
                   {5, 128, 0xFF0100},
                   {5, 200, 0xFF9100},
                   {5, 255, 0xFFFF00},
                   {12, 0, 0x000000},
                   {12, 7, 0xEE0000},
                   {12, 8, 0xFF1100},
                   {12, 15, 0xFFFF00}});
}

TEST_F(PaletteManagerTest, SeparateRepeatsFiftyColoursBetweenPurpleMarks) {
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(colour(6, 51 * k), 0x800080u) << k;
    expectColours({{6, 0, 0x000000},
                   {6, 1, 0xFFC0C0},
                   {6, 52, 0xFFC0C0},
                   {6, 22, 0xFF0000},
                   {6, 51 + 37, 0xFFFF00},
                   {6, 102 + 40, 0xC0C000},
                   {6, 50, 0x008080},
                   {6, 153 + 49, 0x808000},
                   {6, 204 + 46, 0xC0C080},
                   {6, 254, 0x008080}});
}

TEST_F(PaletteManagerTest, SixteenAndTwoColourPalettes) {
    expectColours({{7, 1, 0x111111},
                   {7, 15, 0xFFFFFF},
                   {8, 3, 0x330000},
                   {9, 15, 0x00FF00},
                   {10, 2, 0x000022},
                   {11, 0, 0xFFFFFF},
                   {11, 15, 0x000000}});
    const uint32_t second[] = {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF,
                               0xFFFF00, 0xFF00FF, 0x00FFFF};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(colour(13 + i, 0), 0u) << i;
        EXPECT_EQ(colour(13 + i, 1), second[i]) << i;
    }
}

TEST_F(PaletteManagerTest, FindIsExactAndCaseSensitive) {
    EXPECT_EQ(PMFindPal(pm, "Fire (16)"), PMGetPal(pm, 12));
    EXPECT_EQ(PMFindPal(pm, "fire (16)"), nullptr);
    EXPECT_EQ(PMFindPal(pm, "Fire (16"), nullptr);
    EXPECT_EQ(PMFindPal(pm, nullptr), nullptr);
    // The first of two equal names wins.
    QDPALETTE* dup = mallocPalette("Red (2)", 2, 2);
    ASSERT_EQ(PMAddPal(pm, dup), 21);
    EXPECT_EQ(PMFindPal(pm, "Red (2)"), PMGetPal(pm, 14));
}

TEST_F(PaletteManagerTest, BuiltInPalettesCannotBeDeleted) {
    EXPECT_EQ(PMDeletePalAt(pm, 5), -1);
    EXPECT_EQ(PMDeletePalAt(pm, 0), -1);
    EXPECT_EQ(PMDeletePalAt(pm, 19), -1);
    EXPECT_EQ(PMDeletePal(pm, PMGetPal(pm, 3)), -1);
    EXPECT_EQ(PMGetCount(pm), 20);
    EXPECT_STREQ(PMGetPal(pm, 5)->name, "Fire (256)");
}

TEST_F(PaletteManagerTest, UserPalettesAreAddedAndHandedBackOnDelete) {
    QDPALETTE* a = mallocPalette("mine A", 1, 16);
    QDPALETTE* b = mallocPalette("mine B", 0, 256);
    EXPECT_EQ(PMAddPal(pm, a), 21);
    EXPECT_EQ(PMAddPal(pm, b), 22);
    EXPECT_EQ(PMGetColorFlag(pm, 20), 1);
    EXPECT_EQ(PMFindPal(pm, "mine B"), b);
    EXPECT_EQ(PMDeletePalAt(pm, 22), -1);
    EXPECT_EQ(PMDeletePalAt(pm, 20), 21);
    EXPECT_EQ(PMGetPal(pm, 20), b);
    EXPECT_EQ(PMDeletePal(pm, a), -1);
    EXPECT_EQ(PMDeletePal(pm, b), 20);
    freePalette(a);
    freePalette(b);
}

TEST_F(PaletteManagerTest, BadAddsAndIndexesAreRefused) {
    EXPECT_EQ(PMAddPal(pm, nullptr), 0);
    QDPALETTE* noColours = mallocPalette("none", 0, 256);
    std::free(noColours->colors);
    noColours->colors = nullptr;
    EXPECT_EQ(PMAddPal(pm, noColours), 0);
    std::free(noColours);
    QDPALETTE* once = mallocPalette("once", 2, 2);
    EXPECT_EQ(PMAddPal(pm, once), 21);
    EXPECT_EQ(PMAddPal(pm, once), 0);
    EXPECT_EQ(PMGetCount(pm), 21);
    EXPECT_EQ(PMGetPal(pm, 21), nullptr);
    EXPECT_EQ(PMGetPal(pm, -1), nullptr);
    EXPECT_EQ(PMGetColorFlag(pm, 21), -1);
}

} // namespace
