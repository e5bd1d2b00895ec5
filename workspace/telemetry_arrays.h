// Housekeeping of the TX and RX telemetry arrays that opening a project
// and the array editor share.
#pragma once

#include "workspace/project.h"

namespace k7 {

// Removes the rows without a type (fewer than four characters in the Type
// cell); a row keeps its Address cell as it moves up, so an RX row keeps
// its RAM address with its name. Trailing rows without a type are dropped.
void CompactArray(TTlmArray& array);

// One entry per run of rows of one message:
// "Brd " b ", Prt " p ", Src " source ", Dst " dest.
std::vector<std::string> ArrayList(const TTlmArray& array);
// Rebuilds "RX Arrays In Project:" and "TX Arrays In Project:".
void ListArrays(Project& project);

// Decimal value of a cell; a cell that is not a number reads as 0.
int CellNumber(const std::string& cell);

} // namespace k7
