// The ladder's schematic check: every cell of the grid must fit its four
// neighbours, and every contact and coil must name its variable. The ladder
// records are written only when the check finds nothing.
#pragma once

#include <string>
#include <vector>

namespace k7 {

struct CompileContext;
struct Project;

// One fault of the grid and the row (0-based) it lies on, so the ladder
// page can show it beside its rung.
struct LadderFinding {
    int Row = 0;
    std::string Message;
};
std::vector<LadderFinding> LadderFindings(const Project& project);

// Every fault of the grid, in row order: at most one schematic error per
// row (the rest of that row is not checked), any number of missing tags.
std::vector<std::string> LadderFaults(const Project& project);

// The check as the compile runs it in each pass: true when the ladder may
// be written. Faults are reported in the second pass only.
bool LadderCheck(CompileContext& context);

} // namespace k7
