// Rendering: every value becomes a display level in the bitmap and is counted
// into the display histogram. The loops read the data block directly; the
// levels are exactly those of the element-by-element rules.
#include <array>
#include <cstring>

#include "image_object.h"
#include "pixel_reader.h"

using namespace qd::image;

namespace {

// Pixel counts per level. Counted in integers: a float count stops growing
// at 2^24, which a large uniform image reaches.
struct LevelCounts {
    uint64_t n[256] = {};

    void addRow(const uint8_t* levels, int32_t w) {
        uint32_t part[4][256] = {};
        int32_t x = 0;
        for (; x + 4 <= w; x += 4) {
            ++part[0][levels[x]];
            ++part[1][levels[x + 1]];
            ++part[2][levels[x + 2]];
            ++part[3][levels[x + 3]];
        }
        for (; x < w; ++x) ++part[0][levels[x]];
        for (int k = 0; k < 256; ++k) n[k] += uint64_t(part[0][k]) + part[1][k] + part[2][k] + part[3][k];
    }
};

struct Planes {
    const uint8_t* src;
    uint8_t* dst;
    int64_t srcStride;
    int64_t dstStride;
    int32_t w;
    int32_t h;

    const uint8_t* srcRow(int32_t y) const { return src + y * srcStride; }
    uint8_t* dstRow(int32_t y) const { return dst + y * dstStride; }
};

// Levels of one display type over the whole image (256 colours, range > 0).
template <class R, int32_t D>
void renderLevels(const Planes& p, double initial, double c, LevelCounts& counts, bool pump) {
    const int32_t w = p.w; // a local: the byte stores could alias the struct
    if constexpr (hasValueTable<R>()) {
        // Every possible value gets its level once.
        using T = typename R::value_type;
        using U = std::make_unsigned_t<T>;
        constexpr size_t size = size_t(1) << (8 * sizeof(T));
        std::array<uint8_t, size> lut; // at most 64 KiB, on the stack: no allocation to fail
        for (size_t i = 0; i < size; ++i)
            lut[i] = level256((displayValue(D, double(T(U(i))), 0.0) - initial) * c);
        // Blocks of zeros, the background of label and mask images, are
        // filled and counted whole.
        constexpr int32_t kBlock = int32_t(8 / sizeof(T));
        const uint8_t zero = lut[0];
        for (int32_t y = 0; y < p.h; ++y) {
            const uint8_t* s = p.srcRow(y);
            uint8_t* d = p.dstRow(y);
            uint32_t part[2][256] = {};
            uint64_t zeros = 0;
            int32_t x = 0;
            for (; x + kBlock <= w; x += kBlock) {
                uint64_t block;
                std::memcpy(&block, s + int64_t(x) * int64_t(sizeof(T)), 8);
                if (block == 0) {
                    std::memset(d + x, zero, size_t(kBlock));
                    zeros += uint64_t(kBlock);
                    continue;
                }
                for (int32_t i = 0; i < kBlock; ++i) {
                    const uint8_t level = lut[U(loadAt<T>(s, x + i))];
                    d[x + i] = level;
                    ++part[i & 1][level];
                }
            }
            for (; x < w; ++x) {
                const uint8_t level = lut[U(loadAt<T>(s, x))];
                d[x] = level;
                ++part[0][level];
            }
            for (int k = 0; k < 256; ++k) counts.n[k] += uint64_t(part[0][k]) + part[1][k];
            counts.n[zero] += zeros;
            if (pump) ProcessMessage();
        }
    } else {
        for (int32_t y = 0; y < p.h; ++y) {
            const uint8_t* s = p.srcRow(y);
            uint8_t* d = p.dstRow(y);
            for (int32_t x = 0; x < w; ++x)
                d[x] = level256((displayValue(D, R::re(s, x), R::im(s, x)) - initial) * c);
            counts.addRow(d, p.w);
            if (pump) ProcessMessage();
        }
    }
}

void renderRgb(const Planes& p) {
    for (int32_t y = 0; y < p.h; ++y) {
        const uint8_t* s = p.srcRow(y);
        uint8_t* d = p.dstRow(y);
        for (int32_t x = 0; x < p.w; ++x) {
            const uint32_t v = loadAt<uint32_t>(s, x);
            d[3 * x] = uint8_t(v);
            d[3 * x + 1] = uint8_t(v >> 8);
            d[3 * x + 2] = uint8_t(v >> 16);
        }
        ProcessMessage();
    }
}

// Histogram equalisation of the levels already in the bitmap.
void equalise(const Planes& p, LevelCounts& counts) {
    const float s = float(255.0 / (double(p.w) * double(p.h)));
    float cum[256];
    cum[0] = float(counts.n[0]) * s;
    for (int k = 1; k < 256; ++k) cum[k] = float(counts.n[k]) * s + cum[k - 1];
    uint8_t map[256];
    for (int k = 0; k < 256; ++k) {
        const int32_t v = truncToInt(cum[k]);
        map[k] = uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
    }
    counts = LevelCounts{};
    for (int32_t y = 0; y < p.h; ++y) {
        uint8_t* d = p.dstRow(y);
        for (int32_t x = 0, w = p.w; x < w; ++x) d[x] = map[d[x]];
        counts.addRow(d, p.w);
        ProcessMessage();
    }
}

// 2 and 16 colours: the data are bits or nibbles, so each of the n values
// gets its level once. No positive-range test here: a zero range still gives
// defined levels.
template <class R> void renderFew(const Planes& p, int32_t n, double initial, double r,
                                  LevelCounts& counts) {
    const double g = double(n - 1) / r;
    const double top = n - 1.5;
    uint8_t lut[16];
    for (int32_t v = 0; v < n; ++v) lut[v] = uint8_t(levelN((v - initial) * g, n, top));
    const int shift = n == 2 ? 3 : 1;
    for (int32_t y = 0; y < p.h; ++y) {
        const uint8_t* s = p.srcRow(y);
        uint8_t* d = p.dstRow(y);
        std::memset(d, 0, size_t(p.dstStride));
        for (int32_t x = 0; x < p.w; ++x) {
            const uint8_t level = lut[int32_t(R::re(s, x))];
            ++counts.n[level];
            if (n == 2) d[x >> shift] |= uint8_t(level << (7 - (x & 7)));
            else d[x >> shift] |= uint8_t((x & 1) ? level : level << 4);
        }
    }
}

} // namespace

void QDImage::prepareBitmap() {
    if (!data || !bitmap) return;
    const Planes p{static_cast<const uint8_t*>(MTGetPointer(data)),
                   static_cast<uint8_t*>(MTGetPointer(bitmap)),
                   MTGetRowBytes(header.DataType, header.Width),
                   MTGetRowBytes(MTGetFlags(bitmap), MTGetMaxXIndex(bitmap)),
                   header.Width,
                   header.Height};
    if (isRgb()) {
        renderRgb(p);
        return;
    }
    const int32_t n = paletteColors();
    const double initial = header.InitialValue;
    const double r = range();
    LevelCounts counts;
    if (n < 256) {
        if (n == 2) renderFew<BitReader>(p, n, initial, r, counts);
        else renderFew<NibbleReader>(p, n, initial, r, counts);
    } else if (!(r > 0)) {
        std::memset(p.dst, 0, size_t(MTGetMemorySize(bitmap)));
        counts.n[0] = uint64_t(p.w) * uint64_t(p.h);
    } else {
        const bool equalised = header.DisplayType == IM_EQUALIZED;
        const int32_t shown = equalised ? IM_REAL_LINEAR : header.DisplayType;
        withReader(header.DataType, [&](auto rd) {
            withDisplayType(shown, false, [&](auto d) {
                renderLevels<decltype(rd), decltype(d)::value>(p, initial, 255.0 / r, counts,
                                                               !equalised);
            });
        });
        if (equalised) equalise(p, counts);
    }
    for (int32_t k = 0; k < n; ++k) ARSetReal(histogram, k, double(counts.n[k]));
}

extern "C" void IMPrepareBitmap(IMHANDLE im) noexcept { im->prepareBitmap(); }
