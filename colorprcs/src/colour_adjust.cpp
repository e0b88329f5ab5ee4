#include <qd/colorprcs.h>
#include <qd/prcs.h>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "colour_model.h"
#include "image_results.h"
#include "sector_lanes.h"

namespace qd::colour {
namespace {

float clamp01(double v) { return float(std::clamp(v, 0.0, 1.0)); }

// Remembers recent conversions: photographs repeat colours a great deal and
// a conversion costs two cosines.
class ConversionMemo {
  public:
    ConversionMemo() { std::fill(std::begin(keys_), std::end(keys_), kEmpty); }
    template <class Convert> uint32_t get(uint32_t rgb, Convert convert) {
        const uint32_t slot = (rgb * 2654435761u) >> (32 - kBits);
        if (keys_[slot] != rgb) {
            keys_[slot] = rgb;
            values_[slot] = convert(rgb);
        }
        return values_[slot];
    }

  private:
    static constexpr int kBits = 12;
    static constexpr uint32_t kEmpty = 0xFFFFFFFFu; // never a 0x00RRGGBB colour
    uint32_t keys_[1 << kBits];
    uint32_t values_[1 << kBits];
};

// Changes of saturation and intensity only: the hue's cosines come from a
// table, which is what the conversion would compute, and the hue itself is
// never looked up (the change is given hue 0 and leaves it). Such a change
// comes twice: for one pixel (Hsi&), for palettes, and for four lanes
// (S, I, Limits), for the pixels of true-colour images.
enum class Hue { Kept, Changed };

// keepHueRow built for processors with 256-bit vectors; neither build fuses
// multiply and add, so both round alike.
template <class Lanes>
__attribute__((target("avx2"))) void keepHueRowAvx2(const uint32_t* src, uint32_t* row, int32_t width,
                                                    const Lanes& lanes) {
    keepHueRow(src, row, width, lanes);
}

template <class Lanes>
void keepHueRowPortable(const uint32_t* src, uint32_t* row, int32_t width, const Lanes& lanes) {
    keepHueRow(src, row, width, lanes);
}

struct NoLanes {};

template <Hue hue, class Change, class Lanes>
IMHANDLE adjustPixels(MTHANDLE data, Change change, const Lanes& lanes) noexcept {
    const int32_t width = MTGetWidth(data);
    const int32_t height = MTGetHeight(data);
    MTHANDLE out = MTCreate(width, height, MT_RGB);
    if (!out) return nullptr;
    const HsiTables& tables = hsiTables();
    int32_t x0 = 0, y0 = 0;
    MTGetWindowOrigin(data, &x0, &y0);
    auto* const* rows = reinterpret_cast<const uint32_t* const*>(MTGetMatrixPointer(data));
    if constexpr (hue == Hue::Kept) {
        static const bool avx2 = __builtin_cpu_supports("avx2");
        for (int32_t y = 0; y < height; ++y) {
            const uint32_t* src = rows[y0 + y] + x0;
            uint32_t* row = rowOf<uint32_t>(out, y);
            if (avx2)
                keepHueRowAvx2(src, row, width, lanes);
            else
                keepHueRowPortable(src, row, width, lanes);
        }
    } else {
        auto convert = [&](uint32_t rgb) {
            Hsi c = toHsi(rgb, tables);
            change(c);
            return toRgb(c);
        };
        ConversionMemo memo;
        for (int32_t y = 0; y < height; ++y) {
            const uint32_t* src = rows[y0 + y] + x0;
            uint32_t* row = rowOf<uint32_t>(out, y);
            for (int32_t x = 0; x < width; ++x) row[x] = memo.get(src[x] & 0xFFFFFFu, convert);
        }
    }
    return adoptMatrix(out);
}

// The pixel values stay; what is shown changes through the palette.
template <class Change>
IMHANDLE adjustPalette(IMHANDLE img, MTHANDLE data, Change change) noexcept {
    IMHANDLE im = adoptMatrix(Duplicate2D(data, nullptr));
    if (!im) return nullptr;
    uint32_t palette[256] = {};
    const int32_t n = std::min(IMGetPaletteArray(img, palette), 256);
    for (int32_t k = 0; k < n; ++k) {
        Hsi c = toHsi(palette[k] & 0xFFFFFFu);
        change(c);
        palette[k] = toRgb(c);
    }
    IMSetBasicPalette(im, palette);
    // The range alone would show log or equalised sources on another scale.
    IMSetDisplayType(im, IMGetDisplayType(img));
    IMSetInitialValue(im, IMGetInitialValue(img));
    IMSetFinalValue(im, IMGetFinalValue(img));
    return im;
}

template <Hue hue, class Change, class Lanes = NoLanes>
IMHANDLE adjustImage(IMHANDLE img, IMHANDLE old, Change change, const Lanes& lanes = {}) noexcept {
    if (!img) return nullptr;
    MTHANDLE data = IMGetDataHandle(img);
    IMHANDLE result = MTGetFlags(data) == MT_RGB ? adjustPixels<hue>(data, change, lanes)
                                                 : adjustPalette(img, data, change);
    return finish(result, old);
}

// Hue wrapped into 0..2 pi. Within the dialog's range one step suffices;
// the remainder keeps larger factors in range as well.
float wrapHue(double h) {
    const double full = kTwoPi;
    if (h > full) return float(std::fmod(h, full));
    if (h < 0.0) return float(std::fmod(h, full) + full);
    return float(h);
}

} // namespace
} // namespace qd::colour

using namespace qd::colour;

// The lanes' changes are inlined into the row loops; the ABI of 32-byte
// vectors between functions never comes into it. (GCC warns at the end of
// the file, so the warning stays off to the end.)
#pragma GCC diagnostic ignored "-Wpsabi"

extern "C" {

IMHANDLE AdjustHSI(IMHANDLE img, int32_t hue, int32_t sat, int32_t inten, IMHANDLE old) noexcept {
    const double hueFactor = 1.0 + hue / 100.0;
    const double satFactor = 1.0 + sat / 100.0;
    const double intenFactor = 1.0 + inten / 100.0;
    auto change = [=](Hsi& c) {
        c.i = clamp01(intenFactor * c.i);
        c.s = clamp01(satFactor * c.s);
        c.h = wrapHue(hueFactor * c.h);
    };
    // A factor of one leaves every hue of 0..2 pi exactly as it is.
    if (hue != 0) return adjustImage<Hue::Changed>(img, old, change);
    auto lanes = [=](Floats4& s, Floats4& i, const Limits& lim) __attribute__((always_inline)) {
        i = clamp01Lanes(intenFactor * widen(i), lim);
        s = clamp01Lanes(satFactor * widen(s), lim);
    };
    return adjustImage<Hue::Kept>(img, old, change, lanes);
}

IMHANDLE ChangeBrightnessAndContrast(IMHANDLE img, int32_t brightness, int32_t contrast,
                                     IMHANDLE old) noexcept {
    const double b = brightness / 100.0;
    const double k = contrast / 50.0 + 1.0;
    auto change = [=](Hsi& c) { c.i = clamp01((c.i + b - 0.5) * k + 0.5); };
    auto lanes = [=](Floats4&, Floats4& i, const Limits& lim) __attribute__((always_inline)) {
        i = clamp01Lanes((widen(i) + b - 0.5) * k + 0.5, lim);
    };
    return adjustImage<Hue::Kept>(img, old, change, lanes);
}

} // extern "C"
