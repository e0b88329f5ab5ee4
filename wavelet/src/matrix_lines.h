// Moving rows and columns between a matrix window and interleaved line buffers.
#pragma once

#include <qd/memobj.h>

namespace qd::wavelet {

// Each function moves `groups` blocks of `lanes` consecutive lines of length
// len, starting at line `first`. Block g holds lines first + g * lanes
// onwards at buf + g * len * lanes, element i of its line b at i * lanes + b.
// Moving several blocks of columns in one sweep over the rows uses whole
// cache lines of the matrix.
using LineMove = void (*)(MTHANDLE m, int first, int lanes, int groups, int len, double* buf);
using ConstLineMove = void (*)(MTHANDLE m, int first, int lanes, int groups, int len,
                               const double* buf);

struct LineIo {
    LineMove loadRows;
    LineMove loadColumns;
    ConstLineMove storeRows;
    ConstLineMove storeColumns;
};

// Direct access to the data block when the window is the whole matrix and the
// element type is byte-addressed; element access (MTReal / MTSetReal)
// otherwise. Both give the same values.
LineIo lineIoFor(MTHANDLE m) noexcept;

}  // namespace qd::wavelet
