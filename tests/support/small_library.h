// A small module library for the tests of the workspace, the session and
// k7c.
#pragma once

#include "workspace/module_library.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace k7::test {

// System (57) with ten inputs and constants and three outputs; an adder;
// a module with two Float outputs; one with every output kind; one whose
// code is not in the unit.
inline std::vector<std::string> SmallLibraryLines() {
    return {
        "57|1|System|The unit itself.",
        "Its outputs are the boot and second triggers.|FIC.Input 1.|FIC.Input 2.|FIC.Input 3."
        "|FIC.Input 4.|FIC.Input 5.|FIC.Input 6.|FIC.Input 7.|FIC.Input 8.|FIC.Input 9."
        "|FCC.Constant 10.|DOSG.Boot trigger.BootTrg|DOSG.Second trigger.SecTrg"
        "|DOSS.Logon.Logon|\\",
        "10|2|Adder|Adds two inputs.|FISS.Input A.|FISS.Input B.|FOSS.Sum.SUM|\\",
        "11|3|Splitter|Two outputs.|FISS.In.|FOSS.First.A|FOSS.Second.B|\\",
        "20|5|Mixed|Every output kind.|IISS.Size.|IISS.Length.|SOSS.Text.TXT|FOAS.Samples.ARR"
        "|IOSS.Count.CNT|DOSS.Flag.FLG|TOSS.Sent.TX|AOSS.Got.RX|\\",
        "30|103|Hidden|Not in the unit.|FISS.In.|FOSS.Out.OUT|\\",
    };
}

inline ModuleLibrary SmallLibrary() {
    LibraryLoad load = ParseModuleLibrary(SmallLibraryLines(), "K7MODDEF.TXT");
    EXPECT_TRUE(load.Messages.empty());
    return load.Library;
}

// How to start on a program folder (ending in "/") whose system folder
// holds the small library, the settings file beside it; the folder is
// filled here.
inline StartOptions SmallLibraryStart(const std::string& folder) {
    std::filesystem::create_directory(folder + "K7System");
    std::ofstream library(folder + "K7System/K7MODDEF.TXT", std::ios::binary);
    for (const std::string& line : SmallLibraryLines())
        library << line << "\r\n";
    StartOptions options;
    options.ProgramFolder = folder;
    options.SettingsPath = folder + "K7Setup.ini";
    return options;
}

} // namespace k7::test
