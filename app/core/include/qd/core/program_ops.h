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

// Subtracts the background that count erosions (or dilations) with the
// kernel leave: source - eroded as MT_FLOAT, or dilated - source in the
// source's type, over the source's current window. Null when count is below
// 1, the morphology refuses the source or memory runs out.
MTHANDLE backgroundSubtract(MTHANDLE source, int32_t count, bool dilation,
                            const MMKERNEL& kernel);

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
