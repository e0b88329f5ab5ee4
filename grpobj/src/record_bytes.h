#pragma once

#include <cstdint>
#include <limits>

namespace qd::grp {

// Coordinates are computed in 64 bits and saturated, so extreme values from a
// file or a caller never overflow.
inline int32_t sat32(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// Records and files are little-endian whatever the host.
inline void put32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

inline void put32(uint8_t* p, int32_t v) { put32(p, static_cast<uint32_t>(v)); }

inline uint32_t get32u(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline int32_t get32(const uint8_t* p) { return static_cast<int32_t>(get32u(p)); }

} // namespace qd::grp
