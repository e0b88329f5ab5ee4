// Reading values straight from a matrix's data block, and the rules that turn
// values into display levels. The readers give exactly what the matrix's
// element access gives, so the fast loops match element-by-element rendering.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include <qd/image.h>

namespace qd::image {

template <class T> inline T loadAt(const uint8_t* row, int64_t i) {
    T v;
    std::memcpy(&v, row + i * int64_t(sizeof(T)), sizeof(T));
    return v;
}

struct BitReader {
    static constexpr bool complex = false;
    static double re(const uint8_t* row, int64_t x) { return (row[x >> 3] >> (7 - (x & 7))) & 1; }
    static double im(const uint8_t*, int64_t) { return 0; }
};

struct NibbleReader {
    static constexpr bool complex = false;
    static double re(const uint8_t* row, int64_t x) {
        return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    }
    static double im(const uint8_t*, int64_t) { return 0; }
};

template <class T> struct ScalarReader {
    using value_type = T;
    static constexpr bool complex = false;
    static double re(const uint8_t* row, int64_t x) { return double(loadAt<T>(row, x)); }
    static double im(const uint8_t*, int64_t) { return 0; }
};

template <class T> struct ComplexReader {
    static constexpr bool complex = true;
    static double re(const uint8_t* row, int64_t x) { return double(loadAt<T>(row, 2 * x)); }
    static double im(const uint8_t* row, int64_t x) { return double(loadAt<T>(row, 2 * x + 1)); }
};

// Integers of one or two bytes: few enough values to work on a table of
// every possible value instead of on every pixel.
template <class R> constexpr bool hasValueTable() {
    if constexpr (requires { typename R::value_type; })
        return sizeof(typename R::value_type) <= 2 && std::is_integral_v<typename R::value_type>;
    else return false;
}

// Calls f with the reader of a non-RGB type code.
template <class F> auto withReader(int32_t type, F&& f) {
    switch (type) {
    case MT_BINARY: return f(BitReader{});
    case MT_4BITS: return f(NibbleReader{});
    case MT_CHAR: return f(ScalarReader<int8_t>{});
    case MT_UCHAR: return f(ScalarReader<uint8_t>{});
    case MT_SHORT: return f(ScalarReader<int16_t>{});
    case MT_USHORT: return f(ScalarReader<uint16_t>{});
    case MT_LONG: return f(ScalarReader<int32_t>{});
    case MT_ULONG: return f(ScalarReader<uint32_t>{});
    case MT_DOUBLE: return f(ScalarReader<double>{});
    case MT_COMPLEX8: return f(ComplexReader<float>{});
    case MT_COMPLEX16: return f(ComplexReader<double>{});
    default: return f(ScalarReader<float>{});
    }
}

inline double modulus(double re, double im) { return std::sqrt(re * re + im * im); }

// The value a display type shows; types without a rendering of their own
// show the real value.
inline double displayValue(int32_t displayType, double re, double im) {
    switch (displayType) {
    case IM_MODULUS_LINEAR: return modulus(re, im);
    case IM_IMAGINARY_LINEAR: return im;
    case IM_REAL_LOG: return std::log(std::fabs(re) + 1.0);
    case IM_MODULUS_LOG: return std::log(modulus(re, im) + 1.0);
    case IM_IMAGINARY_LOG: return std::log(std::fabs(im) + 1.0);
    default: return re;
    }
}

// The value the default range scans for a display type (logarithms are
// taken of the extremes afterwards).
inline double rangeValue(int32_t displayType, double re, double im) {
    switch (displayType) {
    case IM_MODULUS_LINEAR:
    case IM_MODULUS_LOG: return modulus(re, im);
    case IM_IMAGINARY_LINEAR: return im;
    case IM_REAL_LOG: return std::fabs(re);
    case IM_IMAGINARY_LOG: return std::fabs(im);
    case IM_REAL_POWER_LOG: return re * re;
    case IM_MODULUS_POWER_LOG: return re * re + im * im;
    case IM_IMAGINARY_POWER_LOG: return im * im;
    default: return re;
    }
}

// Level 0..255 of a scaled value t: 0 below 0.5, 255 from 254.5, else
// trunc(t + 0.5). NaN gives 0. Branch-free so that the loops vectorise: for t
// below 254.5 the sum t + 0.5 stays below 255 (sums near 255 are exact), so the
// minimum decides exactly where the comparison t >= 254.5 would.
inline uint8_t level256(double t) {
    const double high = std::min(t + 0.5, 255.0);
    return uint8_t(int32_t(t >= 0.5 ? high : 0.0));
}

// Level 0..n-1 for 2 and 16 colours: 0 below 0.5, n - 1 from `top`.
inline int32_t levelN(double t, int32_t n, double top) {
    if (!(t >= 0.5)) return 0;
    if (t >= top) return n - 1;
    return int32_t(t + 0.5);
}

} // namespace qd::image

namespace qd::image {

template <int32_t D> using DisplayTag = std::integral_constant<int32_t, D>;

// Calls f with the display type as a compile-time constant, so that the
// per-pixel loops carry no switch. Types without a rule of their own run as
// real values; `withPowerTypes` keeps the three types only the default range
// knows.
template <class F> auto withDisplayType(int32_t displayType, bool withPowerTypes, F&& f) {
    switch (displayType) {
    case IM_MODULUS_LINEAR: return f(DisplayTag<IM_MODULUS_LINEAR>{});
    case IM_IMAGINARY_LINEAR: return f(DisplayTag<IM_IMAGINARY_LINEAR>{});
    case IM_REAL_LOG: return f(DisplayTag<IM_REAL_LOG>{});
    case IM_MODULUS_LOG: return f(DisplayTag<IM_MODULUS_LOG>{});
    case IM_IMAGINARY_LOG: return f(DisplayTag<IM_IMAGINARY_LOG>{});
    default: break;
    }
    if (withPowerTypes) {
        switch (displayType) {
        case IM_REAL_POWER_LOG: return f(DisplayTag<IM_REAL_POWER_LOG>{});
        case IM_MODULUS_POWER_LOG: return f(DisplayTag<IM_MODULUS_POWER_LOG>{});
        case IM_IMAGINARY_POWER_LOG: return f(DisplayTag<IM_IMAGINARY_POWER_LOG>{});
        default: break;
        }
    }
    return f(DisplayTag<IM_REAL_LINEAR>{});
}

} // namespace qd::image
