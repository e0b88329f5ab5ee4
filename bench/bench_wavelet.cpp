// Daubechies wavelet transform of a whole image, forward and inverse.
#include <benchmark/benchmark.h>
#include <qd/wavelet.h>

namespace {

MTHANDLE ramp(int32_t side) {
    MTHANDLE m = MTCreate(side, side, MT_UCHAR);
    for (int32_t y = 0; y < side; ++y)
        for (int32_t x = 0; x < side; ++x) MTSetRealInt(m, x, y, (x * 3 + y * 5) & 255);
    return m;
}

// Arguments: side, filter length. The output matrix is reused between
// iterations, as a caller that keeps its result buffer would.
void waveletForward(benchmark::State& state) {
    const auto side = static_cast<int32_t>(state.range(0));
    const auto n = static_cast<int>(state.range(1));
    MTHANDLE in = ramp(side);
    MTHANDLE out = nullptr;
    for (auto _ : state) benchmark::DoNotOptimize(out = DauWt2D(in, n, out));
    state.SetItemsProcessed(state.iterations() * int64_t(side) * side);
    MTDestroy(out);
    MTDestroy(in);
}

void waveletInverse(benchmark::State& state) {
    const auto side = static_cast<int32_t>(state.range(0));
    const auto n = static_cast<int>(state.range(1));
    MTHANDLE image = ramp(side);
    MTHANDLE in = DauWt2D(image, n, nullptr);
    MTDestroy(image);
    MTHANDLE out = nullptr;
    for (auto _ : state) benchmark::DoNotOptimize(out = DauIWt2D(in, n, out));
    state.SetItemsProcessed(state.iterations() * int64_t(side) * side);
    MTDestroy(out);
    MTDestroy(in);
}

BENCHMARK(waveletForward)
    ->ArgsProduct({{1024}, {4, 6, 12, 20}})
    ->Args({2048, 4})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(waveletInverse)->Args({1024, 4})->Args({2048, 4})->Unit(benchmark::kMillisecond);

}  // namespace
