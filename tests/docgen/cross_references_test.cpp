#include "docgen/cross_references.h"

#include "tests/docgen/doc_fixture.h"
#include "workspace/databases.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

using test::DocLibrary;
using test::MakeInstance;
using Lines = std::vector<std::string>;

Lines Find(const Project& project, const std::string& name) {
    Lines lines;
    FindReferences(project, DocLibrary(), name, lines);
    return lines;
}

Project Empty() {
    return test::NewDocProject();
}

TEST(FindReferencesModuleInputs, NamesInstanceTypeAndPrompt) {
    Project project = Empty();
    project.Modules.push_back(MakeInstance("Pump1", 3, 20, {"LEVEL.Value", "SP.Level"}));
    EXPECT_EQ(Find(project, "SP.Level"), Lines{"     Pump1...PID...Setpoint"});
    EXPECT_EQ(Find(project, "LEVEL.Value"), Lines{"     Pump1...PID...Process value"});
}

TEST(FindReferencesModuleInputs, NeedsFourCharactersAndSkipsOutputsAndUnlistedTypes) {
    Project project = Empty();
    project.Modules.push_back(MakeInstance("P", 3, 20, {"ABC", "ABCD", "ABCD"}));
    EXPECT_TRUE(Find(project, "ABC").empty());
    EXPECT_EQ(Find(project, "ABCD"),
              (Lines{"     P...PID...Setpoint", "     P...PID...Proportional gain"}));
    // Item 6 is the output: its value is the instance's own output name.
    EXPECT_TRUE(Find(project, "P.Out").empty());

    TModuleInst foreign = MakeInstance("F", 3, 20, {"WXYZ"});
    foreign.ModuleNumber = 9001;
    project.Modules.push_back(foreign);
    EXPECT_TRUE(Find(project, "WXYZ").empty());
}

TEST(FindReferencesDisplays, TriggerAndFieldsUpToTheFirstShortField) {
    Project project = Empty();
    project.Displays = {"Orphan @|ORPHAN.Var|2|", "~MAIN|1|0|0|TRIG.Var|",
                        "A @ @ @|VAR.One|VAR.Two|3|VAR.Three|5|6|7|8|9|10|", "~SECOND|1|1|0||",
                        "B @|VAR.One|2|"};
    EXPECT_EQ(Find(project, "TRIG.Var"), Lines{"     Display MAIN...Display trigger"});
    EXPECT_EQ(Find(project, "VAR.One"), (Lines{"     Display MAIN...Displayed variable",
                                               "     Display SECOND...Displayed variable"}));
    EXPECT_EQ(Find(project, "VAR.Two"), Lines{"     Display MAIN...Displayed variable"});
    EXPECT_TRUE(Find(project, "VAR.Three").empty()); // after the place number "3"
    EXPECT_EQ(Find(project, "ORPHAN.Var"), Lines{"     Display ...Displayed variable"});
}

TEST(FindReferencesDisplays, NeedAtLeastTwoLines) {
    Project project = Empty();
    project.Displays = {"~MAIN|1|0|0|TRIG.Var|"};
    EXPECT_TRUE(Find(project, "TRIG.Var").empty());
}

TTlmRow TxRow(const std::string& port, const std::string& name) {
    TTlmRow row;
    row[TlmPort] = port;
    row[TlmSource] = "Us";
    row[TlmDest] = "12";
    row[TlmWord] = "3";
    row[TlmName] = name;
    row[TlmType] = "Float";
    return row;
}

TEST(FindReferencesTx, PortFourIsBoardOnePortTwo) {
    Project project = Empty();
    project.TxArray.Rows.push_back(TxRow("4", "FLOW.Value"));
    project.TxArray.Rows.push_back(TxRow("0", "FLOW.Value"));
    EXPECT_EQ(Find(project, "FLOW.Value"), (Lines{"     TX to: Board 1, Port 2, Dest 12, Word 3",
                                                  "     TX to: Board 0, Port 1, Dest 12, Word 3"}));
}

TEST(FindReferencesTx, PortThatIsNotANumberCountsAsZero) {
    Project project = Empty();
    project.TxArray.Rows.push_back(TxRow("4x", "FLOW.Value"));
    EXPECT_EQ(Find(project, "FLOW.Value"), Lines{"     TX to: Board 0, Port 1, Dest 12, Word 3"});
}

TEST(FindReferencesTx, TitleRowIsNotAUseOfAVariableCalledName) {
    Project project = Empty();
    project.TxArray.Rows.push_back(TxRow("1", "Other"));
    EXPECT_TRUE(Find(project, "Name").empty());
}

TEST(FindReferencesLadder, ContactsAndDelaysInRowOrder) {
    Project project = Empty();
    TLadderRung& rung = project.Ladder[4];
    rung.CellNames[1] = "VALVE.Open";
    rung.CellNames[7] = "VALVE.Open";
    rung.CellNames[8] = "VALVE.Open"; // the coil column is not a use
    rung.OnDelay = "VALVE.Open";
    rung.OffDelay = "VALVE.Open";
    project.Ladder[5].CellNames[3] = "VALVE.Open";
    EXPECT_EQ(Find(project, "VALVE.Open"),
              (Lines{"     Ladder rung 5, Contact 0", "     Ladder rung 5, Contact 6",
                     "     Ladder rung 5, Call delay ", "     Ladder rung 5, Off delay ",
                     "     Ladder rung 6, Contact 2"}));
}

TEST(FindReferencesLadder, NamesNeedFiveCharactersAndTheGridSevenRows) {
    Project project = Empty();
    project.Ladder[0].CellNames[1] = "ABC";
    project.Ladder[0].CellNames[2] = "ABCD";
    project.Ladder[0].CellNames[3] = "ABCDE";
    project.Modules.push_back(MakeInstance("P", 3, 20, {"ABC"}));
    EXPECT_TRUE(Find(project, "ABC").empty());
    EXPECT_TRUE(Find(project, "ABCD").empty());
    EXPECT_EQ(Find(project, "ABCDE"), Lines{"     Ladder rung 1, Contact 2"});

    project.LadderRows = 7;
    EXPECT_EQ(Find(project, "ABCDE").size(), 1u);
    project.LadderRows = 6;
    EXPECT_TRUE(Find(project, "ABCDE").empty());
}

TEST(FindReferencesTables, SelectorsTriggerAndCells) {
    Project project = Empty();
    project.Tables = {"~T1|SEL.Read|SEL.Write|SEL.Trig|1|3|8|0|$0|$0|",
                      "Float|ROWA|WT.Input|CELL.One|CELL.Two|CELL.Three|ROWA.TBL|"};
    EXPECT_EQ(Find(project, "SEL.Read"), Lines{"     Table T1...Read column selector"});
    EXPECT_EQ(Find(project, "SEL.Write"), Lines{"     Table T1...Write column selector"});
    EXPECT_EQ(Find(project, "SEL.Trig"), Lines{"     Table T1...Write column trigger"});
    EXPECT_EQ(Find(project, "CELL.One"), Lines{"     Table T1...Variable in cell"});
    // The write input and the last value column are searched too.
    EXPECT_EQ(Find(project, "WT.Input"), Lines{"     Table T1...Variable in cell"});
    EXPECT_EQ(Find(project, "CELL.Three"), Lines{"     Table T1...Variable in cell"});
    // The row name and the output are not uses.
    EXPECT_TRUE(Find(project, "ROWA").empty());
    EXPECT_TRUE(Find(project, "ROWA.TBL").empty());
}

TEST(FindReferencesTables, CellNamesNeedFiveCharactersAndTwoLines) {
    Project project = Empty();
    project.Tables = {"~T1|ABCD|||1|2|8|0|$0|$0|", "Integer|R|ABCD|ABCD|ABCDE|R.TBL|"};
    EXPECT_EQ(Find(project, "ABCD"), Lines{"     Table T1...Read column selector"});
    EXPECT_EQ(Find(project, "ABCDE"), Lines{"     Table T1...Variable in cell"});
    project.Tables.pop_back();
    EXPECT_TRUE(Find(project, "ABCD").empty());
}

TEST(FindReferencesSpeech, HeaderFieldsAndCells) {
    Project project = Empty();
    project.SpeechReports = {
        "~RPT|T.Report|T.Stop|T.Line|T.Select|T.Scan|2",
        "EN.Able;@|5| \tLEVEL.Value;@@@.@|SEL.Phrase;40|ABCD;@|||||||||LAST.Cell;@|AFTER.Cell|"};
    EXPECT_EQ(Find(project, "T.Report"), Lines{"     Speech Report RPT...Report trigger"});
    EXPECT_EQ(Find(project, "T.Stop"), Lines{"     Speech Report RPT...Report stop trigger"});
    EXPECT_EQ(Find(project, "T.Line"), Lines{"     Speech Report RPT...Line trigger"});
    EXPECT_EQ(Find(project, "T.Select"), Lines{"     Speech Report RPT...Line select"});
    EXPECT_EQ(Find(project, "T.Scan"), Lines{"     Speech Report RPT...Scan trigger"});
    const Lines cell{"     Speech Report RPT...Variable in cell"};
    EXPECT_EQ(Find(project, "EN.Able"), cell);
    EXPECT_EQ(Find(project, "LEVEL.Value"), cell); // blanks and tab before the name dropped
    EXPECT_EQ(Find(project, "SEL.Phrase"), cell);
    EXPECT_EQ(Find(project, "ABCD"), cell); // the whole cell has five characters
    // The enable cell and 13 phrase cells are read; the 14th phrase cell is not.
    EXPECT_EQ(Find(project, "LAST.Cell"), cell);
    EXPECT_TRUE(Find(project, "AFTER.Cell").empty());
}

TEST(FindReferencesSpeech, ShortCellsAndSingleLinesAreNotSearched) {
    Project project = Empty();
    project.SpeechReports = {"~RPT||||||2", "AB;@|"};
    EXPECT_TRUE(Find(project, "AB").empty());
    project.SpeechReports = {"~RPT|T.Report|||||2"};
    EXPECT_TRUE(Find(project, "T.Report").empty());
}

TEST(FindReferencesBasic, InputsNameTheSourceFile) {
    Project project = Empty();
    project.BasicModules = {"P1|PUMP.BAS|IFLOW.Value||I5|iP1.COUNT|IFLOW.Value|$0|$0",
                            "P2|TANK.BAS|IFLOW.Value|fP2.OUT|$0|$0"};
    EXPECT_EQ(Find(project, "FLOW.Value"), (Lines{"     Basic module...PUMP.BAS...Input",
                                                  "     Basic module...TANK.BAS...Input"}));
    EXPECT_EQ(Find(project, "5"), Lines{"     Basic module...PUMP.BAS...Input"});
    // A lower-case "i" is an Integer output and ends the inputs.
    EXPECT_TRUE(Find(project, "P1.COUNT").empty());
    EXPECT_TRUE(Find(project, "PUMP.BAS").empty());
}

TEST(FindReferences, FollowsTheSourceOrderAndAppendsToTheTarget) {
    Project project = Empty();
    project.BasicModules = {"B|B.BAS|IKEY.Name|$0|$0"};
    project.SpeechReports = {"~R|KEY.Name|||||1", "|"};
    project.Tables = {"~T|KEY.Name|||1|1|4|0|$0|$0|", "Integer|R||1|R.TBL|"};
    project.Ladder[0].CellNames[1] = "KEY.Name";
    project.TxArray.Rows.push_back(TxRow("2", "KEY.Name"));
    project.Displays = {"~D|1|0|0|KEY.Name|", "x|"};
    project.Modules.push_back(MakeInstance("M", 3, 20, {"KEY.Name"}));

    Lines lines{"kept"};
    FindReferences(project, DocLibrary(), "KEY.Name", lines);
    EXPECT_EQ(
        lines,
        (Lines{"kept", "     M...PID...Process value", "     Display D...Display trigger",
               "     TX to: Board 0, Port 3, Dest 12, Word 3", "     Ladder rung 1, Contact 0",
               "     Table T...Read column selector", "     Speech Report R...Report trigger",
               "     Basic module...B.BAS...Input"}));
}

TEST(CrossReferenceSection, ListsOfOneNameAreLeftOutButCountInTheProgress) {
    Project project = Empty(); // Status: three System outputs
    project.RxArray.Rows.push_back(TxRow("1", "ONLY.Rx"));
    RebuildDatabases(project, DocLibrary());
    project.Modules.push_back(MakeInstance("M", 3, 20, {"System.Logon"}));

    DocLines out;
    std::vector<int> progress;
    WriteCrossReferenceSection(project, DocLibrary(), out, [&](int p) { progress.push_back(p); });
    EXPECT_EQ(out,
              (DocLines{"CROSS REFERENCE LISTS...", " ", "STATUS DATABASE...", "   System.BootTrg",
                        "   System.SecTrg", "   System.Logon", "     M...PID...Process value"}));
    EXPECT_EQ(progress, (std::vector<int>{50 + 50 / 4, 50 + 100 / 4, 50 + 150 / 4}));
}

} // namespace
} // namespace k7
