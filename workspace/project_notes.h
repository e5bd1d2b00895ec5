// The project notes as the notes field edits them: they are the fifth field
// of the project file's header line, so a "|" cannot be kept.
#pragma once

#include "workspace/workspace.h"

#include <string>

namespace k7 {

// Takes the typed notes and marks the project changed; notes holding a "|"
// are refused with BarRefusedMessage and the earlier notes stay. False when
// refused.
bool EditProjectNotes(Workspace& workspace, const std::string& notes);

} // namespace k7
