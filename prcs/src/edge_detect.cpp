// Squared forward-difference gradient with wrap-around.
#include "prcs_rules.h"

using namespace qd::prcs;

namespace {

template <class In, class Out> void edges(const In& in, const Out& out, int32_t w, int32_t h) {
    for (int32_t x = 0; x < w; ++x) {
        const int32_t xn = x + 1 == w ? 0 : x + 1;
        for (int32_t y = 0; y < h; ++y) {
            const int32_t yn = y + 1 == h ? 0 : y + 1;
            const double s = in.get(x, y);
            const double dx = in.get(xn, y) - s, dy = in.get(x, yn) - s;
            out.set(x, y, dx * dx + dy * dy);
        }
        ProcessMessage();
    }
}

} // namespace

extern "C" MTHANDLE StEdgeDetect2D(MTHANDLE src, MTHANDLE dst) noexcept {
    if (refusedSource(src)) return refuse(dst, {src});
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    MTHANDLE out = resultMatrix(w, h, MT_FLOAT, dst, {src});
    if (!out) return nullptr;
    ReadSource in(src, out);
    if (!in.ok()) return nullptr;
    withView(in.get(), [&](auto inView) {
        withView(out, [&](auto outView) { edges(inView, outView, w, h); });
    });
    return out;
}
