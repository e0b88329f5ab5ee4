// Arithmetic with a constant or a second image; results are single precision
// (complex when a complex operand is involved) whatever the sources hold.
#include "prcs_rules.h"

using namespace qd::prcs;

namespace {

double applyConstant(int32_t op, double s, double value) {
    if (op == 1) return s * value;
    if (op == 2) return s / value;
    return s + value;
}

MTCOMPLEX complexMath(int32_t op, MTCOMPLEX a, MTCOMPLEX b) {
    if (op == 0) return {a.re + b.re, a.im + b.im};
    if (op == 1) return {a.re - b.re, a.im - b.im};
    return {a.re * b.re - a.im * b.im, b.re * a.im + a.re * b.im};
}

double realMath(int32_t op, double a, double b) {
    if (op == 2) return a * b;
    if (op == 1) return a - b;
    return a + b;
}

} // namespace

extern "C" {

MTHANDLE BinOp2D(MTHANDLE src, int32_t op, double value, MTHANDLE dst) noexcept {
    if (refusedSource(src) || (op == 2 && std::fabs(value) < 1e-12)) return refuse(dst, {src});
    const int32_t w = MTGetWidth(src), h = MTGetHeight(src);
    const bool complex = MTIsComplex(src);
    MTHANDLE out = resultMatrix(w, h, complex ? MT_COMPLEX8 : MT_FLOAT, dst, {src});
    if (!out) return nullptr;
    if (complex) {
        // Both parts get the same operation: adding adds to both.
        for (int32_t x = 0; x < w; ++x) {
            for (int32_t y = 0; y < h; ++y) {
                const MTCOMPLEX c = MTComplex(src, x, y);
                MTSetComplex(out, x, y, {applyConstant(op, c.re, value), applyConstant(op, c.im, value)});
            }
            ProcessMessage();
        }
        return out;
    }
    withView(src, [&](auto in) {
        withOutputView(out, [&](auto o) {
            for (int32_t x = 0; x < w; ++x) {
                for (int32_t y = 0; y < h; ++y) o.set(x, y, applyConstant(op, in.get(x, y), value));
                ProcessMessage();
            }
        });
    });
    return out;
}

MTHANDLE ImageMath2D(MTHANDLE a, MTHANDLE b, int32_t op, MTHANDLE dst) noexcept {
    if (refusedSource(a) || refusedSource(b) || MTGetWidth(a) != MTGetWidth(b) ||
        MTGetHeight(a) != MTGetHeight(b))
        return refuse(dst, {a, b});
    const int32_t w = MTGetWidth(a), h = MTGetHeight(a);
    const bool complex = MTIsComplex(a) || MTIsComplex(b);
    MTHANDLE out = resultMatrix(w, h, complex ? MT_COMPLEX8 : MT_FLOAT, dst, {a, b});
    if (!out) return nullptr;
    for (int32_t x = 0; x < w; ++x) {
        for (int32_t y = 0; y < h; ++y) {
            if (complex)
                MTSetComplex(out, x, y, complexMath(op, MTComplex(a, x, y), MTComplex(b, x, y)));
            else
                MTSetReal(out, x, y, realMath(op, MTReal(a, x, y), MTReal(b, x, y)));
        }
        ProcessMessage();
    }
    return out;
}

} // extern "C"
