#include <qd/core/line_profile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qd {

LineProfile lineProfile(IMHANDLE im, int x0, int y0, int x1, int y1) {
    LineProfile p;
    MTHANDLE m = IMGetDataHandle(im);
    const int32_t type = MTGetFlags(m);
    const bool rgb = type == MT_RGB, complex = type == MT_COMPLEX8 || type == MT_COMPLEX16;
    p.channels = rgb ? 3 : 1;
    p.distanceUnit = IMGetXYUnit(im);
    p.valueUnit = rgb ? "" : IMGetZUnit(im);
    const int dx = x1 - x0, dy = y1 - y0, n = std::max(std::abs(dx), std::abs(dy)) + 1;
    const double length = std::hypot(double(dx), double(dy)) * IMGetScale(im);
    const double gain = IMGetGain(im), offset = IMGetOffset(im);
    const int w = IMGetImageWidth(im), h = IMGetImageHeight(im);
    for (int i = 0; i < n; ++i) {
        const double t = n == 1 ? 0.0 : double(i) / (n - 1);
        const int x = int(std::lround(x0 + t * dx)), y = int(std::lround(y0 + t * dy));
        if (x < 0 || y < 0 || x >= w || y >= h) continue;
        p.distance.push_back(t * length);
        if (rgb) {
            const uint32_t c = MTRgb(m, x, y);
            for (int shift : {16, 8, 0}) p.values.push_back(double((c >> shift) & 255));
        } else {
            const double v = complex ? std::hypot(MTReal(m, x, y), MTImag(m, x, y)) : MTReal(m, x, y);
            p.values.push_back(v * gain + offset);
        }
    }
    return p;
}

std::vector<std::string> profileLines(const LineProfile& p) {
    std::vector<std::string> lines;
    char buffer[64];
    for (int i = 0; i < p.count(); ++i) {
        std::snprintf(buffer, sizeof buffer, "%.6g", p.distance[size_t(i)]);
        std::string line = buffer;
        for (int c = 0; c < p.channels; ++c) {
            std::snprintf(buffer, sizeof buffer, "\t%.6g", p.value(i, c));
            line += buffer;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace qd
