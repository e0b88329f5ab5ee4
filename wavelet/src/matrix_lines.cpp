#include "matrix_lines.h"

#include <cstddef>
#include <cstdint>

namespace qd::wavelet {
namespace {

template <typename T>
const T* rowAt(MTHANDLE m, int y) {
    return static_cast<const T*>(MTGetMatrixPointer(m)[y]);
}

// Stride 2 reads the real part of a complex element.
template <typename T, int Stride>
void loadRowsRaw(MTHANDLE m, int first, int lanes, int len, double* buf) {
    for (int b = 0; b < lanes; ++b) {
        const T* row = rowAt<T>(m, first + b);
        for (int x = 0; x < len; ++x)
            buf[static_cast<std::ptrdiff_t>(x) * lanes + b] = static_cast<double>(row[x * Stride]);
    }
}

template <typename T, int Stride>
void loadColumnsRaw(MTHANDLE m, int first, int lanes, int len, double* buf) {
    for (int y = 0; y < len; ++y) {
        const T* row = rowAt<T>(m, y) + static_cast<std::ptrdiff_t>(first) * Stride;
        double* dst = buf + static_cast<std::ptrdiff_t>(y) * lanes;
        for (int b = 0; b < lanes; ++b) dst[b] = static_cast<double>(row[b * Stride]);
    }
}

// Narrowing to float is exactly what MTSetReal does on an MT_FLOAT matrix.
void storeRowsFloat(MTHANDLE m, int first, int lanes, int len, const double* buf) {
    void** rows = MTGetMatrixPointer(m);
    for (int b = 0; b < lanes; ++b) {
        float* row = static_cast<float*>(rows[first + b]);
        for (int x = 0; x < len; ++x)
            row[x] = static_cast<float>(buf[static_cast<std::ptrdiff_t>(x) * lanes + b]);
    }
}

void storeColumnsFloat(MTHANDLE m, int first, int lanes, int len, const double* buf) {
    void** rows = MTGetMatrixPointer(m);
    for (int y = 0; y < len; ++y) {
        float* row = static_cast<float*>(rows[y]) + first;
        const double* src = buf + static_cast<std::ptrdiff_t>(y) * lanes;
        for (int b = 0; b < lanes; ++b) row[b] = static_cast<float>(src[b]);
    }
}

void loadRowsByElement(MTHANDLE m, int first, int lanes, int len, double* buf) {
    for (int b = 0; b < lanes; ++b)
        for (int x = 0; x < len; ++x)
            buf[static_cast<std::ptrdiff_t>(x) * lanes + b] = MTReal(m, x, first + b);
}

void loadColumnsByElement(MTHANDLE m, int first, int lanes, int len, double* buf) {
    for (int y = 0; y < len; ++y)
        for (int b = 0; b < lanes; ++b)
            buf[static_cast<std::ptrdiff_t>(y) * lanes + b] = MTReal(m, first + b, y);
}

void storeRowsByElement(MTHANDLE m, int first, int lanes, int len, const double* buf) {
    for (int b = 0; b < lanes; ++b)
        for (int x = 0; x < len; ++x)
            MTSetReal(m, x, first + b, buf[static_cast<std::ptrdiff_t>(x) * lanes + b]);
}

void storeColumnsByElement(MTHANDLE m, int first, int lanes, int len, const double* buf) {
    for (int y = 0; y < len; ++y)
        for (int b = 0; b < lanes; ++b)
            MTSetReal(m, first + b, y, buf[static_cast<std::ptrdiff_t>(y) * lanes + b]);
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
