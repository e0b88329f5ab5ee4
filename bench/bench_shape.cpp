// Binary shape and object operations on a 2048 x 2048 image with about 2000
// objects (disks and rings on a jittered grid), and the triangulation of
// 10 000 small objects.
#include <benchmark/benchmark.h>
#include <qd/prcs.h>

#include <qd/memobj.h>

#include <random>
#include <vector>

namespace {

constexpr int32_t kSide = 2048;

// cells x cells objects of radius up to maxRadius; every fourth is a ring.
MTHANDLE objects(int32_t cells, int32_t maxRadius) {
    MTHANDLE m = MTCreate(kSide, kSide, MT_BINARY);
    std::mt19937 rng(11);
    const int32_t cell = kSide / cells;
    for (int32_t j = 0; j < cells; ++j)
        for (int32_t i = 0; i < cells; ++i) {
            const int32_t r = 1 + int32_t(rng() % uint32_t(maxRadius));
            const int32_t slack = cell - 2 * r - 3;
            const int32_t cx = i * cell + r + 1 + (slack > 0 ? int32_t(rng() % uint32_t(slack)) : 0);
            const int32_t cy = j * cell + r + 1 + (slack > 0 ? int32_t(rng() % uint32_t(slack)) : 0);
            const bool ring = rng() % 4 == 0 && r > 4;
            for (int32_t y = cy - r; y <= cy + r; ++y)
                for (int32_t x = cx - r; x <= cx + r; ++x) {
                    const int32_t d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                    if (d <= r * r && !(ring && d < (r - 3) * (r - 3))) MTSetRealInt(m, x, y, 1);
                }
        }
    return m;
}

void findObjects(benchmark::State& state) {
    MTHANDLE src = objects(45, 18);
    MTHANDLE labels = nullptr;
    int32_t n = 0;
    for (auto _ : state) benchmark::DoNotOptimize(n = FindObjects(src, int32_t(state.range(0)), 0, &labels));
    state.counters["objects"] = n;
    MTDestroy(labels);
    MTDestroy(src);
}

void objectProperty(benchmark::State& state) {
    MTHANDLE src = objects(45, 18);
    MTHANDLE labels = nullptr;
    const int32_t eight = int32_t(state.range(0));
    const int32_t n = FindObjects(src, eight, 0, &labels);
    std::vector<ObjectPropertyRecord> props(static_cast<size_t>(n));
    for (auto _ : state) benchmark::DoNotOptimize(ObjectProperty(labels, n, eight, 0, props.data()));
    state.counters["objects"] = n;
    MTDestroy(labels);
    MTDestroy(src);
}

template <MTHANDLE (*Op)(MTHANDLE, MTHANDLE)> void binaryOp(benchmark::State& state) {
    MTHANDLE src = objects(45, 18);
    MTHANDLE out = nullptr;
    for (auto _ : state) benchmark::DoNotOptimize(out = Op(src, out));
    MTDestroy(out);
    MTDestroy(src);
}

// Argument: objects per side (45: about 2000, 100: 10 000).
void triangulation(benchmark::State& state) {
    const auto cells = int32_t(state.range(0));
    MTHANDLE src = objects(cells, cells > 50 ? 3 : 18);
    MTHANDLE out = nullptr;
    for (auto _ : state) benchmark::DoNotOptimize(out = Triangulation(src, out));
    MTDestroy(out);
    MTDestroy(src);
}

BENCHMARK(findObjects)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(objectProperty)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(binaryOp<Contour>)->Name("contour")->Unit(benchmark::kMillisecond);
BENCHMARK(binaryOp<Skeletonize>)->Name("skeletonize")->Unit(benchmark::kMillisecond);
BENCHMARK(triangulation)->Arg(45)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace
