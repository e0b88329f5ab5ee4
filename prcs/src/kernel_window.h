// The neighbourhood of a morphology kernel with edge replication, shared by
// the kernel median, erosion and dilation.
#pragma once

#include "prcs_rules.h"

#include <vector>

namespace qd::prcs {

// For every pixel, columns outer: acc.reset(), then acc.add(v) for each
// offset in list order, then the pixel gets acc.result(). Neighbours beyond
// the edge take the edge pixel's value. The clamped column of every offset is
// worked out once per column.
template <class In, class Out, class Acc>
void forEachKernelWindow(const In& in, const Out& out, int32_t w, int32_t h,
                         const std::vector<Offset>& offsets, Acc& acc) {
    const size_t n = offsets.size();
    std::vector<int32_t> cols(n);
    for (int32_t x = 0; x < w; ++x) {
        for (size_t i = 0; i < n; ++i) cols[i] = clampIndex(x + offsets[i].dx, w);
        for (int32_t y = 0; y < h; ++y) {
            acc.reset();
            for (size_t i = 0; i < n; ++i) acc.add(in.get(cols[i], clampIndex(y + offsets[i].dy, h)));
            out.set(x, y, acc.result());
        }
        ProcessMessage();
    }
}

} // namespace qd::prcs
