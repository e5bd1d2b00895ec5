// The RAM assignment: sticky addresses, re-placed blocks, sizes of the
// module types, RX runs, speech, ladder, tables, timers, triggers and the
// Reassign command.
#include "compiler/compile_context.h"
#include "compiler/ram_assignment.h"
#include "session/project_compile.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/test_library.h"
#include "workspace/linescan.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

class RamAssignmentTest : public ::testing::Test {
  protected:
    ModuleLibrary library = test::TestLibrary();
    Project project = test::NewTestProject(library);

    std::unique_ptr<CompileContext> Assign() {
        auto context = std::make_unique<CompileContext>(project, library, test::TestOptions());
        AssignRam(*context);
        return context;
    }
    std::unique_ptr<CompileContext> CompileNow() {
        auto context = std::make_unique<CompileContext>(project, library, test::TestOptions());
        CompileProgress progress;
        k7::CompileProject(*context, progress);
        return context;
    }
    void AddRx(const std::string& name, const std::string& type, const std::string& bit = "",
               const std::string& mult = "", const std::string& address = "") {
        TTlmRow row{};
        row[TlmName] = name;
        row[TlmType] = type;
        row[TlmBit] = bit;
        row[TlmMult] = mult;
        row[TlmAddress] = address;
        project.RxArray.Rows.push_back(row);
    }
    std::string Rx(int row) const { return project.RxArray.Rows[row][TlmAddress]; }
};

TEST_F(RamAssignmentTest, SecondCompileOfAnUnchangedProjectKeepsEveryAddress) {
    test::AddInstance(project, library, 12, "ADD", {"1", "2"});
    test::AddInstance(project, library, 13, "ARR", {"3", "10"});
    AddRx("R1", "Float");
    AddRx("R2", "Integer");
    AddRx("R3", "Status", "1");
    // A contact, a line to the coil, and the coil.
    project.Ladder[0].CellKinds[1] = 8;
    project.Ladder[0].CellNames[1] = "System.Logon";
    for (int c = 2; c <= 7; ++c)
        project.Ladder[0].CellKinds[c] = 2;
    project.Ladder[0].CellKinds[8] = 9;
    project.Ladder[0].CellNames[8] = "Pump.Coil";
    project.Tables = {"~TBL|ADD.SUM|||2|2|20|0|$0|$0|", "Float|ROWA||1.5||ROWA.TBL|",
                      "Integer|ROWB||||ROWB.TBL|"};
    project.SpeechReports = {"~Alarm||||||1", "|12|13|"};
    project.Cards.At(1, 1) = 3; // the speech/dialer card the report speaks on
    auto first = CompileNow();
    ASSERT_EQ(first->Outcome, CompileOutcome::Clean) << first->Errors.back();
    EXPECT_TRUE(first->NewAddressesAssigned);
    EXPECT_TRUE(project.ProjectChanged);

    project.ProjectChanged = false;
    auto second = CompileNow();
    ASSERT_EQ(second->Outcome, CompileOutcome::Clean) << second->Errors.back();
    EXPECT_FALSE(second->NewAddressesAssigned);
    EXPECT_FALSE(project.ProjectChanged);
    EXPECT_EQ(second->Image.Lines, first->Image.Lines);
    // Stored addresses are listed in the first sub-pass, new ones in the
    // second, so only the rows' order may differ.
    for (auto list : {&SymbolTable::Float, &SymbolTable::Integer, &SymbolTable::Status,
                      &SymbolTable::String, &SymbolTable::Timers, &SymbolTable::Triggers}) {
        const SymbolList& a = first->Symbols.*list;
        const SymbolList& b = second->Symbols.*list;
        ASSERT_EQ(a.Size(), b.Size());
        for (const SymbolRow& row : a.Rows()) {
            ASSERT_NE(b.Find(row.Name), nullptr) << row.Name;
            EXPECT_EQ(b.Find(row.Name)->Address, row.Address) << row.Name;
        }
    }
}

TEST_F(RamAssignmentTest, GrownInstanceGetsANewBlockAndItsOldOneIsFree) {
    test::AddInstance(project, library, 13, "ARR", {"2", "4"});
    test::AddInstance(project, library, 12, "NEXT", {"1", "2"});
    Assign();
    // 2 floats, an 8-byte string, a status and an integer.
    EXPECT_EQ(project.Modules[1].RamStart, 0x40F00Cu);
    EXPECT_EQ(project.Modules[1].RamEnd, 0x40F00Cu + 24 - 1);
    EXPECT_EQ(project.Modules[2].RamStart, 0x40F024u);
    project.ProjectChanged = false;
    project.Modules[1].Values[1] = "5";
    auto second = Assign();
    EXPECT_EQ(project.Modules[1].RamStart, 0x40F028u);
    EXPECT_EQ(project.Modules[1].RamEnd, 0x40F028u + 36 - 1);
    EXPECT_EQ(project.Modules[2].RamStart, 0x40F024u);
    EXPECT_TRUE(second->NewAddressesAssigned);
    EXPECT_TRUE(project.ProjectChanged);
    // The timer and trigger blocks go into the old block.
    EXPECT_EQ(second->Sys.Tmrs, 0x40F00Cu);
    EXPECT_EQ(second->Sys.Trigs, 0x40F010u);
}

TEST_F(RamAssignmentTest, OutputsArePlacedInItemOrder) {
    test::AddInstance(project, library, 13, "ARR", {"3", "10"});
    auto context = Assign();
    const uint32_t start = project.Modules[1].RamStart;
    EXPECT_EQ(context->Symbols.Float.Find("ARR.VAL")->Address, HexWord(start | TagFloat));
    EXPECT_EQ(context->Symbols.String.Find("ARR.TXT")->Address, HexWord((start + 12) | TagString));
    EXPECT_EQ(context->Symbols.Status.Find("ARR.FLAG")->Address, HexWord((start + 24) | TagStatus));
    EXPECT_EQ(context->Symbols.Integer.Find("ARR.CNT")->Address, HexWord(start + 28));
    EXPECT_EQ(project.Modules[1].RamEnd, start + 31);
}

TEST_F(RamAssignmentTest, BlankCountAndLengthUseTheSameDefaultsForSizeAndPlacement) {
    test::AddInstance(project, library, 13, "ARR", {"", ""});
    auto context = Assign();
    const uint32_t start = project.Modules[1].RamStart;
    // 10 floats, then a 40-character string of 44 bytes.
    EXPECT_EQ(context->Symbols.String.Find("ARR.TXT")->Address, HexWord((start + 40) | TagString));
    EXPECT_EQ(context->Symbols.Integer.Find("ARR.CNT")->Address, HexWord(start + 88));
    EXPECT_EQ(project.Modules[1].RamEnd, start + 91);
}

TEST_F(RamAssignmentTest, SizeValueThatIsNoNumberIsReported) {
    test::AddInstance(project, library, 13, "ARR", {"many", "4"});
    auto context = Assign();
    EXPECT_EQ(context->Errors, std::vector<std::string>{"Size value must be a number in ARR"});
}

TEST_F(RamAssignmentTest, ModuleType18FirstOutputTakesSixteenBytes) {
    test::AddInstance(project, library, 18, "LA", {"1"});
    auto context = Assign();
    const uint32_t start = project.Modules[1].RamStart;
    EXPECT_EQ(project.Modules[1].RamEnd, start + 19);
    EXPECT_EQ(context->Symbols.Float.Find("LA.OUT")->Address, HexWord((start + 16) | TagFloat));
}

TEST_F(RamAssignmentTest, ModuleType168CountsStatusInputsThatAreNoVariables) {
    // Items 5..24 name status inputs; System.Logon is a Status variable.
    test::AddInstance(project, library, 168, "SL",
                      {"", "", "", "", "Pump.Run", "Valve.Open", "System.Logon", "ab"});
    auto context = Assign();
    // Three names longer than 3 characters, one of them a Status variable:
    // (3 - 1 + 1) x 4 + 4 = 16 bytes.
    EXPECT_EQ(project.Modules[1].RamEnd - project.Modules[1].RamStart + 1, 16u);
    project.Modules[1].Values[7] = "Other.Name";
    project.Modules[1].RamStart = project.Modules[1].RamEnd = 0;
    Assign();
    // None in the Status list: 3 x 4 + 4.
    EXPECT_EQ(project.Modules[1].RamEnd - project.Modules[1].RamStart + 1, 16u);
    project.Modules[1].Values[8] = "Fourth";
    project.Modules[1].RamStart = project.Modules[1].RamEnd = 0;
    Assign();
    EXPECT_EQ(project.Modules[1].RamEnd - project.Modules[1].RamStart + 1, 20u);
}

TEST_F(RamAssignmentTest, StoredBlocksThatOverlapAreReported) {
    TModuleInst& a = test::AddInstance(project, library, 12, "A");
    a.RamStart = 0x40F100;
    a.RamEnd = 0x40F103;
    TModuleInst& b = test::AddInstance(project, library, 12, "B");
    b.RamStart = 0x40F100;
    b.RamEnd = 0x40F103;
    auto context = Assign();
    EXPECT_EQ(context->ErrorCount, 4);
    EXPECT_EQ(context->Errors[0], "Ram overlap detected...you should zero Ram");
}

TEST_F(RamAssignmentTest, ModuleWithoutLibraryEntryTakesNoRam) {
    TModuleInst unknown;
    unknown.ModuleNumber = 199;
    unknown.Name = "GHOST";
    project.Modules.push_back(unknown);
    auto context = Assign();
    EXPECT_TRUE(context->Errors.empty());
    EXPECT_EQ(project.Modules[1].RamStart, 0u);
}

TEST_F(RamAssignmentTest, RxRunsAreSizedAndPlacedByTheirRows) {
    AddRx("A", "Integer");
    AddRx("B", "Integer", "", "10.0");
    AddRx("C", "Status", "1");
    AddRx("D", "Status", "2");
    AddRx("E", "Float", "", "", "$140F100"); // ends the first run
    AddRx("F", "Long Int");
    AddRx("G", "Float");
    auto context = Assign();
    // First run: 4 + 4 + 4 (Status bit 1) = 12 bytes from the first free cell.
    const uint32_t base = 0x40F00C;
    EXPECT_EQ(Rx(1), HexWord(base));
    EXPECT_EQ(Rx(2), HexWord((base + 4) | TagFloat));
    EXPECT_EQ(Rx(3), HexWord((base + 8) | TagStatus));
    EXPECT_EQ(Rx(4), HexWord((1u << 27) | TagStatus | (base + 8)));
    EXPECT_EQ(Rx(5), "140F100");
    // Second run: its own block of 8 bytes.
    EXPECT_EQ(Rx(6), HexWord((base + 12) | TagLongInt));
    EXPECT_EQ(Rx(7), HexWord((base + 16) | TagFloat));
    EXPECT_EQ(LookupName(*context, "G"), HexWord((base + 16) | TagFloat));
}

TEST_F(RamAssignmentTest, RunStartingAtStatusBitFiveAddsNoWordForIt) {
    AddRx("S5", "Status", "5");
    AddRx("I", "Integer");
    AddRx("LAST", "Integer");
    Assign();
    // Run size 8 (two integers); the status row shares the first word.
    EXPECT_EQ(Rx(1), HexWord((4u << 27) | TagStatus | 0x40F00C));
    EXPECT_EQ(Rx(2), HexWord(0x40F00C));
    EXPECT_EQ(Rx(3), HexWord(0x40F010));
}

TEST_F(RamAssignmentTest, LastRowAloneGetsNoAddress) {
    AddRx("A", "Float", "", "", "140F100");
    AddRx("B", "Float");
    Assign();
    EXPECT_EQ(Rx(2), "");
}

TEST_F(RamAssignmentTest, StoredRxTagFollowsTheRowTypeAndMultiplier) {
    AddRx("A", "Integer", "", "10.0", "$40F100");
    AddRx("B", "Float", "", "", "40F104");
    AddRx("C", "Integer", "", "1.0", "$140F108");
    auto context = Assign();
    EXPECT_EQ(Rx(1), "140F100");
    EXPECT_EQ(Rx(2), "140F104");
    EXPECT_EQ(Rx(3), "40F108");
    EXPECT_TRUE(context->Errors.empty());
}

TEST_F(RamAssignmentTest, StatusRxReservedTwiceIsFineFloatIsNot) {
    AddRx("A", "Status", "1", "", "240F100");
    AddRx("B", "Status", "2", "", "A40F100");
    AddRx("C", "Float", "", "", "140F104");
    auto clean = Assign();
    EXPECT_TRUE(clean->Errors.empty());
    AddRx("D", "Float", "", "", "140F104");
    auto clash = Assign();
    EXPECT_EQ(clash->Errors[0], "Ram overlap detected...reassign RAM");
}

TEST_F(RamAssignmentTest, SpeechReportsGetTriggersFlagAndSequenceBlocks) {
    project.SpeechReports = {"~First||||||1", "|12|", "x", "~Second||||||1"};
    auto context = Assign();
    const SymbolTable& s = context->Symbols;
    ASSERT_NE(s.Status.Find("First.HavAlrm"), nullptr);
    ASSERT_NE(s.Integer.Find("First.Seq"), nullptr);
    // Empty reports still get their block.
    ASSERT_NE(s.Integer.Find("Second.Seq"), nullptr);
    const uint32_t seq = HexValue(s.Integer.Find("Second.Seq")->Address);
    EXPECT_EQ(HexValue(s.Integer.Find("Second.Imgend")->Address), seq + 12 - 1 - 3);
    EXPECT_NE(LookupName(*context, "@First.DunTrg"), "");
    EXPECT_NE(LookupName(*context, "Second.ChgTrg"), "");
    EXPECT_EQ(context->Sys.TriggerCount, 6u);
}

TEST_F(RamAssignmentTest, LadderCoilAndJunctionShareTheRungWord) {
    TLadderRung& rung = project.Ladder[2];
    rung.CellKinds[4] = 6;
    rung.CellKinds[8] = 9;
    rung.CellNames[8] = "Fan.Coil";
    rung.OnDelay = "5";
    rung.OffDelay = "Delay.Var";
    auto first = Assign();
    ASSERT_NE(rung.RungWord, 0u);
    EXPECT_EQ(LookupName(*first, "Fan.Coil"), HexWord(rung.RungWord | TagStatus));
    EXPECT_EQ(LookupName(*first, "Ladr.23"), HexWord(rung.RungWord | TagStatus));
    EXPECT_EQ(first->Symbols.Timers.Rows()[0].Name, "Fan.CoilONdly");
    EXPECT_NE(first->Constants.Integers.Find("5"), nullptr);
    EXPECT_EQ(first->Constants.Strings.Find("Delay.Var"), nullptr); // a name, not a literal
    const uint32_t word = rung.RungWord;
    auto second = Assign();
    EXPECT_EQ(rung.RungWord, word);
    EXPECT_TRUE(second->Errors.empty());
    EXPECT_EQ(LookupName(*second, "Ladr.23"), HexWord(word | TagStatus));
}

TEST_F(RamAssignmentTest, TableBlockHoldsItsBlankCellsAndHeaderIsRewritten) {
    project.Tables = {"~T1|SEL|||2|3|20|2|$0|$0|", "String|NAMES||abc|||NAMES.TBL|",
                      "Float|LEVELS||1.5||2|LEVELS.TBL|"};
    auto context = Assign();
    // Blank cells: two strings of (20 div 4 + 2) x 4 = 28 bytes and one float.
    const std::vector<std::string> header = BarFields(project.Tables[0]);
    ASSERT_EQ(header.size(), 10u);
    const uint32_t start = HexValue(header[8]);
    EXPECT_EQ(HexValue(header[9]) - start + 1, 60u);
    EXPECT_EQ(project.Tables[0].substr(0, 17), "~T1|SEL|||2|3|20|");
    EXPECT_NE(context->Symbols.String.Find("NAMES.TBL"), nullptr);
    EXPECT_NE(context->Symbols.Float.Find("LEVELS.TBL"), nullptr);
    EXPECT_NE(context->Constants.Strings.Find("abc"), nullptr);
    EXPECT_NE(context->Constants.Strings.Find("T1"), nullptr);
    EXPECT_NE(context->Constants.Integers.Find("2"), nullptr);
    auto again = Assign();
    EXPECT_TRUE(again->Errors.empty());
    EXPECT_EQ(BarFields(project.Tables[0])[8], header[8]);
}

TEST_F(RamAssignmentTest, TimerBlockOfNoTimersStillTakesOneCell) {
    auto context = Assign();
    EXPECT_EQ(context->Sys.TimerCount, 0u);
    EXPECT_EQ(context->Sys.Tmrs, 0x40F00Cu);
    EXPECT_EQ(context->Sys.Trigs, 0x40F010u);
    EXPECT_EQ(context->Ram.UsedCount(), 12 + 1 + 4);
}

TEST_F(RamAssignmentTest, TimersAndTriggerOutputsOfModules) {
    test::AddInstance(project, library, 14, "TM", {"2.5"});
    auto context = Assign();
    EXPECT_EQ(context->Sys.TimerCount, 1u);
    EXPECT_EQ(LookupName(*context, "TM.TMR"), HexWord(context->Sys.Tmrs));
    EXPECT_EQ(context->Sys.TriggerCount, 3u);
    EXPECT_EQ(LookupName(*context, "@TM.FIRE"),
              HexWord((2u << 27) | TagStatus | context->Sys.Trigs));
    // The timer and trigger outputs do not move the placement cursor.
    EXPECT_EQ(LookupName(*context, "TM.VAL"), HexWord(project.Modules[1].RamStart));
}

TEST_F(RamAssignmentTest, ReassignClearsEveryStoredAddressAfterYes) {
    test::AddInstance(project, library, 12, "ADD", {"1", "2"});
    AddRx("A", "Float", "", "", "140F100");
    project.Tables = {"~T1|SEL|||1|1|20|0|$40F200|$40F203|", "Float|R|||R.TBL|"};
    project.BasicModules = {"B1|PUMP.BAS|I5|fB1.OUT|$40F300|$40F303"};
    project.Ladder[0].RungWord = 0x40F400;
    Assign();
    ASSERT_NE(project.Modules[1].RamStart, 0u);
    project.ProjectChanged = false;

    test::ScriptedUi ui;
    EXPECT_FALSE(Reassign(project, ui));
    EXPECT_NE(project.Modules[1].RamStart, 0u);
    EXPECT_EQ(ui.Questions, std::vector<std::string>{"Confirm OK to reassign project RAM?"});

    ui.YesNoAnswers.push_back(true);
    EXPECT_TRUE(Reassign(project, ui));
    EXPECT_EQ(project.Modules[1].RamStart, 0u);
    EXPECT_EQ(project.Modules[1].RamEnd, 0u);
    EXPECT_EQ(Rx(1), "$0");
    EXPECT_EQ(project.Tables[0], "~T1|SEL|||1|1|20|0|$0|$0|");
    EXPECT_EQ(project.BasicModules[0], "B1|PUMP.BAS|I5|fB1.OUT|$0|$0");
    EXPECT_EQ(project.Ladder[0].RungWord, 0u);
    EXPECT_TRUE(project.ProjectChanged);
}

} // namespace
} // namespace k7
