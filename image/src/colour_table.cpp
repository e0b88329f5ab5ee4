// The colour table of the bitmap: palette colours shifted by brightness and
// scaled about the centre by contrast.
#include <cmath>
#include <cstring>
#include <new>

#include "image_object.h"

using qd::image::truncToInt;

struct QDColorTable {
    int32_t count = 0;
    uint32_t colors[256] = {};
};

void QDImage::setPalette(PMHANDLE palettes) {
    if (isRgb()) return;
    const int32_t n = paletteColors();
    const uint32_t* source = header.Palette;
    if (palettes) {
        char name[sizeof header.PaletteName + 1] = {};
        std::memcpy(name, header.PaletteName, sizeof header.PaletteName);
        const int32_t kind = n == 2 ? PAL_2 : n == 16 ? PAL_16 : PAL_256;
        const QDPALETTE* pal = PMFindPal(palettes, name);
        if (pal && pal->colorFlag == kind && pal->colors) source = pal->colors;
    }
    const double f = std::exp(header.Contrast / 20.0);
    const double b = header.Brightness;
    const double m = (n - 1) / 2.0;
    const double step = n == 256 ? 1.92 : n == 16 ? 0.12 : 0.02;
    for (int32_t i = 0; i < n; ++i) {
        const double d = (i - m + b * step) * f + m;
        const int32_t index = d <= -0.5 ? 0 : d >= n - 1.5 ? n - 1 : truncToInt(d + 0.5);
        const uint32_t c = source[index];
        info.bmiColors[i] = QDRGBQUAD{uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16), 0};
    }
}

uint32_t QDImage::tableColor(int32_t level) const {
    return qd::image::rgbOf(info.bmiColors[level & 255]);
}

extern "C" {

void IMSetPalette(IMHANDLE im, PMHANDLE palettes) noexcept { im->setPalette(palettes); }

void IMSetBasicPalette(IMHANDLE im, const uint32_t* colors) noexcept {
    if (colors)
        std::memcpy(im->header.Palette, colors, sizeof(uint32_t) * size_t(im->paletteColors()));
}

int32_t IMGetPaletteArray(IMHANDLE im, uint32_t* out) noexcept {
    const int32_t n = im->paletteColors();
    if (!out) return 0;
    for (int32_t i = 0; i < n; ++i) out[i] = im->tableColor(i);
    return n;
}

HPALETTE IMGetPalette(IMHANDLE im) noexcept {
    if (im->isRgb()) return nullptr;
    QDColorTable* pal = new (std::nothrow) QDColorTable;
    if (!pal) return nullptr;
    pal->count = IMGetPaletteArray(im, pal->colors);
    return pal;
}

void IMDeletePalette(HPALETTE pal) noexcept { delete pal; }

int32_t IMGetPaletteSize(HPALETTE pal) noexcept { return pal ? pal->count : 0; }

uint32_t IMGetPaletteEntry(HPALETTE pal, int32_t i) noexcept {
    return pal && i >= 0 && i < pal->count ? pal->colors[i] : 0;
}

int32_t IMGetNumPaletteColors(IMHANDLE im) noexcept { return im->paletteColors(); }

} // extern "C"
