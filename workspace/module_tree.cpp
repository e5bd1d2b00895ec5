#include "workspace/module_tree.h"

#include "workspace/module_library.h"

namespace k7 {

namespace {

class TreeBuilder {
  public:
    TreeBuilder(const Project& project, const ModuleLibrary& library, ModuleTree& tree)
        : project_(project), library_(library), tree_(tree) {}

    void AddRoot(int instance) {
        TreeNode root = Node(instance);
        expansions_ = 0;
        if (library_.Module(project_.Modules[instance].ModuleNumber).OutputCount > 0)
            Expand(FirstOutput(instance), root);
        tree_.Roots.push_back(std::move(root));
    }

  private:
    TreeNode Node(int instance) const {
        TreeNode node;
        node.Name = project_.Modules[instance].Name;
        node.Instance = instance;
        return node;
    }

    std::string FirstOutput(int instance) const {
        const TModuleInst& m = project_.Modules[instance];
        const TModuleDef& def = library_.Module(m.ModuleNumber);
        if (def.OutputCount <= 0 || def.FirstOutputItem() > MaxModuleItems)
            return {};
        return m.Values[def.FirstOutputItem()];
    }

    // An input names `name` when it equals it, or does after one leading "^".
    bool FeedsOn(int instance, const std::string& name) const {
        const TModuleInst& m = project_.Modules[instance];
        const TModuleDef& def = library_.Module(m.ModuleNumber);
        for (int k = 1; k < def.FirstOutputItem() && k <= MaxModuleItems; ++k) {
            const std::string& value = m.Values[k];
            const bool caret = !value.empty() && value[0] == '^';
            if (value.compare(caret ? 1 : 0, std::string::npos, name) == 0)
                return true;
        }
        return false;
    }

    // An instance without outputs has no name to follow: an empty name would
    // otherwise take in every instance with an empty input.
    void Expand(const std::string& name, TreeNode& node) {
        if (++expansions_ >= TreeExpansionLimit + 1 || name.empty())
            return;
        for (int x = 0; x < project_.ModuleCount(); ++x) {
            if (!FeedsOn(x, name))
                continue;
            tree_.Placed[x] = true;
            node.Children.push_back(Node(x));
            Expand(FirstOutput(x), node.Children.back());
        }
    }

    const Project& project_;
    const ModuleLibrary& library_;
    ModuleTree& tree_;
    int expansions_ = 0;
};

} // namespace

ModuleTree BuildModuleTree(const Project& project, const ModuleLibrary& library,
                           std::optional<int> selected) {
    ModuleTree tree;
    tree.Placed.assign(project.ModuleCount(), false);
    if (selected && (*selected < 0 || *selected >= project.ModuleCount()))
        return tree;
    TreeBuilder builder(project, library, tree);
    for (int i = selected.value_or(0); i < project.ModuleCount(); ++i) {
        if (tree.Placed[i])
            continue;
        builder.AddRoot(i);
        if (selected)
            break;
    }
    if (!tree.Roots.empty())
        tree.Roots.front().Expanded = true;
    return tree;
}

} // namespace k7
