// The case-folded order of the system's sorted lists, and the module order
// that the compiler walks and the documentation follows.
#pragma once

#include "workspace/project.h"

#include <string>
#include <vector>

namespace k7 {

// "Alphabetical without regard to case", the one order of every sorted
// list: ASCII letters folded to lower case, then bytes, a text before the
// longer texts it begins; texts equal after folding in plain byte order
// ("TANK" before "Tank" before "tank"), so a list sorts the same whatever
// order it came in.
bool LessIgnoringCase(const std::string& a, const std::string& b);
void SortIgnoringCase(std::vector<std::string>& entries);

// Instance indexes in the order the module passes walk them: project
// order, or sorted by "Name|number" (number 1-based) ignoring letter case
// when asked. "|" sorts after digits and letters, so "Tank2|4" comes
// before "Tank|5".
std::vector<int> ModuleOrderList(const Project& project, bool sortByName);

} // namespace k7
