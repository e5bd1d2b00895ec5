// Shared pieces of the workspace tests: a small module library and a
// temporary folder per test.
#pragma once

#include "workspace/module_library.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace k7::test {

// System (57) with ten inputs and constants and three outputs; an adder;
// a module with two Float outputs; one with every output kind; one whose
// code is not in the unit.
inline std::vector<std::string> TestLibraryLines() {
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

inline ModuleLibrary TestLibrary() {
    LibraryLoad load = ParseModuleLibrary(TestLibraryLines(), "K7MODDEF.TXT");
    EXPECT_TRUE(load.Messages.empty());
    return load.Library;
}

// A fresh folder under the system's temporary folder, removed at the end.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "k7test-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern + "/" : std::string();
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + name; }

  private:
    std::string path_;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

// Joins lines with CR LF after each.
inline std::string CrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace k7::test
