// What every shipped reader shares: the size checks made before anything is
// allocated, the matrix rows in picture order, and the finished image.
#pragma once

#include <cstdint>
#include <memory>

#include <qd/image.h>

namespace qd::filters {

// Largest data block a file may make us allocate, as for the built-in readers.
inline constexpr int64_t kMaxImageBytes = int64_t(16) << 30;

// Bytes in the file, or -1 when it cannot be opened.
int64_t fileSize(const char* path);

// Whether a width x height matrix of type may be made for a file of
// fileBytes whose pixels decode to decodedBytes: the matrix stays under the
// cap, and no codec turns one file byte into more than maxRatio bytes.
bool plausibleSize(int64_t width, int64_t height, int32_t type, int64_t decodedBytes,
                   int64_t fileBytes, int64_t maxRatio);

struct MatrixDeleter {
    void operator()(QDMatrix* m) const { MTDestroy(m); }
};
using MatrixPtr = std::unique_ptr<QDMatrix, MatrixDeleter>;

// Files store the top line first; image row 0 is shown at the bottom.
inline uint8_t* pictureRow(MTHANDLE mt, int64_t fileRow) {
    return static_cast<uint8_t*>(MTGetMatrixPointer(mt)[MTGetMaxYIndex(mt) - 1 - fileRow]);
}

// How a new image is shown.
struct Look {
    // The range 0 .. finalValue of display levels; 0 takes the default range
    // of the values.
    double finalValue = 0;
    bool hasPalette = false;
    uint32_t palette[256] = {}; // 0x00RRGGBB; the first 2, 16 or 256 used
};

// The range that shows each value of an n-level image at its own level
// (0 .. 2, 16 or 256).
double levelsRange(int32_t type);

// A grey ramp of n colours from white to black.
void invertedGrey(Look& look, int colours);

// Wraps the matrix, sets palette and range, renders. Null (matrix freed)
// when out of memory.
IMHANDLE finishImage(MatrixPtr matrix, const Look& look);

} // namespace qd::filters
