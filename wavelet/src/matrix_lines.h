// Moving rows and columns between a matrix window and interleaved line buffers.
#pragma once

#include <qd/memobj.h>

namespace qd::wavelet {

// Each function moves `lanes` consecutive lines of length len starting at
// line `first`, element i of line b living at buf[i * lanes + b].
using LineMove = void (*)(MTHANDLE m, int first, int lanes, int len, double* buf);
using ConstLineMove = void (*)(MTHANDLE m, int first, int lanes, int len, const double* buf);

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
