// The default display range and the value histogram of the current window.
#include <algorithm>
#include <cmath>
#include <array>
#include <memory>
#include <new>

#include "image_object.h"
#include "pixel_reader.h"

using namespace qd::image;

namespace {

struct MinMax {
    double min = 1e307;
    double max = -1e307;
    void add(double v) {
        if (v < min) min = v;
        if (v > max) max = v;
    }
};

template <class R, int32_t D>
void scanRange(const uint8_t* data, int64_t stride, int32_t w, int32_t h, bool quick,
               MinMax& mm) {
    auto at = [&](int32_t x, int32_t y) {
        const uint8_t* row = data + y * stride;
        return rangeValue(D, R::re(row, x), R::im(row, x));
    };
    if (quick) {
        for (int32_t x = 0; x < w; ++x) mm.add(at(x, h / 2));
        for (int32_t y = 0; y < h; ++y) mm.add(at(w / 2, y));
        return;
    }
    if constexpr (hasValueTable<R>()) {
        // Mark the values that occur, then scan the marks: the extremes of
        // integers do not depend on the order they are met in.
        using T = typename R::value_type;
        using U = std::make_unsigned_t<T>;
        std::array<uint8_t, size_t(1) << (8 * sizeof(T))> seen{};
        for (int32_t y = 0; y < h; ++y) {
            const uint8_t* row = data + y * stride;
            for (int32_t x = 0; x < w; ++x) seen[U(loadAt<T>(row, x))] = 1;
            ProcessMessage();
        }
        for (size_t i = 0; i < seen.size(); ++i)
            if (seen[i]) mm.add(rangeValue(D, double(T(U(i))), 0.0));
    } else {
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) mm.add(at(x, y));
            ProcessMessage();
        }
    }
}

bool isLogType(int32_t t) {
    switch (t) {
    case IM_REAL_LOG:
    case IM_MODULUS_LOG:
    case IM_IMAGINARY_LOG:
    case IM_REAL_POWER_LOG:
    case IM_MODULUS_POWER_LOG:
    case IM_IMAGINARY_POWER_LOG: return true;
    default: return false;
    }
}

} // namespace

void QDImage::defaultRange(bool quick) {
    if (isRgb() || !data) return;
    const auto* block = static_cast<const uint8_t*>(MTGetPointer(data));
    const int64_t stride = MTGetRowBytes(header.DataType, header.Width);
    MinMax mm;
    withReader(header.DataType, [&](auto rd) {
        withDisplayType(header.DisplayType, true, [&](auto d) {
            scanRange<decltype(rd), decltype(d)::value>(block, stride, header.Width,
                                                        header.Height, quick, mm);
        });
    });
    if (isLogType(header.DisplayType)) {
        mm.max = std::log(mm.max + 1);
        mm.min = std::log(mm.min + 1);
    }
    // Each extreme value lies at the centre of the first or last level.
    const double half = (mm.max - mm.min) / paletteColors() / 2;
    header.InitialValue = mm.min - half;
    header.FinalValue = mm.max + half;
}

extern "C" {

void IMDefaultRange(IMHANDLE im, int32_t quick) noexcept { im->defaultRange(quick != 0); }

void IMHistogram(IMHANDLE im, ARHANDLE ar, double min, double max, int32_t count) noexcept {
    if (!ar || count <= 0) return;
    // Bins beyond the caller's array do not exist: their values saturate
    // into its last element, as values beyond the last bin do.
    const int32_t bins = std::min(count, ARGetWidth(ar));
    for (int32_t k = 0; k < bins; ++k) ARSetReal(ar, k, 0.0);
    const double w = (max - min) / count;
    if (std::fabs(w) < 1e-13 || im->isRgb() || bins <= 0) return;
    MTHANDLE mt = im->data;
    const int32_t cols = MTGetWidth(mt);
    const int32_t rows = MTGetHeight(mt);
    std::unique_ptr<uint64_t[]> counts(new (std::nothrow) uint64_t[size_t(bins)]());
    if (!counts) return;
    for (int32_t x = 0; x < cols; ++x) {
        for (int32_t y = 0; y < rows; ++y) {
            const int32_t k = truncToInt(std::floor((MTReal(mt, x, y) - min) / w));
            ++counts[size_t(k < 0 ? 0 : k >= bins ? bins - 1 : k)];
        }
        ProcessMessage();
    }
    for (int32_t k = 0; k < bins; ++k) ARSetReal(ar, k, double(counts[size_t(k)]));
}

} // extern "C"
