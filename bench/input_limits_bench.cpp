// Inputs at the sizes the readers must survive, each against a tenth of
// it: a project file of a million lines and one with a line of ten million
// characters, a BASIC source of 100 000 lines, a library of 10 000
// records, and ten megabytes from a serial line that never stops. Each is
// read or refused; "ratio" (full size time / tenth time) is expected to
// stay at 12 or below, and "peak_mb" (the process's peak resident memory
// during the full-size run) below "limit_mb" (ten times the input plus
// 50 MB).
#include "basic/basic_compiler.h"
#include "tests/comm/terminal_line.h"
#include "workspace/module_library.h"
#include "workspace/project.h"
#include "workspace/project_file.h"
#include "workspace/text_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

using namespace k7;

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Resets the peak of resident memory to what is resident now (Linux).
void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double PeakMemoryMb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

std::string TempPath(const std::string& name) {
    return "/tmp/k7bench-" + std::to_string(static_cast<long>(getpid())) + "-" + name;
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// Reads a project file from disk the way Open does.
void ReadProjectPath(const std::string& path) {
    static const ModuleLibrary library;
    TextFile file = ReadTextLines(path, ProjectFileLimits);
    Project project;
    ResetProject(project, library);
    if (file.Ok)
        benchmark::DoNotOptimize(ReadProjectFile(file.Lines, library, project).Ok);
}

std::string ProjectWithLines(long lines) {
    std::string text = "!Unit type|LCD display choice|5.62|01/02/2026 10:00:00|\r\n7|0\r\n"
                       "!Card Configuration...\r\n";
    for (long i = 0; i < lines; ++i)
        text += "0|0|0|0|0|0|0|0|0|\r\n";
    return text;
}

std::string ProjectWithLongLine(long characters) {
    return "!Unit type|LCD display choice|5.62|01/02/2026 10:00:00|\r\n7|0\r\n" +
           std::string(static_cast<size_t>(characters), '|') + "\r\n";
}

struct Case {
    // Makes the input of a size and returns its bytes; the run reads it.
    std::function<double(long size)> Prepare;
    std::function<void()> Run;
};

std::string prepared;
std::vector<std::string> preparedLines;

Case ProjectLinesCase() {
    return {[](long size) {
                const std::string text = ProjectWithLines(size);
                WriteFile(TempPath("lines.tvr"), text);
                return static_cast<double>(text.size());
            },
            [] { ReadProjectPath(TempPath("lines.tvr")); }};
}

Case LongLineCase() {
    return {[](long size) {
                const std::string text = ProjectWithLongLine(size);
                WriteFile(TempPath("long.tvr"), text);
                return static_cast<double>(text.size());
            },
            [] { ReadProjectPath(TempPath("long.tvr")); }};
}

Case BasicCase() {
    return {[](long size) {
                preparedLines = {"#CODE"};
                preparedLines.insert(preparedLines.end(), static_cast<size_t>(size - 1),
                                     "X = X + 1");
                return static_cast<double>(size) * 11;
            },
            [] {
                BasicCompiler compiler;
                benchmark::DoNotOptimize(compiler.Compile(preparedLines).Errors.size());
            }};
}

Case LibraryCase() {
    return {[](long size) {
                preparedLines.clear();
                double bytes = 0;
                for (long number = 1; number <= size; ++number) {
                    preparedLines.push_back(std::to_string(number) + "|2|Module " +
                                            std::to_string(number) +
                                            "|Text.|FISS.Input.|FOSS.Result.Out|\\");
                    bytes += static_cast<double>(preparedLines.back().size()) + 2;
                }
                return bytes;
            },
            [] {
                benchmark::DoNotOptimize(
                    ParseModuleLibrary(preparedLines, "K7MODDEF.TXT").Messages.size());
            }};
}

Case SerialCase() {
    return {[](long size) {
                prepared = std::string(static_cast<size_t>(size), 'A');
                for (size_t at = 3000; at < prepared.size(); at += 7000)
                    prepared[at] = '\n';
                return static_cast<double>(size);
            },
            [] {
                test::TerminalLine terminal;
                terminal.Open();
                for (size_t at = 0; at < prepared.size(); at += 4096)
                    terminal.Receive(std::string_view(prepared).substr(at, 4096));
                benchmark::DoNotOptimize(terminal.Screen.Lines().size());
            }};
}

void Growth(benchmark::State& state, Case kind, long fullSize) {
    double fullSeconds = 0, tenthSeconds = 0, peak = 0, limit = 0;
    for (auto _ : state) {
        kind.Prepare(fullSize / 10);
        double start = CpuSeconds();
        kind.Run();
        tenthSeconds += CpuSeconds() - start;

        const double bytes = kind.Prepare(fullSize);
        ResetPeakMemory();
        start = CpuSeconds();
        kind.Run();
        fullSeconds += CpuSeconds() - start;
        peak = PeakMemoryMb();
        limit = 10 * bytes / (1024 * 1024) + 50;
    }
    state.counters["ratio"] = tenthSeconds > 0 ? fullSeconds / tenthSeconds : 0;
    state.counters["peak_mb"] = peak;
    state.counters["limit_mb"] = limit;
    if (state.counters["ratio"] > 12 || peak > limit) {
        std::fprintf(stderr,
                     "full %.1f ms, tenth %.2f ms, ratio %.2f, peak %.1f MB, limit %.1f MB\n",
                     fullSeconds * 1000 / 3, tenthSeconds * 1000 / 3, fullSeconds / tenthSeconds,
                     peak, limit);
        state.SkipWithError("beyond the growth or memory bound");
    }
}

BENCHMARK_CAPTURE(Growth, ProjectMillionLines, ProjectLinesCase(), 1000000L)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(Growth, ProjectTenMillionCharacterLine, LongLineCase(), 10000000L)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(Growth, BasicHundredThousandLines, BasicCase(), 100000L)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(Growth, LibraryTenThousandRecords, LibraryCase(), 10000L)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(Growth, SerialTenMegabytes, SerialCase(), 10000000L)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

BENCHMARK_MAIN();
