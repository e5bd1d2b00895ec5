// A small module library and a workspace around it, shared by the tests of
// card cages, instances and the library view.
#pragma once

#include "tests/support/scripted_ui.h"
#include "workspace/module_library.h"
#include "workspace/project.h"
#include "workspace/workspace.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace k7::test {

// The I/O module numbers the unit knows, with the texts the card panel
// offers, plus a few plain modules for wiring, sizes and the tree.
inline const char* const TestLibraryText =
    R"(1|1,2,3,10,12,14,16,17|Analog input 4-20|Scales a loop current.|IISS.Channel.|IISS.Card.|IISS.Cage.|FISS.Span.|FOSS.Value.VAL|DOSA.Fault.FLT|\
2|1,2,3,6,7,14|Digital input DC|A contact.|IISS.Channel.|IISS.Card.|IISS.Cage.|DOSS.State.ST|\
3|1,2,3,8,9,17|Analog output|Drives an output.|IISS.Channel.|IISS.Card.|IISS.Cage.|FISS.Source.|\
4|1,2,3,4,5,14|Digital output|Drives a relay.|IISS.Channel.|IISS.Card.|IISS.Cage.|DISS.Source.|\
12|1,2,3,6,7|Digital input AC|Mains contact.|IISS.Channel.|IISS.Card.|IISS.Cage.|DOSS.State.ST|\
20|2|Adder|Adds two inputs.|FISS.Input A.|FISS.Input B.|FOSS.Sum.SUM|\
21|3|Pump control|Runs a pump.|DISS.Run request.|DOSS.Running.RUN|DOSA.Fault.FLT|\
22|4|Array store|Keeps samples.|IICS.Size.|FOAS.Samples.ARR|\
23|5|String builder|Builds text.|ICSS.Unused.|ICSS.Length.|SOSS.Text.TXT|\
24|2|Sink|Takes a value, gives none.|FISS.In.|\
25|102|Hidden math|Not built into the unit.|FISS.In.|FOSS.Out.OUT|\
44|1,2,3,4,5|Digital alarm output|Alarm relay.|IISS.Channel.|IISS.Card.|IISS.Cage.|DISS.Source.|\
55|1,2,3,10,12,14,16,17|Analog input 0-5v|Scales a voltage.|IISS.Channel.|IISS.Card.|IISS.Cage.|FOSS.Value.VAL|\
56|1,2,3,6,7,14|DiginCount|Counts pulses.|IISS.Channel.|IISS.Card.|IISS.Cage.|IOSS.Count.CNT|\
57|1|System|The unit itself.|IISS.P1.|IISS.P2.|IISS.P3.|IISS.P4.|IISS.P5.|IISS.P6.|IISS.P7.|IISS.P8.|IISS.P9.|IISS.P10.|DOSG.Boot.BootTrg|DOSG.Second.SecTrg|DOSS.Logon.Logon|\
60|1|Clock face|Not an I/O module number.|IISS.Channel.|IISS.Card.|IISS.Cage.|\
154|1,2,3,6,7,14|PulseDurationIn|Times pulses.|IISS.Channel.|IISS.Card.|IISS.Cage.|FOSS.Width.W|\
155|1,2,3,4,5,14|PulseDurationOut|Timed relay.|IISS.Channel.|IISS.Card.|IISS.Cage.|FISS.Width.|\
)";

inline std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

inline ModuleLibrary LibraryFrom(const std::string& text) {
    return ParseModuleLibrary(SplitLines(text), "test library").Library;
}

// A workspace with the test library and a new project; messages and
// questions go to `ui`.
struct TestBench {
    ScriptedUi ui;
    Workspace workspace{ui, [] { return std::string("06.12.2024 10:00:00"); }};
    Project& project = workspace.project;

    explicit TestBench(const std::string& libraryText = TestLibraryText) {
        workspace.library = LibraryFrom(libraryText);
        ResetProject(workspace.project, workspace.library);
    }

    // Appends an instance directly, outputs named after it.
    int AddInstance(int moduleNumber, const std::string& name,
                    const std::vector<std::string>& inputs = {}) {
        TModuleInst m;
        const TModuleDef& def = workspace.library.Module(moduleNumber);
        m.Category = def.TypeCode;
        m.ModuleNumber = moduleNumber;
        m.Name = name;
        for (size_t k = 0; k < inputs.size(); ++k)
            m.Values[k + 1] = inputs[k];
        RebuildOutputValues(m, workspace.library);
        project.Modules.push_back(m);
        return project.ModuleCount() - 1;
    }
};

} // namespace k7::test
