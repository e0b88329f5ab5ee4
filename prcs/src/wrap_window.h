// The fixed 3 x 3 neighbourhood that wraps around the image edges (the image
// is a torus), shared by the rank, median, erosion and dilation filters.
#pragma once

#include "prcs_rules.h"

namespace qd::prcs {

// Calls op(values) for every pixel, rows outer; values holds the nine window
// elements column by column (left column first, each from the row above
// down). Along a row the window slides, so only the new column is read.
template <class In, class Out, class Op>
void forEachWrapWindow(const In& in, const Out& out, int32_t w, int32_t h, Op op) {
    double cols[3][3];
    double values[9];
    for (int32_t y = 0; y < h; ++y) {
        const int32_t rows[3] = {y == 0 ? h - 1 : y - 1, y, y + 1 == h ? 0 : y + 1};
        auto readColumn = [&](double* col, int32_t x) {
            for (int32_t j = 0; j < 3; ++j) col[j] = in.get(x, rows[j]);
        };
        readColumn(cols[0], w - 1);
        readColumn(cols[1], 0);
        readColumn(cols[2], w > 1 ? 1 : 0);
        int32_t left = 0; // ring index of the window's left column
        for (int32_t x = 0; x < w; ++x) {
            if (x > 0) {
                // The old left column becomes the new right one.
                const int32_t next = x + 1 == w ? 0 : x + 1;
                readColumn(cols[left], next);
                left = left == 2 ? 0 : left + 1;
            }
            for (int32_t c = 0; c < 3; ++c)
                for (int32_t j = 0; j < 3; ++j) values[c * 3 + j] = cols[(left + c) % 3][j];
            out.set(x, y, op(values));
        }
        ProcessMessage();
    }
}

} // namespace qd::prcs
