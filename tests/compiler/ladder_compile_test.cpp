// The ladder records in whole images written by hand, and the rules for
// names that do not resolve, branches and short cell lists.
#include "compiler/sections.h"
#include "tests/compiler/ladder_test_support.h"
#include "workspace/ladder_editor.h"

#include <gtest/gtest.h>

#include <memory>

namespace k7 {
namespace {

const std::string ExpectedDir = K7_COMPILER_EXPECTED_DIR;

class LadderCompileTest : public ::testing::Test {
  protected:
    void SetUp() override { project = test::NewTestProject(library, "C:\\K7\\LADDER1.TVR"); }

    // Open contact on System.Logon, six lines, coil Pump.Coil, delays "0".
    void SingleRung(int row) {
        test::Draw(project, row, {8, 2, 2, 2, 2, 2, 2, 9});
        project.Ladder[row].CellNames[1] = "System.Logon";
        project.Ladder[row].CellNames[8] = "Pump.Coil";
    }

    CompileOutcome CompileProject() {
        RebuildDatabases(project, library);
        context = std::make_unique<CompileContext>(project, library, test::TestOptions());
        return k7::CompileProject(*context, progress);
    }
    std::vector<std::string> Ladder() const {
        return test::SectionLines(context->Image, "#5 Ladder...|\\");
    }

    ModuleLibrary library = test::TestLibrary();
    Project project;
    CompileProgress progress;
    std::unique_ptr<CompileContext> context;
};

TEST_F(LadderCompileTest, SingleOpenContactRungWithCoil) {
    SingleRung(0);
    ASSERT_EQ(CompileProject(), CompileOutcome::Clean) << context->Errors.back();
    test::ExpectLines(context->Image.Lines, test::ExpectedLines(ExpectedDir, "single_rung.obj"),
                      "single_rung.obj");
}

TEST_F(LadderCompileTest, JunctionStoreRecordComesBeforeTheBranchThatReadsIt) {
    project.FileName = "C:\\K7\\LADDER2.TVR";
    test::Draw(project, 1, {8, 2, 2, 4, 2, 2, 2, 9});
    project.Ladder[1].CellNames[1] = "Pump.Coil";
    project.Ladder[1].CellNames[8] = "Pump.Coil";
    project.Ladder[2].CellKinds[4] = KindLineV;
    test::Draw(project, 3, {7, 2, 2, 6, 1, 1, 1, 1});
    project.Ladder[3].CellNames[1] = "System.Logon";
    ASSERT_EQ(CompileProject(), CompileOutcome::Clean) << context->Errors.back();
    test::ExpectLines(context->Image.Lines, test::ExpectedLines(ExpectedDir, "junction_branch.obj"),
                      "junction_branch.obj");
    EXPECT_EQ(project.Ladder[3].RungWord, 0x40F010u);
}

TEST_F(LadderCompileTest, UnresolvedOnDelayGivesAnEmptyWordAndAnError) {
    project.FileName = "C:\\K7\\LADDER3.TVR";
    SingleRung(0);
    project.Ladder[0].OnDelay = "Tank.Delay";
    EXPECT_EQ(CompileProject(), CompileOutcome::Errors);
    test::ExpectLines(context->Image.Lines,
                      test::ExpectedLines(ExpectedDir, "unresolved_on_delay.obj"),
                      "unresolved_on_delay.obj");
    EXPECT_EQ(context->Errors,
              (std::vector<std::string>{
                  "Compiling...", "Cannot find ON delay reference Tank.Delay in ladder rung 1"}));
}

TEST_F(LadderCompileTest, UnresolvedOffDelayAbandonsTheRung) {
    SingleRung(0);
    SingleRung(1);
    project.Ladder[1].CellNames[8] = "Fan.Coil";
    project.Ladder[0].OffDelay = "Tank.Delay";
    EXPECT_EQ(CompileProject(), CompileOutcome::Errors);
    EXPECT_EQ(context->Errors,
              (std::vector<std::string>{
                  "Compiling...", "Cannot find OFF delay reference Tank.Delay in ladder rung 1"}));
    // Only rung 2 is written, and the section ends right after it.
    const std::vector<std::string> lines = Ladder();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(0, 17), "400D4|232E|4010C|");
    EXPECT_EQ(context->Sys.Tx, 0x4010Cu);
}

TEST_F(LadderCompileTest, UnresolvedContactAbandonsItsRung) {
    SingleRung(0);
    project.Ladder[0].CellNames[1] = "Tank.Nowhere";
    SingleRung(1);
    project.Ladder[1].CellKinds[1] = KindClosed;
    project.Ladder[1].CellNames[8] = "Fan.Coil";
    EXPECT_EQ(CompileProject(), CompileOutcome::Errors);
    EXPECT_EQ(context->Errors,
              (std::vector<std::string>{"Compiling...",
                                        "Cannot find Tank.Nowhere in ladder rung 1, cell 1"}));
    const std::vector<std::string> lines = Ladder();
    ASSERT_EQ(lines.size(), 1u);
    // Rung 2 with its closed contact's bit 31 set.
    EXPECT_EQ(lines[0].substr(0, 26), "400D4|232E|4010C|8240F000|");
    EXPECT_EQ(context->Sys.Tx, 0x4010Cu);
}

TEST_F(LadderCompileTest, UnresolvedCoilAndOnDelayTimerAbandonTheRung) {
    SingleRung(0);
    // A context whose symbols know the contact and a coil without timers.
    CompileContext bare(project, library, test::TestOptions());
    bare.Pass = 2;
    bare.Symbols.AddStatus("System.Logon", 0x40F000);
    bare.Constants.Integers.Add("0");
    LadderCompile(bare);
    bare.Symbols.AddStatus("Pump.Coil", 0x40F00C);
    LadderCompile(bare);
    const std::vector<std::string> expected = {
        "Cannot find coil Pump.Coil in ladder rung 1, cell 8",
        "Cannot find ON delay reference Pump.CoilONdly in ladder rung 1"};
    EXPECT_EQ(bare.Errors, expected); // a bare context holds no "Compiling..."
    EXPECT_TRUE(bare.ModuleError);
    EXPECT_EQ(bare.FlashCursor, FlashBase);
    EXPECT_TRUE(bare.Image.Lines.empty());
}

TEST_F(LadderCompileTest, BranchLeftMergesIntoTheJunctionBelowAndEndsTheRecord) {
    // Rung 1 branches down at column 3, rung 2 branches left into the
    // junction of rung 3 in the same column.
    test::Draw(project, 0, {8, 2, 4, 2, 2, 2, 2, 9});
    project.Ladder[0].CellNames[1] = "System.Logon";
    project.Ladder[0].CellNames[8] = "Pump.Coil";
    test::Draw(project, 1, {8, 2, 10, 1, 1, 1, 1, 1});
    project.Ladder[1].CellNames[1] = "Pump.Coil";
    test::Draw(project, 2, {8, 2, 6, 1, 1, 1, 1, 1});
    project.Ladder[2].CellNames[1] = "System.Logon";
    ASSERT_EQ(CompileProject(), CompileOutcome::Clean) << context->Errors.back();
    // Pump.Coil 40F00C, Ladr.22 40F010, timers 40F014 and 40F018.
    const std::vector<std::string> expected = {
        "400D4|232C|400FC|240F000|" + std::string(6, '|') + "240F010|\\",
        "400FC|232D|40124|240F00C|" + std::string(6, '|') + "240F010|\\",
        "40124|232D|4014C|240F000|" + std::string(6, '|') + "240F010|\\",
        "4014C|232E|40184|||240F010|" + std::string(4, '|') +
            "240F00C|40094|40094|40F014|40F018|\\",
    };
    EXPECT_EQ(Ladder(), expected);
}

TEST_F(LadderCompileTest, BranchUpAndBranchWithoutJunctionGiveNoWord) {
    SingleRung(0);
    project.Ladder[0].CellKinds[4] = KindDown;
    project.Ladder[1].CellKinds[4] = KindLineV;
    SingleRung(2);
    project.Ladder[2].CellKinds[4] = KindUp;
    project.Ladder[2].CellNames[8] = "Fan.Coil";
    ASSERT_EQ(CompileProject(), CompileOutcome::Clean) << context->Errors.back();
    // Six cell words each, written as they are.
    const std::vector<std::string> expected = {
        "400D4|232E|4010C|240F000|" + std::string(5, '|') + "240F010|40094|40094|40F01C|40F020|\\",
        "4010C|232E|40144|240F000|" + std::string(5, '|') + "240F00C|40094|40094|40F014|40F018|\\",
    };
    EXPECT_EQ(Ladder(), expected);
}

TEST_F(LadderCompileTest, SchematicErrorWritesNoLadderRecordInEitherPass) {
    SingleRung(0);
    project.Ladder[0].CellKinds[7] = KindBlank;
    EXPECT_EQ(CompileProject(), CompileOutcome::Errors);
    EXPECT_EQ(context->Errors, (std::vector<std::string>{
                                   "Compiling...", "Schematic error in ladder rung 1, cell 6"}));
    EXPECT_TRUE(Ladder().empty());
    EXPECT_EQ(context->Sys.Tx, 0x400D4u);
}

} // namespace
} // namespace k7
