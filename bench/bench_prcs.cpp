// Neighbourhood filters, morphology and statistics on a 2048 x 2048 image.
// Argument 0 times the row-pointer path (window = whole matrix), 1 the
// element-by-element path (the same pixels as the window of a wider matrix).
#include <benchmark/benchmark.h>
#include <qd/prcs.h>

#include <qd/memobj.h>

#include <random>
#include <vector>

namespace {

constexpr int32_t kSide = 2048;

MTHANDLE source(int32_t type, bool generic) {
    MTHANDLE m = MTCreate(kSide + (generic ? 1 : 0), kSide, type);
    std::mt19937 rng(7);
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide; ++x) MTSetReal(m, x, y, double(rng() % 256));
    if (generic) MTSetWindow(m, 0, 0, kSide, kSide);
    return m;
}

struct Kernel {
    std::vector<int32_t> values;
    MMKERNEL rec{};
    explicit Kernel(bool circle) : values(25, 1) {
        if (circle) values[0] = values[4] = values[20] = values[24] = 0;
        rec.N = 5;
        rec.values = values.data();
    }
    Kernel() : values(9, 1) {
        rec.N = 3;
        rec.values = values.data();
    }
};

template <class F> void run(benchmark::State& state, int32_t type, F f) {
    MTHANDLE m = source(type, state.range(0) != 0);
    MTHANDLE out = nullptr;
    for (auto _ : state) out = f(m, out);
    MTDestroy(out);
    MTDestroy(m);
}

template <int32_t Type> void stMedian(benchmark::State& s) {
    run(s, Type, [](MTHANDLE m, MTHANDLE d) { return StMedianFilter2D(m, d); });
}
template <int32_t Type> void medianCircle5(benchmark::State& s) {
    static const Kernel k(true);
    run(s, Type, [](MTHANDLE m, MTHANDLE d) { return MedianFilter2D(m, &k.rec, d); });
}
template <int32_t Type> void erosionRect3(benchmark::State& s) {
    static const Kernel k;
    run(s, Type, [](MTHANDLE m, MTHANDLE d) { return Erosion2D(m, &k.rec, d); });
}
template <int32_t Type> void erosionRect5(benchmark::State& s) {
    static const Kernel k(false);
    run(s, Type, [](MTHANDLE m, MTHANDLE d) { return Erosion2D(m, &k.rec, d); });
}
template <int32_t Type> void erosionCircle5(benchmark::State& s) {
    static const Kernel k(true);
    run(s, Type, [](MTHANDLE m, MTHANDLE d) { return Erosion2D(m, &k.rec, d); });
}
template <int32_t Type> void topHatCircle5(benchmark::State& s) {
    static const Kernel k(true);
    run(s, Type, [](MTHANDLE m, MTHANDLE d) { return TopHat2D(m, &k.rec, d); });
}
template <int32_t Type> void gaussian(benchmark::State& s) {
    static const double w[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
    run(s, Type, [](MTHANDLE m, MTHANDLE d) { return SimpleConvolution2D(m, 3, w, 16, d); });
}
template <int32_t Type> void convolution15(benchmark::State& s) {
    static const std::vector<double> w(225, 1.0);
    run(s, Type, [](MTHANDLE m, MTHANDLE d) { return SimpleConvolution2D(m, 15, w.data(), 225, d); });
}
template <int32_t Type> void statistics(benchmark::State& s) {
    run(s, Type, [](MTHANDLE m, MTHANDLE d) {
        StatisticsRecord r;
        Statistics2D(m, &r);
        benchmark::DoNotOptimize(r);
        return d;
    });
}

#define QD_PRCS_BENCH(fn)                                                                          \
    BENCHMARK(fn<MT_UCHAR>)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(0.3);          \
    BENCHMARK(fn<MT_FLOAT>)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(0.3)

QD_PRCS_BENCH(stMedian);
QD_PRCS_BENCH(medianCircle5);
QD_PRCS_BENCH(erosionRect3);
QD_PRCS_BENCH(erosionRect5);
QD_PRCS_BENCH(erosionCircle5);
QD_PRCS_BENCH(topHatCircle5);
QD_PRCS_BENCH(gaussian);
QD_PRCS_BENCH(convolution15);
QD_PRCS_BENCH(statistics);

} // namespace
