// A small module library for the compiler tests, written in the library's
// own text format, and helpers that place instances in a project.
#pragma once

#include "compiler/compile_context.h"
#include "session/project_compile.h"
#include "workspace/databases.h"
#include "workspace/module_library.h"
#include "workspace/project.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace k7::test {

inline std::string Items(const std::string& code, const std::string& prompt, int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "|" + code + "." + prompt + " " + std::to_string(i) + ".";
    return text;
}

inline std::vector<std::string> TestLibraryLines() {
    return {
        "57|1|System|The unit itself." + Items("FISS", "In", 10) +
            "|DOSG.Boot.BootTrg|DOSG.Second.SecTrg|DOSS.Logon.Logon|\\",
        "2|1,2,3,6,7,14|Digital input DC|DI.|IISS.Channel.|IISS.Card.|IISS.Cage.|DOSS.State.ST|\\",
        "31|5|Com port|Port.|IISS.Board.|IISS.Port.|\\",
        "125|5|Printer port|Port.|IISS.Board.|IISS.Entries.|\\",
        "20|3|Tank|Tank.|FISS.Level in.|FOSS.Level.LEVEL|\\",
        "41|2|Wide|Many constants." + Items("FCSC", "K", 20) + "|FOSS.Out.OUT|\\",
        "40|3|Pointer|Uses a module.|FISM.Tank.|DISG.Trigger.|FISS.Value.|DOSG.Done.DONE|\\",
        "12|2|Adder|Adds.|FISS.Input A.|FISS.Input B.|FOSS.Sum.SUM|\\",
        "13|2|Arrays|Array outputs.|IISS.Count.|IISS.Length.|FOAS.Values.VAL|SOSS.Text.TXT|"
        "DOSS.Flag.FLAG|IOSS.Count.CNT|\\",
        "14|3|Timed|Timer.|FISS.Delay.|IOST.Timer.TMR|DOSG.Fire.FIRE|IOSS.Value.VAL|\\",
        "18|3|Level alarm|Alarms.|FISS.Input.|IOSS.State.STATE|FOSS.Out.OUT|\\",
        "60|1,1,0,4,5|Relay card|Relay.|IISS.Card.|DISS.Input.|\\",
        "168|3|Status list|Status words." + Items("DISS", "In", 24) + "|IOSS.Word.WORD|\\",
        "8|2|First walk|Walk one.|FISS.In.|FOSS.Out.OUT|\\",
        "65|3|Named|Named record.|FISS.In.|\\",
    };
}

inline ModuleLibrary TestLibrary() {
    LibraryLoad load = ParseModuleLibrary(TestLibraryLines(), "K7MODDEF.TXT");
    EXPECT_TRUE(load.Messages.empty()) << (load.Messages.empty() ? "" : load.Messages[0]);
    return std::move(load.Library);
}

// A new project (only "System") for the library.
inline Project NewTestProject(const ModuleLibrary& library, const std::string& fileName = {}) {
    Project project;
    ResetProject(project, library);
    project.FileName = fileName;
    return project;
}

// Appends an instance with input values; outputs get their database names.
inline TModuleInst& AddInstance(Project& project, const ModuleLibrary& library, int number,
                                const std::string& name,
                                const std::vector<std::string>& inputs = {}) {
    TModuleInst instance;
    instance.ModuleNumber = number;
    instance.Category = library.Module(number).TypeCode;
    instance.Name = name;
    for (size_t i = 0; i < inputs.size(); ++i)
        instance.Values[i + 1] = inputs[i];
    RebuildOutputValues(instance, library);
    project.Modules.push_back(instance);
    RebuildDatabases(project, library);
    return project.Modules.back();
}

inline CompileOptions TestOptions() {
    CompileOptions options;
    options.DateText = "01/02/2024 10:00:00";
    return options;
}

} // namespace k7::test
