// Compile time against project size: a generator makes projects of n
// module instances (every output kind, names referring to each other),
// with cards and RX rows, up to the largest that compiles clean in the
// unit's RAM and flash. The scaling counter is time(largest) / time(tenth);
// linear growth keeps it near 10.
#include "compiler/compile_driver.h"
#include "workspace/databases.h"
#include "workspace/module_library.h"
#include "workspace/project.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <stdexcept>

namespace {

using namespace k7;

const ModuleLibrary& BenchLibrary() {
    static const ModuleLibrary library = [] {
        std::string system = "57|1|System|The unit.";
        for (int i = 1; i <= 10; ++i)
            system += "|FISS.In " + std::to_string(i) + ".";
        system += "|DOSG.Boot.BootTrg|DOSG.Second.SecTrg|DOSS.Logon.Logon|\\";
        LibraryLoad load = ParseModuleLibrary(
            {system,
             "2|1,2,3,6|Digital input DC|DI.|IISS.Channel.|IISS.Card.|IISS.Cage.|DOSS.State.ST|\\",
             "70|2|Everything|Every output kind.|IISS.Count.|IISS.Length.|FISS.In.|FICC.Gain."
             "|FOAS.Values.VAL|SOSS.Text.TXT|DOSS.Flag.FLAG|IOSS.Int.INT|IOST.Timer.TMR"
             "|DOSG.Fire.FIRE|FOSS.Out.OUT|\\"},
            "K7MODDEF.TXT");
        if (!load.Messages.empty())
            throw std::runtime_error(load.Messages[0]);
        return std::move(load.Library);
    }();
    return library;
}

Project MakeProject(int instances) {
    const ModuleLibrary& library = BenchLibrary();
    Project project;
    ResetProject(project, library);
    project.FileName = "BENCH.TVR";
    for (int slot = 1; slot <= 8; ++slot)
        project.Cards.At(1, slot) = 6;
    for (int i = 0; i < instances; ++i) {
        TModuleInst instance;
        const bool input = i % 10 == 9;
        instance.ModuleNumber = input ? 2 : 70;
        instance.Category = library.Module(instance.ModuleNumber).TypeCode;
        instance.Name = "M" + std::to_string(i);
        if (input) {
            instance.Values[1] = std::to_string(i / 10 % 8 + 1);
            instance.Values[2] = std::to_string(i / 80 % 8 + 1);
            instance.Values[3] = "1";
        } else {
            instance.Values[1] = "32";
            instance.Values[2] = "20";
            const int previous = (i - 1) % 10 == 9 ? i - 2 : i - 1; // skips inputs
            instance.Values[3] = i == 0 ? "GlobalRTC" : "M" + std::to_string(previous) + ".OUT";
            instance.Values[4] = std::to_string(i % 97) + ".5";
        }
        RebuildOutputValues(instance, library);
        project.Modules.push_back(instance);
        TTlmRow row{};
        row[TlmPort] = "1";
        row[TlmWord] = std::to_string(i + 1);
        row[TlmBit] = std::to_string(i % 16 + 1);
        row[TlmName] = "RX" + std::to_string(i);
        row[TlmType] = i % 3 == 0 ? "Status" : (i % 3 == 1 ? "Float" : "Integer");
        project.RxArray.Rows.push_back(row);
    }
    RebuildDatabases(project, library);
    return project;
}

bool CompilesClean(int instances) {
    Project project = MakeProject(instances);
    CompileContext context(project, BenchLibrary());
    CompileProgress progress;
    return Compile(context, progress) == CompileOutcome::Clean;
}

// The largest instance count (within the project's limit) that still
// compiles clean.
int LargestCleanSize() {
    static const int largest = [] {
        int low = 1;
        int high = MaxInstances - 1; // "System" is the first instance
        if (CompilesClean(high))
            return high;
        while (low + 1 < high) {
            const int middle = (low + high) / 2;
            (CompilesClean(middle) ? low : high) = middle;
        }
        return low;
    }();
    return largest;
}

// Processor time of one compile of a fresh copy (new RAM addresses every
// time). Processor time, not wall time: the build machine is shared.
double CompileSeconds(const Project& original) {
    Project project = original;
    CompileContext context(project, BenchLibrary());
    CompileProgress progress;
    const std::clock_t start = std::clock();
    Compile(context, progress);
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
