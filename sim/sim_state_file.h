// The simulated unit's state file: what the unit has been given, one fact a
// line, so that a test can check what a download or a watch put into it.
// The format is described in sim/README.md.
#pragma once

#include "sim/sim_unit.h"

#include <string>

namespace k7::sim {

std::string StateText(const UnitState& state);
// Program lines and OS data as the state file writes them: bytes outside
// printable ASCII, and "~" itself, become "~" and two hex digits.
std::string EscapedText(const std::string& bytes);
// Writes a temporary file beside path and renames it over path. Empty
// string on success, otherwise the reason.
std::string WriteStateFile(const std::string& path, const UnitState& state);

} // namespace k7::sim
