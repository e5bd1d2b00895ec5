// k7c basic SOURCE.BAS: builds a BASIC module as the editor's Compile
// button does, writing its object file beside the source.
#include "commands.h"

#include "basic/basic_build.h"
#include "workspace/text_file.h"

#include <algorithm>
#include <iostream>

namespace k7::cli {

static int BuildSource(const std::string& path) {
    const TextFile source = ReadTextLines(path);
    if (!source.Ok) {
        std::cerr << source.Error << "\n";
        return ExitUsage;
    }
    const BasicBuildResult result = BuildBasicModule(source.Lines, path);
    switch (result.Outcome) {
    case BasicBuildOutcome::Built:
        std::cout << result.StatusText << "\n";
        return ExitSuccess;
    case BasicBuildOutcome::Errors: {
        // The list holds the layout pass's messages before the emitting
        // pass's; a terminal reads best in line order.
        std::vector<BasicError> errors = result.Errors;
        std::stable_sort(errors.begin(), errors.end(),
                         [](const BasicError& a, const BasicError& b) { return a.Line < b.Line; });
        for (const BasicError& error : errors)
            std::cout << "line " << error.Line + 1 << ": " << error.Message << "\n";
        std::cout << result.StatusText << "\n";
        return ExitFailure;
    }
    case BasicBuildOutcome::NoProgram:
        std::cout << result.Message << "\n";
        return ExitFailure;
    case BasicBuildOutcome::NoFileName:
    case BasicBuildOutcome::WriteFailed:
        break;
    }
    std::cerr << result.Message << "\n";
    return ExitUsage;
}

void AddBasicCommand(CLI::App& app, const GlobalOptions&, int& status) {
    auto* command = app.add_subcommand("basic", "Compile a BASIC module into its object file");
    auto path = std::make_shared<std::string>();
    command->add_option("source", *path, "BASIC source file (.BAS)")->required();
    command->callback([&status, path] { status = BuildSource(*path); });
}

} // namespace k7::cli
