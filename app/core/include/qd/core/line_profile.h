#pragma once

// The values along a line of an image, as the profile window plots them.

#include <string>
#include <vector>

#include <qd/image.h>

namespace qd {

struct LineProfile {
    int channels = 1;              // 3 for RGB images: red, green, blue
    std::vector<double> distance;  // from the first point, in calibrated units (Scale)
    std::vector<double> values;    // channels per sample; Gain and Offset applied (not to RGB)
    std::string distanceUnit, valueUnit;

    int count() const { return int(distance.size()); }
    double value(int sample, int channel = 0) const { return values[size_t(sample * channels + channel)]; }
};

// One sample per pixel step from (x0, y0) to (x1, y1), image coordinates,
// both ends included: max(|dx|, |dy|) + 1 samples at the nearest pixel.
// Complex images give the modulus. Points outside the image are skipped.
LineProfile lineProfile(IMHANDLE im, int x0, int y0, int x1, int y1);

// The samples as text, a line each: distance, then the values, tab-separated.
std::vector<std::string> profileLines(const LineProfile& p);

} // namespace qd
