#pragma once

#include "graphic_list.h"

#include <string>

// The palette list: built-in palettes first, then the user's, which are read
// from and written back to the palette file. Owns its palettes.
struct QDPaletteManager : QDGraphicList {
    ~QDPaletteManager() override;

    // Built-in palettes cannot be deleted.
    int32_t deleteAt(int32_t index) override;

    QDPALETTE* palette(int32_t index) const { return static_cast<QDPALETTE*>(get(index)); }

    std::string path;
};

namespace qd::grp {

// Record size in the palette file before the colours: name and flag.
constexpr int64_t kPaletteHeadSize = 128 + 4;

// 16 for flag 1, 2 for flag 2, 256 for anything else.
int32_t paletteColorCount(int32_t flag);

// Flags other than 1 and 2 mean 256 colours; they are kept as 0.
int32_t normalisedFlag(int32_t flag);

// A malloc'ed record with its colour array (zeroed), or null.
QDPALETTE* newPalette(const char* name, int32_t flag);
void freePalette(QDPALETTE* pal);

// Appends the twenty built-in palettes; false when out of memory.
bool addBuiltinPalettes(QDPaletteManager& pm);

// The palette file in the settings directory.
std::string defaultPalettePath();

// Appends every complete record of the file; a missing file adds nothing.
void readPaletteFile(QDPaletteManager& pm, const std::string& path);

// Writes the user palettes through a temporary file renamed over the old one;
// false (old file untouched) on any failure.
bool writePaletteFile(const QDPaletteManager& pm, const std::string& path);

} // namespace qd::grp
