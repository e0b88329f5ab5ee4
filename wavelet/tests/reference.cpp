#include "reference.h"

#include <cmath>

namespace wavelet_test {

std::vector<double> smoothing(int n) {
    switch (n) {
        case 4: return {0.482962913145, 0.836516303738, 0.224143868042, -0.129409522551};
        case 6:
            return {0.3326705529501,  0.8068915093111,   0.4598775021185,
                    -0.1350110200102, -0.08544127388201, 0.03522629188571};
        case 12:
            return {0.11154074335,   0.494623890398,  0.751133908021, 0.315250351709,
                    -0.226264693965, -0.129766867567, 0.097501605587, 0.02752286553,
                    -0.031582039318, 0.000553842201,  0.004777257511, -0.001077301085};
        case 20:
            return {0.026670057901,  0.188176800078,  0.527201188932,  0.688459039454,
                    0.281172343661,  -0.249846424327, -0.195946274377, 0.127369340336,
                    0.093057364604,  -0.071394147166, -0.029457536822, 0.033212674059,
                    0.003606553567,  -0.010733175483, 0.001395351747,  0.001992405295,
                    -0.000685856695, -0.000116466855, 0.00009358867,   -0.000013264203};
        default: return {};
    }
}

std::vector<double> pyramid1D(std::vector<double> a, int n, bool inverse) {
    const std::vector<double> c = smoothing(n);
    std::vector<double> r(c.size());
    for (int k = 0; k < n; ++k) r[n - 1 - k] = std::pow(-1.0, k + 1) * c[k];
    const int N = static_cast<int>(a.size());
    if (c.empty() || N < 4) return a;
    auto level = [&](int L) {
        std::vector<double> w(L, 0.0);
        const int h = L / 2;
        for (int i = 0; i <= L - 2; i += 2) {
            const int j = i / 2;
            for (int k = 0; k < n; ++k) {
                if (inverse) {
                    w[(i + k) % L] += c[k] * a[j] + r[k] * a[h + j];
                } else {
                    w[j] += c[k] * a[(i + k) % L];
                    w[h + j] += r[k] * a[(i + k) % L];
                }
            }
        }
        for (int i = 0; i < L; ++i) a[i] = w[i];
    };
    if (inverse)
        for (int L = 4; L <= N; L *= 2) level(L);
    else
        for (int L = N; L >= 4; L /= 2) level(L);
    return a;
}

std::vector<float> transform2D(MTHANDLE in, int n, bool inverse) {
    const int w = MTGetWidth(in);
    const int h = MTGetHeight(in);
    std::vector<float> out(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        std::vector<double> row(w);
        for (int x = 0; x < w; ++x) row[x] = MTReal(in, x, y);
        row = pyramid1D(row, n, inverse);
        for (int x = 0; x < w; ++x) out[static_cast<size_t>(y) * w + x] = static_cast<float>(row[x]);
    }
    for (int x = 0; x < w; ++x) {
        std::vector<double> col(h);
        for (int y = 0; y < h; ++y) col[y] = out[static_cast<size_t>(y) * w + x];
        col = pyramid1D(col, n, inverse);
        for (int y = 0; y < h; ++y) out[static_cast<size_t>(y) * w + x] = static_cast<float>(col[y]);
    }
    return out;
}

std::vector<float> readFloats(MTHANDLE m) {
    std::vector<float> v;
    for (int y = 0; y < MTGetHeight(m); ++y)
        for (int x = 0; x < MTGetWidth(m); ++x) v.push_back(static_cast<float>(MTReal(m, x, y)));
    return v;
}

}  // namespace wavelet_test
