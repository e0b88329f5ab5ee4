// Neighbourhood filters, morphology and statistics on a 2048 x 2048 image.
// Argument 0 times the whole image, 1 a 2000 x 2000 selection (the image's
// window at an odd origin), both on the row-pointer paths; 2 the selection
// on the element-by-element path, taken when the destination is itself a
// window of a larger matrix.
#include <benchmark/benchmark.h>
#include <qd/prcs.h>

#include <qd/memobj.h>

#include <random>
#include <vector>

namespace {

constexpr int32_t kSide = 2048, kSelection = 2000, kLeft = 17, kTop = 23;

MTHANDLE source(int32_t type, bool selection) {
    MTHANDLE m = MTCreate(kSide, kSide, type);
    std::mt19937 rng(7);
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide; ++x) MTSetReal(m, x, y, double(rng() % 256));
    if (selection) MTSetWindow(m, kLeft, kTop, kLeft + kSelection, kTop + kSelection);
    return m;
}

// A destination of the result's type and size inside a larger matrix.
MTHANDLE windowedDestination(MTHANDLE result) {
    const int32_t w = MTGetWidth(result), h = MTGetHeight(result);
    MTHANDLE d = MTCreate(w + 1, h, MTGetFlags(result));
    MTSetWindow(d, 1, 0, w + 1, h);
    MTDestroy(result);
    return d;
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
    MTHANDLE out = state.range(0) == 2 ? windowedDestination(f(m, nullptr)) : nullptr;
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
    BENCHMARK(fn<MT_UCHAR>)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->MinTime(0.3);  \
    BENCHMARK(fn<MT_FLOAT>)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->MinTime(0.3)

QD_PRCS_BENCH(stMedian);
QD_PRCS_BENCH(medianCircle5);
QD_PRCS_BENCH(erosionRect3);
QD_PRCS_BENCH(erosionRect5);
QD_PRCS_BENCH(erosionCircle5);
QD_PRCS_BENCH(topHatCircle5);
QD_PRCS_BENCH(gaussian);
QD_PRCS_BENCH(convolution15);
// No destination: the selection is the only other case.
BENCHMARK(statistics<MT_UCHAR>)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(0.3);
BENCHMARK(statistics<MT_FLOAT>)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(0.3);

} // namespace
