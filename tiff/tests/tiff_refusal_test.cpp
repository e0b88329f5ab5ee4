// Files the reader must refuse, damaged ones included: never a crash, never
// a read outside the file or the matrix, never a huge allocation.
#include <gtest/gtest.h>

#include <qd/tiff.h>

#include "tiff_writer.h"

using namespace tifftest;

namespace {

bool refused(const std::string& name, const std::vector<uint8_t>& bytes) {
    IMHANDLE im = OpenTiff(writeTemp(name, bytes).c_str());
    IMDestroy(im);
    return im == nullptr;
}

// 4 x 2 grey file with the given extra or replacing entries.
TiffWriter greyWriter(bool big = false) {
    TiffWriter w(big);
    const uint32_t strip = w.blob({1, 2, 3, 4, 5, 6, 7, 8});
    w.longTag(256, 4);
    w.longTag(257, 2);
    w.longTag(273, strip);
    w.longTag(279, 8);
    return w;
}

TEST(TiffRefusal, MissingFileAndWrongMarks) {
    EXPECT_EQ(OpenTiff("does/not/exist.tif"), nullptr);
    EXPECT_EQ(OpenTiff(nullptr), nullptr);
    std::vector<uint8_t> good = simpleTiff(false, 2, 2, 8, {1, 2, 3, 4});
    ASSERT_FALSE(refused("good.tif", good));
    std::vector<uint8_t> bad = good;
    bad[0] = 'X';
    EXPECT_TRUE(refused("mark.tif", bad));
    bad = good;
    bad[2] = 43;
    EXPECT_TRUE(refused("version.tif", bad));
}

TEST(TiffRefusal, EveryTruncationOfAValidFile) {
    for (bool big : {false, true}) {
        const std::vector<uint8_t> good = simpleTiff(big, 3, 2, 24, std::vector<uint8_t>(18, 9));
        ASSERT_FALSE(refused("whole.tif", good));
        // The directory sits at the end, so every shorter prefix lacks part of it.
        for (size_t n = 0; n < good.size() - 4; ++n)
            EXPECT_TRUE(refused("cut.tif", std::vector<uint8_t>(good.begin(), good.begin() + long(n))))
                << n;
    }
}

TEST(TiffRefusal, CompressionBitDepthAndPlanarLayout) {
    TiffWriter lzw = greyWriter();
    lzw.shortTag(258, 8);
    lzw.shortTag(259, 5);
    EXPECT_TRUE(refused("lzw.tif", lzw.bytes()));

    TiffWriter sixteen = greyWriter();
    sixteen.shortTag(258, 16);
    EXPECT_TRUE(refused("sixteen.tif", sixteen.bytes()));

    TiffWriter rgb16 = greyWriter(true);
    rgb16.shorts(258, {16, 16, 16});
    EXPECT_TRUE(refused("rgb16.tif", rgb16.bytes()));

    TiffWriter planar(false);
    const uint32_t strip = planar.blob(std::vector<uint8_t>(12, 1));
    planar.longTag(256, 2);
    planar.longTag(257, 2);
    planar.shorts(258, {8, 8, 8});
    planar.longTag(273, strip);
    planar.shortTag(277, 3);
    planar.longTag(279, 12);
    planar.shortTag(284, 2);
    EXPECT_TRUE(refused("planar.tif", planar.bytes()));
}

TEST(TiffRefusal, MissingTags) {
    TiffWriter noStrips(false);
    noStrips.longTag(256, 1);
    noStrips.longTag(257, 1);
    noStrips.longTag(279, 1);
    EXPECT_TRUE(refused("nooffsets.tif", noStrips.bytes()));

    TiffWriter noCounts(false);
    noCounts.longTag(256, 1);
    noCounts.longTag(257, 1);
    noCounts.longTag(273, 8);
    EXPECT_TRUE(refused("nocounts.tif", noCounts.bytes()));

    TiffWriter noWidth(false);
    const uint32_t strip = noWidth.blob({1});
    noWidth.longTag(257, 1);
    noWidth.longTag(273, strip);
    noWidth.longTag(279, 1);
    EXPECT_TRUE(refused("nowidth.tif", noWidth.bytes()));
}

TEST(TiffRefusal, TablesAndStripsPointingPastTheEnd) {
    TiffWriter stripPast = greyWriter();
    stripPast.longTag(273, 1u << 30);
    EXPECT_TRUE(refused("strip_past.tif", stripPast.bytes()));

    TiffWriter countPast = greyWriter();
    countPast.longTag(279, 0xFFFFFFF0u);
    EXPECT_TRUE(refused("count_past.tif", countPast.bytes()));

    TiffWriter tablePast(false);
    tablePast.blob(std::vector<uint8_t>(8, 1));
    tablePast.longTag(256, 4);
    tablePast.longTag(257, 2);
    tablePast.rawEntry(273, LONG, 2, 0x7FFFFFF0u);
    tablePast.longs(279, {4, 4});
    EXPECT_TRUE(refused("table_past.tif", tablePast.bytes()));

    TiffWriter hugeTable(true);
    hugeTable.longTag(256, 4);
    hugeTable.longTag(257, 2);
    hugeTable.rawEntry(273, LONG, 0x40000000u, 8);
    hugeTable.rawEntry(279, LONG, 0x40000000u, 8);
    EXPECT_TRUE(refused("huge_table.tif", hugeTable.bytes()));

    TiffWriter mapPast = greyWriter();
    mapPast.shortTag(258, 8);
    mapPast.rawEntry(320, SHORT, 768, 0x10000u);
    EXPECT_TRUE(refused("map_past.tif", mapPast.bytes()));

    TiffWriter uneven = greyWriter();
    uneven.longs(279, {4, 4});
    EXPECT_TRUE(refused("uneven_tables.tif", uneven.bytes()));
}

TEST(TiffRefusal, DimensionsTheFileCannotHold) {
    TiffWriter huge = greyWriter();
    huge.longTag(256, 100000);
    huge.longTag(257, 100000);
    EXPECT_TRUE(refused("huge.tif", huge.bytes()));

    TiffWriter wide = greyWriter();
    wide.longTag(256, 0x80000000u);
    EXPECT_TRUE(refused("wide.tif", wide.bytes()));

    TiffWriter zero = greyWriter();
    zero.longTag(257, 0);
    EXPECT_TRUE(refused("zero.tif", zero.bytes()));
}

TEST(TiffRefusal, RgbStripShorterThanItsRows) {
    TiffWriter w(false);
    const uint32_t strip = w.blob(std::vector<uint8_t>(12, 5));
    w.longTag(256, 2);
    w.longTag(257, 2);
    w.shortTag(258, 24);
    w.longTag(273, strip);
    w.longTag(278, 2);
    w.longTag(279, 9); // two rows of two pixels need 12
    EXPECT_TRUE(refused("short_rgb_strip.tif", w.bytes()));

    // Strips that end before the last row.
    TiffWriter few(false);
    const uint32_t one = few.blob(std::vector<uint8_t>(6, 5));
    few.longTag(256, 2);
    few.longTag(257, 2);
    few.shortTag(258, 24);
    few.longTag(273, one);
    few.longTag(278, 1);
    few.longTag(279, 6);
    EXPECT_TRUE(refused("few_rgb_strips.tif", few.bytes()));
}

TEST(TiffRefusal, LongPackedStripIsCutAtTheBlock) {
    // A strip longer than the 2 x 2 block: only the block's bytes are taken.
    TiffWriter w(false);
    const uint32_t strip = w.blob(std::vector<uint8_t>(64, 200));
    w.longTag(256, 2);
    w.longTag(257, 2);
    w.shortTag(258, 8);
    w.longTag(273, strip);
    w.longTag(279, 64);
    IMHANDLE im = OpenTiff(writeTemp("long_strip.tif", w.bytes()).c_str());
    ASSERT_NE(im, nullptr);
    EXPECT_EQ(IMRealInt(im, 1, 1), 200);
    IMDestroy(im);
}

} // namespace
