#pragma once

// Computations the program makes itself rather than through a library call:
// grey scale and colour channels of what an image shows, background
// subtraction and the statistics lines of the result window. The image
// commands and the command-line tool both call these, so both give the same
// results.

#include <cstdint>
#include <string>
#include <vector>

#include <qd/image.h>
#include <qd/prcs.h>

namespace qd {

enum class ColourChannel { Red, Green, Blue };

// A new image of the source's current window (its selection when selected):
// MT_4BITS for a 4-bit source, else MT_UCHAR, holding the grey of each pixel
// as shown (the palette colour of its display level; the pixel's own colour
// for RGB). Range 0 to 16 or 256, rendered. Null for a binary source or when
// memory runs out.
IMHANDLE greyScaleImage(IMHANDLE source);

// The same for one channel of the colour shown; the palette is named
// "Red (256)", "Green (16)" and so on, looked up in palettes (may be null).
IMHANDLE channelImage(IMHANDLE source, ColourChannel channel, PMHANDLE palettes);

// An MT_RGB matrix of the source's current window holding the colour each
// pixel shows (the palette colour of its display level). Null for an RGB
// source, which has nothing to add, or when memory runs out.
MTHANDLE shownColourMatrix(IMHANDLE source);

// Subtracts the background that count erosions (or dilations) with the
// kernel leave: source - eroded as MT_FLOAT, or dilated - source in the
// source's type, over the source's current window. Null when count is below
// 1, the morphology refuses the source or memory runs out.
MTHANDLE backgroundSubtract(MTHANDLE source, int32_t count, bool dilation,
                            const MMKERNEL& kernel);

// Binary matrices of the whole image's size: 1 where the display level
// (the rendered bitmap's value) is at least the maximum-entropy threshold of
// the display histogram, or lies within lower to upper. Null for RGB images
// (they have no display levels) or when memory runs out.
MTHANDLE autoThreshold(IMHANDLE source);
MTHANDLE manualThreshold(IMHANDLE source, int32_t lower, int32_t upper);

// Labelled objects of a binary matrix and their measurements.
struct ObjectTable {
    int32_t count = 0;
    MTHANDLE labels = nullptr; // owned by the caller; null when count < 1
    std::vector<ObjectPropertyRecord> objects;
};

// FindObjects and ObjectProperty with the same connectivity and border
// choices. A count below 1 (no object, or a source that is not binary)
// leaves no label matrix.
ObjectTable identifyObjects(MTHANDLE binary, bool eight, bool dropBorder);

// The label image shown for an object table: takes over labels; range 0 to
// 256, palette "Separate (256)" from palettes (may be null), and each
// object's number written at the first of its pixels met scanning from the
// last row down and left to right. Null (labels destroyed) when out of
// memory.
IMHANDLE labelImage(MTHANDLE labels, int32_t count, PMHANDLE palettes);

// "The number of identified objects is N."
std::string objectCountLine(int32_t count);

// The result-window lines of an object table: count, header, one row per
// object (angle in degrees) and the totals.
std::vector<std::string> objectTableLines(const std::vector<ObjectPropertyRecord>& objects);

inline constexpr double kDegreesPerRadian = 57.29577951308;
inline constexpr const char* kNoObjectMessage = "No Object !";

// Standard deviation from a variance that rounding may have left slightly
// below zero: never nan.
double standardDeviation(double variance);

// Result-window lines of the statistics commands. Integer matrices print
// their minimum and maximum as whole numbers.
std::string sumLine(double sum);
std::string meanLine(double mean, double variance);
std::string minMaxLine(double min, double max, bool integer);
// The three lines of Analysis "All": sum, mean and minimum/maximum.
std::vector<std::string> statisticsLines(const StatisticsRecord& stats, bool integer);

// A value printed as a whole number: truncated toward zero, NaN as 0, and
// saturated far beyond the 32-bit range so that unsigned maxima print as
// they are.
long long wholeNumber(double value);

} // namespace qd
