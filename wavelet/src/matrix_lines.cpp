#include "matrix_lines.h"

#include <cstddef>
#include <cstdint>

namespace qd::wavelet {
namespace {

template <typename T>
const T* rowAt(MTHANDLE m, int y) {
    return static_cast<const T*>(MTGetMatrixPointer(m)[y]);
}

// Offset of element i of line b of block g in a buffer of blocks.
inline std::ptrdiff_t slot(int g, int len, int lanes, int i, int b) {
    return (static_cast<std::ptrdiff_t>(g) * len + i) * lanes + b;
}

// Stride 2 reads the real part of a complex element.
template <typename T, int Stride>
void loadRowsRaw(MTHANDLE m, int first, int lanes, int groups, int len, double* buf) {
    for (int g = 0; g < groups; ++g)
        for (int b = 0; b < lanes; ++b) {
            const T* row = rowAt<T>(m, first + g * lanes + b);
            double* dst = buf + slot(g, len, lanes, 0, b);
            for (int x = 0; x < len; ++x)
                dst[static_cast<std::ptrdiff_t>(x) * lanes] = static_cast<double>(row[x * Stride]);
        }
}

template <typename T, int Stride>
void loadColumnsRaw(MTHANDLE m, int first, int lanes, int groups, int len, double* buf) {
    for (int y = 0; y < len; ++y) {
        const T* row = rowAt<T>(m, y) + static_cast<std::ptrdiff_t>(first) * Stride;
        for (int g = 0; g < groups; ++g) {
            double* dst = buf + slot(g, len, lanes, y, 0);
            const T* src = row + static_cast<std::ptrdiff_t>(g) * lanes * Stride;
            for (int b = 0; b < lanes; ++b) dst[b] = static_cast<double>(src[b * Stride]);
        }
    }
}

// Narrowing to float is exactly what MTSetReal does on an MT_FLOAT matrix.
void storeRowsFloat(MTHANDLE m, int first, int lanes, int groups, int len, const double* buf) {
    void** rows = MTGetMatrixPointer(m);
    for (int g = 0; g < groups; ++g)
        for (int b = 0; b < lanes; ++b) {
            float* row = static_cast<float*>(rows[first + g * lanes + b]);
            const double* src = buf + slot(g, len, lanes, 0, b);
            for (int x = 0; x < len; ++x)
                row[x] = static_cast<float>(src[static_cast<std::ptrdiff_t>(x) * lanes]);
        }
}

void storeColumnsFloat(MTHANDLE m, int first, int lanes, int groups, int len,
                       const double* buf) {
    void** rows = MTGetMatrixPointer(m);
    for (int y = 0; y < len; ++y) {
        float* row = static_cast<float*>(rows[y]) + first;
        for (int g = 0; g < groups; ++g) {
            const double* src = buf + slot(g, len, lanes, y, 0);
            float* dst = row + g * lanes;
            for (int b = 0; b < lanes; ++b) dst[b] = static_cast<float>(src[b]);
        }
    }
}

void loadRowsByElement(MTHANDLE m, int first, int lanes, int groups, int len, double* buf) {
    for (int g = 0; g < groups; ++g)
        for (int b = 0; b < lanes; ++b)
            for (int x = 0; x < len; ++x)
                buf[slot(g, len, lanes, x, b)] = MTReal(m, x, first + g * lanes + b);
}

void loadColumnsByElement(MTHANDLE m, int first, int lanes, int groups, int len, double* buf) {
    for (int g = 0; g < groups; ++g)
        for (int y = 0; y < len; ++y)
            for (int b = 0; b < lanes; ++b)
                buf[slot(g, len, lanes, y, b)] = MTReal(m, first + g * lanes + b, y);
}

void storeRowsByElement(MTHANDLE m, int first, int lanes, int groups, int len,
                        const double* buf) {
    for (int g = 0; g < groups; ++g)
        for (int b = 0; b < lanes; ++b)
            for (int x = 0; x < len; ++x)
                MTSetReal(m, x, first + g * lanes + b, buf[slot(g, len, lanes, x, b)]);
}

void storeColumnsByElement(MTHANDLE m, int first, int lanes, int groups, int len,
                           const double* buf) {
    for (int g = 0; g < groups; ++g)
        for (int y = 0; y < len; ++y)
            for (int b = 0; b < lanes; ++b)
                MTSetReal(m, first + g * lanes + b, y, buf[slot(g, len, lanes, y, b)]);
}

template <typename T, int Stride = 1>
LineIo rawLoads() {
    return {loadRowsRaw<T, Stride>, loadColumnsRaw<T, Stride>, storeRowsByElement,
            storeColumnsByElement};
}

}  // namespace

LineIo lineIoFor(MTHANDLE m) noexcept {
    const LineIo byElement = {loadRowsByElement, loadColumnsByElement, storeRowsByElement,
                              storeColumnsByElement};
    // The row table ignores the window, so raw access needs the whole matrix.
    if (MTGetWidth(m) != MTGetMaxXIndex(m) || MTGetHeight(m) != MTGetMaxYIndex(m) ||
        MTGetMatrixPointer(m) == nullptr)
        return byElement;
    switch (MTGetFlags(m)) {
        case MT_CHAR: return rawLoads<int8_t>();
        case MT_UCHAR: return rawLoads<uint8_t>();
        case MT_SHORT: return rawLoads<int16_t>();
        case MT_USHORT: return rawLoads<uint16_t>();
        case MT_LONG: return rawLoads<int32_t>();
        case MT_ULONG: return rawLoads<uint32_t>();
        case MT_FLOAT:
            return {loadRowsRaw<float, 1>, loadColumnsRaw<float, 1>, storeRowsFloat,
                    storeColumnsFloat};
        case MT_DOUBLE: return rawLoads<double>();
        case MT_COMPLEX8: return rawLoads<float, 2>();
        case MT_COMPLEX16: return rawLoads<double, 2>();
        default: return byElement;  // packed bits and nibbles, RGB
    }
}

}  // namespace qd::wavelet
