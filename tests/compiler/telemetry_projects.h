// Small projects for the telemetry and display compile tests: a module
// library with the unit's own module, a named trend record and an adder,
// and helpers that fill arrays and compile.
#pragma once

#include "tests/support/expected_lines.h"
#include "tests/support/test_library.h"

#include "compiler/compile_context.h"
#include "session/project_compile.h"
#include "workspace/databases.h"
#include "workspace/module_library.h"
#include "workspace/project.h"
#include "workspace/text_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace k7::test {

inline ModuleLibrary TelemetryLibrary() {
    std::string system = "57|1|System|The unit itself.";
    for (int i = 1; i <= 10; ++i)
        system += "|FISS.In " + std::to_string(i) + ".";
    system += "|DOSG.Boot.BootTrg|DOSG.Second.SecTrg|DOSS.Logon.Logon|\\";
    const std::vector<std::string> lines = {
        system,
        "65|3|Trend|Trend record.|FISS.In.|\\",
        "12|2|Adder|Adds.|FISS.Input A.|FISS.Input B.|FOSS.Sum.SUM|\\",
    };
    LibraryLoad load = ParseModuleLibrary(lines, "K7MODDEF.TXT");
    EXPECT_TRUE(load.Messages.empty()) << (load.Messages.empty() ? "" : load.Messages[0]);
    return std::move(load.Library);
}

inline std::vector<std::string> ExpectedImage(const std::string& name) {
    return ExpectedLines(K7_COMPILER_EXPECTED_DIR, name);
}

inline void ExpectImage(const DownloadImage& image, const std::vector<std::string>& expected,
                        const std::string& what) {
    ExpectLines(image.Lines, expected, what);
}

// The lines of the image from the marker `from` up to (not including) the
// next marker line.
inline std::vector<std::string> Section(const DownloadImage& image, const std::string& from) {
    std::vector<std::string> lines;
    auto at = std::find(image.Lines.begin(), image.Lines.end(), from);
    if (at == image.Lines.end())
        return {"<no " + from + ">"};
    for (++at; at != image.Lines.end() && !at->starts_with("#"); ++at)
        lines.push_back(*at);
    return lines;
}

// Errors reported by the compile, without the list's first entry.
inline std::vector<std::string> Reported(const CompileContext& context) {
    return {context.Errors.begin() + std::min<size_t>(1, context.Errors.size()),
            context.Errors.end()};
}

} // namespace k7::test
