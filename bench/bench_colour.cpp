// Colour conversions, adjustment and the channel-wise filters.
#include <benchmark/benchmark.h>
#include <qd/colorprcs.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

// Smooth colours, as in a photograph, or every pixel a random colour.
std::vector<uint32_t> colours(int32_t side, bool random) {
    std::vector<uint32_t> px(size_t(side) * size_t(side));
    std::mt19937 rng(3);
    for (int32_t y = 0; y < side; ++y)
        for (int32_t x = 0; x < side; ++x)
            px[size_t(y) * size_t(side) + size_t(x)] =
                random ? rng() & 0xFFFFFF
                       : uint32_t((x * 255 / side) << 16 | (y * 255 / side) << 8 |
                                  ((x + y) * 127 / side));
    return px;
}

IMHANDLE colourImage(int32_t side, bool random) {
    const std::vector<uint32_t> px = colours(side, random);
    MTHANDLE m = MTCreate(side, side, MT_RGB);
    for (int32_t y = 0; y < side; ++y)
        for (int32_t x = 0; x < side; ++x)
            MTSetRgb(m, x, y, px[size_t(y) * size_t(side) + size_t(x)]);
    return IMCreateFromMatrix(m);
}

// Arguments: side, random colours (0 or 1). Converts every pixel into an
// array of HSI triples.
void rgbToHsi(benchmark::State& state) {
    const auto side = int32_t(state.range(0));
    const std::vector<uint32_t> px = colours(side, state.range(1) != 0);
    std::vector<float> hsi(px.size() * 3);
    for (auto _ : state) {
        float* out = hsi.data();
        for (uint32_t c : px)
            RGB2HSI(int32_t(c), out), out += 3;
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(px.size()));
}

void hsiToRgb(benchmark::State& state) {
    const auto side = int32_t(state.range(0));
    const std::vector<uint32_t> px = colours(side, state.range(1) != 0);
    std::vector<float> hsi(px.size() * 3);
    for (size_t k = 0; k < px.size(); ++k)
        RGB2HSI(int32_t(px[k]), &hsi[3 * k]);
    std::vector<int32_t> back(px.size());
    for (auto _ : state) {
        for (size_t k = 0; k < px.size(); ++k)
            back[k] = HSI2RGB(hsi[3 * k], hsi[3 * k + 1], hsi[3 * k + 2], nullptr);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(px.size()));
}

void adjustHsi(benchmark::State& state) {
    IMHANDLE im = colourImage(int32_t(state.range(0)), state.range(1) != 0);
    for (auto _ : state)
        IMDestroy(AdjustHSI(im, 20, -10, 10, nullptr));
    IMDestroy(im);
}

void colourMedian(benchmark::State& state) {
    IMHANDLE im = colourImage(int32_t(state.range(0)), false);
    for (auto _ : state)
        IMDestroy(ColorMedianFilter2D(im, nullptr));
    IMDestroy(im);
}

void colourLowPass(benchmark::State& state) {
    IMHANDLE im = colourImage(int32_t(state.range(0)), false);
    for (auto _ : state)
        IMDestroy(ColorFTLowPass2D(im, 0.3, 2, 1, 0.0, 256.0, nullptr));
    IMDestroy(im);
}

BENCHMARK(rgbToHsi)->Args({2048, 0})->Args({2048, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(hsiToRgb)->Args({2048, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(adjustHsi)->Args({2048, 0})->Args({2048, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(colourMedian)->Arg(1024)->Unit(benchmark::kMillisecond);
BENCHMARK(colourLowPass)->Arg(1024)->Unit(benchmark::kMillisecond);

} // namespace
