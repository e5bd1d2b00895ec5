// Compile time against project size, on the generated projects up to the
// largest that compiles clean. The scaling counter is time(largest) /
// time(tenth); linear growth keeps it near 10.
#include "bench/bench_project.h"

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

using namespace k7;
using namespace k7::bench;

// Processor time of one compile of a fresh copy (new RAM addresses every
// time). Processor time, not wall time: the build machine is shared.
double CompileSeconds(const Project& original) {
    Project project = original;
    CompileContext context(project, BenchLibrary());
    CompileProgress progress;
    const std::clock_t start = std::clock();
    CompileProject(context, progress);
    benchmark::DoNotOptimize(context.Image.Lines.data());
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// Argument 10: the largest project; 1: a tenth of it.
void BM_CompileProject(benchmark::State& state) {
    const int size = state.range(0) == 10 ? LargestCleanSize() : LargestCleanSize() / 10;
    const Project original = MakeProject(size);
    for (auto _ : state)
        state.SetIterationTime(CompileSeconds(original));
    state.counters["instances"] = size;
}
BENCHMARK(BM_CompileProject)
    ->Arg(10)
    ->Arg(1)
    ->ArgName("tenths")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_CompileScaling(benchmark::State& state) {
    const Project largest = MakeProject(LargestCleanSize());
    const Project tenth = MakeProject(LargestCleanSize() / 10);
    double largestSeconds = 0;
    double tenthSeconds = 0;
    for (auto _ : state) {
        largestSeconds += CompileSeconds(largest);
        tenthSeconds += CompileSeconds(tenth);
    }
    state.counters["ratio"] = tenthSeconds > 0 ? largestSeconds / tenthSeconds : 0;
}
BENCHMARK(BM_CompileScaling)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
