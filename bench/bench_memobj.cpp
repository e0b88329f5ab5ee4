// Element access by value against a direct row-pointer loop.
#include <benchmark/benchmark.h>
#include <qd/memobj.h>

namespace {

constexpr int32_t kSide = 4096;

template <int32_t Code> void byValue(benchmark::State& state) {
    MTHANDLE m = MTCreate(kSide, kSide, Code);
    for (auto _ : state) {
        double sum = 0;
        for (int32_t y = 0; y < kSide; ++y)
            for (int32_t x = 0; x < kSide; ++x) {
                const double v = MTReal(m, x, y);
                MTSetReal(m, x, y, v + 1);
                sum += v;
            }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kSide) * kSide);
    MTDestroy(m);
}

template <class T, int32_t Code> void byRowPointer(benchmark::State& state) {
    MTHANDLE m = MTCreate(kSide, kSide, Code);
    auto** rows = reinterpret_cast<T**>(MTGetMatrixPointer(m));
    for (auto _ : state) {
        double sum = 0;
        for (int32_t y = 0; y < kSide; ++y) {
            T* row = rows[y];
            for (int32_t x = 0; x < kSide; ++x) {
                const T v = row[x];
                row[x] = T(v + 1);
                sum += v;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kSide) * kSide);
    MTDestroy(m);
}

BENCHMARK(byValue<MT_UCHAR>)->Unit(benchmark::kMillisecond);
BENCHMARK(byRowPointer<uint8_t, MT_UCHAR>)->Unit(benchmark::kMillisecond);
BENCHMARK(byValue<MT_FLOAT>)->Unit(benchmark::kMillisecond);
BENCHMARK(byRowPointer<float, MT_FLOAT>)->Unit(benchmark::kMillisecond);

}  // namespace
