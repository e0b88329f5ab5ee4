// Labelling of connected objects: union-find over the runs of each row, with
// the smaller root winning, so that a set's root is its first run met.
#include "binary_plane.h"

#include <algorithm>
#include <new>

namespace qd::prcs {
namespace {

// Provisional labels; entry 0 is the background. The table grows with the
// image instead of having a fixed size.
class LabelTable {
public:
    explicit LabelTable(size_t expected) {
        parent_.reserve(expected + 1);
        parent_.push_back(0);
    }
    uint32_t add() {
        const auto id = uint32_t(parent_.size());
        parent_.push_back(id);
        return id;
    }
    uint32_t root(uint32_t i) {
        while (parent_[i] != i) {
            parent_[i] = parent_[parent_[i]];
            i = parent_[i];
        }
        return i;
    }
    uint32_t join(uint32_t a, uint32_t b) {
        a = root(a);
        b = root(b);
        if (a < b) parent_[b] = a;
        else if (b < a) parent_[a] = b;
        return std::min(a, b);
    }
    size_t size() const { return parent_.size(); }

private:
    std::vector<uint32_t> parent_;
};

} // namespace

uint32_t labelRuns(RunImage& image, bool eight, bool dropBorder, Numbering order) {
    std::vector<Run>& runs = image.runs;
    const int32_t w = image.width, h = image.height;
    const int32_t reach = eight ? 1 : 0;
    LabelTable table(runs.size());
    for (int32_t y = 0; y < h; ++y) {
        const size_t begin = image.rowStart[size_t(y)], end = image.rowStart[size_t(y) + 1];
        size_t above = y > 0 ? image.rowStart[size_t(y) - 1] : begin;
        const size_t aboveEnd = begin;
        for (size_t r = begin; r < end; ++r) {
            Run& run = runs[r];
            while (above < aboveEnd && runs[above].x1 + reach <= run.x0) ++above;
            uint32_t label = 0;
            for (size_t q = above; q < aboveEnd && runs[q].x0 < run.x1 + reach; ++q) {
                if (runs[q].value != run.value) continue;
                label = label ? table.join(label, runs[q].label) : table.root(runs[q].label);
            }
            run.label = label ? label : table.add();
        }
        ProcessMessage();
    }
    if (dropBorder) {
        for (Run& run : runs)
            if (run.x0 == 0 || run.x1 == w) table.join(run.label, 0);
        if (h > 0) {
            for (size_t r = image.rowStart[0]; r < image.rowStart[1]; ++r) table.join(runs[r].label, 0);
            for (size_t r = image.rowStart[size_t(h) - 1]; r < runs.size(); ++r)
                table.join(runs[r].label, 0);
        }
    }

    std::vector<uint32_t> number(table.size(), 0);
    uint32_t n = 0;
    auto meet = [&](const Run& run) {
        const uint32_t root = table.root(run.label);
        if (root != 0 && number[root] == 0) number[root] = ++n;
    };
    if (order == Numbering::VisitingOrder && h > 0) {
        for (size_t r = image.rowStart[0]; r < image.rowStart[1]; ++r) meet(runs[r]);
        for (int32_t y = 1; y < h; ++y) {
            const size_t first = image.rowStart[size_t(y)];
            if (first < image.rowStart[size_t(y) + 1] && runs[first].x0 == 0) meet(runs[first]);
        }
    }
    for (const Run& run : runs) meet(run);
    for (Run& run : runs) run.label = number[table.root(run.label)];
    return n;
}

} // namespace qd::prcs

using namespace qd::prcs;

namespace {

// Label numbers beyond the element range saturate, as a store would.
void writeLabels(MTHANDLE out, const RunImage& image) noexcept {
    const int32_t w = image.width, h = image.height;
    const bool rows = wholeWindow(out);
    auto table = reinterpret_cast<uint16_t* const*>(MTGetMatrixPointer(out));
    for (int32_t y = 0; y < h; ++y) {
        const size_t begin = image.rowStart[size_t(y)], end = image.rowStart[size_t(y) + 1];
        if (rows) {
            uint16_t* row = table[y];
            std::fill(row, row + w, uint16_t(0));
            for (size_t r = begin; r < end; ++r) {
                const Run& run = image.runs[r];
                std::fill(row + run.x0, row + run.x1, uint16_t(std::min<uint32_t>(run.label, 65535)));
            }
        } else {
            int32_t x = 0;
            for (size_t r = begin; r <= end; ++r) {
                const int32_t stop = r < end ? image.runs[r].x0 : w;
                for (; x < stop; ++x) MTSetRealInt(out, x, y, 0);
                if (r == end) break;
                const Run& run = image.runs[r];
                const auto v = int32_t(std::min<uint32_t>(run.label, INT32_MAX));
                for (; x < run.x1; ++x) MTSetRealInt(out, x, y, v);
            }
        }
        ProcessMessage();
    }
}

} // namespace

extern "C" int32_t FindObjects(MTHANDLE src, int32_t eight, int32_t dropBorder,
                               MTHANDLE* labels) noexcept {
    if (!labels) return 0;
    if (!isBinary(src)) {
        *labels = refuse(*labels, {src});
        return 0;
    }
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    MTHANDLE out = resultMatrix(w, h, MT_USHORT, *labels, {src});
    *labels = out;
    if (!out) return 0;
    try {
        RunImage image;
        extractBinaryRuns(src, image);
        const uint32_t n = labelRuns(image, eight != 0, dropBorder == 1, Numbering::VisitingOrder);
        writeLabels(out, image);
        return int32_t(std::min<uint32_t>(n, INT32_MAX));
    } catch (const std::bad_alloc&) {
        *labels = refuse(out);
        return 0;
    }
}
