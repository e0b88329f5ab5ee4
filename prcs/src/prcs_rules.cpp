#include "prcs_rules.h"

#include <new>

namespace qd::prcs {

namespace {
bool isOneOf(MTHANDLE m, std::initializer_list<MTHANDLE> list) {
    for (MTHANDLE s : list)
        if (s == m) return true;
    return false;
}
} // namespace

MTHANDLE refuse(MTHANDLE dst, std::initializer_list<MTHANDLE> sources) noexcept {
    if (dst && !isOneOf(dst, sources)) MTDestroy(dst);
    return nullptr;
}

MTHANDLE resultMatrix(int32_t width, int32_t height, int32_t type, MTHANDLE dst,
                      std::initializer_list<MTHANDLE> sources) noexcept {
    if (dst) {
        if (MTGetWidth(dst) == width && MTGetHeight(dst) == height && MTGetFlags(dst) == type)
            return dst;
        if (!isOneOf(dst, sources)) MTDestroy(dst);
    }
    return MTCreate(width, height, type);
}

void copyElements(MTHANDLE src, MTHANDLE dst) noexcept {
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    const int32_t type = MTGetFlags(src);
    for (int32_t x = 0; x < w; ++x)
        for (int32_t y = 0; y < h; ++y) {
            if (type == MT_RGB) MTSetRgb(dst, x, y, MTRgb(src, x, y));
            else if (MTIsComplex(src)) MTSetComplex(dst, x, y, MTComplex(src, x, y));
            else MTSetReal(dst, x, y, MTReal(src, x, y));
        }
}

ReadSource::ReadSource(MTHANDLE src, MTHANDLE out) noexcept : src_(src) {
    if (src != out) return;
    copy_ = MTCreate(MTGetWidth(src), MTGetHeight(src), MTGetFlags(src));
    if (copy_) copyElements(src, copy_);
    src_ = copy_;
}

ReadSource::~ReadSource() { MTDestroy(copy_); }

bool morphologyOffsets(const MMKERNEL* kernel, std::vector<Offset>& out) {
    out.clear();
    if (!kernel) return false;
    const int32_t n = kernel->N;
    if (n < 1) return true; // no entry, so no neighbourhood
    if (!kernel->values) return false;
    const int32_t h = n / 2;
    try {
        for (int32_t r = n - 1; r >= 0; --r)
            for (int32_t c = 0; c < n; ++c)
                if (kernel->values[int64_t(r) * n + c] > 0) out.push_back({c - h, (n - 1 - r) - h});
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

} // namespace qd::prcs
