// rgbInSector for four pixels at once. Every operation is the scalar one
// applied lane by lane, in the same order and precision, so the results are
// those of rgbInSector bit for bit; only the divisions run side by side.
#pragma once

#include <cstdint>

namespace qd::colour {

typedef double Doubles4 __attribute__((vector_size(32)));
typedef float Floats4 __attribute__((vector_size(16)));
typedef int32_t Ints4 __attribute__((vector_size(16)));
typedef int64_t Longs4 __attribute__((vector_size(32)));

[[gnu::always_inline]] inline Ints4 channelLevels(const Doubles4& i, const Floats4& c) {
    const Doubles4 v = 3.0 * i * __builtin_convertvector(c, Doubles4) * 255.0;
    const Doubles4 clamped = v > 255.0 ? Doubles4{} + 255.0 : v;
    // NaN compares false and gives 0, as in the scalar rule.
    const Doubles4 rounded = v > 0.0 ? clamped + 0.5 : Doubles4{};
    return __builtin_convertvector(rounded, Ints4);
}

[[gnu::always_inline]] inline void rgbInSector4(const int32_t* sector, const float* s, const float* i,
                                                const double* cosLead, const double* cosRest,
                                                uint32_t* out) {
    const Floats4 sv = {s[0], s[1], s[2], s[3]};
    const Doubles4 iv = {i[0], i[1], i[2], i[3]};
    const Doubles4 lead4 = {cosLead[0], cosLead[1], cosLead[2], cosLead[3]};
    const Doubles4 rest4 = {cosRest[0], cosRest[1], cosRest[2], cosRest[3]};
    const Ints4 sec = {sector[0], sector[1], sector[2], sector[3]};
    const Floats4 k = (1.0f - sv) / 3.0f;
    const Floats4 lead =
        __builtin_convertvector((__builtin_convertvector(sv, Doubles4) * lead4 / rest4 + 1.0) / 3.0, Floats4);
    const Floats4 other = 1.0f - (k + lead);
    const Floats4 r = sec == 0 ? lead : sec == 1 ? k : other;
    const Floats4 g = sec == 0 ? other : sec == 1 ? lead : k;
    const Floats4 b = sec == 0 ? k : sec == 1 ? other : lead;
    const Ints4 rgb = channelLevels(iv, r) << 16 | channelLevels(iv, g) << 8 | channelLevels(iv, b);
    for (int l = 0; l < 4; ++l) out[l] = uint32_t(rgb[l]);
}

} // namespace qd::colour
