// Files the reader must refuse: never a crash, never a read outside the file
// or the matrix, never a huge allocation. Damaged tables, sizes, depths and
// compression are in the corpus of testdata/damaged, which every reader runs
// over.
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
