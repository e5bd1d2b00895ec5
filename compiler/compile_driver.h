// The compile of a whole project into the download image: the fixed
// records, the RAM assignment, the constants, then two passes over the
// sections (the first places every record, the second writes the lines),
// the sys-pointer record, the end record and the outcome.
#pragma once

#include "compiler/compile_context.h"
#include "compiler/compile_progress.h"
#include "compiler/sections.h"

#include <string>
#include <vector>

namespace k7 {

struct WorkspaceSettings;

// The options the desktop program compiles with: the two preferences, the
// BASIC folder, and Intermed.Obj in the system folder.
CompileOptions WorkspaceCompileOptions(const WorkspaceSettings& settings,
                                       const std::string& dateText);

// Runs the whole sequence on the context's project, walking the sections
// in the order given in both passes. A clean compile writes the image to
// options.ImagePath (when given) and clears the project's needs-compile
// flag. The context keeps the image, the symbol lists and the figures
// until it is dropped.
CompileOutcome Compile(CompileContext& context, CompileProgress& progress,
                       const SectionTable& sections);

// The stop test between sections: the Cancel button sets the halt flag;
// more than 18 errors stop the passes too.
bool StopTest(CompileContext& context, CompileProgress& progress);

// The marker lines of the image sections, in image order.
namespace Marker {
constexpr const char* FileName = "#0 File name...|\\";
constexpr const char* SysPointers =
    "#1 Sys ptrs...Modules|dsps|Tx|Rx|Tmrs|#tmrs|Trigs|#trigs|UtypeDtype#brds|ComBufDef|Tbls|\\";
constexpr const char* Cards = "#2 Cards...|\\";
constexpr const char* Constants = "#3 Constants...|\\";
constexpr const char* Modules = "#4 Modules...|\\";
constexpr const char* Ladder = "#5 Ladder...|\\";
constexpr const char* Tx = "#6 Tx...|\\";
constexpr const char* Rx = "#7 Rx...|\\";
constexpr const char* Displays = "#8 Displays...|\\";
constexpr const char* ComBuffers = "#9 Com buffer def, TX then RX...|\\";
constexpr const char* Tables = "#A Table def...|\\";
constexpr const char* Speech = "#B Speech...|\\";
constexpr const char* Basic = "#C Basic...|\\";
constexpr const char* End = "#D End of file";
} // namespace Marker

// "Ram= used/200704" and "Flash= used/262144".
std::string RamFigureText(int ramUsed);
std::string FlashFigureText(int flashUsed);

} // namespace k7
