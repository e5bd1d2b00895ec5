// The main window's Compile command: compiles the open project with the
// workspace's settings, then enables the commands the outcome calls for.
#pragma once

#include "compiler/compile_driver.h"

#include <string>
#include <vector>

namespace k7 {

class Workspace;

struct CompileCommandResult {
    CompileOutcome Outcome = CompileOutcome::Errors;
    std::vector<std::string> ErrorList; // sorted, as the List Errors window shows it
    std::string StatusMessage;          // the status bar's message panel
    bool ShowInGreen = false;           // the list of a clean compile
};

// A clean compile saves Intermed.Obj and disables Compile and List Errors
// until the project changes; otherwise List Errors is enabled. A failure
// to save the image is shown in an error box and counts as not clean.
CompileCommandResult CompileCommand(Workspace& workspace, CompileProgress& progress);

} // namespace k7
