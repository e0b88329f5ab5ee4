// Rows the side-by-side comparison has none for, on the peers' own input
// files (make them with ../shared/peers/make_inputs.py): the transform of a
// prime side, 1009 x 1009 cut from smooth_f32_2048.npy, and labelling alone
// on binary_2048.npy. Time the peers on the same data in the same run, for
// example with peers.py fft2 on a 1009 x 1009 crop and peers.py label.
// The directory is $QD_PEER_INPUTS, else ${TMPDIR:-/tmp}/peer-inputs.
#include <benchmark/benchmark.h>
#include <qd/core/npy_file.h>
#include <qd/fourier.h>
#include <qd/prcs.h>

#include <cstdlib>
#include <string>

namespace {

std::string inputPath(const char* name) {
    if (const char* dir = std::getenv("QD_PEER_INPUTS")) return std::string(dir) + "/" + name;
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp ? tmp : "/tmp") + "/peer-inputs/" + name;
}

MTHANDLE readInput(benchmark::State& state, const char* name) {
    std::string error;
    MTHANDLE m = qd::readNpyMatrix(inputPath(name), &error);
    if (!m) state.SkipWithError((inputPath(name) + ": " + error).c_str());
    return m;
}

// Argument: side of the square cut from the top left of the picture.
void realFt2DPrimeSide(benchmark::State& state) {
    MTHANDLE m = readInput(state, "smooth_f32_2048.npy");
    if (!m) return;
    const auto side = static_cast<int32_t>(state.range(0));
    // Picture row 0 is matrix row H - 1.
    MTSetWindow(m, 0, MTGetHeight(m) - side, side, MTGetHeight(m));
    MTHANDLE out = nullptr;
    for (auto _ : state) benchmark::DoNotOptimize(out = RealFt2D(m, out));
    MTDestroy(out);
    MTDestroy(m);
}

// Argument: 1 for eight neighbours.
void labellingAlone(benchmark::State& state) {
    MTHANDLE m = readInput(state, "binary_2048.npy");
    if (!m) return;
    MTHANDLE binary = MTCreate(MTGetWidth(m), MTGetHeight(m), MT_BINARY);
    for (int32_t y = 0; y < MTGetHeight(m); ++y)
        for (int32_t x = 0; x < MTGetWidth(m); ++x) MTSetRealInt(binary, x, y, MTRealInt(m, x, y) != 0);
    int32_t n = 0;
    for (auto _ : state) {
        MTHANDLE labels = nullptr;
        benchmark::DoNotOptimize(n = FindObjects(binary, int32_t(state.range(0)), 0, &labels));
        MTDestroy(labels);
    }
    state.counters["objects"] = n;
    MTDestroy(binary);
    MTDestroy(m);
}

} // namespace

BENCHMARK(realFt2DPrimeSide)->Arg(1009)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(labellingAlone)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
