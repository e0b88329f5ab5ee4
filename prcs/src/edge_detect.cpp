// Squared forward-difference gradient with wrap-around.
#include "fast_rows.h"

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

// Rows outer; the same differences and sums per pixel.
template <class T> void edgeRows(MTHANDLE src, MTHANDLE out, int32_t w, int32_t h) {
    const WindowRows<float> dst = rowsOf<float>(out);
    const WindowRows<T> s = rowsOf<T>(src);
    SpreadPump pump(w, h);
    for (int32_t y = 0; y < h; ++y) {
        const T* cur = s[y];
        const T* next = s[y + 1 == h ? 0 : y + 1];
        float* o = dst[y];
        for (int32_t x = 0; x < w; ++x) {
            const double v = double(cur[x]);
            const double dx = double(cur[x + 1 == w ? 0 : x + 1]) - v, dy = double(next[x]) - v;
            o[x] = float(dx * dx + dy * dy);
        }
        pump.afterRow(y);
    }
}

} // namespace

extern "C" MTHANDLE StEdgeDetect2D(MTHANDLE src, MTHANDLE dst) noexcept {
    if (refusedSource(src)) return refuse(dst, {src});
    return filterInto(src, MT_FLOAT, dst, [](MTHANDLE in, MTHANDLE out) {
        const int32_t w = MTGetWidth(in), h = MTGetHeight(in);
        const bool rowPath = wholeWindow(out) && withRowType(in, [&](auto t) { edgeRows<decltype(t)>(in, out, w, h); });
        if (!rowPath) edges(MatrixView{in}, MatrixView{out}, w, h);
    });
}
