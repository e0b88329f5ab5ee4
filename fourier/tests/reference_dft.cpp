#include <cmath>

#include "reference.h"

Grid randomGrid(int w, int h, bool complexValues, uint32_t seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    Grid g{w, h, std::vector<cld>(static_cast<size_t>(w) * h)};
    for (auto& c : g.v) {
        // Values a float holds exactly, so the matrix and the grid agree.
        const long double re = static_cast<float>(dist(rng));
        const long double im = complexValues ? static_cast<float>(dist(rng)) : 0.0f;
        c = cld(re, im);
    }
    return g;
}

Grid realPart(const Grid& g) {
    Grid r = g;
    for (auto& c : r.v)
        c = cld(c.real(), 0.0L);
    return r;
}

std::vector<cld> referenceDft(const std::vector<cld>& x, bool inverse) {
    const long n = static_cast<long>(x.size());
    const long half = n / 2;
    const long double pi = 3.141592653589793238462643383279502884L;
    std::vector<cld> out(x.size());
    std::vector<cld> roots(x.size());
    for (long j = 0; j < n; ++j) {
        const long double a = 2 * pi * static_cast<long double>(j) / n;
        roots[static_cast<size_t>(j)] = cld(std::cos(a), inverse ? std::sin(a) : -std::sin(a));
    }
    // Frequency held by centred element k.
    auto freq = [&](long k) { return ((k - half) % n + n) % n; };
    for (long k = 0; k < n; ++k) {
        cld sum = 0;
        for (long t = 0; t < n; ++t) {
            // Forward: sample t to frequency freq(k); inverse: the spectrum
            // element t (frequency freq(t)) to sample k.
            const long phase = inverse ? (freq(t) * k) % n : (freq(k) * t) % n;
            sum += x[static_cast<size_t>(t)] * roots[static_cast<size_t>(phase)];
        }
        out[static_cast<size_t>(k)] = inverse ? sum / static_cast<long double>(n) : sum;
    }
    return out;
}

Grid referenceDft2D(const Grid& g, bool inverse) {
    Grid r = g;
    std::vector<cld> line;
    for (int y = 0; y < g.h; ++y) {
        line.assign(g.v.begin() + static_cast<long>(y) * g.w,
                    g.v.begin() + static_cast<long>(y + 1) * g.w);
        const auto t = referenceDft(line, inverse);
        for (int x = 0; x < g.w; ++x)
            r.at(x, y) = t[static_cast<size_t>(x)];
    }
    for (int x = 0; x < g.w; ++x) {
        line.resize(static_cast<size_t>(g.h));
        for (int y = 0; y < g.h; ++y)
            line[static_cast<size_t>(y)] = r.at(x, y);
        const auto t = referenceDft(line, inverse);
        for (int y = 0; y < g.h; ++y)
            r.at(x, y) = t[static_cast<size_t>(y)];
    }
    return r;
}

MTHANDLE makeMatrix(const Grid& g, int32_t type) {
    MTHANDLE m = MTCreate(g.w, g.h, type);
    for (int y = 0; y < g.h; ++y)
        for (int x = 0; x < g.w; ++x) {
            MTSetReal(m, x, y, static_cast<double>(g.at(x, y).real()));
            MTSetImag(m, x, y, static_cast<double>(g.at(x, y).imag()));
        }
    return m;
}

Grid readMatrix(MTHANDLE m) {
    Grid g{MTGetWidth(m), MTGetHeight(m), {}};
    g.v.resize(static_cast<size_t>(g.w) * g.h);
    for (int y = 0; y < g.h; ++y)
        for (int x = 0; x < g.w; ++x)
            g.at(x, y) = cld(MTReal(m, x, y), MTImag(m, x, y));
    return g;
}

long double maxError(const Grid& a, const Grid& b) {
    long double e = 0;
    for (size_t i = 0; i < a.v.size(); ++i)
        e = std::max(e, std::abs(a.v[i] - b.v[i]));
    return e;
}

long double maxModulus(const Grid& g) {
    long double e = 0;
    for (const auto& c : g.v)
        e = std::max(e, std::abs(c));
    return e;
}
