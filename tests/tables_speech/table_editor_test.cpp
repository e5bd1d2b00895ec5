// The table editor's rules: grid size, row names and outputs, drops, save
// replacing a table of the same name and its RAM block, delete, abandon,
// and the sorted list of tables.
#include "tables_speech/table_editor.h"
#include "tests/support/scripted_ui.h"
#include "workspace/workspace.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace k7;

namespace {

class TableEditing : public ::testing::Test {
  protected:
    void SetUp() override { ResetProject(workspace.project, workspace.library); }

    std::vector<std::string>& Stored() { return workspace.project.Tables; }
    bool ListHas(const std::vector<std::string>& list, const std::string& name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    }
    // A named table of 2 rows and 2 columns, saved.
    void SaveSmallTable(const std::string& name) {
        editor.NewTable();
        editor.TypeName(name);
        editor.TypeReadSelector("Sel.Col");
        editor.SetRowCount(2);
        editor.SetColumnCount(2);
        editor.TypeCell(1, ColumnRowName, name + "A");
        editor.TypeCell(2, ColumnRowName, name + "B");
        ASSERT_TRUE(editor.SaveTable());
    }

    test::ScriptedUi ui;
    Workspace workspace{ui, [] { return std::string("01/02/2026 10:00:00"); }};
    TableEditor editor{workspace};
};

TEST_F(TableEditing, NewTableIsFiveByFiveIntegerRowsAndUnchanged) {
    editor.TypeName("Old");
    EXPECT_FALSE(editor.NewTable()); // answered No: the edits stay
    EXPECT_EQ(ui.Questions.back(), "One or more entries has changed, OK to abandon?");
    EXPECT_EQ(editor.Table().Header.Name, "Old");
    ui.YesNoAnswers = {true};
    ASSERT_TRUE(editor.NewTable());
    const TableDef& table = editor.Table();
    EXPECT_EQ(table.Header.Name, "");
    EXPECT_EQ(table.Header.ReadSelector, "");
    EXPECT_EQ(table.Header.Rows, 5);
    EXPECT_EQ(table.Header.Columns, 5);
    EXPECT_EQ(table.Header.StringChars, 20);
    EXPECT_EQ(table.Header.RowTypeIndex, 0);
    EXPECT_FALSE(editor.Changed());
    EXPECT_EQ(editor.GridLines(), 6);
    EXPECT_EQ(editor.GridColumns(), 10);
    for (int line = 1; line <= 5; ++line)
        EXPECT_EQ(editor.Cell(line, ColumnType), "Integer");
}

TEST_F(TableEditing, GridTitles) {
    EXPECT_EQ(editor.Cell(0, ColumnType), "TYPE");
    EXPECT_EQ(editor.Cell(0, ColumnRowName), "ROW NAME");
    EXPECT_EQ(editor.Cell(0, ColumnWtInput), "WT INPUT");
    EXPECT_EQ(editor.Cell(0, 4), "1");
    EXPECT_EQ(editor.Cell(0, 8), "5");
    EXPECT_EQ(editor.Cell(0, 9), "OUTPUT");
    EXPECT_EQ(editor.Cell(3, ColumnNumber), "3");
    EXPECT_EQ(editor.Cell(7, 1), ""); // outside the grid
    EXPECT_STREQ(TableListTitle, "Tables in Project:");
}

TEST_F(TableEditing, RowNameSetsTheOutputVariable) {
    EXPECT_TRUE(editor.TypeCell(1, ColumnRowName, "FLOW"));
    EXPECT_EQ(editor.Cell(1, 9), "FLOW.TBL");
    EXPECT_TRUE(editor.Changed());
    EXPECT_TRUE(workspace.project.ProjectChanged);
    EXPECT_FALSE(editor.TypeCell(1, 9, "X")); // the output column is derived
    EXPECT_FALSE(editor.TypeCell(0, ColumnRowName, "X"));
    EXPECT_FALSE(editor.TypeCell(1, ColumnRowName, "FL|OW"));
    EXPECT_EQ(ui.Errors.back(), BarRefusedMessage);
    EXPECT_EQ(editor.Cell(1, 9), "FLOW.TBL");
}

TEST_F(TableEditing, ClickOnTypeColumnSetsTheSelectedRowType) {
    editor.SelectRowType(1);
    EXPECT_TRUE(editor.ClickCell(2, ColumnType));
    EXPECT_EQ(editor.Cell(2, ColumnType), "Float");
    editor.SelectRowType(2);
    editor.ClickCell(3, ColumnType);
    EXPECT_EQ(editor.Cell(3, ColumnType), "String");
    editor.SelectRowType(3);
    editor.ClickCell(4, ColumnType);
    EXPECT_EQ(editor.Cell(4, ColumnType), "Status");
    EXPECT_FALSE(editor.ClickCell(4, ColumnRowName));
    EXPECT_FALSE(editor.ClickCell(0, ColumnType));
    EXPECT_FALSE(editor.SelectRowType(4));
}

TEST_F(TableEditing, ChangingRowsKeepsRowsAndAddsEmptyIntegerRows) {
    editor.TypeCell(5, ColumnRowName, "LAST");
    editor.TypeCell(5, 4, "7");
    editor.SelectRowType(1);
    editor.ClickCell(4, ColumnType);
    EXPECT_TRUE(editor.SetRowCount(4));
    EXPECT_EQ(editor.GridLines(), 5);
    EXPECT_EQ(editor.Cell(4, ColumnType), "Float"); // a kept row keeps its type
    EXPECT_TRUE(editor.SetRowCount(6));
    for (int line = 5; line <= 6; ++line) {
        EXPECT_EQ(editor.Cell(line, ColumnType), "Integer");
        EXPECT_EQ(editor.Cell(line, ColumnRowName), "");
        EXPECT_EQ(editor.Cell(line, 4), "");
        EXPECT_EQ(editor.Cell(line, 9), "");
    }
}

TEST_F(TableEditing, ChangingColumnsMovesTheOutputColumn) {
    editor.TypeCell(1, ColumnRowName, "FLOW");
    editor.TypeCell(1, 4, "1.5");
    EXPECT_TRUE(editor.SetColumnCount(3));
    EXPECT_EQ(editor.GridColumns(), 8);
    EXPECT_EQ(editor.Cell(0, 7), "OUTPUT");
    EXPECT_EQ(editor.Cell(1, 7), "FLOW.TBL");
    EXPECT_EQ(editor.Cell(1, 4), "1.5");
    EXPECT_TRUE(editor.SetColumnCount(6));
    EXPECT_EQ(editor.Cell(1, 7), "");
    EXPECT_EQ(editor.Cell(1, 10), "FLOW.TBL");
}

TEST_F(TableEditing, SizesOutsideTheirLimitsAreRefused) {
    EXPECT_FALSE(editor.SetRowCount(0));
    EXPECT_EQ(ui.Errors.back(), TableRowsMessage);
    EXPECT_FALSE(editor.SetRowCount(1001));
    EXPECT_FALSE(editor.SetColumnCount(1001));
    EXPECT_EQ(ui.Errors.back(), TableColumnsMessage);
    EXPECT_FALSE(editor.SetStringChars(3));
    EXPECT_FALSE(editor.SetStringChars(255));
    EXPECT_EQ(ui.Errors.back(), StringCharsMessage);
    EXPECT_EQ(editor.GridLines(), 6);
    // The largest table is allowed and usable at its far corner.
    EXPECT_TRUE(editor.SetRowCount(1000));
    EXPECT_TRUE(editor.SetColumnCount(1000));
    EXPECT_TRUE(editor.TypeCell(1000, 1003, "9"));
    EXPECT_EQ(editor.Cell(1000, 1003), "9");
    EXPECT_EQ(editor.Cell(0, 1004), "OUTPUT");
}

TEST_F(TableEditing, DropsGoOnlyIntoWriteInputAndValueCells) {
    EXPECT_TRUE(editor.DropOnCell(1, ColumnWtInput, "Pump.Flow"));
    EXPECT_TRUE(editor.DropOnCell(2, 8, "Pump.Flow"));
    EXPECT_EQ(editor.Cell(2, 8), "Pump.Flow");
    for (auto [line, column] : {std::pair{1, 1}, {1, 2}, {1, 9}, {0, 4}, {6, 4}, {1, 0}}) {
        EXPECT_FALSE(editor.DropOnCell(line, column, "Pump.Flow"));
        EXPECT_EQ(ui.Errors.back(), "You cannot drop into this column");
    }
    EXPECT_EQ(ui.Errors.size(), 6u);
    EXPECT_TRUE(editor.DropOnReadSelector("Sel.A"));
    EXPECT_TRUE(editor.DropOnWriteSelector("Sel.B"));
    EXPECT_TRUE(editor.DropOnWriteTrigger("Sel.C"));
    EXPECT_EQ(editor.Table().Header.WriteTrigger, "Sel.C");
}

TEST_F(TableEditing, SaveNeedsANameOfTwoCharacters) {
    editor.TypeName("T");
    EXPECT_FALSE(editor.SaveTable());
    EXPECT_EQ(ui.Errors.back(), "You must name the table before saving");
    EXPECT_TRUE(Stored().empty());
}

TEST_F(TableEditing, SaveWritesTheHeaderAndRowLines) {
    editor.TypeName("Curve");
    editor.TypeReadSelector("Sel.Col");
    editor.TypeWriteSelector("Sel.Wr");
    editor.TypeWriteTrigger("Sel.Go");
    editor.SetRowCount(2);
    editor.SetColumnCount(3);
    editor.SetStringChars(12);
    editor.SelectRowType(1);
    editor.ClickCell(1, ColumnType);
    editor.TypeCell(1, ColumnRowName, "FLOW");
    editor.TypeCell(1, ColumnWtInput, "In.Flow");
    editor.TypeCell(1, 4, "1.5");
    editor.TypeCell(1, 6, "Max.Flow");
    editor.TypeCell(2, ColumnRowName, "CNT");
    ASSERT_TRUE(editor.SaveTable());
    const std::vector<std::string> expected = {
        "~Curve|Sel.Col|Sel.Wr|Sel.Go|2|3|12|1|$0|$0|",
        "Float|FLOW|In.Flow|1.5||Max.Flow|FLOW.TBL|",
        "Integer|CNT|||||CNT.TBL|", // empty input and three empty values
    };
    EXPECT_EQ(Stored(), expected);
    EXPECT_FALSE(editor.Changed());
    EXPECT_TRUE(ListHas(workspace.project.Databases.Float, "FLOW.TBL"));
    EXPECT_TRUE(ListHas(workspace.project.Databases.Integer, "CNT.TBL"));
}

TEST_F(TableEditing, AnUnnamedRowHasNoOutputVariable) {
    editor.TypeName("Curve");
    editor.TypeReadSelector("Sel.Col");
    editor.TypeCell(1, ColumnRowName, "FLOW");
    ASSERT_TRUE(editor.SaveTable());
    EXPECT_EQ(workspace.project.Databases.Integer, std::vector<std::string>{"FLOW.TBL"});
}

TEST_F(TableEditing, EditAsksBeforeDroppingEdits) {
    SaveSmallTable("Alpha");
    editor.SelectEntry("Alpha");
    editor.TypeName("Typed");
    EXPECT_FALSE(editor.EditTable()); // answered No: the edits stay
    EXPECT_EQ(ui.Questions.back(), "One or more entries has changed, OK to abandon?");
    EXPECT_EQ(editor.Table().Header.Name, "Typed");
    ui.YesNoAnswers = {true};
    ASSERT_TRUE(editor.EditTable());
    EXPECT_EQ(editor.Table().Header.Name, "Alpha");
}

TEST_F(TableEditing, SaveReplacesTheTableOfTheSameName) {
    SaveSmallTable("Alpha");
    SaveSmallTable("Beta");
    editor.SelectEntry("Beta");
    ASSERT_TRUE(editor.EditTable());
    editor.TypeName("Alpha");
    editor.TypeCell(1, ColumnRowName, "NEW");
    ASSERT_TRUE(editor.SaveTable());
    EXPECT_EQ(editor.TableNames(), (std::vector<std::string>{"Alpha", "Beta"}));
    const std::vector<std::string> expected = {
        "~Beta|Sel.Col|||2|2|20|0|$0|$0|", "Integer|BetaA||||BetaA.TBL|",
        "Integer|BetaB||||BetaB.TBL|",     "~Alpha|Sel.Col|||2|2|20|0|$0|$0|",
        "Integer|NEW||||NEW.TBL|",         "Integer|BetaB||||BetaB.TBL|",
    };
    EXPECT_EQ(Stored(), expected);
}

TEST_F(TableEditing, UnchangedTableKeepsItsRamBlockAndAChangedOneLosesIt) {
    Stored() = {"~Levels|Sel.Col|||1|1|20|0|$40F100|$40F10B|", "Integer|LV|||LV.TBL|"};
    editor.SelectEntry("Levels");
    ASSERT_TRUE(editor.EditTable());
    EXPECT_EQ(editor.Table().Header.RamStart, 0x40F100u);
    ASSERT_TRUE(editor.SaveTable());
    EXPECT_EQ(Stored()[0], "~Levels|Sel.Col|||1|1|20|0|$40F100|$40F10B|");

    ASSERT_TRUE(editor.EditTable());
    editor.TypeCell(1, 4, "3");
    ASSERT_TRUE(editor.SaveTable());
    EXPECT_EQ(Stored()[0], "~Levels|Sel.Col|||1|1|20|0|$0|$0|");
    EXPECT_EQ(Stored()[1], "Integer|LV||3|LV.TBL|");
}

TEST_F(TableEditing, EditReadsRowsAndDerivesTheOutputs) {
    Stored() = {"~Short|S||||", "~Mixed|Sel|W|T|3|2|8|2|$0|$0|", "String|TXT|In|a||OLD.TBL|",
                "Status|FLG||1|0|FLG.TBL|"};
    editor.SelectEntry("Mixed");
    ASSERT_TRUE(editor.EditTable());
    const TableDef& table = editor.Table();
    EXPECT_EQ(table.Header.WriteTrigger, "T");
    EXPECT_EQ(table.Header.StringChars, 8);
    EXPECT_EQ(table.Header.RowTypeIndex, 2);
    EXPECT_EQ(editor.Cell(1, ColumnType), "String");
    EXPECT_EQ(editor.Cell(1, ColumnWtInput), "In");
    EXPECT_EQ(editor.Cell(1, 4), "a");
    EXPECT_EQ(editor.Cell(1, 6), "TXT.TBL"); // derived, not read back
    EXPECT_EQ(editor.Cell(2, 5), "0");
    EXPECT_EQ(editor.Cell(3, ColumnType), "Integer"); // missing row: empty
    EXPECT_FALSE(editor.Changed());

    // A header whose sizes cannot be read is refused, not guessed.
    editor.SelectEntry("Short");
    EXPECT_FALSE(editor.EditTable());
    EXPECT_EQ(editor.Table().Header.Name, "Mixed");
}

TEST_F(TableEditing, EditAndDeleteNeedASelection) {
    EXPECT_FALSE(editor.EditTable());
    EXPECT_EQ(ui.Errors.back(), "You must first select an entry");
    ui.YesNoAnswers = {true};
    EXPECT_FALSE(editor.DeleteTable());
    EXPECT_EQ(ui.Questions.back(), "Confirm OK to delete?");
    EXPECT_EQ(ui.Errors.back(), "You must first select an entry");
    editor.SelectEntry("Nowhere");
    EXPECT_FALSE(editor.EditTable());
}

TEST_F(TableEditing, DeleteAsksAndRemovesTheWholeDefinition) {
    SaveSmallTable("Alpha");
    SaveSmallTable("Beta");
    workspace.project.ProjectChanged = false;
    editor.SelectEntry("Alpha");
    EXPECT_FALSE(editor.DeleteTable()); // answered No
    EXPECT_EQ(Stored().size(), 6u);
    ui.YesNoAnswers = {true};
    EXPECT_TRUE(editor.DeleteTable());
    EXPECT_EQ(editor.TableNames(), std::vector<std::string>{"Beta"});
    EXPECT_EQ(Stored().size(), 3u);
    EXPECT_TRUE(workspace.project.ProjectChanged);
    EXPECT_FALSE(ListHas(workspace.project.Databases.Integer, "AlphaA.TBL"));
    EXPECT_TRUE(ListHas(workspace.project.Databases.Integer, "BetaA.TBL"));
}

TEST_F(TableEditing, CloseAsksOnlyWithUnsavedChanges) {
    EXPECT_TRUE(editor.CloseEditor());
    EXPECT_TRUE(ui.Questions.empty());
    editor.TypeName("Curve");
    EXPECT_FALSE(editor.CloseEditor());
    EXPECT_EQ(ui.Questions.back(), "One or more entries has changed, OK to abandon?");
    ui.YesNoAnswers = {true};
    EXPECT_TRUE(editor.CloseEditor());
}

TEST_F(TableEditing, TableListIsSortedWithLettersFolded) {
    Stored() = {"~beta|x|||1|1|20|0|$0|$0|", "~Alpha|x|||1|1|20|0|$0|$0|",
                "~_x|x|||1|1|20|0|$0|$0|", "~Zed|x|||1|1|20|0|$0|$0|",
                "~alpha2|x|||1|1|20|0|$0|$0|"};
    // Letters compare as lower case, so "_" (5F) comes before every letter,
    // although it would follow the upper-case ones in plain byte order.
    EXPECT_EQ(editor.TableNames(),
              (std::vector<std::string>{"_x", "Alpha", "alpha2", "beta", "Zed"}));
}

} // namespace

TEST_F(TableEditing, ResetDropsTheTableAndSelectionWithoutAsking) {
    SaveSmallTable("Levels");
    editor.SelectEntry("Levels");
    ASSERT_TRUE(editor.EditTable());
    editor.TypeName("Renamed");
    editor.Reset();
    EXPECT_TRUE(ui.Questions.empty());
    EXPECT_FALSE(editor.Changed());
    EXPECT_EQ(editor.Table().Header.Name, "");
    EXPECT_FALSE(editor.EditTable());
    EXPECT_EQ(ui.Errors.back(), "You must first select an entry");
}
