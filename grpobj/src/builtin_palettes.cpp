#include "palette_manager.h"

#include <array>
#include <cstdint>

namespace qd::grp {

namespace {

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return r << 16 | g << 8 | b; }

constexpr std::array<uint32_t, 50> kSeparateColours = {
    0xFFC0C0, 0xC0FFC0, 0xC0C0FF, 0xFFC000, 0xC0FF00, 0xC000FF, 0xFF00C0, 0x00FFC0, 0x00C0FF,
    0xFF8080, 0x80FF80, 0x8080FF, 0xFF8000, 0x80FF00, 0x8000FF, 0xFF0080, 0x00FF80, 0x0080FF,
    0xFF4040, 0x40FF40, 0x4040FF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFC040, 0xC0FF40, 0xC040FF,
    0xFF40C0, 0x40FFC0, 0x40C0FF, 0xFFC080, 0xC0FF80, 0xC080FF, 0xFF80C0, 0x80FFC0, 0x80C0FF,
    0xFFFF00, 0x00FFFF, 0xFF00FF, 0xC0C000, 0x00C0C0, 0xC000C0, 0xC0C040, 0x40C0C0, 0xC040C0,
    0xC0C080, 0x80C0C0, 0xC080C0, 0x808000, 0x008080};

constexpr uint32_t kPurple = 0x800080;

// Ramps shared by the 256- and 16-colour palettes: entry i has the ramp value
// v = i * scale (scale 1 or 17); fire turns at half the entries.
enum class Ramp { Grey, Red, Green, Blue, Inverse, Fire };

uint32_t rampColour(Ramp ramp, uint32_t i, uint32_t scale, uint32_t half) {
    const uint32_t v = i * scale;
    switch (ramp) {
    case Ramp::Grey:
        return rgb(v, v, v);
    case Ramp::Red:
        return rgb(v, 0, 0);
    case Ramp::Green:
        return rgb(0, v, 0);
    case Ramp::Blue:
        return rgb(0, 0, v);
    case Ramp::Inverse:
        return rgb(255 - v, 255 - v, 255 - v);
    case Ramp::Fire:
        return i < half ? rgb(2 * v, 0, 0) : rgb(255, 2 * v - 255, 0);
    }
    return 0;
}

uint32_t separateColour(uint32_t i) {
    if (i == 0) return 0;
    if (i % 51 == 0) return kPurple;
    return kSeparateColours[i % 51 - 1];
}

struct RampPalette {
    const char* name;
    Ramp ramp;
};

bool addPalette(QDPaletteManager& pm, QDPALETTE* pal) {
    if (pal && pm.append(pal) > 0) return true;
    freePalette(pal);
    return false;
}

bool addRamps(QDPaletteManager& pm, const std::array<RampPalette, 6>& ramps, int32_t flag) {
    const uint32_t n = uint32_t(paletteColorCount(flag));
    const uint32_t scale = n == 16 ? 17 : 1;
    for (const auto& r : ramps) {
        QDPALETTE* pal = newPalette(r.name, flag);
        if (!pal) return false;
        for (uint32_t i = 0; i < n; ++i)
            pal->colors[i] = rampColour(r.ramp, i, scale, n / 2);
        if (!addPalette(pm, pal)) return false;
    }
    return true;
}

bool addSeparate(QDPaletteManager& pm) {
    QDPALETTE* pal = newPalette("Separate (256)", PAL_256);
    if (!pal) return false;
    for (uint32_t i = 0; i < 256; ++i)
        pal->colors[i] = separateColour(i);
    return addPalette(pm, pal);
}

} // namespace

bool addBuiltinPalettes(QDPaletteManager& pm) {
    static const std::array<RampPalette, 6> k256 = {{{"Grey Scale (256)", Ramp::Grey},
                                                     {"Red (256)", Ramp::Red},
                                                     {"Green (256)", Ramp::Green},
                                                     {"Blue (256)", Ramp::Blue},
                                                     {"Inversed grey Scale (256)", Ramp::Inverse},
                                                     {"Fire (256)", Ramp::Fire}}};
    static const std::array<RampPalette, 6> k16 = {{{"Grey Scale (16)", Ramp::Grey},
                                                    {"Red (16)", Ramp::Red},
                                                    {"Green (16)", Ramp::Green},
                                                    {"Blue (16)", Ramp::Blue},
                                                    {"Inversed grey Scale (16)", Ramp::Inverse},
                                                    {"Fire (16)", Ramp::Fire}}};
    struct TwoColour {
        const char* name;
        uint32_t colour;
    };
    static const std::array<TwoColour, 7> k2 = {{{"Black and white (2)", 0xFFFFFF},
                                                 {"Red (2)", 0xFF0000},
                                                 {"Green (2)", 0x00FF00},
                                                 {"Blue (2)", 0x0000FF},
                                                 {"Yellow (2)", 0xFFFF00},
                                                 {"Magenta (2)", 0xFF00FF},
                                                 {"Cyan (2)", 0x00FFFF}}};
    if (!addRamps(pm, k256, PAL_256) || !addSeparate(pm) || !addRamps(pm, k16, PAL_16))
        return false;
    for (const auto& t : k2) {
        QDPALETTE* pal = newPalette(t.name, PAL_2);
        if (!pal) return false;
        pal->colors[0] = 0;
        pal->colors[1] = t.colour;
        if (!addPalette(pm, pal)) return false;
    }
    return true;
}

} // namespace qd::grp
