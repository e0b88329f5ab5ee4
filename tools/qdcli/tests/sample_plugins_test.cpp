// The sample plug-ins run headless: Heron's correlation window, and the
// display levels the selection plug-ins give while the data stays as it was.
#include <cmath>

#include "cli_harness.h"

namespace cli {
namespace {

#ifdef QDCLI_SAMPLE_PLUGINS

using SamplePlugInsTest = CliTest;

// Every level the run showed for window 0, which must not count as changed.
struct Shown {
    Outcome outcome;
    Matrix levels;
};

class SelectionPlugInsTest : public CliTest {
protected:
    Shown show(const char* plugin, MTHANDLE m) {
        npy("in.npy", m);
        Shown s;
        s.outcome = run({"plugin", plugin, "in.npy", "-o", "out-%d.npy", "--shown", "shown-%d.npy"});
        EXPECT_EQ(s.outcome.code, 0) << s.outcome.err;
        EXPECT_FALSE(exists("out-0.npy")) << "the data matrix changed";
        s.levels = readNpy("shown-0.npy");
        return s;
    }
};

const char* const kSelectionPlugIns[] = {QDCLI_SAMPLE_PLOVER, QDCLI_SAMPLE_WREN, QDCLI_SAMPLE_KESTREL};

int32_t level(const Matrix& m, int32_t x, int32_t y) { return MTRealInt(m.get(), x, y); }

TEST_F(SamplePlugInsTest, NamesAreTheMenuTexts) {
    EXPECT_EQ(run({"plugin", "--name", QDCLI_SAMPLE_HERON}).out, "Heron\n");
    EXPECT_EQ(run({"plugin", "--name", QDCLI_SAMPLE_PLOVER}).out, "Selected Area Equalize\n");
    EXPECT_EQ(run({"plugin", "--name", QDCLI_SAMPLE_WREN}).out, "Selected Area Stretch\n");
    EXPECT_EQ(run({"plugin", "--name", QDCLI_SAMPLE_KESTREL}).out, "Kestrel\n");
}

// r(tx, ty) = sum a((x + tx) mod W, (y + ty) mod H) b(x, y), summed directly.
double correlation(MTHANDLE a, MTHANDLE b, int32_t tx, int32_t ty) {
    const int32_t w = MTGetWidth(a), h = MTGetHeight(a);
    double sum = 0;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) sum += MTReal(a, (x + tx) % w, (y + ty) % h) * MTReal(b, x, y);
    return sum;
}

TEST_F(SamplePlugInsTest, HeronPutsTheShiftOfAMovedImageAtItsMaximum) {
    for (const auto& [w, h] : {std::pair{16, 12}, std::pair{15, 11}}) {
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        Matrix a = noise(w, h, MT_FLOAT, 11);
        // b(x, y) = a(x - 3, y - 5), circularly.
        Matrix b = makeMatrix(w, h, MT_FLOAT,
                              [&](int32_t x, int32_t y) { return MTReal(a.get(), (x - 3 + w) % w, (y - 5 + h) % h); });
        npy("a.npy", a.get());
        npy("b.npy", b.get());
        const Outcome o = run({"plugin", QDCLI_SAMPLE_HERON, "a.npy", "b.npy", "--active", "0", "--pick", "1", "-o",
                               "out-%d.qdw"});
        ASSERT_EQ(o.code, 0) << o.err;
        EXPECT_EQ(o.err, "");
        EXPECT_EQ(files(), std::vector<std::string>({"a.npy", "b.npy", "out-2.qdw"})) << "inputs untouched";
        EXPECT_NE(run({"info", "out-2.qdw"}).out.find("display type : 17\n"), std::string::npos);
        ASSERT_EQ(run({"convert", "out-2.qdw", "-o", "r.npy"}).code, 0);
        Matrix r = readNpy("r.npy");
        ASSERT_TRUE(r);
        ASSERT_EQ(MTGetFlags(r.get()), MT_COMPLEX8);
        ASSERT_EQ(MTGetWidth(r.get()), w);
        ASSERT_EQ(MTGetHeight(r.get()), h);

        int32_t bestX = -1, bestY = -1;
        double best = -1e300, worst = 0;
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) {
                const double v = MTReal(r.get(), x, y);
                if (v > best) best = v, bestX = x, bestY = y;
                // The zero shift sits at the centre: element (W/2 + tx, H/2 + ty).
                const double expected = correlation(a.get(), b.get(), (x - w / 2 + w) % w, (y - h / 2 + h) % h);
                worst = std::max(worst, std::fabs(v - expected) / expected);
                EXPECT_NEAR(MTImag(r.get(), x, y), 0.0, 1e-4 * expected);
            }
        EXPECT_LT(worst, 1e-5);
        EXPECT_EQ(bestX, w / 2 - 3);
        EXPECT_EQ(bestY, h / 2 - 5);
        for (const char* f : {"a.npy", "b.npy", "out-2.qdw", "r.npy"}) std::filesystem::remove(path(f));
    }
}

TEST_F(SamplePlugInsTest, HeronOfTheActiveImageWithItselfIsItsAutoCorrelation) {
    for (const auto& [w, h] : {std::pair{8, 8}, std::pair{9, 6}}) {
        npy("a.npy", noise(w, h, MT_USHORT, 5).get());
        ASSERT_EQ(run({"AutoCorrelation2D", "a.npy", "-o", "auto.npy"}).code, 0);
        const Outcome o = run({"plugin", QDCLI_SAMPLE_HERON, "a.npy", "--pick", "0", "-o", "heron-%d.npy"});
        ASSERT_EQ(o.code, 0) << o.err;
        EXPECT_TRUE(sameMatrix(readNpy("auto.npy").get(), readNpy("heron-1.npy").get()));
    }
}

TEST_F(SamplePlugInsTest, HeronRefusesAnUnfitSecondImageAndAsksAgain) {
    npy("a.npy", noise(6, 4, MT_UCHAR, 1).get());
    npy("turned.npy", noise(4, 6, MT_UCHAR, 2).get());
    npy("rgb.npy", makeMatrix(6, 4, MT_RGB, [](int32_t x, int32_t y) { return double(0x010203 * (x + y)); }).get());
    npy("complex.npy", noise(6, 4, MT_COMPLEX8, 3).get());
    const std::string refusal = "warning: Not proper image data type for cross-correlation with the active image.\n";

    // Wrong size, then RGB, then a complex image of the right size.
    Outcome o = run({"plugin", QDCLI_SAMPLE_HERON, "--active", "0", "a.npy", "turned.npy", "rgb.npy", "complex.npy",
                     "--pick", "1", "--pick", "2", "--pick", "3", "-o", "out-%d.npy"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.err, refusal + refusal);
    EXPECT_TRUE(exists("out-4.npy"));

    // Refused and then cancelled: nothing is made.
    o = run({"plugin", QDCLI_SAMPLE_HERON, "--active", "0", "a.npy", "turned.npy", "--pick", "1", "-o", "c-%d.npy"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.err, refusal);
    EXPECT_FALSE(exists("c-2.npy"));
}

TEST_F(SamplePlugInsTest, HeronEndsOnCancelAndRefusesWhatItCannotUse) {
    npy("a.npy", noise(6, 4, MT_SHORT, 1).get());
    npy("rgb.npy", makeMatrix(6, 4, MT_RGB, [](int32_t x, int32_t) { return double(x); }).get());
    const std::vector<std::string> before = files();

    Outcome o = run({"plugin", QDCLI_SAMPLE_HERON, "a.npy", "-o", "out-%d.npy"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.err, "") << "Cancel says nothing";
    o = run({"plugin", QDCLI_SAMPLE_HERON, "a.npy", "rgb.npy", "--pick", "0", "-o", "out-%d.npy"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.err, "warning: Not proper image data type.\n");
    o = run({"plugin", QDCLI_SAMPLE_HERON, "-o", "out-%d.npy"});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.err, "warning: There is no active image window.\n");
    EXPECT_EQ(files(), before);
}

TEST_F(SelectionPlugInsTest, AConstantAreaIsMidGreyOrBlackForEdges) {
    for (int32_t type : {MT_UCHAR, MT_CHAR, MT_USHORT, MT_LONG, MT_FLOAT, MT_DOUBLE}) {
        Matrix m = makeMatrix(5, 3, type, [](int32_t, int32_t) { return 42.0; });
        for (const char* plugin : kSelectionPlugIns) {
            SCOPED_TRACE(testing::Message() << plugin << " type " << type);
            const Shown s = show(plugin, m.get());
            const int32_t expected = plugin == std::string(QDCLI_SAMPLE_KESTREL) ? 0 : 128;
            for (int32_t y = 0; y < 3; ++y)
                for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(level(s.levels, x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(SelectionPlugInsTest, WrenStretchesTheRangeOverTheGreyScale) {
    for (int32_t type : {MT_UCHAR, MT_FLOAT}) {
        SCOPED_TRACE(type);
        // 10 .. 20 along x, each column twice.
        Matrix m = makeMatrix(11, 2, type, [](int32_t x, int32_t) { return 10.0 + x; });
        const Shown s = show(QDCLI_SAMPLE_WREN, m.get());
        EXPECT_EQ(s.outcome.err, "");
        for (int32_t y = 0; y < 2; ++y) {
            EXPECT_EQ(level(s.levels, 0, y), 0);
            EXPECT_EQ(level(s.levels, 1, y), 25); // 25.6 truncated
            EXPECT_EQ(level(s.levels, 5, y), 128);
            EXPECT_EQ(level(s.levels, 9, y), 230);
            EXPECT_EQ(level(s.levels, 10, y), 255) << "256 saturates";
        }
    }
}

TEST_F(SelectionPlugInsTest, PloverEqualisesByTheCumulativeHistogram) {
    // Two values in equal numbers.
    Matrix two = makeMatrix(4, 4, MT_SHORT, [](int32_t x, int32_t y) { return (x + y) % 2 ? 900.0 : -3.0; });
    Shown s = show(QDCLI_SAMPLE_PLOVER, two.get());
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(level(s.levels, x, y), (x + y) % 2 ? 255 : 127);

    // Four equal bins; the maximum (256) counts in the top one.
    Matrix four = makeMatrix(4, 3, MT_DOUBLE, [](int32_t x, int32_t) { return 0.5 * x; });
    s = show(QDCLI_SAMPLE_PLOVER, four.get());
    for (int32_t y = 0; y < 3; ++y) {
        EXPECT_EQ(level(s.levels, 0, y), 63);
        EXPECT_EQ(level(s.levels, 1, y), 127);
        EXPECT_EQ(level(s.levels, 2, y), 191);
        EXPECT_EQ(level(s.levels, 3, y), 255);
    }

    // Uneven counts: one low value, three high ones.
    Matrix skew = makeMatrix(2, 2, MT_UCHAR, [](int32_t x, int32_t y) { return x + y ? 7.0 : 1.0; });
    s = show(QDCLI_SAMPLE_PLOVER, skew.get());
    EXPECT_EQ(level(s.levels, 0, 0), 63); // 255 / 4
    EXPECT_EQ(level(s.levels, 1, 1), 255);
}

TEST_F(SelectionPlugInsTest, KestrelShowsLogGradientsWrappingInsideTheArea) {
    // A ramp along x: differences of 1, and -3 where the last column wraps to the first.
    Matrix ramp = makeMatrix(4, 3, MT_UCHAR, [](int32_t x, int32_t) { return double(x); });
    const Shown s = show(QDCLI_SAMPLE_KESTREL, ramp.get());
    const int32_t low = int32_t(256.0 / double(float(std::log(10.0))) * double(float(std::log(2.0))));
    ASSERT_EQ(low, 77);
    for (int32_t y = 0; y < 3; ++y) {
        for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(level(s.levels, x, y), low);
        EXPECT_EQ(level(s.levels, 3, y), 255) << "the maximum maps to 256";
    }
    // Along y the same, transposed.
    Matrix column = makeMatrix(2, 4, MT_FLOAT, [](int32_t, int32_t y) { return double(y); });
    const Shown t = show(QDCLI_SAMPLE_KESTREL, column.get());
    EXPECT_EQ(level(t.levels, 1, 0), low);
    EXPECT_EQ(level(t.levels, 0, 3), 255);
}

TEST_F(SelectionPlugInsTest, UnsuitableTypesAndNoWindowAreRefused) {
    const int32_t types[] = {MT_BINARY, MT_4BITS, MT_COMPLEX8, MT_COMPLEX16, MT_RGB};
    for (int32_t type : types) {
        // A native file keeps every type, 4-bit included.
        Image im(IMCreateFromMatrix(makeMatrix(4, 2, type, [](int32_t x, int32_t y) { return double((x + y) % 2); })
                                        .release()));
        ASSERT_EQ(IMWriteFile(im.get(), path("in.qdw").c_str()), 1);
        for (const char* plugin : kSelectionPlugIns) {
            SCOPED_TRACE(testing::Message() << plugin << " type " << type);
            const Outcome o = run({"plugin", plugin, "in.qdw", "-o", "out-%d.npy"});
            EXPECT_EQ(o.code, 0) << o.err;
            EXPECT_EQ(o.err, "warning: Not proper image data type.\n");
            EXPECT_FALSE(exists("out-0.npy"));
        }
    }
    for (const char* plugin : kSelectionPlugIns) {
        const Outcome o = run({"plugin", plugin});
        EXPECT_EQ(o.code, 0) << o.err;
        EXPECT_EQ(o.err, "warning: There is no active image window.\n");
    }
}

#endif

} // namespace
} // namespace cli
