// The changes the program makes to an image in place: mirrors, axis
// exchange, negative, byte swap and the palette. qdcli makes them on a copy
// and writes the copy.
#include <qd/grpobj.h>

#include "op_helpers.h"

namespace qdcli {
namespace {

// The image with its header (display, palette, units) and a copy of its data.
IMHANDLE copyOf(IMHANDLE im) {
    IMHANDLE copy = IMCreateFromHeader(IMGetHeaderPointer(im));
    if (!copy) return nullptr;
    if (!Duplicate2D(IMGetDataHandle(im), IMGetDataHandle(copy))) {
        IMDestroy(copy);
        return nullptr;
    }
    return copy;
}

Product changed(IMHANDLE im, void (*fn)(IMHANDLE) noexcept) {
    IMHANDLE copy = copyOf(im);
    if (!copy) return refusedProduct("out of memory");
    fn(copy);
    return Product(copy);
}

// refusal: why fn would leave the image as it is, or null when it always acts.
Operation inPlace(const char* name, const char* summary, void (*fn)(IMHANDLE) noexcept,
                  const char* (*refusal)(MTHANDLE) = nullptr) {
    return {.name = name,
            .summary = summary,
            .wholeImage = true,
            .display = Display::Own,
            .prepare = [fn, refusal, name](const Call& call) -> Run {
                if (refusal && refusal(call.matrix())) throw UsageError(std::string(name) + refusal(call.matrix()));
                IMHANDLE im = call.image();
                return [im, fn] { return changed(im, fn); };
            }};
}

} // namespace

void addImageOperations(OperationTable& table) {
    table.push_back(inPlace("xmirror", "Mirrors the image top to bottom, as Transform, X mirror does.", IMXMirror));
    table.push_back(inPlace("ymirror", "Mirrors the image left to right, as Transform, Y mirror does.", IMYMirror));
    table.push_back(inPlace("exchangeaxes", "Exchanges the axes of a square image.", IMExchangeAxes,
                            [](MTHANDLE m) { return MTGetWidth(m) == MTGetHeight(m) ? nullptr : " needs a square image"; }));
    table.push_back(inPlace("negative", "Negates every element, with the default range after.", IMInverse));
    table.push_back(inPlace("byteswap", "Swaps the bytes of every element, with the default range after.", IMSwapBytes,
                            [](MTHANDLE m) { return MTGetFlags(m) > 15 ? nullptr : " needs elements of two bytes or more"; }));
    table.push_back({.name = "palette",
                     .summary = "Shows the image through another palette of the program's list.",
                     .options = "--palette NAME",
                     .wholeImage = true,
                     .display = Display::Own,
                     .prepare = [](const Call& call) -> Run {
                         IMHANDLE im = call.image();
                         const std::string name = call.options.text("palette");
                         PMHANDLE palettes = call.settings.palettes();
                         if (name.size() > 127 || !PMFindPal(palettes, name.c_str()))
                             throw UsageError("no palette named \"" + name + "\"");
                         if (MTGetFlags(call.matrix()) == MT_RGB) throw UsageError("an RGB image has no palette");
                         return [im, name, palettes] {
                             IMHANDLE copy = copyOf(im);
                             if (!copy) return refusedProduct("out of memory");
                             IMChangePaletteName(copy, name.c_str());
                             IMSetPalette(copy, palettes);
                             return Product(copy);
                         };
                     }});
}

} // namespace qdcli
