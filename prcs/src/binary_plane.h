// Binary images as one byte per pixel, and the outline of labelled runs that
// labelling, measurement and the centroid diagrams share.
#pragma once

#include "prcs_rules.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>
#include <vector>

namespace qd::prcs {

inline bool isBinary(MTHANDLE m) noexcept { return m && MTGetFlags(m) == MT_BINARY; }

// Elements first .. first + w - 1 of a stored binary row (packed from the
// high bit of its first byte) as bytes 0 or 1.
void unpackBits(const uint8_t* row, int64_t first, int32_t w, uint8_t* out) noexcept;

// The window of a binary matrix, 1 for every non-zero element; row y of the
// window starts at y * width. Throws std::bad_alloc.
std::vector<uint8_t> readBinaryPlane(MTHANDLE m);

// Stores the plane into the window of a binary matrix of the same size. With
// a mask, the elements where the mask is 0 are left as they are.
void writeBinaryPlane(MTHANDLE m, const uint8_t* plane, const uint8_t* mask = nullptr) noexcept;

// The frame of an operation from a binary image to a binary image of the
// same size: refusal, the destination rule, and the planes. f turns the
// source plane into the result plane in place and returns a mask of the
// elements to write (empty: all).
template <class F> MTHANDLE binaryToBinary(MTHANDLE src, MTHANDLE dst, F f) noexcept {
    if (!isBinary(src)) return refuse(dst, {src});
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    MTHANDLE out = resultMatrix(w, h, MT_BINARY, dst, {src});
    if (!out) return nullptr;
    try {
        std::vector<uint8_t> plane = readBinaryPlane(src);
        const std::vector<uint8_t> mask = f(plane, w, h);
        writeBinaryPlane(out, plane.data(), mask.empty() ? nullptr : mask.data());
    } catch (const std::bad_alloc&) {
        return out == src ? nullptr : refuse(out);
    }
    return out;
}

// Runs of equal non-zero values in one row, x1 exclusive.
struct Run {
    int32_t x0;
    int32_t x1;
    int32_t value;
    uint32_t label;
};

struct RunImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<Run> runs;          // row by row, left to right
    std::vector<size_t> rowStart;   // height + 1 offsets into runs
};

// Appends the runs of one row. Throws std::bad_alloc.
template <class T> void appendRowRuns(const T* row, int32_t w, std::vector<Run>& runs) {
    for (int32_t x = 0; x < w;) {
        const T v = row[x];
        if (v == 0) {
            // Background is most of an image: skipped a word at a time.
            if constexpr (std::is_integral_v<T> && sizeof(T) <= 4) {
                constexpr int32_t kWord = int32_t(8 / sizeof(T));
                uint64_t word;
                while (x + kWord <= w && (std::memcpy(&word, row + x, 8), word == 0)) x += kWord;
                if (x < w && row[x] != 0) continue;
            }
            ++x;
            continue;
        }
        const int32_t x0 = x;
        while (x < w && row[x] == v) ++x;
        runs.push_back({x0, x, int32_t(v), 0});
    }
}

// Fills out row by row with append(y, runs). Throws std::bad_alloc.
template <class Append> void collectRuns(int32_t w, int32_t h, RunImage& out, Append append) {
    out.width = w;
    out.height = h;
    out.runs.clear();
    out.rowStart.assign(size_t(h) + 1, 0);
    for (int32_t y = 0; y < h; ++y) {
        out.rowStart[size_t(y)] = out.runs.size();
        append(y, out.runs);
    }
    out.rowStart[size_t(h)] = out.runs.size();
}

// Throws std::bad_alloc.
template <class T> void extractRuns(const T* plane, int32_t w, int32_t h, RunImage& out) {
    collectRuns(w, h, out, [&](int32_t y, std::vector<Run>& runs) { appendRowRuns(plane + int64_t(y) * w, w, runs); });
}

// The runs of the window of a binary matrix, read from its bits: those that
// extractRuns gives for its plane. Throws std::bad_alloc.
void extractBinaryRuns(MTHANDLE m, RunImage& out);

enum class Numbering {
    VisitingOrder, // row 0, then column 0, then the rest row by row
    RasterOrder    // row by row
};

// Gives every run the number of its connected set (runs join when they have
// the same value and touch across rows: sharing a column, or with eight also
// diagonally). Sets touching the outermost rows or columns get 0 when
// dropBorder is set. Sets are numbered 1 .. n by the position of their first
// pixel in the given order; returns n. The provisional table grows as
// needed. Throws std::bad_alloc.
uint32_t labelRuns(RunImage& image, bool eight, bool dropBorder, Numbering order);

} // namespace qd::prcs
