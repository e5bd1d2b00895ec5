// The generated projects of the benchmarks: n module instances (every
// output kind, names referring to each other), with cards, TX and RX rows,
// ladder rungs, tables, speech reports and displays in proportion, up to
// the largest that compiles clean in the unit's RAM and flash.
#pragma once

#include "session/project_compile.h"
#include "workspace/databases.h"
#include "workspace/module_library.h"
#include "workspace/project.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace k7::bench {

// The lines of the generated projects' module library (K7MODDEF.TXT).
inline std::vector<std::string> BenchLibraryLines() {
    std::string system = "57|1|System|The unit.";
    for (int i = 1; i <= 10; ++i)
        system += "|FISS.In " + std::to_string(i) + ".";
    system += "|DOSG.Boot.BootTrg|DOSG.Second.SecTrg|DOSS.Logon.Logon|\\";
    return {system,
            "2|1,2,3,6|Digital input DC|DI.|IISS.Channel.|IISS.Card.|IISS.Cage.|DOSS.State.ST|\\",
            "70|2|Everything|Every output kind.|IISS.Count.|IISS.Length.|FISS.In.|FICC.Gain."
            "|FOAS.Values.VAL|SOSS.Text.TXT|DOSS.Flag.FLAG|IOSS.Int.INT|IOST.Timer.TMR"
            "|DOSG.Fire.FIRE|FOSS.Out.OUT|\\"};
}

inline const ModuleLibrary& BenchLibrary() {
    static const ModuleLibrary library = [] {
        LibraryLoad load = ParseModuleLibrary(BenchLibraryLines(), "K7MODDEF.TXT");
        if (!load.Messages.empty())
            throw std::runtime_error(load.Messages[0]);
        return std::move(load.Library);
    }();
    return library;
}

// The name of an output of the i-th generated instance, or of the nearest
// one before it that has every output kind (every tenth is an input).
inline std::string Output(int i, const std::string& suffix) {
    if (i % 10 == 9)
        --i;
    return "M" + std::to_string(i) + "." + suffix;
}

// Two TX rows per instance: its output and its integer.
inline TTlmRow TxRow(int i, int word, const std::string& suffix) {
    TTlmRow row{};
    row[TlmPort] = "4";
    row[TlmSource] = "Us";
    row[TlmDest] = "5";
    row[TlmWord] = std::to_string(word);
    row[TlmBit] = "0";
    row[TlmName] = Output(i, suffix);
    row[TlmMult] = "1.0";
    row[TlmType] = suffix == "INT" ? "Integer" : "Float";
    return row;
}

// One rung per five instances, as many as the grid holds: an open contact,
// a line to the coil, and a timer coil.
inline void AddLadder(Project& project, int instances) {
    const int rungs = std::min(LadderMaxRows - 2, instances / 5);
    for (int r = 0; r < rungs; ++r) {
        TLadderRung& rung = project.Ladder[r];
        rung.CellKinds[1] = 8;
        rung.CellNames[1] = Output(r * 5, "FLAG");
        for (int c = 2; c < LadderColumns; ++c)
            rung.CellKinds[c] = 2;
        rung.CellKinds[LadderColumns] = 9;
        rung.CellNames[LadderColumns] = "C" + std::to_string(r) + ".Coil";
        rung.OnDelay = "1";
    }
    project.LadderRows = std::max(LadderNewRows, rungs + 2);
}

// Five Float rows of three columns, one blank cell each.
inline void AddTable(Project& project, int t) {
    const std::string name = "T" + std::to_string(t);
    project.Tables.push_back("~" + name + "|" + Output(t * 50, "INT") + "|||5|3|20|1|$0|$0|");
    for (int k = 0; k < 5; ++k) {
        const std::string row = name + "R" + std::to_string(k);
        project.Tables.push_back("Float|" + row + "||1.5|2.5||" + row + ".TBL|");
    }
}

// Three lines of a phrase, a spoken number and a phrase selector.
inline void AddSpeechReport(Project& project, int r) {
    const int i = r * 100;
    project.SpeechReports.push_back("~S" + std::to_string(r) + "|" + Output(i, "FLAG") + "|||||8");
    for (int line = 0; line < 3; ++line)
        project.SpeechReports.push_back("|12|" + Output(i + line, "OUT") + ";@@@.@|" +
                                        Output(i + line, "INT") + ";40|" + std::string(11, '|'));
}

// Two lines of two values each on port 3.
inline void AddDisplay(Project& project, int d) {
    const int i = d * 50;
    project.Displays.push_back("~D" + std::to_string(d) + "|3|" + std::to_string(d % 100) + "|0|" +
                               Output(i, "FIRE") + "|");
    for (int line = 0; line < 2; ++line)
        project.Displays.push_back("Flow @@@.@ Level @@.@|" + Output(i + line, "OUT") + "|" +
                                   Output(i + line + 2, "OUT") + "|3|4|5|6|7|8|9|10|");
}

inline Project MakeProject(int instances) {
    const ModuleLibrary& library = BenchLibrary();
    Project project;
    ResetProject(project, library);
    project.FileName = "BENCH.TVR";
    for (int slot = 1; slot <= 7; ++slot)
        project.Cards.At(1, slot) = 6; // digital inputs
    project.Cards.At(1, 8) = 3;        // the speech/dialer card
    for (int i = 0; i < instances; ++i) {
        TModuleInst instance;
        const bool input = i % 10 == 9;
        instance.ModuleNumber = input ? 2 : 70;
        instance.Category = library.Module(instance.ModuleNumber).TypeCode;
        instance.Name = "M" + std::to_string(i);
        if (input) {
            instance.Values[1] = std::to_string(i / 10 % 8 + 1);
            instance.Values[2] = std::to_string(i / 80 % 7 + 1);
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
        project.TxArray.Rows.push_back(TxRow(i, 2 * i + 1, "OUT"));
        project.TxArray.Rows.push_back(TxRow(i, 2 * i + 2, "INT"));
    }
    AddLadder(project, instances);
    for (int t = 0; t < instances / 50; ++t)
        AddTable(project, t);
    for (int r = 0; r < instances / 100; ++r)
        AddSpeechReport(project, r);
    for (int d = 0; d < instances / 50; ++d)
        AddDisplay(project, d);
    RebuildDatabases(project, library);
    return project;
}

inline bool CompilesClean(int instances) {
    Project project = MakeProject(instances);
    CompileContext context(project, BenchLibrary());
    CompileProgress progress;
    return CompileProject(context, progress) == CompileOutcome::Clean;
}

// The largest instance count (within the project's limit) that still
// compiles clean.
inline int LargestCleanSize() {
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

} // namespace k7::bench
