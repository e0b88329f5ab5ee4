// toSi, a change of saturation and intensity, and rgbInSector for runs of
// pixels at once. Every arithmetic operation is the scalar one applied lane
// by lane, in the same order and precision, so the results are those of the
// scalar rules bit for bit; only the lanes run side by side.
//
// The work goes in stages over short runs of pixels (hue indices, S and I,
// the chromaticity that leads, the channels): one pixel's chain of divisions
// and roundings is long, and each stage's is short enough for the processor
// to overlap many pixels of it. The stages also ask for the cosine pairs of
// the next run while they work on this one: the table is larger than the
// second-level cache and read in the order of the colours.
#pragma once

#include <cstdint>
#include <cstring>

#include "colour_model.h"

// Everything here is inlined into one function per target; the ABI of
// 32-byte vectors between functions never comes into it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

namespace qd::colour {

typedef int32_t Ints4 __attribute__((vector_size(16)));
typedef float Floats4 __attribute__((vector_size(16)));
typedef double Doubles2 __attribute__((vector_size(16)));
typedef double Doubles4 __attribute__((vector_size(32)));
typedef int32_t Ints8 __attribute__((vector_size(32)));
typedef float Floats8 __attribute__((vector_size(32)));

// Lane by lane: GCC makes one instruction of these where there are 256-bit
// vectors, but two halves of __builtin_convertvector.
[[gnu::always_inline]] inline Doubles4 widen(const Floats4& v) {
    return Doubles4{double(v[0]), double(v[1]), double(v[2]), double(v[3])};
}
[[gnu::always_inline]] inline Doubles4 widen(const Ints4& v) {
    return Doubles4{double(v[0]), double(v[1]), double(v[2]), double(v[3])};
}
[[gnu::always_inline]] inline Floats4 narrow(const Doubles4& v) { return __builtin_convertvector(v, Floats4); }

[[gnu::always_inline]] inline Floats4 low(const Floats8& v) {
    return __builtin_shufflevector(v, v, 0, 1, 2, 3);
}
[[gnu::always_inline]] inline Floats4 high(const Floats8& v) {
    return __builtin_shufflevector(v, v, 4, 5, 6, 7);
}
[[gnu::always_inline]] inline Ints4 low(const Ints8& v) { return __builtin_shufflevector(v, v, 0, 1, 2, 3); }
[[gnu::always_inline]] inline Ints4 high(const Ints8& v) {
    return __builtin_shufflevector(v, v, 4, 5, 6, 7);
}
[[gnu::always_inline]] inline Ints8 join(const Ints4& a, const Ints4& b) {
    return __builtin_shufflevector(a, b, 0, 1, 2, 3, 4, 5, 6, 7);
}

// 0, 1 and 255 in every lane, hidden from constant folding: GCC compiles the
// selections below to maxima and minima only between values it does not
// know, and those instructions select exactly as the expressions do, NaN and
// signed zeros included.
struct Limits {
    Doubles4 zero, one, top;
    [[gnu::always_inline]] static Limits make() {
        double z = 0.0;
        __asm__("" : "+x"(z));
        const Doubles4 zero = Doubles4{} + z;
        return {zero, zero + 1.0, zero + 255.0};
    }
};

// std::clamp(v, 0.0, 1.0) rounded to float, lane by lane.
[[gnu::always_inline]] inline Floats4 clamp01Lanes(const Doubles4& v, const Limits& lim) {
    const Doubles4 low = lim.zero > v ? lim.zero : v;
    return narrow(lim.one < low ? lim.one : low);
}

// channelLevel lane by lane; 3 I is the same for the three channels. Where
// v <= 0 (NaN too) the scalar rule gives 0 at once; here the maximum ends at
// 0.5, which truncates to the same 0.
[[gnu::always_inline]] inline Ints4 channelLevels(const Doubles4& threeI, const Floats4& c,
                                                  const Limits& lim) {
    const Doubles4 v = threeI * widen(c) * 255.0;
    const Doubles4 clamped = lim.top < v ? lim.top : v;
    const Doubles4 low = clamped > lim.zero ? clamped : lim.zero;
    return __builtin_convertvector(low + 0.5, Ints4);
}

[[gnu::always_inline]] inline void channelsOf(const uint32_t* src, Ints8& r, Ints8& g, Ints8& b) {
    Ints8 px;
    std::memcpy(&px, src, sizeof px);
    r = (px >> 16) & 255;
    g = (px >> 8) & 255;
    b = px & 255;
}

// One run of pixels between the stages.
struct SectorRun {
    static constexpr int kPixels = 32;
    alignas(32) float s[kPixels];
    alignas(32) float i[kPixels];
    alignas(32) float lead[kPixels];
};

// Byte offsets of the pixels' cosine pairs, each asked for at once.
[[gnu::always_inline]] inline void stageOffsets(const uint32_t* src, uint32_t* offset, const char* pairs) {
    for (int x = 0; x < SectorRun::kPixels; x += 8) {
        Ints8 r, g, b;
        channelsOf(src + x, r, g, b);
        // hueIndex times the size of a pair.
        const Ints8 k = ((r - g + 255) * 511 + (r - b + 255)) * int32_t(sizeof(HueCosines::Pair));
        std::memcpy(offset + x, &k, sizeof k);
        for (int l = 0; l < 8; ++l) __builtin_prefetch(pairs + uint32_t(k[l]));
    }
}

// toSi and the change. The tables hold float(sum) / 765.0f and 1.0 / sum,
// 0 for black; `change(s, i, limits)` changes four lanes as the scalar
// change changes one pixel.
template <class Change>
[[gnu::always_inline]] inline void stageSi(const uint32_t* src, SectorRun& run, const Change& change,
                                           const Limits& lim) {
    for (int x = 0; x < SectorRun::kPixels; x += 8) {
        Ints8 r, g, b;
        channelsOf(src + x, r, g, b);
        const Ints8 sum = r + g + b;
        const Ints8 rg = r < g ? r : g;
        const Ints8 lowest = rg < b ? rg : b;
        const Ints8 chroma = sum - 3 * lowest;
        const Floats8 intensity = __builtin_convertvector(sum, Floats8) / 765.0f;
#pragma GCC unroll 2
        for (int h = 0; h < 2; ++h) {
            const Doubles4 sums = widen(h ? high(sum) : low(sum));
            const Doubles4 reciprocal = sums == 0.0 ? Doubles4{} : 1.0 / sums;
            Floats4 s = narrow(widen(h ? high(chroma) : low(chroma)) * reciprocal);
            Floats4 i = h ? high(intensity) : low(intensity);
            change(s, i, lim);
            std::memcpy(run.s + x + 4 * h, &s, sizeof s);
            std::memcpy(run.i + x + 4 * h, &i, sizeof i);
        }
    }
}

// The chromaticity of the channel that follows the lowest one, from S and
// the pixels' cosine pairs.
[[gnu::always_inline]] inline void stageLead(SectorRun& run, const uint32_t* offset, const char* pairs) {
    for (int x = 0; x < SectorRun::kPixels; x += 4) {
        Doubles2 p0, p1, p2, p3;
        std::memcpy(&p0, pairs + offset[x], sizeof p0);
        std::memcpy(&p1, pairs + offset[x + 1], sizeof p1);
        std::memcpy(&p2, pairs + offset[x + 2], sizeof p2);
        std::memcpy(&p3, pairs + offset[x + 3], sizeof p3);
        const Doubles4 a = __builtin_shufflevector(p0, p2, 0, 1, 2, 3);
        const Doubles4 c = __builtin_shufflevector(p1, p3, 0, 1, 2, 3);
        const Doubles4 cosLead = __builtin_shufflevector(a, c, 0, 4, 2, 6);
        const Doubles4 cosRest = __builtin_shufflevector(a, c, 1, 5, 3, 7);
        Floats4 s;
        std::memcpy(&s, run.s + x, sizeof s);
        const Floats4 lead = narrow((widen(s) * cosLead / cosRest + 1.0) / 3.0);
        std::memcpy(run.lead + x, &lead, sizeof lead);
    }
}

// The rest of rgbInSector.
[[gnu::always_inline]] inline void stageRgb(const uint32_t* src, const SectorRun& run, uint32_t* out,
                                            const Limits& lim) {
    for (int x = 0; x < SectorRun::kPixels; x += 8) {
        Ints8 r, g, b;
        channelsOf(src + x, r, g, b);
        // The sector sectorOf gives the pixel's hue: the lowest channel.
        // Ties go as the rounded hues fall: grey and g = b < r have hue 0,
        // sector 0; r = b < g has float(2 pi / 3), above kTwoThirdsPi,
        // sector 1; r = g < b has float(4 pi / 3), above kFourThirdsPi,
        // sector 2. Every other hue lies far from a sector's end.
        const Ints8 sector0 = ((r > b) & (g >= b)) | ((r == g) & (g == b));
        const Ints8 sector1 = (r < g) & (r <= b);
        Floats8 s, lead, i;
        std::memcpy(&s, run.s + x, sizeof s);
        std::memcpy(&lead, run.lead + x, sizeof lead);
        std::memcpy(&i, run.i + x, sizeof i);
        const Floats8 k = (1.0f - s) / 3.0f;
        const Floats8 other = 1.0f - (k + lead);
        const Floats8 rc = sector0 ? lead : sector1 ? k : other;
        const Floats8 gc = sector0 ? other : sector1 ? lead : k;
        const Floats8 bc = sector0 ? k : sector1 ? other : lead;
        const Doubles4 threeI0 = 3.0 * widen(low(i)), threeI1 = 3.0 * widen(high(i));
        const Ints8 red = join(channelLevels(threeI0, low(rc), lim), channelLevels(threeI1, high(rc), lim));
        const Ints8 green = join(channelLevels(threeI0, low(gc), lim), channelLevels(threeI1, high(gc), lim));
        const Ints8 blue = join(channelLevels(threeI0, low(bc), lim), channelLevels(threeI1, high(bc), lim));
        const Ints8 rgb = red << 16 | green << 8 | blue;
        std::memcpy(out + x, &rgb, sizeof rgb);
    }
}

// One row of a change that keeps the hue, run by run; the last, short run
// goes through a copy padded with black.
template <class Change>
[[gnu::always_inline]] inline void keepHueRow(const uint32_t* src, uint32_t* row, int32_t width,
                                              const Change& change) {
    constexpr int32_t kRun = SectorRun::kPixels;
    const char* pairs = reinterpret_cast<const char*>(hueCosines().cosines);
    const Limits lim = Limits::make();
    SectorRun run;
    alignas(32) uint32_t offset[2][kRun];
    alignas(32) uint32_t padded[kRun];
    const int32_t runs = (width + kRun - 1) / kRun;
    auto source = [&](int32_t n) -> const uint32_t* {
        if ((n + 1) * kRun <= width) return src + n * kRun;
        std::fill(padded, padded + kRun, 0u);
        std::copy(src + n * kRun, src + width, padded);
        return padded;
    };
    if (runs > 0) stageOffsets(source(0), offset[0], pairs);
    for (int32_t n = 0; n < runs; ++n) {
        if (n + 1 < runs) stageOffsets(source(n + 1), offset[(n + 1) & 1], pairs);
        const uint32_t* in = source(n);
        stageSi(in, run, change, lim);
        stageLead(run, offset[n & 1], pairs);
        if ((n + 1) * kRun <= width) {
            stageRgb(in, run, row + n * kRun, lim);
        } else {
            alignas(32) uint32_t out[kRun];
            stageRgb(in, run, out, lim);
            std::copy(out, out + (width - n * kRun), row + n * kRun);
        }
    }
}

} // namespace qd::colour

#pragma GCC diagnostic pop
