/* Heron: the circular cross-correlation of the active image with a second
 * image of the same size, through the Fourier domain, in a new window with
 * the zero shift in the centre. */
#include <qd/plugin.h>

#include <stddef.h>

static void notEnoughMemory(void) { qdRunMessageDialog("Not enough memory.", "warning", 48); }

/* Swaps elements i and j of the line at `fixed`, along x or along y. */
static void swapElements(MTHANDLE m, int alongX, int32_t fixed, int32_t i, int32_t j) {
    const int32_t xi = alongX ? i : fixed, yi = alongX ? fixed : i;
    const int32_t xj = alongX ? j : fixed, yj = alongX ? fixed : j;
    const MTCOMPLEX a = qdMTComplex(m, xi, yi);
    qdMTSetComplex(m, xi, yi, qdMTComplex(m, xj, yj));
    qdMTSetComplex(m, xj, yj, a);
}

static void reverse(MTHANDLE m, int alongX, int32_t fixed, int32_t from, int32_t to) {
    for (--to; from < to; ++from, --to) swapElements(m, alongX, fixed, from, to);
}

/* Element k of every line receives the old element (k - n/2) mod n: a swap
 * of the halves for even n, a rotation for odd n (done by three reversals,
 * so no line buffer is needed). */
static void recentre(MTHANDLE m, int alongX) {
    const int32_t n = alongX ? qdMTGetWidth(m) : qdMTGetHeight(m);
    const int32_t lines = alongX ? qdMTGetHeight(m) : qdMTGetWidth(m);
    const int32_t shift = n / 2;
    int32_t line;
    for (line = 0; line < lines; ++line) {
        reverse(m, alongX, line, 0, n);
        reverse(m, alongX, line, 0, shift);
        reverse(m, alongX, line, shift, n);
    }
}

/* The second image, chosen until its type and size fit; null for Cancel. */
static MTHANDLE chooseSecond(int32_t width, int32_t height) {
    for (;;) {
        MTHANDLE b;
        IWHANDLE v = qdSelectImageWindow("Select for second image for cross correlation.");
        if (!v) return NULL;
        b = qdIMGetDataHandle(qdIWGetImageHandle(v));
        if (b && qdMTGetFlags(b) != MT_RGB && qdMTGetMaxXIndex(b) == width &&
            qdMTGetMaxYIndex(b) == height)
            return b;
        qdRunMessageDialog("Not proper image data type for cross-correlation with the active image.",
                           "warning", 48);
    }
}

/* The correlation of a with b, re-centred; null when memory ran out. */
static MTHANDLE correlate(MTHANDLE a, MTHANDLE b) {
    MTHANDLE fa = qdRealFt2D(a), fb = fa ? qdRealFt2D(b) : NULL, r;
    int32_t x, y;
    if (!fb) {
        qdMTDestroy(fa);
        return NULL;
    }
    /* A * conj(B), in double precision. */
    for (x = 0; x < qdMTGetWidth(fb); ++x)
        for (y = 0; y < qdMTGetHeight(fb); ++y) {
            const MTCOMPLEX p = qdMTComplex(fa, x, y), q = qdMTComplex(fb, x, y);
            MTCOMPLEX product;
            product.re = p.re * q.re + p.im * q.im;
            product.im = p.im * q.re - p.re * q.im;
            qdMTSetComplex(fb, x, y, product);
        }
    qdMTDestroy(fa);
    r = qdIFt2D(fb);
    qdMTDestroy(fb);
    if (!r) return NULL;
    recentre(r, 0);
    recentre(r, 1);
    return r;
}

const char* PlugInName(void) { return "Heron"; }

int PlugInMenuUpdate(PLUGINSERVER server) {
    IWHANDLE window;
    qdConnectPlugInServer(server);
    window = qdGetActiveImageWindow();
    if (!window) return 1;
    return qdMTGetFlags(qdIMGetDataHandle(qdIWGetImageHandle(window))) == MT_RGB ? 1 : 0;
}

int PlugInMain(int runFlag, PLUGINSERVER server) {
    IWHANDLE window;
    MTHANDLE a, b, r;
    IMHANDLE result;
    (void)runFlag;

    qdConnectPlugInServer(server);
    window = qdGetActiveImageWindow();
    if (!window) {
        qdRunMessageDialog("There is no active image window.", "warning", 16);
        return 0;
    }
    a = qdIMGetDataHandle(qdIWGetImageHandle(window));
    if (qdMTGetFlags(a) == MT_RGB) {
        qdRunMessageDialog("Not proper image data type.", "warning", 16);
        return 0;
    }
    b = chooseSecond(qdMTGetMaxXIndex(a), qdMTGetMaxYIndex(a));
    if (!b) return 0;
    r = correlate(a, b);
    result = r ? qdIMCreateFromMatrix(r) : NULL;
    if (!result) {
        qdMTDestroy(r);
        notEnoughMemory();
        return 0;
    }
    qdIMSetDrawType(result, IM_MODULUS_LOG);
    qdIMDefaultRange(result, 1);
    qdIMPrepareBitmap(result);
    /* The program takes the image; one it could not show is still ours. */
    if (!qdIWCreate(result, NULL)) {
        qdIMDestroy(result);
        return 0;
    }
    return 1;
}
