#include "matrix_access.h"

namespace qd::fourier {
namespace {

bool coversStorage(MTHANDLE m, int32_t w, int32_t h) {
    return MTGetWidth(m) == w && MTGetHeight(m) == h && MTGetMaxXIndex(m) == w &&
           MTGetMaxYIndex(m) == h;
}

template <class T> void readReal(const void* row, int32_t w, double* re, double* im, int stride) {
    const T* p = static_cast<const T*>(row);
    for (int32_t x = 0; x < w; ++x)
        re[x * stride] = static_cast<double>(p[x]);
    if (im)
        for (int32_t x = 0; x < w; ++x)
            im[x * stride] = 0.0;
}

template <class T>
void readComplex(const void* row, int32_t w, double* re, double* im, int stride) {
    const T* p = static_cast<const T*>(row);
    for (int32_t x = 0; x < w; ++x)
        re[x * stride] = static_cast<double>(p[2 * x]);
    if (im)
        for (int32_t x = 0; x < w; ++x)
            im[x * stride] = static_cast<double>(p[2 * x + 1]);
}

} // namespace

MTHANDLE fitComplexMatrix(MTHANDLE in, MTHANDLE out, int32_t w, int32_t h) noexcept {
    if (out && MTGetFlags(out) == MT_COMPLEX8 && coversStorage(out, w, h)) return out;
    if (out && out != in) MTDestroy(out);
    return MTCreate(w, h, MT_COMPLEX8);
}

ARHANDLE fitComplexArray(ARHANDLE in, ARHANDLE out, int32_t n) noexcept {
    if (out && ARGetFlags(out) == MT_COMPLEX8 && ARGetWidth(out) == n && ARGetMaxIndex(out) == n)
        return out;
    if (out && out != in) ARDestroy(out);
    return ARCreate(n, MT_COMPLEX8);
}

RowReader::RowReader(MTHANDLE m) noexcept : m_(m), width_(MTGetWidth(m)) {
    // Storage is only read directly when the window is the whole matrix: the
    // window's origin is not published.
    if (!coversStorage(m, width_, MTGetHeight(m))) return;
    switch (MTGetFlags(m)) {
    case MT_CHAR:
        fn_ = readReal<int8_t>;
        break;
    case MT_UCHAR:
        fn_ = readReal<uint8_t>;
        break;
    case MT_SHORT:
        fn_ = readReal<int16_t>;
        break;
    case MT_USHORT:
        fn_ = readReal<uint16_t>;
        break;
    case MT_LONG:
        fn_ = readReal<int32_t>;
        break;
    case MT_ULONG:
        fn_ = readReal<uint32_t>;
        break;
    case MT_FLOAT:
        fn_ = readReal<float>;
        break;
    case MT_DOUBLE:
        fn_ = readReal<double>;
        break;
    case MT_COMPLEX8:
        fn_ = readComplex<float>;
        break;
    case MT_COMPLEX16:
        fn_ = readComplex<double>;
        break;
    default:
        return; // bit-packed and RGB types go through the accessors
    }
    rows_ = MTGetMatrixPointer(m);
}

void RowReader::read(int32_t y, double* re, double* im, int stride) const noexcept {
    if (fn_) {
        fn_(rows_[y], width_, re, im, stride);
        return;
    }
    for (int32_t x = 0; x < width_; ++x)
        re[x * stride] = MTReal(m_, x, y);
    if (im)
        for (int32_t x = 0; x < width_; ++x)
            im[x * stride] = MTImag(m_, x, y);
}

} // namespace qd::fourier
