#pragma once

// The display a sheet chooses for a command's new image, and the rule that
// applies it.

#include <qd/image.h>

namespace qd {

struct DisplayRecord {
    int sameDisplay = 1;  // take the source's display type and range
    int displayType = 0;  // otherwise this display type...
    int defaultRange = 1; // ...with the default range,
    double from = 0.0;    // or this one
    double to = 256.0;
};

// The same display as the source, or the record's type with the default
// range (IMDefaultRange (image, 0)) or from and to; then renders the image.
void applyDisplayRecord(IMHANDLE image, const DisplayRecord& record, IMHANDLE source);

} // namespace qd
