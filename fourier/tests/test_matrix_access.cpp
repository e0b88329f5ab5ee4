// Rows read straight from storage against the value accessors, for windows
// at odd origins inside matrices whose other elements hold extreme values;
// and transforms of such windows against those of the same values alone.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <qd/fourier.h>
#include <qd/memobj.h>

#include "matrix_access.h"
#include "reference.h"

namespace {

const int32_t kTypes[] = {MT_BINARY, MT_4BITS, MT_CHAR,   MT_UCHAR,    MT_SHORT,     MT_USHORT,
                          MT_LONG,   MT_ULONG, MT_FLOAT,  MT_DOUBLE,   MT_COMPLEX8,  MT_COMPLEX16};

// w x h random values of the type's range at (x0, y0) of a larger matrix;
// around them the type's lowest and highest values alternate.
MTHANDLE windowAmongExtremes(int32_t type, int32_t w, int32_t h, int32_t x0, int32_t y0, uint32_t seed) {
    MTHANDLE m = MTCreate(x0 + w + 3, y0 + h + 2, type);
    const double lo = MTGetMinLimit(m), hi = MTGetMaxLimit(m);
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> any(lo < -1e6 ? -1e6 : lo, hi > 1e6 ? 1e6 : hi);
    for (int32_t y = 0; y < MTGetHeight(m); ++y)
        for (int32_t x = 0; x < MTGetWidth(m); ++x) {
            const bool inside = x >= x0 && x < x0 + w && y >= y0 && y < y0 + h;
            const double re = inside ? std::floor(any(rng)) : (x + y) % 2 ? hi : lo;
            MTSetComplex(m, x, y, {re, inside ? std::floor(any(rng)) : hi});
        }
    EXPECT_EQ(MTSetWindow(m, x0, y0, x0 + w, y0 + h), 1);
    return m;
}

// The window's values alone, in a matrix of their own.
MTHANDLE compactCopy(MTHANDLE m) {
    MTHANDLE c = MTCreate(MTGetWidth(m), MTGetHeight(m), MTGetFlags(m));
    for (int32_t y = 0; y < MTGetHeight(m); ++y)
        for (int32_t x = 0; x < MTGetWidth(m); ++x) MTSetComplex(c, x, y, MTComplex(m, x, y));
    return c;
}

bool sameBits(MTHANDLE a, MTHANDLE b) {
    return a && b && MTGetMemorySize(a) == MTGetMemorySize(b) &&
           std::memcmp(MTGetPointer(a), MTGetPointer(b), static_cast<size_t>(MTGetMemorySize(a))) == 0;
}

} // namespace

TEST(RowReader, WindowRowsReadAsTheAccessors) {
    uint32_t seed = 1;
    for (int32_t type : kTypes)
        for (int32_t x0 : {1, 3, 8, 13})
            for (int32_t stride : {1, 3}) {
                // Wider than a tile of the reads by rows.
                const int32_t w = 70, h = 4, y0 = x0 % 3;
                MTHANDLE m = windowAmongExtremes(type, w, h, x0, y0, seed++);
                const qd::fourier::RowReader reader(m);
                std::vector<double> re(size_t(w * stride), -7.0), im(size_t(w * stride), -7.0);
                for (int32_t y = 0; y < h; ++y) {
                    reader.read(y, re.data(), im.data(), stride);
                    for (int32_t x = 0; x < w; ++x) {
                        ASSERT_EQ(re[size_t(x * stride)], MTReal(m, x, y)) << type << " at " << x0 << ": " << x << ", " << y;
                        ASSERT_EQ(im[size_t(x * stride)], MTImag(m, x, y)) << type << " at " << x0 << ": " << x << ", " << y;
                    }
                }
                // Rows in any order, each into a lane of its own.
                const int32_t ys[3] = {3, 0, 2};
                std::vector<double> lanes(size_t(w * 3), -7.0);
                reader.readRealLanes(ys, 3, lanes.data(), 3);
                for (int l = 0; l < 3; ++l)
                    for (int32_t x = 0; x < w; ++x)
                        ASSERT_EQ(lanes[size_t(x * 3 + l)], MTReal(m, x, ys[l])) << type << " lane " << l << ": " << x;
                MTDestroy(m);
            }
}

TEST(RowReader, TransformsOfAWindowEqualThoseOfItsValuesAlone) {
    const double kernel[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
    uint32_t seed = 50;
    for (int32_t type : kTypes) {
        // Odd and even sizes take the paired and the single row passes.
        for (auto [w, h] : {std::pair{12, 8}, std::pair{7, 5}}) {
            MTHANDLE m = windowAmongExtremes(type, w, h, 5, 3, seed++);
            MTHANDLE c = compactCopy(m);
            const std::string what = std::to_string(type) + ", " + std::to_string(w) + " x " + std::to_string(h);
            const auto both = [&](auto f) {
                MTHANDLE a = f(m), b = f(c);
                EXPECT_TRUE(sameBits(a, b)) << what;
                MTDestroy(a);
                MTDestroy(b);
            };
            both([](MTHANDLE s) { return Ft2D(s, nullptr); });
            both([](MTHANDLE s) { return RealFt2D(s, nullptr); });
            both([](MTHANDLE s) { return IFt2D(s, nullptr); });
            both([](MTHANDLE s) { return RealIFt2D(s, nullptr); });
            both([&](MTHANDLE s) { return Convolution2D(s, 3, kernel, 16, nullptr); });
            both([](MTHANDLE s) { return HomomorphicFilter2D(s, 2.0, 0.5, 1.5, 2, nullptr); });
            MTDestroy(c);
            MTDestroy(m);
        }
    }
}
