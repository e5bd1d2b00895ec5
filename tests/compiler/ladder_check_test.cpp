// The schematic check of the ladder: every cell against its four
// neighbours, missing tags, and when the reports are made.
#include "compiler/compile_context.h"
#include "compiler/ladder_check.h"
#include "tests/compiler/ladder_test_support.h"
#include "workspace/ladder_editor.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

class LadderCheckTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetProject(project, library); }

    // An open contact, lines and a coil, with names.
    void GoodRung(int row) {
        test::Draw(project, row, {8, 2, 2, 2, 2, 2, 2, 9});
        project.Ladder[row].CellNames[1] = "Tank.High";
        project.Ladder[row].CellNames[8] = "Pump.Coil";
    }

    ModuleLibrary library = test::TestLibrary();
    Project project;
};

TEST_F(LadderCheckTest, EmptyLadderAndAGoodRungPass) {
    EXPECT_TRUE(LadderFaults(project).empty());
    GoodRung(0);
    GoodRung(1);
    EXPECT_TRUE(LadderFaults(project).empty());
}

TEST_F(LadderCheckTest, CoilWithABlankToItsLeft) {
    project.Ladder[0].CellKinds[8] = KindCoil;
    project.Ladder[0].CellNames[8] = "Pump.Coil";
    // The blank refuses a coil on its right too, and is met first.
    EXPECT_EQ(LadderFaults(project),
              std::vector<std::string>{"Schematic error in ladder rung 1, cell 7"});
    test::Draw(project, 0, {8, 2, 2, 2, 2, 2, 2, 9});
    project.Ladder[0].CellNames[1] = "Tank.High";
    EXPECT_TRUE(LadderFaults(project).empty());
}

TEST_F(LadderCheckTest, VerticalLineInRowZeroWithBlankBelow) {
    project.Ladder[0].CellKinds[3] = KindLineV;
    const std::vector<std::string> faults = LadderFaults(project);
    ASSERT_FALSE(faults.empty());
    EXPECT_EQ(faults[0], "Schematic error in ladder rung 1, cell 3");
}

TEST_F(LadderCheckTest, SchematicErrorSkipsTheRestOfItsRowButMissingTagsDoNot) {
    // A contact without a tag, a second one, then a coil after a blank.
    test::Draw(project, 2, {8, 7, 2, 2, 1, 2, 2, 9});
    project.Ladder[2].CellNames[1] = "ab";
    project.Ladder[2].CellNames[2] = "";
    project.Ladder[2].CellNames[8] = "Pump.Coil";
    const std::vector<std::string> faults = LadderFaults(project);
    const std::vector<std::string> expected = {
        "Missing tag in ladder rung 3, cell 1",
        "Missing tag in ladder rung 3, cell 2",
        // Column 4's line has a blank to its right; nothing after it in
        // the row is checked.
        "Schematic error in ladder rung 3, cell 4",
    };
    EXPECT_EQ(faults, expected);
    // The findings carry the 0-based row the page shows them beside.
    for (const LadderFinding& finding : LadderFindings(project))
        EXPECT_EQ(finding.Row, 2) << finding.Message;
}

TEST_F(LadderCheckTest, CoilWithoutTagIsMissing) {
    GoodRung(0);
    project.Ladder[0].CellNames[8] = "";
    EXPECT_EQ(LadderFaults(project),
              std::vector<std::string>{"Missing tag in ladder rung 1, cell 8"});
}

TEST_F(LadderCheckTest, StoredZeroCountsAsBlankForTheCellAndItsNeighbours) {
    GoodRung(4);
    for (int c = 1; c <= 8; ++c) {
        project.Ladder[3].CellKinds[c] = 0;
        project.Ladder[5].CellKinds[c] = 1;
    }
    EXPECT_TRUE(LadderFaults(project).empty());
    // A stored 0 beside and above a junction is as wrong as a blank.
    project.Ladder[7].CellKinds[2] = KindJunction;
    const std::vector<std::string> expected = {"Schematic error in ladder rung 7, cell 2",
                                               "Schematic error in ladder rung 8, cell 1"};
    EXPECT_EQ(LadderFaults(project), expected);
}

TEST_F(LadderCheckTest, UnknownKindIsASchematicErrorNotACrash) {
    project.Ladder[1].CellKinds[5] = 11;
    project.Ladder[2].CellKinds[1] = -3;
    const std::vector<std::string> expected = {"Schematic error in ladder rung 2, cell 5",
                                               "Schematic error in ladder rung 3, cell 1"};
    EXPECT_EQ(LadderFaults(project), expected);
}

TEST_F(LadderCheckTest, JunctionAndBranchDownJoinTwoRungs) {
    GoodRung(1);
    project.Ladder[1].CellKinds[4] = KindDown;
    project.Ladder[2].CellKinds[4] = KindLineV;
    test::Draw(project, 3, {7, 2, 2, 6, 1, 1, 1, 1});
    project.Ladder[3].CellNames[1] = "Tank.Low";
    EXPECT_TRUE(LadderFaults(project).empty());
    // Without the vertical line the branch has a blank below it.
    project.Ladder[2].CellKinds[4] = KindBlank;
    EXPECT_EQ(LadderFaults(project).front(), "Schematic error in ladder rung 2, cell 4");
}

TEST_F(LadderCheckTest, TheLastGridRowIsCheckedAgainstTheRowAboveIt) {
    // A branch down in the last row but one, its junction in the last row.
    GoodRung(8);
    project.Ladder[8].CellKinds[4] = KindDown;
    test::Draw(project, 9, {8, 2, 2, 6, 1, 1, 1, 1});
    project.Ladder[9].CellNames[1] = "Tank.Low";
    ASSERT_EQ(project.LadderRows, 10);
    EXPECT_TRUE(LadderFaults(project).empty());
}

TEST_F(LadderCheckTest, ReportsOnlyInTheSecondPassAndBelowTwentyErrors) {
    project.Ladder[0].CellKinds[8] = KindCoil;
    project.Ladder[0].CellNames[8] = "Pump.Coil";
    CompileContext context(project, library, test::TestOptions());
    context.Pass = 1;
    EXPECT_FALSE(LadderCheck(context));
    EXPECT_EQ(context.ErrorCount, 0);
    context.Pass = 2;
    EXPECT_FALSE(LadderCheck(context));
    EXPECT_EQ(context.Errors, std::vector<std::string>{"Schematic error in ladder rung 1, cell 7"});
    context.ErrorCount = 20;
    EXPECT_FALSE(LadderCheck(context));
    EXPECT_EQ(context.ErrorCount, 20);
}

} // namespace
} // namespace k7
