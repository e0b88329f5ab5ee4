// Wrap-around outlines and two-sub-pass thinning.
#include "shape_support.h"

#include "test_support.h"

using namespace shape_test;

namespace {

Art runOn(MTHANDLE (*op)(MTHANDLE, MTHANDLE), const Art& art) {
    MTHANDLE src = binary(art);
    MTHANDLE out = op(src, nullptr);
    const Art r = artOf(out);
    MTDestroy(out);
    MTDestroy(src);
    return r;
}
Art outline(const Art& art) { return runOn(Contour, art); }
Art skeleton(const Art& art) { return runOn(Skeletonize, art); }

// The thinning rule read directly: full scans over a copy of the image.
Art referenceSkeleton(Art img) {
    const auto h = int32_t(img.size()), w = int32_t(img[0].size());
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1) img[size_t(y)][size_t(x)] = '.';
    auto pass = [&](bool second) {
        const Art before = img;
        int32_t deleted = 0;
        for (int32_t x = 1; x < w - 1; ++x)
            for (int32_t y = 1; y < h - 1; ++y) {
                if (!isOn(before, x, y)) continue;
                const int32_t k[8] = {isOn(before, x, y + 1),     isOn(before, x + 1, y + 1),
                                      isOn(before, x + 1, y),     isOn(before, x + 1, y - 1),
                                      isOn(before, x, y - 1),     isOn(before, x - 1, y - 1),
                                      isOn(before, x - 1, y),     isOn(before, x - 1, y + 1)};
                int32_t b = 0, a = 0;
                for (int32_t i = 0; i < 8; ++i) {
                    b += k[i];
                    a += !k[i] && k[(i + 1) % 8];
                }
                const bool shape = second ? !(k[0] && k[2] && k[6]) && !(k[0] && k[4] && k[6])
                                          : !(k[0] && k[2] && k[4]) && !(k[2] && k[4] && k[6]);
                if (b >= 2 && b <= 6 && a == 1 && shape) {
                    img[size_t(y)][size_t(x)] = '.';
                    ++deleted;
                }
            }
        return deleted;
    };
    do pass(false);
    while (pass(true) > 0);
    return img;
}

} // namespace

TEST(Contour, RectangleGivesItsFourNeighbourOutline) {
    EXPECT_EQ(outline({"........",
                       ".XXXXX..",
                       ".XXXXX..",
                       ".XXXXX..",
                       "........"}),
              (Art{"........",
                   ".XXXXX..",
                   ".X...X..",
                   ".XXXXX..",
                   "........"}));
}

TEST(Contour, EdgesWrapAround) {
    // Left and right ends of a full-width band meet across the wrap-around.
    EXPECT_EQ(outline({"......", "XXXXXX", "XXXXXX", "XXXXXX", "......"}),
              (Art{"......", "XXXXXX", "......", "XXXXXX", "......"}));
    // A block on the left edge with background beyond the right edge.
    EXPECT_EQ(outline({"......", "XXX...", "XXX...", "XXX...", "......"}),
              (Art{"......", "XXX...", "X.X...", "XXX...", "......"}));
    // The same across the top and bottom rows.
    EXPECT_EQ(outline({".XX..", ".XX..", ".XX..", ".XX.."}), (Art{".XX..", ".XX..", ".XX..", ".XX.."}));
    EXPECT_EQ(outline({".XXX.", ".XXX.", ".XXX.", "....."}), (Art{".XXX.", ".X.X.", ".XXX.", "....."}));
    // A full image has no outline at all; every pixel has four object neighbours.
    EXPECT_EQ(outline({"XXX", "XXX"}), (Art{"...", "..."}));
}

TEST(Contour, ReusedDestinationKeepsItsBackgroundAndPumpsPerColumn) {
    MTHANDLE src = binary({".....", ".XXX.", ".XXX.", ".XXX.", "....."});
    MTHANDLE dst = binary({"XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX"});
    prcs_test::PumpCounter pump;
    EXPECT_EQ(Contour(src, dst), dst);
    EXPECT_EQ(pump.calls, 5);
    EXPECT_EQ(artOf(dst), (Art{"XXXXX", "XXXXX", "XX.XX", "XXXXX", "XXXXX"}));
    MTDestroy(dst);
    MTHANDLE grey = MTCreate(3, 3, MT_UCHAR);
    EXPECT_EQ(Contour(grey, MTCreate(3, 3, MT_BINARY)), nullptr);
    EXPECT_EQ(Skeletonize(grey, nullptr), nullptr);
    MTDestroy(grey);
    MTDestroy(src);
}

TEST(Skeletonize, BlocksLinesAndDiagonals) {
    EXPECT_EQ(skeleton({".....", ".XXX.", ".XXX.", ".XXX.", "....."}),
              (Art{".....", ".....", "..X..", ".....", "....."}));
    // The outer frame is cleared first, leaving the same 3 x 3 block.
    EXPECT_EQ(skeleton({"XXXXX", "XXXXX", "XXXXX", "XXXXX", "XXXXX"}),
              (Art{".....", ".....", "..X..", ".....", "....."}));
    const Art line = {".......", ".XXXXX.", "......."};
    EXPECT_EQ(skeleton(line), line);
    const Art diagonal = {"......", ".X....", "..X...", "...X..", "....X.", "......"};
    EXPECT_EQ(skeleton(diagonal), diagonal);
    const Art ring = {".......", ".XXXXX.", ".X...X.", ".X...X.", ".X...X.", ".XXXXX.", "......."};
    EXPECT_EQ(skeleton(ring), ring);
    EXPECT_EQ(skeleton({"XX", "XX"}), (Art{"..", ".."}));
}

TEST(Skeletonize, RandomShapesMatchTheFullScanRule) {
    uint32_t seed = 40;
    for (auto [w, h] : {std::pair{9, 7}, {24, 17}, {50, 41}})
        for (double density : {0.5, 0.7, 0.9}) {
            const Art art = randomArt(w, h, density, seed++);
            EXPECT_EQ(skeleton(art), referenceSkeleton(art)) << w << "x" << h << " " << density;
        }
    // Thick blocks take many rounds.
    Art thick = blank(40, 30);
    for (int32_t y = 3; y < 27; ++y) thick[size_t(y)].replace(4, 30, std::string(30, 'X'));
    EXPECT_EQ(skeleton(thick), referenceSkeleton(thick));
}

extern "C" int prcsShapeCApiSmoke(void);

TEST(ShapeCApi, DeclarationsWorkFromC) { EXPECT_EQ(prcsShapeCApiSmoke(), 1); }
