// Two-sub-pass parallel thinning. Only object pixels with a background
// neighbour can ever be deleted, so each sub-pass visits those alone.
#include "binary_plane.h"

#include <algorithm>
#include <array>

using namespace qd::prcs;

namespace {

using DeleteTable = std::array<uint8_t, 256>;

// Bit i of the index is neighbour k_i: k0 (x, y+1), then clockwise from
// (x+1, y+1) round to k7 (x-1, y+1).
DeleteTable makeTable(bool second) {
    DeleteTable t{};
    for (int32_t code = 0; code < 256; ++code) {
        int32_t k[8];
        int32_t b = 0;
        for (int32_t i = 0; i < 8; ++i) b += k[i] = (code >> i) & 1;
        int32_t a = 0;
        for (int32_t i = 0; i < 8; ++i) a += k[i] == 0 && k[(i + 1) % 8] == 1;
        const bool shape = second ? (k[0] * k[2] * k[6] == 0 && k[0] * k[4] * k[6] == 0)
                                  : (k[0] * k[2] * k[4] == 0 && k[2] * k[4] * k[6] == 0);
        t[size_t(code)] = b >= 2 && b <= 6 && a == 1 && shape;
    }
    return t;
}

class Thinning {
public:
    Thinning(std::vector<uint8_t>& plane, int32_t w, int32_t h) : p_(plane), w_(w), h_(h) {}

    void run() {
        static const DeleteTable first = makeTable(false), second = makeTable(true);
        listed_.assign(p_.size(), 0);
        for (int32_t y = 1; y < h_ - 1; ++y)
            for (int32_t x = 1; x < w_ - 1; ++x) {
                const size_t i = index(x, y);
                if (p_[i] && code(i) != 255) list(i, candidates_);
            }
        for (;;) {
            subPass(first);
            if (subPass(second) == 0) break;
        }
    }

private:
    size_t index(int32_t x, int32_t y) const { return size_t(y) * size_t(w_) + size_t(x); }
    int32_t code(size_t i) const {
        const uint8_t* c = p_.data() + i;
        const uint8_t *up = c - w_, *down = c + w_;
        return down[0] | down[1] << 1 | c[1] << 2 | up[1] << 3 | up[0] << 4 | up[-1] << 5 | c[-1] << 6 |
               down[-1] << 7;
    }
    static size_t* end(std::vector<size_t>& v) { return v.data() + v.size(); }
    void list(size_t i, std::vector<size_t>& to) {
        listed_[i] = 1;
        to.push_back(i);
    }

    // Decides on the image as it stood at the start, then deletes; returns
    // the number deleted. The decisions do not depend on the order, so the
    // candidates are visited in memory order, pumping once per row.
    size_t subPass(const DeleteTable& table) {
        deletions_.clear();
        size_t c = 0;
        for (int32_t y = 1; y < h_ - 1; ++y) {
            const size_t rowEnd = index(0, y + 1);
            for (; c < candidates_.size() && candidates_[c] < rowEnd; ++c)
                if (table[size_t(code(candidates_[c]))]) deletions_.push_back(candidates_[c]);
            ProcessMessage();
        }
        if (deletions_.empty()) return 0;
        for (size_t i : deletions_) p_[i] = 0;
        // Neighbours of deleted pixels may now have a background neighbour.
        added_.clear();
        for (size_t i : deletions_) {
            const auto x = int32_t(i % size_t(w_)), y = int32_t(i / size_t(w_));
            for (int32_t dy = -1; dy <= 1; ++dy)
                for (int32_t dx = -1; dx <= 1; ++dx) {
                    const int32_t nx = x + dx, ny = y + dy;
                    if (nx < 1 || nx > w_ - 2 || ny < 1 || ny > h_ - 2) continue;
                    const size_t n = index(nx, ny);
                    if (p_[n] && !listed_[n]) list(n, added_);
                }
        }
        // Plain pointers: comparing vector iterators would export a
        // standard-library symbol.
        std::sort(added_.data(), end(added_));
        candidates_.resize(size_t(std::remove_if(candidates_.data(), end(candidates_),
                                                 [&](size_t i) { return p_[i] == 0; }) -
                                  candidates_.data()));
        merged_.resize(candidates_.size() + added_.size());
        std::merge(candidates_.data(), end(candidates_), added_.data(), end(added_), merged_.data());
        candidates_.swap(merged_);
        return deletions_.size();
    }

    std::vector<uint8_t>& p_;
    const int32_t w_, h_;
    std::vector<uint8_t> listed_;
    std::vector<size_t> candidates_, deletions_, added_, merged_;
};

} // namespace

extern "C" MTHANDLE Skeletonize(MTHANDLE src, MTHANDLE dst) noexcept {
    return binaryToBinary(src, dst, [](std::vector<uint8_t>& plane, int32_t w, int32_t h) {
        // The outermost rows and columns never keep a pixel.
        for (int32_t y = 0; y < h && w > 0; ++y) {
            uint8_t* row = plane.data() + int64_t(y) * w;
            if (y == 0 || y == h - 1) std::fill(row, row + w, uint8_t(0));
            row[0] = row[w - 1] = 0;
        }
        if (w > 2 && h > 2) Thinning(plane, w, h).run();
        return std::vector<uint8_t>();
    });
}
