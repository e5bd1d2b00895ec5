// Small module library, introduction file and projects shared by the
// documentation tests.
#pragma once

#include "workspace/module_library.h"
#include "workspace/project.h"

#include <string>
#include <vector>

namespace k7::test {

// Module types 1, 2, 8, 20, 23, 57, 154 and 155 with short prompts.
const ModuleLibrary& DocLibrary();

// One short block per letter; every marker line is longer than two characters.
const std::vector<std::string>& DocIntroLines();

// A new project: only the "System" instance, saved as C:\K7\Projects\NEW.tvr.
Project NewDocProject();

// A project with every section: settings and I/O instances on three cards,
// notes, two displays, TX and RX rows, two ladder rungs, two tables, two
// speech reports and a BASIC module. Its databases are rebuilt.
Project SmallDocProject();

TModuleInst MakeInstance(const std::string& name, int category, int moduleNumber,
                         const std::vector<std::string>& values);

} // namespace k7::test
