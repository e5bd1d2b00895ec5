// The ladder editor's rules: the palette, the clicks and the grid's growth,
// coils in column 8 only, the coil dialog, drops, and inserting and
// deleting rungs.
#include "tests/support/scripted_ui.h"
#include "workspace/ladder_editor.h"
#include "workspace/workspace.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace k7;

namespace {

class LadderEditing : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProject(workspace.project, workspace.library);
        editor.OpenPage();
    }

    TLadderRung& Rung(int row) { return workspace.project.Ladder[row]; }
    bool StatusListHas(const std::string& name) {
        const auto& status = workspace.project.Databases.Status;
        return std::find(status.begin(), status.end(), name) != status.end();
    }

    test::ScriptedUi ui;
    Workspace workspace{ui, [] { return std::string("01/02/2026 10:00:00"); }};
    LadderEditor editor{workspace};
};

TEST_F(LadderEditing, PaletteOffersEveryKindButBranchUp) {
    EXPECT_EQ(editor.Tool(), KindCoil);
    for (int32_t kind : {1, 2, 3, 4, 6, 7, 8, 9, 10})
        EXPECT_TRUE(editor.SelectTool(kind)) << kind;
    EXPECT_FALSE(editor.SelectTool(KindUp));
    EXPECT_FALSE(editor.SelectTool(0));
    EXPECT_FALSE(editor.SelectTool(11));
    EXPECT_EQ(editor.Tool(), KindLeft);
    editor.OpenPage();
    EXPECT_EQ(editor.Tool(), KindCoil);
    EXPECT_FALSE(editor.Dialog().Open);
}

TEST_F(LadderEditing, BitmapsAndJunctionNames) {
    EXPECT_STREQ(CellBitmap(0), "CBlank.BMP");
    EXPECT_STREQ(CellBitmap(KindLineV), "CLineV.BMP");
    EXPECT_STREQ(CellBitmap(KindJunction), "CAngle.BMP");
    EXPECT_STREQ(CellBitmap(KindLeft), "CLeft.BMP");
    EXPECT_STREQ(CellBitmap(11), "");
    EXPECT_EQ(CellPictureOffset(KindOpen), 11);
    EXPECT_EQ(CellPictureOffset(KindLineH), 0);
    EXPECT_EQ(JunctionName(12, 3), "Ladr.122");
    EXPECT_EQ(JunctionName(3, 4), "Ladr.33");
}

TEST_F(LadderEditing, ClickNearTheBottomGrowsTheGridByTwoUpTo199Rows) {
    ASSERT_EQ(editor.RowCount(), 10);
    editor.SelectTool(KindLineH);
    EXPECT_TRUE(editor.ClickCell(1, 8)); // row 8 is RowCount - 2: no growth
    EXPECT_EQ(editor.RowCount(), 10);
    EXPECT_TRUE(editor.ClickCell(1, 9));
    EXPECT_EQ(editor.RowCount(), 12);
    EXPECT_FALSE(editor.ClickCell(1, 12)); // outside the grid
    EXPECT_FALSE(editor.ClickCell(0, 0));
    EXPECT_FALSE(editor.ClickCell(9, 0));

    workspace.project.LadderRows = 198;
    EXPECT_TRUE(editor.ClickCell(2, 197));
    EXPECT_EQ(editor.RowCount(), 199);
    EXPECT_TRUE(editor.ClickCell(2, 198));
    EXPECT_EQ(editor.RowCount(), 199);
}

TEST_F(LadderEditing, EveryClickMarksTheProjectChanged) {
    editor.SelectTool(KindOpen);
    EXPECT_TRUE(editor.ClickCell(8, 0)); // refused in the coil column, still marked
    EXPECT_EQ(Rung(0).CellKinds[8], 0);
    EXPECT_TRUE(workspace.project.ProjectChanged);
    EXPECT_TRUE(workspace.project.NeedCompile);
    EXPECT_TRUE(workspace.shell.SaveEnabled);
}

TEST_F(LadderEditing, CoilsOnlyInColumnEightAndColumnEightOnlyCoilsOrBlanks) {
    // The coil tool outside column 8 does nothing.
    EXPECT_TRUE(editor.ClickCell(3, 0));
    EXPECT_EQ(Rung(0).CellKinds[3], 0);
    EXPECT_FALSE(editor.Dialog().Open);

    editor.SelectTool(KindLineH);
    editor.ClickCell(8, 0);
    EXPECT_EQ(Rung(0).CellKinds[8], 0);
    editor.ClickCell(7, 0);
    EXPECT_EQ(Rung(0).CellKinds[7], KindLineH);

    editor.SelectTool(KindCoil);
    editor.ClickCell(8, 0);
    EXPECT_EQ(Rung(0).CellKinds[8], KindCoil);
    EXPECT_TRUE(editor.Dialog().Open);

    editor.SelectTool(KindBlank);
    Rung(0).CellNames[8] = "Pump.Coil";
    editor.ClickCell(8, 0);
    EXPECT_EQ(Rung(0).CellKinds[8], KindBlank);
    EXPECT_EQ(Rung(0).CellNames[8], "");
}

TEST_F(LadderEditing, BlankToolClearsTheText) {
    editor.SelectTool(KindOpen);
    editor.ClickCell(1, 0);
    editor.DropName(1, 0, "Tank.Hi");
    editor.SelectTool(KindLineH);
    editor.ClickCell(1, 0);
    EXPECT_EQ(Rung(0).CellKinds[1], KindLineH);
    EXPECT_EQ(Rung(0).CellNames[1], "Tank.Hi"); // other tools keep the text
    editor.SelectTool(KindBlank);
    editor.ClickCell(1, 0);
    EXPECT_EQ(Rung(0).CellKinds[1], KindBlank);
    EXPECT_EQ(Rung(0).CellNames[1], "");
}

TEST_F(LadderEditing, CoilDialogOpensWithTheRungsTagAndDelays) {
    Rung(2).CellNames[8] = "Old.Coil";
    Rung(2).OnDelay = "5";
    Rung(2).OffDelay = "Delay.Off";
    editor.ClickCell(8, 2);
    const CoilDialog& dialog = editor.Dialog();
    ASSERT_TRUE(dialog.Open);
    EXPECT_EQ(dialog.Row, 2);
    EXPECT_EQ(dialog.Tag, "Old.Coil");
    EXPECT_EQ(dialog.OnDelay, "5");
    EXPECT_EQ(dialog.OffDelay, "Delay.Off");
    EXPECT_STREQ(CoilDialogCaption, "Enter Coil Tag Name");
}

TEST_F(LadderEditing, CoilTagWithoutPeriodGetsCoilSuffix) {
    Rung(0).RungWord = 0x40F010;
    editor.ClickCell(8, 0);
    EXPECT_TRUE(editor.CoilDialogOk("Pump", "10", "2"));
    EXPECT_EQ(Rung(0).CellNames[8], "Pump.Coil");
    EXPECT_EQ(Rung(0).OnDelay, "10");
    EXPECT_EQ(Rung(0).OffDelay, "2");
    EXPECT_EQ(Rung(0).RungWord, 0u);
    EXPECT_FALSE(editor.Dialog().Open);
    EXPECT_TRUE(StatusListHas("Pump.Coil"));

    editor.ClickCell(8, 1);
    EXPECT_TRUE(editor.CoilDialogOk("Pump.Run", "0", "0"));
    EXPECT_EQ(Rung(1).CellNames[8], "Pump.Run");
    EXPECT_TRUE(StatusListHas("Pump.Run"));
}

TEST_F(LadderEditing, CoilDelaysOver40CharactersAreRefused) {
    editor.ClickCell(8, 0);
    const std::string longest(40, '7');
    EXPECT_FALSE(editor.CoilDialogOk("Pump", longest, longest + "7"));
    EXPECT_EQ(ui.Errors.back(), "This text cannot be longer than 40 characters.");
    EXPECT_EQ(Rung(0).OffDelay, "0");
    EXPECT_TRUE(editor.CoilDialogOk("Pump", longest, longest));
    EXPECT_EQ(Rung(0).OnDelay, longest);
    EXPECT_EQ(Rung(0).OffDelay, longest);
}

TEST_F(LadderEditing, CoilDialogRefusesBarsAndNeedsToBeOpen) {
    EXPECT_FALSE(editor.CoilDialogOk("Pump", "0", "0")); // never opened
    editor.ClickCell(8, 0);
    EXPECT_FALSE(editor.CoilDialogOk("Pu|mp", "0", "0"));
    EXPECT_EQ(ui.Errors.back(), BarRefusedMessage);
    EXPECT_FALSE(editor.CoilDialogOk("Pump", "1|2", "0"));
    EXPECT_FALSE(editor.CoilDialogOk("Pump", "0", "a\nb"));
    EXPECT_EQ(Rung(0).CellNames[8], "");
    EXPECT_TRUE(editor.Dialog().Open);
    // An empty tag stays empty for the compile to report, not ".Coil".
    EXPECT_TRUE(editor.CoilDialogOk("", "0", "0"));
    EXPECT_EQ(Rung(0).CellNames[8], "");
}

TEST_F(LadderEditing, DropSetsTextExceptInTheCoilColumn) {
    EXPECT_TRUE(editor.DropName(2, 1, "Level.Hi"));
    EXPECT_EQ(Rung(1).CellNames[2], "Level.Hi");
    Rung(1).CellNames[8] = "Pump.Coil";
    EXPECT_FALSE(editor.DropName(8, 1, "Level.Hi"));
    EXPECT_EQ(Rung(1).CellNames[8], "Pump.Coil");
    EXPECT_FALSE(editor.DropName(2, 1, "a|b"));
    EXPECT_EQ(ui.Errors.back(), BarRefusedMessage);
    EXPECT_EQ(Rung(1).CellNames[2], "Level.Hi");
}

TEST_F(LadderEditing, InsertRungMovesRowsDownWithTheirWords) {
    Rung(1).CellKinds[1] = KindOpen;
    Rung(1).CellNames[1] = "A.X";
    Rung(1).OnDelay = "3";
    Rung(1).RungWord = 0x40F020;
    Rung(2).CellNames[8] = "B.Coil";
    Rung(2).RungWord = 0x40F024;
    EXPECT_TRUE(editor.InsertRung(1));
    EXPECT_EQ(editor.RowCount(), 11);
    EXPECT_EQ(Rung(1).CellKinds[1], 0);
    EXPECT_EQ(Rung(1).CellNames[1], "");
    EXPECT_EQ(Rung(1).OnDelay, "0");
    EXPECT_EQ(Rung(1).OffDelay, "0");
    EXPECT_EQ(Rung(1).RungWord, 0u);
    EXPECT_EQ(Rung(2).CellNames[1], "A.X");
    EXPECT_EQ(Rung(2).OnDelay, "3");
    EXPECT_EQ(Rung(2).RungWord, 0x40F020u);
    EXPECT_EQ(Rung(3).CellNames[8], "B.Coil");
    EXPECT_EQ(Rung(3).RungWord, 0x40F024u);
    EXPECT_FALSE(editor.InsertRung(11));
    EXPECT_FALSE(editor.InsertRung(-1));
}

TEST_F(LadderEditing, InsertIntoAFullGridOnlyDropsAnEmptyLastRung) {
    workspace.project.LadderRows = LadderMaxRows;
    Rung(5).CellNames[2] = "A.X";
    EXPECT_TRUE(editor.InsertRung(0));
    EXPECT_EQ(editor.RowCount(), LadderMaxRows);
    EXPECT_EQ(Rung(6).CellNames[2], "A.X");

    Rung(198).CellKinds[1] = KindOpen;
    EXPECT_FALSE(editor.InsertRung(0));
    EXPECT_EQ(ui.Errors.back(), LadderFullMessage);
    EXPECT_EQ(Rung(198).CellKinds[1], KindOpen);
    EXPECT_EQ(Rung(6).CellNames[2], "A.X");
}

TEST_F(LadderEditing, DeleteRungMovesTheRowsBelowUpWithTheirWords) {
    for (int r = 0; r < 10; ++r) {
        Rung(r).CellNames[8] = "C" + std::to_string(r) + ".Coil";
        Rung(r).RungWord = 0x40F000 + 4 * static_cast<uint32_t>(r);
    }
    workspace.project.ProjectChanged = false;
    EXPECT_TRUE(editor.DeleteRung(3));
    EXPECT_EQ(editor.RowCount(), 10);
    EXPECT_EQ(Rung(3).CellNames[8], "C4.Coil");
    EXPECT_EQ(Rung(3).RungWord, 0x40F010u);
    EXPECT_EQ(Rung(8).CellNames[8], "C9.Coil");
    EXPECT_EQ(Rung(8).RungWord, 0x40F024u);
    // The last row does not show the moved rung a second time.
    EXPECT_EQ(Rung(9).CellNames[8], "");
    EXPECT_EQ(Rung(9).RungWord, 0u);
    EXPECT_TRUE(workspace.project.ProjectChanged);
    EXPECT_FALSE(StatusListHas("C3.Coil"));
    EXPECT_FALSE(editor.DeleteRung(10));
}

} // namespace
