// Object labelling: numbering order, connectivity, border removal, the
// destination rule, and random images against an independent flood fill.
#include "shape_support.h"

#include <algorithm>

using namespace shape_test;

namespace {

// Labels as art: '.' for 0, digits for 1 .. 9; n is checked against the
// highest digit.
Art labelled(const Art& art, bool eight, bool drop) {
    MTHANDLE src = binary(art);
    MTHANDLE lab = nullptr;
    const int32_t n = FindObjects(src, eight, drop, &lab);
    EXPECT_EQ(MTGetFlags(lab), MT_USHORT);
    Art out = blank(MTGetWidth(lab), MTGetHeight(lab));
    int32_t highest = 0;
    for (int32_t y = 0; y < MTGetHeight(lab); ++y)
        for (int32_t x = 0; x < MTGetWidth(lab); ++x)
            if (const int32_t v = MTRealInt(lab, x, y)) {
                out[size_t(y)][size_t(x)] = char('0' + v);
                highest = std::max(highest, v);
            }
    EXPECT_EQ(n, highest);
    MTDestroy(lab);
    MTDestroy(src);
    return out;
}

} // namespace

TEST(FindObjects, NumberingOrderAndBorderRemoval) {
    // Row 0, then column 0, then the inner scan: an object low on column 0
    // comes before one met earlier further in.
    const Art art = {"....X.",
                     "X..XX.",
                     "..X...",
                     ".....X",
                     "X....."};
    EXPECT_EQ(labelled(art, false, false), (Art{"....1.",
                                               "2..11.",
                                               "..4...",
                                               ".....5",
                                               "3....."}));
    EXPECT_EQ(labelled(art, true, false), (Art{"....1.",
                                              "2..11.",
                                              "..1...",
                                              ".....4",
                                              "3....."}));
    EXPECT_EQ(labelled(art, false, true), (Art{"......",
                                              "......",
                                              "..1...",
                                              "......",
                                              "......"}));
    EXPECT_EQ(labelled(art, true, true), blank(6, 5));
}

TEST(FindObjects, DiagonalsBetweenColumnsZeroAndOne) {
    const Art art = {".X....",
                     "X.....",
                     "...X..",
                     ".X..X.",
                     "X....."};
    EXPECT_EQ(labelled(art, false, false), (Art{".1....",
                                               "2.....",
                                               "...4..",
                                               ".5..6.",
                                               "3....."}));
    EXPECT_EQ(labelled(art, true, false), (Art{".1....",
                                              "1.....",
                                              "...3..",
                                              ".2..3.",
                                              "2....."}));
    // Reaching the last row only through a diagonal step.
    const Art inner = {".....", ".X...", "..X..", "...X.", "....X"};
    EXPECT_EQ(labelled(inner, true, true), blank(5, 5));
    EXPECT_EQ(labelled(inner, false, true), (Art{".....", ".1...", "..2..", "...3.", "....."}));
}

TEST(FindObjects, DestinationRuleAndRefusal) {
    MTHANDLE src = binary({"X.X", "..."});
    MTHANDLE lab = MTCreate(3, 2, MT_USHORT);
    MTSetRealInt(lab, 1, 1, 9); // stale content is overwritten
    MTHANDLE kept = lab;
    EXPECT_EQ(FindObjects(src, 0, 0, &lab), 2);
    EXPECT_EQ(lab, kept);
    EXPECT_EQ(MTRealInt(lab, 1, 1), 0);
    EXPECT_EQ(MTRealInt(lab, 2, 0), 2);
    MTHANDLE wrong = MTCreate(3, 2, MT_UCHAR);
    EXPECT_EQ(FindObjects(src, 0, 0, &wrong), 2);
    EXPECT_EQ(MTGetFlags(wrong), MT_USHORT);
    MTDestroy(wrong);
    // A source that is not binary: the label handle is released and cleared.
    MTHANDLE grey = MTCreate(3, 2, MT_UCHAR);
    EXPECT_EQ(FindObjects(grey, 0, 0, &lab), 0);
    EXPECT_EQ(lab, nullptr);
    EXPECT_EQ(FindObjects(src, 0, 0, nullptr), 0);
    MTDestroy(grey);
    MTDestroy(src);
}

TEST(FindObjects, ProvisionalLabelsBeyondTheOldTableSize) {
    // A comb: 20001 teeth each start a provisional label, the back joins them.
    const int32_t teeth = 20001;
    Art comb(3, std::string(size_t(2 * teeth - 1), '.'));
    for (int32_t i = 0; i < teeth; ++i) comb[0][size_t(2 * i)] = comb[1][size_t(2 * i)] = 'X';
    std::fill(comb[2].begin(), comb[2].end(), 'X');
    EXPECT_EQ(labelled(comb, false, false)[2], std::string(comb[2].size(), '1'));

    // 100 000 single pixels: all counted; numbers beyond the label type's
    // range saturate at its maximum.
    const int32_t cols = 400, rows = 250;
    MTHANDLE src = MTCreate(2 * cols + 1, 2 * rows + 1, MT_BINARY);
    for (int32_t j = 0; j < rows; ++j)
        for (int32_t i = 0; i < cols; ++i) MTSetRealInt(src, 2 * i + 1, 2 * j + 1, 1);
    MTHANDLE lab = nullptr;
    EXPECT_EQ(FindObjects(src, 1, 1, &lab), cols * rows);
    EXPECT_EQ(MTRealInt(lab, 1, 1), 1);
    EXPECT_EQ(MTRealInt(lab, 3, 1), 2);
    EXPECT_EQ(MTRealInt(lab, 1, 3), cols + 1);
    const int32_t k = 65535; // object k sits at raster index k - 1
    EXPECT_EQ(MTRealInt(lab, 2 * ((k - 1) % cols) + 1, 2 * ((k - 1) / cols) + 1), 65535);
    EXPECT_EQ(MTRealInt(lab, 2 * cols - 1, 2 * rows - 1), 65535);
    MTDestroy(lab);
    MTDestroy(src);
}

namespace {

// Position of a pixel in the labelling's visiting order.
int64_t visitIndex(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (y == 0) return x;
    if (x == 0) return w + y;
    return int64_t(w) + h + int64_t(y) * w + x;
}

void checkAgainstFloodFill(const Art& art, bool eight, bool drop, MTHANDLE src) {
    const auto h = int32_t(art.size()), w = int32_t(art[0].size());
    int32_t count = 0;
    const auto comp = floodFill(w, h, eight, [&](int32_t x, int32_t y) { return isOn(art, x, y); }, count);
    std::vector<bool> touches(size_t(count), false);
    std::vector<int64_t> first(size_t(count), INT64_MAX);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const int32_t c = comp[size_t(y * w + x)];
            if (c < 0) continue;
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1) touches[size_t(c)] = true;
            first[size_t(c)] = std::min(first[size_t(c)], visitIndex(x, y, w, h));
        }
    // Expected numbers: kept components by their first visited pixel.
    std::vector<int32_t> order;
    for (int32_t c = 0; c < count; ++c)
        if (!drop || !touches[size_t(c)]) order.push_back(c);
    std::sort(order.begin(), order.end(), [&](int32_t a, int32_t b) { return first[size_t(a)] < first[size_t(b)]; });
    std::vector<int32_t> expected(size_t(count), 0);
    for (size_t i = 0; i < order.size(); ++i) expected[size_t(order[i])] = int32_t(i + 1);

    MTHANDLE lab = nullptr;
    const int32_t n = FindObjects(src, eight, drop, &lab);
    ASSERT_EQ(n, int32_t(order.size())) << w << "x" << h << " eight " << eight << " drop " << drop;
    int32_t bad = 0;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const int32_t c = comp[size_t(y * w + x)];
            const int32_t want = c < 0 ? 0 : expected[size_t(c)];
            const int32_t got = MTRealInt(lab, x, y);
            if (got != want && bad++ < 3) ADD_FAILURE() << "at " << x << "," << y << ": " << got << " vs " << want;
        }
    EXPECT_EQ(bad, 0);
    MTDestroy(lab);
}

} // namespace

TEST(FindObjects, RandomImagesMatchAFloodFill) {
    // Rows are read 64 elements at a time: widths past one and two words,
    // and runs that go on across them.
    const int32_t sizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {7, 5}, {16, 16}, {33, 21}, {64, 47}, {130, 9}, {200, 4}};
    uint32_t seed = 1;
    for (auto [w, h] : sizes)
        for (double density : {0.3, 0.5, 0.7, 0.97}) {
            const Art art = randomArt(w, h, density, seed++);
            MTHANDLE src = binary(art);
            // A window inside a wider matrix takes the element-by-element path.
            MTHANDLE wide = MTCreate(w + 3, h + 1, MT_BINARY);
            for (int32_t y = 0; y < h + 1; ++y)
                for (int32_t x = 0; x < w + 3; ++x)
                    MTSetRealInt(wide, x, y, (x >= 2 && x < w + 2 && y < h) ? isOn(art, x - 2, y) : 1);
            MTSetWindow(wide, 2, 0, w + 2, h);
            for (bool eight : {false, true})
                for (bool drop : {false, true}) {
                    checkAgainstFloodFill(art, eight, drop, src);
                    checkAgainstFloodFill(art, eight, drop, wide);
                }
            MTDestroy(wide);
            MTDestroy(src);
        }
}
