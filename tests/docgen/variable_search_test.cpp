#include "docgen/variable_search.h"

#include "tests/docgen/doc_fixture.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

TEST(VariableSearch, ClickWhileShownReplacesTheResultList) {
    const Project project = test::SmallDocProject();
    VariableSearch search(project, test::DocLibrary());
    search.Show();

    ASSERT_TRUE(search.NamePressed(DbType::Status, "LEVEL.LoAlm"));
    EXPECT_EQ(search.SearchedName(), "LEVEL.LoAlm");
    EXPECT_EQ(search.Results(),
              (std::vector<std::string>{"     Ladder rung 2, Contact 0",
                                        "     Speech Report LEVELRPT...Scan trigger"}));

    ASSERT_TRUE(search.NamePressed(DbType::Float, "FLOWPULSE.Dur"));
    EXPECT_EQ(search.SearchedName(), "FLOWPULSE.Dur");
    EXPECT_EQ(search.Results().size(), 3u);
    EXPECT_EQ(search.Results().front(), "     DOSER...PulseDurationOut...Duration");

    ASSERT_TRUE(search.NamePressed(DbType::Rx, "REMOTE1"));
    EXPECT_TRUE(search.Results().empty());
}

TEST(VariableSearch, TxNamesAndAHiddenPanelSearchNothing) {
    const Project project = test::SmallDocProject();
    VariableSearch search(project, test::DocLibrary());
    EXPECT_FALSE(search.NamePressed(DbType::Status, "LEVEL.LoAlm"));
    EXPECT_TRUE(search.SearchedName().empty());

    search.Show();
    ASSERT_TRUE(search.NamePressed(DbType::Integer, "MODE.TBL"));
    EXPECT_FALSE(search.NamePressed(DbType::Tx, "P4D7W1B0.LEVEL.Value"));
    EXPECT_EQ(search.SearchedName(), "MODE.TBL");
    EXPECT_EQ(search.Results().size(), 2u);

    search.Hide();
    EXPECT_FALSE(search.NamePressed(DbType::String, "LABEL.TBL"));
    EXPECT_EQ(search.SearchedName(), "MODE.TBL");
}

} // namespace
} // namespace k7
