// Documentation of a project at the size limits of the model (1000
// instances, a full ladder, large tables) against a tenth of it. The cross
// references are gathered in one pass, so the time should grow linearly:
// the "ratio" counter (full size / tenth) is expected to stay at 12 or below.
#include "docgen/documentation.h"
#include "workspace/databases.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <string>

namespace {

using namespace k7;

const ModuleLibrary& BenchLibrary() {
    static const ModuleLibrary library =
        ParseModuleLibrary(
            {"20|3|PID|Loop.|FISS.Process value.|FISS.Setpoint.|FCSC.Gain.|FCSC.Integral time.|"
             "FOSS.Output.Out|DOSS.Alarm.Alm|\\",
             "57|1|System|Unit.|ICSC.Unit number.|DOSS.Boot trigger.BootTrg|"
             "DOSS.Seconds trigger.SecTrg|DOSS.Logged on.Logon|\\"},
            "K7MODDEF.TXT")
            .Library;
    return library;
}

std::string Loop(int i) {
    return "LOOP" + std::to_string(i);
}

// scale 10 is the full size; 1 a tenth of it.
Project GeneratedProject(int scale) {
    Project project;
    ResetProject(project, BenchLibrary());
    project.FileName = "/bench/LARGE.tvr";
    const int instances = 100 * scale - 1; // with "System": 100 per tenth
    for (int i = 1; i <= instances; ++i) {
        TModuleInst instance;
        instance.Name = Loop(i);
        instance.Category = 3;
        instance.ModuleNumber = 20;
        instance.Values[1] = Loop(i > 1 ? i - 1 : instances) + ".Out";
        instance.Values[2] = Loop((i * 7) % instances + 1) + ".Out";
        instance.Values[3] = "1.5";
        instance.Values[4] = "30";
        RebuildOutputValues(instance, BenchLibrary());
        project.Modules.push_back(instance);
    }
    const int rungs = std::min(20 * scale, LadderMaxRows);
    project.LadderRows = rungs;
    for (int r = 0; r < rungs; ++r) {
        TLadderRung& rung = project.Ladder[r];
        rung.CellKinds = {0, 8, 7, 8, 2, 2, 2, 2, 9};
        for (int c = 1; c <= 3; ++c)
            rung.CellNames[c] = Loop((r * 3 + c) % instances + 1) + ".Alm";
        rung.CellNames[8] = "RUNG" + std::to_string(r) + ".Coil";
        rung.OffDelay = Loop(r % instances + 1) + ".Out";
    }
    for (int t = 0; t < scale; ++t) {
        project.Tables.push_back("~TABLE" + std::to_string(t) + "|" + Loop(t + 1) +
                                 ".Out|||100|10|8|1|$0|$0|");
        for (int row = 0; row < 100; ++row) {
            std::string line = "Float|T" + std::to_string(t) + "R" + std::to_string(row) + "|";
            line += Loop((t * 100 + row) % instances + 1) + ".Out|";
            for (int c = 0; c < 10; ++c)
                line += (c % 2 ? Loop((row + c) % instances + 1) + ".Out" : "1.0") + "|";
            line += "T" + std::to_string(t) + "R" + std::to_string(row) + ".TBL|";
            project.Tables.push_back(line);
        }
    }
    for (int d = 0; d < 5 * scale; ++d) {
        project.Displays.push_back("~DSP" + std::to_string(d) + "|1|" + std::to_string(d) +
                                   "|0|System.SecTrg|");
        for (int l = 0; l < 4; ++l)
            project.Displays.push_back("Value @@@.@|" + Loop((d * 4 + l) % instances + 1) +
                                       ".Out|2|3|4|5|6|7|8|9|10|");
    }
    for (int w = 1; w <= 20 * scale; ++w) {
        TTlmRow row;
        row[TlmPort] = std::to_string(w % 27);
        row[TlmSource] = "Us";
        row[TlmDest] = "1";
        row[TlmWord] = std::to_string(w);
        row[TlmName] = Loop(w % instances + 1) + ".Out";
        row[TlmType] = "Float";
        project.TxArray.Rows.push_back(row);
    }
    RebuildDatabases(project, BenchLibrary());
    return project;
}

const std::vector<std::string> BenchIntro = {"!B K7", "INSTRUCTIONS"};

// Processor time of this process: the machine is shared, wall time is not steady.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double DocumentSeconds(const Project& project) {
    ProgressPanel progress; // shows nothing
    const DocSource source{project, BenchLibrary(), BenchIntro, true};
    const double start = CpuSeconds();
    DocLines lines =
        BuildDocumentation(source, DocumentationChoices{}, "01/01/2024 00:00:00", progress);
    benchmark::DoNotOptimize(lines);
    return CpuSeconds() - start;
}

void BM_DocumentFullSize(benchmark::State& state) {
    const Project project = GeneratedProject(10);
    for (auto _ : state)
        DocumentSeconds(project);
}
BENCHMARK(BM_DocumentFullSize)->Unit(benchmark::kMillisecond);

void BM_DocumentTenth(benchmark::State& state) {
    const Project project = GeneratedProject(1);
    for (auto _ : state)
        DocumentSeconds(project);
}
BENCHMARK(BM_DocumentTenth)->Unit(benchmark::kMillisecond);

// Both sizes in every iteration; "ratio" is full-size time over tenth time.
void BM_DocumentationGrowth(benchmark::State& state) {
    const Project full = GeneratedProject(10);
    const Project tenth = GeneratedProject(1);
    double fullSeconds = 0, tenthSeconds = 0;
    for (auto _ : state) {
        fullSeconds += DocumentSeconds(full);
        tenthSeconds += DocumentSeconds(tenth);
    }
    state.counters["ratio"] = tenthSeconds > 0 ? fullSeconds / tenthSeconds : 0;
}
BENCHMARK(BM_DocumentationGrowth)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
