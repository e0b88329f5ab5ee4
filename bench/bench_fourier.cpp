// Fourier transforms to centred spectra, a Fourier convolution and a
// Butterworth filter of whole images, and a transform of a selection.
#include <benchmark/benchmark.h>
#include <qd/fourier.h>
#include <qd/memobj.h>

namespace {

MTHANDLE pattern(int32_t side) {
    MTHANDLE m = MTCreate(side, side, MT_FLOAT);
    for (int32_t y = 0; y < side; ++y)
        for (int32_t x = 0; x < side; ++x)
            MTSetReal(m, x, y, (x * 7 + y * 13) % 256);
    return m;
}

// The output matrix is reused between iterations, as a caller that keeps
// its spectrum buffer would.
template <MTHANDLE (*Transform)(MTHANDLE, MTHANDLE)> void transform(benchmark::State& state) {
    const auto side = static_cast<int32_t>(state.range(0));
    MTHANDLE in = pattern(side);
    MTHANDLE out = nullptr;
    for (auto _ : state)
        benchmark::DoNotOptimize(out = Transform(in, out));
    state.SetItemsProcessed(state.iterations() * int64_t(side) * side);
    MTDestroy(out);
    MTDestroy(in);
}

void realFt2D(benchmark::State& state) { transform<RealFt2D>(state); }

// Argument: side of a selection at an odd origin of an image 100 pixels
// larger each way.
void realFt2DSelection(benchmark::State& state) {
    const auto side = static_cast<int32_t>(state.range(0));
    MTHANDLE in = pattern(side + 100);
    MTSetWindow(in, 37, 51, 37 + side, 51 + side);
    MTHANDLE out = nullptr;
    for (auto _ : state)
        benchmark::DoNotOptimize(out = RealFt2D(in, out));
    state.SetItemsProcessed(state.iterations() * int64_t(side) * side);
    MTDestroy(out);
    MTDestroy(in);
}
void ft2D(benchmark::State& state) { transform<Ft2D>(state); }

void realIFt2D(benchmark::State& state) {
    const auto side = static_cast<int32_t>(state.range(0));
    MTHANDLE image = pattern(side);
    MTHANDLE in = RealFt2D(image, nullptr);
    MTDestroy(image);
    MTHANDLE out = nullptr;
    for (auto _ : state)
        benchmark::DoNotOptimize(out = RealIFt2D(in, out));
    state.SetItemsProcessed(state.iterations() * int64_t(side) * side);
    MTDestroy(out);
    MTDestroy(in);
}

// Argument: side; a 15 x 15 box kernel.
void convolution2D(benchmark::State& state) {
    const auto side = static_cast<int32_t>(state.range(0));
    MTHANDLE in = pattern(side);
    double kernel[15 * 15];
    for (double& k : kernel)
        k = 1.0;
    for (auto _ : state) {
        MTHANDLE r = Convolution2D(in, 15, kernel, 225.0, nullptr);
        benchmark::DoNotOptimize(r);
        MTDestroy(r);
    }
    MTDestroy(in);
}

void bwLowPass2D(benchmark::State& state) {
    const auto side = static_cast<int32_t>(state.range(0));
    MTHANDLE in = pattern(side);
    for (auto _ : state) {
        MTHANDLE r = BWLowPassFilter2D(in, 0.3, 2, nullptr);
        benchmark::DoNotOptimize(r);
        MTDestroy(r);
    }
    MTDestroy(in);
}

// 1000 = 8 * 125 and 1536 = 512 * 3 take the mixed-radix path; 2039 is a
// prime and goes through the direct transform.
BENCHMARK(realFt2D)->Arg(1024)->Arg(2048)->Arg(1000)->Arg(1536)->Unit(benchmark::kMillisecond);
BENCHMARK(ft2D)->Arg(1024)->Arg(2048)->Arg(1000)->Arg(1536)->Unit(benchmark::kMillisecond);
BENCHMARK(realFt2D)->Arg(2039)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(realFt2DSelection)->Arg(1024)->Unit(benchmark::kMillisecond);
BENCHMARK(realIFt2D)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(convolution2D)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(bwLowPass2D)->Arg(2048)->Unit(benchmark::kMillisecond);

} // namespace
