// Whole-row operations shared by matrices and arrays.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>

#include "element.h"
#include "type_codes.h"

namespace qd::mem {

// Reverses the bytes of each of `components` components of `size` bytes.
inline void swapComponents(uint8_t* p, int64_t components, int size) {
    if (size < 2) return;
    for (int64_t i = 0; i < components; ++i, p += size) std::reverse(p, p + size);
}

// Replaces each of the n elements of a row by its negative, type by type.
template <class E> void invertRow(uint8_t* row, int64_t n) {
    if constexpr (E::code == MT_RGB) {
        for (int64_t x = 0; x < n; ++x) E::setRgb(row, x, ~E::rgb(row, x) & 0x00FFFFFFu);
    } else if constexpr (E::code < 1024) {
        const double mx = codeMaxLimit(E::code);
        for (int64_t x = 0; x < n; ++x) E::setReal(row, x, mx - E::real(row, x));
    } else {
        using T = typename E::value_type;
        const int64_t comps = (E::code >= MT_COMPLEX8 ? 2 : 1) * n;
        for (int64_t i = 0; i < comps; ++i) store<T>(row, i, T(-load<T>(row, i)));
    }
}

// Exchanges real and imaginary parts of the n elements of a complex row.
template <class T> void exchangeRow(uint8_t* row, int64_t n) {
    for (int64_t x = 0; x < n; ++x) {
        T re = load<T>(row, 2 * x), im = load<T>(row, 2 * x + 1);
        store<T>(row, 2 * x, im);
        store<T>(row, 2 * x + 1, re);
    }
}

// True when the code is complex and the row was exchanged.
inline bool exchangeRowByCode(int32_t code, uint8_t* row, int64_t n) {
    if (code == MT_COMPLEX8) exchangeRow<float>(row, n);
    else if (code == MT_COMPLEX16) exchangeRow<double>(row, n);
    else return false;
    return true;
}

} // namespace qd::mem
