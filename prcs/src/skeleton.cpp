// Two-sub-pass parallel thinning. Only object pixels with a background
// neighbour can ever be deleted, so each sub-pass visits those alone, in the
// column-by-column order of a full scan.
#include "binary_plane.h"

#include <algorithm>
#include <array>
#include <new>

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
            for (int32_t x = 1; x < w_ - 1; ++x)
                if (at(x, y) && code(x, y) != 255) list(x, y, candidates_);
        std::sort(candidates_.begin(), candidates_.end());
        for (;;) {
            subPass(first);
            if (subPass(second) == 0) break;
        }
    }

private:
    uint8_t& at(int32_t x, int32_t y) { return p_[size_t(y) * size_t(w_) + size_t(x)]; }
    int32_t code(int32_t x, int32_t y) {
        return at(x, y + 1) | at(x + 1, y + 1) << 1 | at(x + 1, y) << 2 | at(x + 1, y - 1) << 3 |
               at(x, y - 1) << 4 | at(x - 1, y - 1) << 5 | at(x - 1, y) << 6 | at(x - 1, y + 1) << 7;
    }
    // Candidates are ordered by column, then row.
    uint64_t key(int32_t x, int32_t y) const { return uint64_t(x) * uint64_t(h_) + uint64_t(y); }
    void list(int32_t x, int32_t y, std::vector<uint64_t>& to) {
        listed_[size_t(y) * size_t(w_) + size_t(x)] = 1;
        to.push_back(key(x, y));
    }

    // Decides on the image as it stood at the start, then deletes; returns
    // the number deleted.
    size_t subPass(const DeleteTable& table) {
        deletions_.clear();
        size_t i = 0;
        for (int32_t x = 1; x < w_ - 1; ++x) {
            for (; i < candidates_.size() && int32_t(candidates_[i] / uint64_t(h_)) == x; ++i) {
                const auto y = int32_t(candidates_[i] % uint64_t(h_));
                if (table[size_t(code(x, y))]) deletions_.push_back(candidates_[i]);
            }
            ProcessMessage();
        }
        if (deletions_.empty()) return 0;
        for (uint64_t k : deletions_) at(int32_t(k / uint64_t(h_)), int32_t(k % uint64_t(h_))) = 0;
        // Neighbours of deleted pixels may now have a background neighbour.
        added_.clear();
        for (uint64_t k : deletions_) {
            const auto x = int32_t(k / uint64_t(h_)), y = int32_t(k % uint64_t(h_));
            for (int32_t dy = -1; dy <= 1; ++dy)
                for (int32_t dx = -1; dx <= 1; ++dx) {
                    const int32_t nx = x + dx, ny = y + dy;
                    if (nx < 1 || nx > w_ - 2 || ny < 1 || ny > h_ - 2) continue;
                    if (at(nx, ny) && !listed_[size_t(ny) * size_t(w_) + size_t(nx)])
                        list(nx, ny, added_);
                }
        }
        std::sort(added_.begin(), added_.end());
        auto deleted = [&](uint64_t k) { return at(int32_t(k / uint64_t(h_)), int32_t(k % uint64_t(h_))) == 0; };
        candidates_.erase(std::remove_if(candidates_.begin(), candidates_.end(), deleted),
                          candidates_.end());
        merged_.resize(candidates_.size() + added_.size());
        std::merge(candidates_.begin(), candidates_.end(), added_.begin(), added_.end(), merged_.begin());
        candidates_.swap(merged_);
        return deletions_.size();
    }

    std::vector<uint8_t>& p_;
    const int32_t w_, h_;
    std::vector<uint8_t> listed_;
    std::vector<uint64_t> candidates_, deletions_, added_, merged_;
};

} // namespace

extern "C" MTHANDLE Skeletonize(MTHANDLE src, MTHANDLE dst) noexcept {
    if (!isBinary(src)) return refuse(dst, {src});
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    MTHANDLE out = resultMatrix(w, h, MT_BINARY, dst, {src});
    if (!out) return nullptr;
    try {
        std::vector<uint8_t> plane = readBinaryPlane(src);
        // The outermost rows and columns never keep a pixel.
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                if (x == 0 || y == 0 || x == w - 1 || y == h - 1) plane[size_t(y) * size_t(w) + size_t(x)] = 0;
        if (w > 2 && h > 2) Thinning(plane, w, h).run();
        writeBinaryPlane(out, plane.data());
    } catch (const std::bad_alloc&) {
        return out == src ? nullptr : refuse(out);
    }
    return out;
}
