// Compiling a BASIC module must take time in proportion to its length:
// 10 000 lines may take at most 12 times as long as 1 000.
#include "basic/basic_compiler.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// One round of statements that exercises every table: a local assigned
// and read, a new constant, labels jumped to from both sides, one IF (a
// block or a single-line one, so that 10 000 lines stay within 998 IFs),
// string functions and a subroutine.
void AppendRound(std::vector<std::string>& lines, int round) {
    const std::string k = std::to_string(round);
    const std::string local = "V" + std::to_string(round % 500);
    lines.push_back("L" + k + ": " + local + " = LEVEL * " + k + ".5 + COUNT%");
    if (round % 2 == 0) {
        lines.push_back("IF " + local + " > LEVEL THEN");
        lines.push_back("RESULT = SQR(ABS(" + local + ")) - (LEVEL + 1) / 2");
        lines.push_back("ELSE");
        lines.push_back("RESULT = " + local + " ' note " + k);
        lines.push_back("ENDIF");
    } else {
        lines.push_back("IF LEN(TEXT$) > 30 THEN GOTO L" + k);
        lines.push_back("ELSE RESULT = SQR(ABS(" + local + ")) - (LEVEL + 1) / 2");
        lines.push_back("RESULT = " + local + " ' note " + k);
        lines.push_back("COUNT% = COUNT% + 1");
    }
    lines.push_back("TEXT$ = LEFT$(NAME$ + \"#" + k + "\", 10) + MID$(TEXT$, 2, 3)");
    lines.push_back("GOSUB S" + k + " : RESULT = RESULT + " + local);
    lines.push_back("");
    lines.push_back("' comment line " + k);
    lines.push_back("GOTO E" + k);
    lines.push_back("S" + k + ": RESULT = RESULT * 2 : RETURN");
    lines.push_back("E" + k + ":");
}

constexpr int LinesPerRound = 13;

std::vector<std::string> GeneratedModule(int lineCount) {
    std::vector<std::string> lines = {"#MODULE",        "Generated for the benchmark",
                                      "#INPUTS",        "Level:LEVEL",
                                      "Name:NAME$[20]", "#OUTPUTS",
                                      "Result:RESULT",  "Count:COUNT%",
                                      "Text:TEXT$[40]", "#CODE",
                                      "COUNT% = 0",     "TEXT$ = NAME$"};
    for (int round = 0; static_cast<int>(lines.size()) + LinesPerRound <= lineCount; ++round)
        AppendRound(lines, round);
    while (static_cast<int>(lines.size()) < lineCount)
        lines.push_back("RESULT = LEVEL");
    return lines;
}

void BM_CompileBasicModule(benchmark::State& state) {
    const std::vector<std::string> lines = GeneratedModule(static_cast<int>(state.range(0)));
    int errors = 0;
    for (auto _ : state) {
        k7::BasicCompiler compiler;
        const k7::BasicCompileOutput output = compiler.Compile(lines);
        errors = static_cast<int>(output.Errors.size());
        benchmark::DoNotOptimize(output.CodeLines.data());
    }
    if (errors != 0)
        state.SkipWithError("the generated module does not compile cleanly");
    state.SetComplexityN(state.range(0));
    state.counters["lines"] = static_cast<double>(lines.size());
}

BENCHMARK(BM_CompileBasicModule)
    ->Arg(1000)
    ->Arg(10000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
