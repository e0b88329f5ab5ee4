#include "binary_plane.h"

#include <algorithm>
#include <cstring>

namespace qd::prcs {

void unpackBits(const uint8_t* row, int64_t first, int32_t w, uint8_t* out) noexcept {
    auto bit = [row](int64_t i) { return uint8_t((row[i >> 3] >> (7 - (i & 7))) & 1); };
    int32_t x = 0;
    // Up to the next byte boundary, then whole bytes, then the rest.
    for (; x < w && ((first + x) & 7) != 0; ++x) out[x] = bit(first + x);
    for (const uint8_t* b = row + ((first + x) >> 3); x + 8 <= w; x += 8, ++b) {
        uint8_t* o = out + x;
        if (*b == 0) std::memset(o, 0, 8);
        else if (*b == 0xFF) std::memset(o, 1, 8);
        else
            for (int32_t i = 0; i < 8; ++i) o[i] = (*b >> (7 - i)) & 1;
    }
    for (; x < w; ++x) out[x] = bit(first + x);
}

namespace {

// The 64 elements from bit position `bit` of a stored binary row, the first
// in the top bit; bytes from `valid` on are not read and count as 0.
uint64_t bitsAt(const uint8_t* row, int64_t bit, int64_t valid) {
    const int64_t at = bit >> 3;
    const int shift = int(bit & 7);
    uint64_t hi = 0, next = 0;
    if (at + 9 <= valid) {
        std::memcpy(&hi, row + at, 8);
        hi = __builtin_bswap64(hi);
        next = row[at + 8];
    } else {
        for (int64_t b = 0; b < 8; ++b) hi |= uint64_t(at + b < valid ? row[at + b] : 0) << (56 - 8 * b);
        next = at + 8 < valid ? row[at + 8] : 0;
    }
    return shift ? hi << shift | next >> (8 - shift) : hi;
}

// Runs of set elements first .. first + w - 1 of a stored binary row, with
// value 1, found a word of 64 elements at a time.
void appendBitRuns(const uint8_t* row, int64_t first, int32_t w, std::vector<Run>& runs) {
    const int64_t valid = (first + w + 7) >> 3;
    int32_t start = -1;
    for (int32_t base = 0; base < w; base += 64) {
        uint64_t word = bitsAt(row, first + base, valid);
        const int32_t n = std::min(64, w - base);
        if (n < 64) word &= ~uint64_t(0) << (64 - n);
        if (word == (start < 0 ? 0 : ~uint64_t(0))) continue;
        for (int32_t pos = 0; pos < 64;) {
            // Bits from pos on that would end the current state.
            const uint64_t rest = (start < 0 ? word : ~word) << pos;
            if (rest == 0) break;
            pos += __builtin_clzll(rest);
            if (start < 0) {
                start = base + pos;
            } else {
                runs.push_back({start, base + pos, 1, 0});
                start = -1;
            }
        }
    }
    if (start >= 0) runs.push_back({start, w, 1, 0});
}

} // namespace

void extractBinaryRuns(MTHANDLE m, RunImage& out) {
    const int32_t w = MTGetWidth(m);
    const WindowRows<const uint8_t> rows = rowsOf<const uint8_t>(m);
    collectRuns(w, MTGetHeight(m), out,
                [&](int32_t y, std::vector<Run>& runs) { appendBitRuns(rows.storedRow(y), rows.x0, w, runs); });
}

std::vector<uint8_t> readBinaryPlane(MTHANDLE m) {
    const int32_t w = MTGetWidth(m), h = MTGetHeight(m);
    std::vector<uint8_t> plane(size_t(w) * size_t(h));
    const WindowRows<const uint8_t> rows = rowsOf<const uint8_t>(m);
    for (int32_t y = 0; y < h; ++y) unpackBits(rows.storedRow(y), rows.x0, w, plane.data() + int64_t(y) * w);
    return plane;
}

void writeBinaryPlane(MTHANDLE m, const uint8_t* plane, const uint8_t* mask) noexcept {
    const int32_t w = MTGetWidth(m), h = MTGetHeight(m);
    if (wholeWindow(m)) {
        auto rows = reinterpret_cast<uint8_t* const*>(MTGetMatrixPointer(m));
        for (int32_t y = 0; y < h; ++y) {
            uint8_t* row = rows[y];
            const uint8_t* in = plane + int64_t(y) * w;
            const uint8_t* keep = mask ? mask + int64_t(y) * w : nullptr;
            for (int32_t b = 0; b < (w + 7) / 8; ++b) {
                if (!keep && 8 * b + 8 <= w) {
                    const uint8_t* o = in + 8 * b;
                    row[b] = uint8_t(o[0] << 7 | o[1] << 6 | o[2] << 5 | o[3] << 4 | o[4] << 3 |
                                     o[5] << 2 | o[6] << 1 | o[7]);
                    continue;
                }
                uint8_t bits = 0, written = 0;
                for (int32_t i = 0; i < 8; ++i) {
                    const int32_t x = b * 8 + i;
                    if (x >= w || (keep && !keep[x])) continue;
                    written |= uint8_t(0x80u >> i);
                    if (in[x]) bits |= uint8_t(0x80u >> i);
                }
                row[b] = uint8_t((row[b] & ~written) | bits);
            }
        }
        return;
    }
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            if (!mask || mask[i]) MTSetRealInt(m, x, y, plane[i] ? 1 : 0);
        }
}

} // namespace qd::prcs
