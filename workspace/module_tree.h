// The module tree: which instances feed which, found by following each
// instance's first output into the inputs of the others.
#pragma once

#include "workspace/project.h"

#include <optional>
#include <string>
#include <vector>

namespace k7 {

class ModuleLibrary;

// Each root's tree is expanded at most this many times in all.
constexpr int TreeExpansionLimit = 12;

struct TreeNode {
    std::string Name;
    int Instance = -1; // index into Project::Modules
    bool Expanded = false;
    std::vector<TreeNode> Children;
};

struct ModuleTree {
    std::vector<TreeNode> Roots;
    std::vector<bool> Placed; // per instance: already shown as a child
};

// " Tree   " (selected: the one instance as the only root) or "Full Tree"
// (no selection: every instance not shown as a child becomes a root). The
// first root opens expanded. A selection outside the project gives an empty tree.
ModuleTree BuildModuleTree(const Project& project, const ModuleLibrary& library,
                           std::optional<int> selected);

} // namespace k7
