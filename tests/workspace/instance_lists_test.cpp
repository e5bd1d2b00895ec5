// The instance lists and the database lists the user drags names from.
#include "tests/workspace/test_bench.h"
#include "workspace/databases.h"
#include "workspace/instance_lists.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

using test::TestBench;

TEST(InstanceLists, TitlesAndEntryTexts) {
    EXPECT_STREQ(InstanceListsTitle, "Modules in this K7 Project");
    EXPECT_STREQ(InstanceListTitles[1], "I/O + Sys");
    EXPECT_STREQ(InstanceListTitles[2], "Math");
    EXPECT_STREQ(InstanceListTitles[3], "Control");
    EXPECT_STREQ(InstanceListTitles[4], "Stats");
    EXPECT_STREQ(InstanceListTitles[5], "Comm");
    TestBench bench;
    bench.AddInstance(20, "SUM1");
    bench.AddInstance(21, "PUMP1");
    bench.AddInstance(20, "SUM2");
    RebuildDatabases(bench.project, bench.workspace.library);
    ASSERT_EQ(bench.project.InstanceLists[2].size(), 2u);
    EXPECT_EQ(bench.project.InstanceLists[2][0].Text, "SUM1...Adder");
    EXPECT_EQ(bench.project.InstanceLists[2][1].Text, "SUM2...Adder");
    EXPECT_EQ(bench.project.InstanceLists[1][0].Text, "System...System");
    EXPECT_EQ(InstanceOfListRow(bench.project, 2, 1), 3);
    EXPECT_EQ(InstanceOfListRow(bench.project, 3, 0), 2);
    EXPECT_EQ(InstanceOfListRow(bench.project, 3, 1), -1);
    EXPECT_EQ(InstanceOfListRow(bench.project, 6, 0), -1);
}

TEST(InstanceLists, LookupCutsTheEntryAtItsFirstPeriod) {
    TestBench bench;
    bench.AddInstance(20, "SUM1");
    EXPECT_EQ(FindInstanceByEntry(bench.project, "SUM1...Adder"), 1);
    EXPECT_EQ(FindInstanceByEntry(bench.project, "SUM1"), 1);
    EXPECT_EQ(FindInstanceByEntry(bench.project, "sum1...Adder"), -1);
    EXPECT_EQ(FindInstanceByEntry(bench.project, "SUM...Adder"), -1);
    EXPECT_EQ(FindInstanceByEntry(bench.project, ""), -1);
}

TEST(DatabaseLists, TitlesAndDragLetters) {
    const char* titles[] = {"Floating Pt", "Integer", "Status", "TX", "RX", "Strings"};
    const char letters[] = {'F', 'I', 'D', 'T', 'A', 'S'};
    for (size_t i = 0; i < DatabaseListInfos.size(); ++i) {
        EXPECT_STREQ(DatabaseListInfos[i].Title, titles[i]);
        EXPECT_EQ(DatabaseListInfos[i].DragLetter, letters[i]);
    }
    EXPECT_EQ(DatabaseListOf(DbType::Rx).DragLetter, 'A');
    EXPECT_EQ(DatabaseListOf(DbType::Status).DragLetter, 'D');
}

TEST(DatabaseLists, ADragCarriesTheNameAndItsLetter) {
    TestBench bench;
    bench.AddInstance(21, "PUMP1");
    RebuildDatabases(bench.project, bench.workspace.library);
    const std::vector<std::string>& status = bench.project.Databases.Status;
    ASSERT_GE(status.size(), 5u); // System's three, then PUMP1's two
    const std::optional<DbDrag> drag = StartDbDrag(bench.project, DbType::Status, 3);
    ASSERT_TRUE(drag);
    EXPECT_EQ(drag->Name, "PUMP1.RUN");
    EXPECT_EQ(drag->Letter, 'D');
    EXPECT_FALSE(StartDbDrag(bench.project, DbType::Float, 0));
    EXPECT_FALSE(StartDbDrag(bench.project, DbType::Status, -1));
}

} // namespace
} // namespace k7
