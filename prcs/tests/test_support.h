// Helpers of the processing tests: matrices from literal rows, their values
// back, kernels, random images, and matrices that are windows of larger ones.
#pragma once

#include <qd/memobj.h>
#include <qd/prcs.h>

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace prcs_test {

using Rows = std::vector<std::vector<double>>;

// Row y of the literal is matrix row y.
inline MTHANDLE makeMatrix(const Rows& rows, int32_t type) {
    const int32_t h = int32_t(rows.size()), w = int32_t(rows[0].size());
    MTHANDLE m = MTCreate(w, h, type);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) MTSetReal(m, x, y, rows[size_t(y)][size_t(x)]);
    return m;
}

inline Rows realRows(MTHANDLE m) {
    Rows r(size_t(MTGetHeight(m)), std::vector<double>(size_t(MTGetWidth(m))));
    for (int32_t y = 0; y < MTGetHeight(m); ++y)
        for (int32_t x = 0; x < MTGetWidth(m); ++x) r[size_t(y)][size_t(x)] = MTReal(m, x, y);
    return r;
}

// The real parts of a result, which is destroyed with its source.
inline Rows takeRows(MTHANDLE result, MTHANDLE source) {
    Rows out = realRows(result);
    MTDestroy(result);
    MTDestroy(source);
    return out;
}

inline Rows imagRows(MTHANDLE m) {
    Rows r(size_t(MTGetHeight(m)), std::vector<double>(size_t(MTGetWidth(m))));
    for (int32_t y = 0; y < MTGetHeight(m); ++y)
        for (int32_t x = 0; x < MTGetWidth(m); ++x) r[size_t(y)][size_t(x)] = MTImag(m, x, y);
    return r;
}

inline Rows constantRows(int32_t w, int32_t h, double v) {
    return Rows(size_t(h), std::vector<double>(size_t(w), v));
}

// Owns a morphology kernel record and its values (copies point at their own).
struct MMKernel {
    std::vector<int32_t> values;
    mutable MMKERNEL rec{};
    MMKernel(int32_t n, std::vector<int32_t> v) : values(std::move(v)) { rec.N = n; }
    const MMKERNEL* operator&() const {
        rec.values = const_cast<int32_t*>(values.data());
        return &rec;
    }
};

inline MMKernel rectangle(int32_t n) { return MMKernel(n, std::vector<int32_t>(size_t(n * n), 1)); }
inline MMKernel circle5() {
    return MMKernel(5, {0, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 0});
}
inline MMKernel diamond3() { return MMKernel(3, {0, 1, 0, 1, 1, 1, 0, 1, 0}); }

// Random element values that the type holds exactly.
inline MTHANDLE randomMatrix(int32_t w, int32_t h, int32_t type, uint32_t seed) {
    std::mt19937 rng(seed);
    MTHANDLE m = MTCreate(w, h, type);
    const bool wide = type == MT_FLOAT || type == MT_DOUBLE || type >= MT_COMPLEX8;
    std::uniform_real_distribution<double> real(-1000.0, 1000.0);
    std::uniform_int_distribution<int32_t> small(0, 4); // many ties
    const double lo = MTGetMinLimit(m), hi = MTGetMaxLimit(m);
    std::uniform_real_distribution<double> any(lo, hi);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            double v = wide ? real(rng) : std::floor(any(rng));
            if (rng() % 4 == 0) v = small(rng); // repeated values
            MTSetReal(m, x, y, v);
            if (MTIsComplex(m)) MTSetImag(m, x, y, real(rng));
        }
    return m;
}

// The same elements as the window of a larger matrix, at origin (x0, y0)
// and with room on every side; the elements around the window alternate
// between the type's lowest and highest values, so that any of them read
// into a result shows.
inline MTHANDLE windowAt(MTHANDLE m, int32_t x0, int32_t y0) {
    const int32_t w = MTGetWidth(m), h = MTGetHeight(m);
    MTHANDLE big = MTCreate(x0 + w + 3, y0 + h + 2, MTGetFlags(m));
    const double lo = MTGetMinLimit(big), hi = MTGetMaxLimit(big);
    for (int32_t y = 0; y < MTGetHeight(big); ++y)
        for (int32_t x = 0; x < MTGetWidth(big); ++x) {
            const bool inside = x >= x0 && x < x0 + w && y >= y0 && y < y0 + h;
            if (!inside) MTSetComplex(big, x, y, {(x + y) % 2 ? hi : lo, hi});
            else if (MTIsRgb(m)) MTSetRgb(big, x, y, MTRgb(m, x - x0, y - y0));
            else MTSetComplex(big, x, y, MTComplex(m, x - x0, y - y0));
        }
    MTSetWindow(big, x0, y0, x0 + w, y0 + h);
    return big;
}

// A destination of m's type and size that is the window of a larger matrix:
// the processing functions write such a destination element by element.
inline MTHANDLE windowedLike(MTHANDLE m) {
    const int32_t w = MTGetWidth(m), h = MTGetHeight(m);
    MTHANDLE d = MTCreate(w + 2, h + 1, MTGetFlags(m));
    MTSetWindow(d, 1, 1, w + 1, h + 1);
    return d;
}

// Exact equality of every element, bit for bit for floating values.
inline void expectSameElements(MTHANDLE a, MTHANDLE b, const std::string& what) {
    ASSERT_EQ(MTGetFlags(a), MTGetFlags(b)) << what;
    ASSERT_EQ(MTGetWidth(a), MTGetWidth(b)) << what;
    ASSERT_EQ(MTGetHeight(a), MTGetHeight(b)) << what;
    int32_t bad = 0;
    for (int32_t y = 0; y < MTGetHeight(a); ++y)
        for (int32_t x = 0; x < MTGetWidth(a); ++x) {
            const MTCOMPLEX p = MTComplex(a, x, y), q = MTComplex(b, x, y);
            if (std::memcmp(&p, &q, sizeof p) != 0 && bad++ < 3)
                ADD_FAILURE() << what << " differs at (" << x << ", " << y << "): " << p.re
                              << " vs " << q.re;
        }
    EXPECT_EQ(bad, 0) << what;
}

// Counts the pump calls while alive.
struct PumpCounter {
    static inline int32_t calls = 0;
    static int32_t pump() {
        ++calls;
        return 0;
    }
    PumpCounter() {
        calls = 0;
        SetMessagePump(&PumpCounter::pump);
    }
    ~PumpCounter() { SetMessagePump(nullptr); }
};

inline const int32_t kRealTypes[] = {MT_BINARY, MT_4BITS,  MT_CHAR,  MT_UCHAR,
                                     MT_SHORT,  MT_USHORT, MT_LONG,  MT_ULONG,
                                     MT_FLOAT,  MT_DOUBLE};

} // namespace prcs_test
