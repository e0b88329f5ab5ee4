// Display rendering of whole images: default range and bitmap levels, and the
// stretched blit into a QImage at magnification 1, and repainting a window
// onto a large image.
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>
#include <qd/image.h>

namespace {

IMHANDLE rampImage(int32_t side, int32_t type) {
    MTHANDLE m = MTCreate(side, side, type);
    for (int32_t y = 0; y < side; ++y)
        for (int32_t x = 0; x < side; ++x) MTSetReal(m, x, y, (x * 7 + y * 13) % 256 + 0.25);
    return IMCreateFromMatrix(m);
}

// Argument: side.
template <int32_t Type> void rangeAndRender(benchmark::State& state) {
    const auto side = static_cast<int32_t>(state.range(0));
    IMHANDLE im = rampImage(side, Type);
    for (auto _ : state) {
        IMDefaultRange(im, 0);
        IMPrepareBitmap(im);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(side) * side);
    IMDestroy(im);
}

template <int32_t Type> void renderOnly(benchmark::State& state) {
    const auto side = static_cast<int32_t>(state.range(0));
    IMHANDLE im = rampImage(side, Type);
    IMDefaultRange(im, 0);
    for (auto _ : state) IMPrepareBitmap(im);
    state.SetItemsProcessed(state.iterations() * int64_t(side) * side);
    IMDestroy(im);
}

template <int32_t Type> void drawImage(benchmark::State& state) {
    const auto side = static_cast<int32_t>(state.range(0));
    IMHANDLE im = rampImage(side, Type);
    IMDefaultRange(im, 0);
    IMPrepareBitmap(im);
    QImage target(side, side, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&target);
        IMDrawImage(im, &p);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(side) * side);
    IMDestroy(im);
}

// A 1200 x 900 window onto an 8192 x 8192 image; argument: magnification
// in eighths (1 shows the whole image shrunk, 8 one to one, 32 four times).
void repaintViewport(benchmark::State& state) {
    constexpr int32_t side = 8192;
    const auto eighths = static_cast<int32_t>(state.range(0));
    IMHANDLE im = rampImage(side, MT_UCHAR);
    IMDefaultRange(im, 0);
    IMPrepareBitmap(im);
    const int32_t shown = side * eighths / 8;
    IMSetDrawRect(im, -shown / 3, -shown / 3, shown - shown / 3, shown - shown / 3);
    QImage window(1200, 900, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&window);
        IMDrawImage(im, &p);
    }
    IMDestroy(im);
}

void equalisedRender(benchmark::State& state) {
    const auto side = static_cast<int32_t>(state.range(0));
    IMHANDLE im = rampImage(side, MT_FLOAT);
    IMSetDisplayType(im, IM_EQUALIZED);
    IMDefaultRange(im, 0);
    for (auto _ : state) IMPrepareBitmap(im);
    state.SetItemsProcessed(state.iterations() * int64_t(side) * side);
    IMDestroy(im);
}

} // namespace

BENCHMARK(rangeAndRender<MT_UCHAR>)->Arg(4096)->Arg(8192)->Unit(benchmark::kMillisecond);
BENCHMARK(rangeAndRender<MT_FLOAT>)->Arg(4096)->Arg(8192)->Unit(benchmark::kMillisecond);
BENCHMARK(renderOnly<MT_UCHAR>)->Arg(8192)->Unit(benchmark::kMillisecond);
BENCHMARK(renderOnly<MT_FLOAT>)->Arg(8192)->Unit(benchmark::kMillisecond);
BENCHMARK(renderOnly<MT_COMPLEX8>)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(equalisedRender)->Arg(4096)->Unit(benchmark::kMillisecond);
// Qt spreads the blit over worker threads: count the whole process's time.
BENCHMARK(drawImage<MT_UCHAR>)
    ->Arg(4096)
    ->Arg(8192)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(repaintViewport)->Arg(1)->Arg(8)->Arg(32)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(drawImage<MT_RGB>)->Arg(4096)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
