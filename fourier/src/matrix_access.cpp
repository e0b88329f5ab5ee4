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

constexpr int kGroup = 8;
constexpr int32_t kTile = 64;

// Real parts: element x of row l at rows[l][parts * x]. By tiles of
// elements, row after row: rows a power of two apart share cache sets, and
// the tile's lines of re stay cached until every row has filled its part.
template <class T, int parts>
void readRealLanes(const void* const* rows, int lanes, int32_t w, double* re, int stride) {
    for (int32_t x0 = 0; x0 < w; x0 += kTile) {
        const int32_t x1 = w - x0 < kTile ? w : x0 + kTile;
        for (int l = 0; l < lanes; ++l) {
            const T* p = static_cast<const T*>(rows[l]);
            for (int32_t x = x0; x < x1; ++x)
                re[x * stride + l] = static_cast<double>(p[parts * x]);
        }
    }
}

// How a stored row of a type is read, and the bytes of one element.
struct Format {
    void (*fn)(const void* row, int32_t w, double* re, double* im, int stride);
    void (*lanes)(const void* const* rows, int lanes, int32_t w, double* re, int stride);
    size_t size;
};

template <class T> Format realFormat() { return {readReal<T>, readRealLanes<T, 1>, sizeof(T)}; }
template <class T> Format complexFormat() {
    return {readComplex<T>, readRealLanes<T, 2>, 2 * sizeof(T)};
}

Format formatOf(int32_t type) {
    switch (type) {
    case MT_CHAR: return realFormat<int8_t>();
    case MT_UCHAR: return realFormat<uint8_t>();
    case MT_SHORT: return realFormat<int16_t>();
    case MT_USHORT: return realFormat<uint16_t>();
    case MT_LONG: return realFormat<int32_t>();
    case MT_ULONG: return realFormat<uint32_t>();
    case MT_FLOAT: return realFormat<float>();
    case MT_DOUBLE: return realFormat<double>();
    case MT_COMPLEX8: return complexFormat<float>();
    case MT_COMPLEX16: return complexFormat<double>();
    default: return {nullptr, nullptr, 0};
    }
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
    const Format f = formatOf(MTGetFlags(m));
    if (!f.fn) return; // bit-packed and RGB types go through the accessors
    fn_ = f.fn;
    lanesFn_ = f.lanes;
    rows_ = MTGetMatrixPointer(m);
    // Window row y is stored row y0 + y, from element x0 on.
    int32_t x0 = 0;
    MTGetWindowOrigin(m, &x0, &y0_);
    offset_ = static_cast<size_t>(x0) * f.size;
}

void RowReader::read(int32_t y, double* re, double* im, int stride) const noexcept {
    if (fn_) {
        fn_(static_cast<const char*>(rows_[y0_ + y]) + offset_, width_, re, im, stride);
        return;
    }
    for (int32_t x = 0; x < width_; ++x)
        re[x * stride] = MTReal(m_, x, y);
    if (im)
        for (int32_t x = 0; x < width_; ++x)
            im[x * stride] = MTImag(m_, x, y);
}

void RowReader::readRealLanes(const int32_t* ys, int lanes, double* re, int stride) const noexcept {
    if (!lanesFn_) {
        for (int l = 0; l < lanes; ++l)
            read(ys[l], re + l, nullptr, stride);
        return;
    }
    for (int first = 0; first < lanes; first += kGroup) {
        const void* rows[kGroup];
        const int count = lanes - first < kGroup ? lanes - first : kGroup;
        for (int l = 0; l < count; ++l)
            rows[l] = static_cast<const char*>(rows_[y0_ + ys[first + l]]) + offset_;
        lanesFn_(rows, count, width_, re + first, stride);
    }
}

} // namespace qd::fourier
