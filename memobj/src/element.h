// Per-type element access inside one row: reading by value, rounding and
// saturating stores. Matrices and arrays share these rules.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include <qd/types.h>

namespace qd::mem {

// Double to a 32-bit integer, truncated toward zero; NaN gives 0 and values
// beyond the range saturate (a plain cast is undefined there).
inline int32_t truncToInt32(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(v);
}

// Signed store: half away from zero between the two decision points.
template <class T>
inline T roundSigned(double v, double lowPoint, double highPoint, T lo, T hi) {
    if (!(v == v)) return 0;
    if (v < lowPoint) return lo;
    if (v >= highPoint) return hi;
    return static_cast<T>(v >= 0 ? std::trunc(v + 0.5) : std::trunc(v - 0.5));
}

// Unsigned store: half up above 0.5.
template <class T>
inline T roundUnsigned(double v, double highPoint, T hi) {
    if (!(v == v) || v < 0.5) return 0;
    if (v >= highPoint) return hi;
    return static_cast<T>(std::trunc(v + 0.5));
}

template <class T> inline T load(const uint8_t* row, int64_t x) {
    T v;
    std::memcpy(&v, row + x * int64_t(sizeof(T)), sizeof(T));
    return v;
}
template <class T> inline void store(uint8_t* row, int64_t x, T v) {
    std::memcpy(row + x * int64_t(sizeof(T)), &v, sizeof(T));
}

// Base: the neutral behaviour of every value slot.
struct NeutralElem {
    static double real(const uint8_t*, int64_t) { return 0; }
    static double imag(const uint8_t*, int64_t) { return 0; }
    static int32_t realInt(const uint8_t*, int64_t) { return 0; }
    static int32_t imagInt(const uint8_t*, int64_t) { return 0; }
    static uint32_t rgb(const uint8_t*, int64_t) { return 0; }
    static void setReal(uint8_t*, int64_t, double) {}
    static void setImag(uint8_t*, int64_t, double) {}
    static void setRgb(uint8_t*, int64_t, uint32_t) {}
    static void setRealInt(uint8_t*, int64_t, int32_t) {}
    static void setImagInt(uint8_t*, int64_t, int32_t) {}
};

struct BinaryElem : NeutralElem {
    static constexpr int32_t code = MT_BINARY;
    static int32_t bit(const uint8_t* row, int64_t x) { return (row[x >> 3] >> (7 - (x & 7))) & 1; }
    static void put(uint8_t* row, int64_t x, bool on) {
        const uint8_t mask = uint8_t(0x80u >> (x & 7));
        if (on) row[x >> 3] |= mask;
        else row[x >> 3] &= uint8_t(~mask);
    }
    static double real(const uint8_t* r, int64_t x) { return bit(r, x); }
    static int32_t realInt(const uint8_t* r, int64_t x) { return bit(r, x); }
    static void setReal(uint8_t* r, int64_t x, double v) { put(r, x, v >= 0.5); }
    static void setRealInt(uint8_t* r, int64_t x, int32_t v) { put(r, x, v > 0); }
};

struct NibbleElem : NeutralElem {
    static constexpr int32_t code = MT_4BITS;
    static int32_t nib(const uint8_t* row, int64_t x) {
        const uint8_t b = row[x >> 1];
        return (x & 1) ? (b & 0x0F) : (b >> 4);
    }
    static void put(uint8_t* row, int64_t x, int32_t v) {
        uint8_t& b = row[x >> 1];
        if (x & 1) b = uint8_t((b & 0xF0) | v);
        else b = uint8_t((b & 0x0F) | (v << 4));
    }
    static double real(const uint8_t* r, int64_t x) { return nib(r, x); }
    static int32_t realInt(const uint8_t* r, int64_t x) { return nib(r, x); }
    static void setReal(uint8_t* r, int64_t x, double v) {
        if (!(v == v) || v < 0.5) put(r, x, 0);
        else if (v > 15) put(r, x, 15);
        else put(r, x, int32_t(std::trunc(v + 0.5)));
    }
    static void setRealInt(uint8_t* r, int64_t x, int32_t v) {
        put(r, x, v < 0 ? 0 : v > 15 ? 15 : v);
    }
};

// 8-, 16- and 32-bit integers.
template <class T, int32_t Code> struct IntElem : NeutralElem {
    using value_type = T;
    static constexpr int32_t code = Code;
    static constexpr bool isSigned = T(-1) < T(0);
    static double real(const uint8_t* r, int64_t x) { return double(load<T>(r, x)); }
    static int32_t realInt(const uint8_t* r, int64_t x) { return int32_t(load<T>(r, x)); }
    static T fromDouble(double v);
    static void setReal(uint8_t* r, int64_t x, double v) { store<T>(r, x, fromDouble(v)); }
    static void setRealInt(uint8_t* r, int64_t x, int32_t v) {
        if constexpr (sizeof(T) == 4) {
            store<T>(r, x, isSigned ? T(v) : T(v < 0 ? 0 : v));
        } else {
            constexpr int64_t lo = isSigned ? -(int64_t(1) << (8 * sizeof(T) - 1)) : 0;
            constexpr int64_t hi = isSigned ? (int64_t(1) << (8 * sizeof(T) - 1)) - 1
                                            : (int64_t(1) << (8 * sizeof(T))) - 1;
            store<T>(r, x, T(v < lo ? lo : v > hi ? hi : v));
        }
    }
};

template <> inline int8_t IntElem<int8_t, MT_CHAR>::fromDouble(double v) {
    return roundSigned<int8_t>(v, -127.5, 126.5, -128, 127);
}
template <> inline uint8_t IntElem<uint8_t, MT_UCHAR>::fromDouble(double v) {
    return roundUnsigned<uint8_t>(v, 254.5, 255);
}
template <> inline int16_t IntElem<int16_t, MT_SHORT>::fromDouble(double v) {
    return roundSigned<int16_t>(v, -32767.5, 32766.5, -32768, 32767);
}
template <> inline uint16_t IntElem<uint16_t, MT_USHORT>::fromDouble(double v) {
    return roundUnsigned<uint16_t>(v, 65534.5, 65535);
}
template <> inline int32_t IntElem<int32_t, MT_LONG>::fromDouble(double v) {
    return roundSigned<int32_t>(v, -2147483647.5, 2147483646.5, INT32_MIN, INT32_MAX);
}
template <> inline uint32_t IntElem<uint32_t, MT_ULONG>::fromDouble(double v) {
    return roundUnsigned<uint32_t>(v, 4294967294.5, 4294967295u);
}

template <class T, int32_t Code> struct RealElem : NeutralElem {
    using value_type = T;
    static constexpr int32_t code = Code;
    static double real(const uint8_t* r, int64_t x) { return double(load<T>(r, x)); }
    static int32_t realInt(const uint8_t* r, int64_t x) { return truncToInt32(load<T>(r, x)); }
    static void setReal(uint8_t* r, int64_t x, double v) { store<T>(r, x, T(v)); }
    static void setRealInt(uint8_t* r, int64_t x, int32_t v) { store<T>(r, x, T(v)); }
};

// Real part at component 2x, imaginary part at 2x + 1.
template <class T, int32_t Code> struct ComplexElem : NeutralElem {
    using value_type = T;
    static constexpr int32_t code = Code;
    static double real(const uint8_t* r, int64_t x) { return double(load<T>(r, 2 * x)); }
    static double imag(const uint8_t* r, int64_t x) { return double(load<T>(r, 2 * x + 1)); }
    static int32_t realInt(const uint8_t* r, int64_t x) { return truncToInt32(load<T>(r, 2 * x)); }
    static int32_t imagInt(const uint8_t* r, int64_t x) {
        return truncToInt32(load<T>(r, 2 * x + 1));
    }
    static void setReal(uint8_t* r, int64_t x, double v) { store<T>(r, 2 * x, T(v)); }
    static void setImag(uint8_t* r, int64_t x, double v) { store<T>(r, 2 * x + 1, T(v)); }
    static void setRealInt(uint8_t* r, int64_t x, int32_t v) { store<T>(r, 2 * x, T(v)); }
    static void setImagInt(uint8_t* r, int64_t x, int32_t v) { store<T>(r, 2 * x + 1, T(v)); }
};

struct RgbElem : NeutralElem {
    static constexpr int32_t code = MT_RGB;
    static uint32_t rgb(const uint8_t* r, int64_t x) { return load<uint32_t>(r, x); }
    static void setRgb(uint8_t* r, int64_t x, uint32_t v) { store<uint32_t>(r, x, v); }
};

using CharElem = IntElem<int8_t, MT_CHAR>;
using UCharElem = IntElem<uint8_t, MT_UCHAR>;
using ShortElem = IntElem<int16_t, MT_SHORT>;
using UShortElem = IntElem<uint16_t, MT_USHORT>;
using LongElem = IntElem<int32_t, MT_LONG>;
using ULongElem = IntElem<uint32_t, MT_ULONG>;
using FloatElem = RealElem<float, MT_FLOAT>;
using DoubleElem = RealElem<double, MT_DOUBLE>;
using Complex8Elem = ComplexElem<float, MT_COMPLEX8>;
using Complex16Elem = ComplexElem<double, MT_COMPLEX16>;

// Calls f with a value of the element type of a creatable code.
template <class F> decltype(auto) withElem(int32_t code, F&& f) {
    switch (code) {
    case MT_BINARY: return f(BinaryElem{});
    case MT_4BITS: return f(NibbleElem{});
    case MT_CHAR: return f(CharElem{});
    case MT_UCHAR: return f(UCharElem{});
    case MT_SHORT: return f(ShortElem{});
    case MT_USHORT: return f(UShortElem{});
    case MT_LONG: return f(LongElem{});
    case MT_ULONG: return f(ULongElem{});
    case MT_DOUBLE: return f(DoubleElem{});
    case MT_COMPLEX8: return f(Complex8Elem{});
    case MT_COMPLEX16: return f(Complex16Elem{});
    case MT_RGB: return f(RgbElem{});
    default: return f(FloatElem{});
    }
}

} // namespace qd::mem
