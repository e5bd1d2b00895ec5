// The derived database lists: every named variable of the project, by the
// list it belongs to, recomputed from the primary data after every change
// that can add or remove a name.
#pragma once

#include "workspace/project.h"

namespace k7 {

class ModuleLibrary;

void RebuildDatabases(Project& project, const ModuleLibrary& library);

// The instance lists per category 1..5, entries InstanceName + "..." + type name.
void RebuildInstanceLists(Project& project, const ModuleLibrary& library);

// The TX database name of a TX row: "P" Port "D" Dest. "W" Word "B" Bit "." Name.
std::string TxDatabaseName(const TTlmRow& row);

} // namespace k7
