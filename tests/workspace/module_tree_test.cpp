// The module tree: chains through first outputs, "^" inputs, the selected
// instance as sole root, and the limit of twelve expansions per root.
#include "tests/workspace/test_bench.h"
#include "workspace/module_tree.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

using test::TestBench;

std::vector<std::string> Names(const std::vector<TreeNode>& nodes) {
    std::vector<std::string> names;
    for (const TreeNode& node : nodes)
        names.push_back(node.Name);
    return names;
}

TEST(ModuleTree, ChainWithCaretInputsNestsUnderItsSource) {
    TestBench bench;
    bench.AddInstance(20, "A");
    bench.AddInstance(20, "B", {"A.SUM"});
    bench.AddInstance(20, "C", {"1", "^B.SUM"});
    const ModuleTree tree = BuildModuleTree(bench.project, bench.workspace.library, std::nullopt);
    ASSERT_EQ(Names(tree.Roots), (std::vector<std::string>{"System", "A"}));
    EXPECT_TRUE(tree.Roots[0].Expanded);
    EXPECT_FALSE(tree.Roots[1].Expanded);
    const TreeNode& a = tree.Roots[1];
    EXPECT_EQ(a.Instance, 1);
    ASSERT_EQ(Names(a.Children), std::vector<std::string>{"B"});
    ASSERT_EQ(Names(a.Children[0].Children), std::vector<std::string>{"C"});
    EXPECT_TRUE(a.Children[0].Children[0].Children.empty());
    EXPECT_EQ(tree.Placed, (std::vector<bool>{false, false, true, true}));
}

TEST(ModuleTree, SelectedInstanceIsTheOnlyRoot) {
    TestBench bench;
    bench.AddInstance(20, "A");
    const int b = bench.AddInstance(20, "B", {"A.SUM"});
    bench.AddInstance(20, "C", {"B.SUM"});
    bench.AddInstance(20, "LONE");
    const ModuleTree tree = BuildModuleTree(bench.project, bench.workspace.library, b);
    ASSERT_EQ(Names(tree.Roots), std::vector<std::string>{"B"});
    EXPECT_TRUE(tree.Roots[0].Expanded);
    EXPECT_EQ(Names(tree.Roots[0].Children), std::vector<std::string>{"C"});
    EXPECT_TRUE(BuildModuleTree(bench.project, bench.workspace.library, 9).Roots.empty());
}

TEST(ModuleTree, OnlyTheFirstOutputAndOneCaretLink) {
    TestBench bench;
    bench.AddInstance(21, "P");
    bench.AddInstance(20, "ON_RUN", {"P.RUN"});
    bench.AddInstance(20, "ON_FLT", {"P.FLT"});
    bench.AddInstance(20, "TWO_CARETS", {"^^P.RUN"});
    bench.AddInstance(20, "CASE", {"p.RUN"});
    const ModuleTree tree = BuildModuleTree(bench.project, bench.workspace.library, 1);
    EXPECT_EQ(Names(tree.Roots[0].Children), std::vector<std::string>{"ON_RUN"});
}

TEST(ModuleTree, AnInstanceWithoutOutputsEndsItsBranch) {
    TestBench bench;
    bench.AddInstance(20, "A");
    bench.AddInstance(24, "SINK", {"A.SUM"});
    bench.AddInstance(20, "UNWIRED"); // empty inputs must not hang under SINK
    const ModuleTree tree = BuildModuleTree(bench.project, bench.workspace.library, std::nullopt);
    EXPECT_EQ(Names(tree.Roots), (std::vector<std::string>{"System", "A", "UNWIRED"}));
    ASSERT_EQ(tree.Roots[1].Children.size(), 1u);
    EXPECT_TRUE(tree.Roots[1].Children[0].Children.empty());
}

TEST(ModuleTree, TwelveExpansionsDeepAtMost) {
    TestBench bench;
    bench.AddInstance(20, "N0");
    for (int i = 1; i < 15; ++i)
        bench.AddInstance(20, "N" + std::to_string(i), {"N" + std::to_string(i - 1) + ".SUM"});
    const ModuleTree tree = BuildModuleTree(bench.project, bench.workspace.library, std::nullopt);
    ASSERT_EQ(Names(tree.Roots), (std::vector<std::string>{"System", "N0", "N13"}));
    int depth = 0;
    const TreeNode* node = &tree.Roots[1];
    while (!node->Children.empty()) {
        node = &node->Children[0];
        ++depth;
    }
    EXPECT_EQ(depth, 12);
    EXPECT_EQ(node->Name, "N12");
    EXPECT_EQ(Names(tree.Roots[2].Children), std::vector<std::string>{"N14"});
}

TEST(ModuleTree, TheExpansionCountIsSharedByAllBranchesOfARoot) {
    TestBench bench;
    bench.AddInstance(20, "R");
    for (int i = 1; i <= 8; ++i) {
        const std::string x = "X" + std::to_string(i);
        bench.AddInstance(20, x, {"R.SUM"});
        bench.AddInstance(20, "Y" + std::to_string(i), {x + ".SUM"});
    }
    const ModuleTree tree = BuildModuleTree(bench.project, bench.workspace.library, 1);
    const TreeNode& root = tree.Roots[0];
    ASSERT_EQ(root.Children.size(), 8u);
    // Expansion 1 is R's; X k and Y k take 2k and 2k + 1: X6 is the last to grow a child.
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(root.Children[i].Children.size(), i < 6 ? 1u : 0u) << root.Children[i].Name;
}

} // namespace
} // namespace k7
