// The first directory of a TIFF file as the reader uses it: which matrix
// holds its values, how its samples lie, and how the image is shown.
#pragma once

#include <cstdint>
#include <string>

#include <tiffio.h>

#include "filter_image.h"

namespace qd::filters::tiff {

struct TiffLayout {
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t bits = 0;         // per sample
    uint16_t samples = 1;      // per pixel
    bool separatePlanes = false;
    bool tiled = false;
    uint32_t tileWidth = 0;    // tiles
    uint32_t tileLength = 0;
    uint32_t rowsPerStrip = 0; // strips
    int32_t type = 0;          // matrix element type
    int channels = 1;          // samples kept per pixel: 3 for RGB, else 1
    Look look;
    double scale = 1.0;        // calibration from the resolution tags
    std::string unit;
};

// Fills the layout from the current directory; false for a layout the
// reader does not take or sizes the file cannot hold.
bool readLayout(TIFF* tif, int64_t fileBytes, TiffLayout& layout);

// The pixel size and unit that resolution tags give, and back: resolution
// unit (RESUNIT_...) and pixels per unit for a scale and unit text. A unit
// without a length gives RESUNIT_NONE.
void calibrationFromResolution(double pixelsPerUnit, uint16_t resolutionUnit, double& scale,
                               std::string& unit);
void resolutionFromCalibration(double scale, const std::string& unit, double& pixelsPerUnit,
                               uint16_t& resolutionUnit);

} // namespace qd::filters::tiff
