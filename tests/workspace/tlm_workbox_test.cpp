#include "tests/support/scripted_ui.h"
#include "workspace/telemetry_arrays.h"
#include "workspace/tlm_workbox.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

using namespace k7;

namespace {

class Workbox : public ::testing::Test {
  protected:
    // Wd and Bit of every entry, "Wd/Bit".
    std::vector<std::string> Numbers() const {
        std::vector<std::string> numbers;
        for (const WorkboxRow& row : box.Rows())
            numbers.push_back(row.Wd + "/" + row.Bit);
        return numbers;
    }
    std::vector<std::string> Types() const {
        std::vector<std::string> types;
        for (const WorkboxRow& row : box.Rows())
            types.push_back(row.Type);
        return types;
    }
    static std::vector<std::string> StatusWord(int word, int firstBit) {
        std::vector<std::string> numbers;
        for (int b = 0; b < 16; ++b)
            numbers.push_back(std::to_string(word) + "/" + std::to_string(firstBit + b));
        return numbers;
    }
    static std::vector<std::string> Join(std::vector<std::string> a,
                                         const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
    static TTlmRow Row(const std::string& port, const std::string& source, const std::string& dest,
                       const std::string& word, const std::string& name, const std::string& type,
                       const std::string& address = "") {
        return {port, source, dest, word, "-", name, "", type, "", address};
    }

    test::ScriptedUi ui;
    Workspace workspace{ui, [] { return std::string("01/02/2026 10:00:00"); }};
    TlmWorkbox box{workspace};
    TTlmArray& rx = workspace.project.RxArray;
    TTlmArray& tx = workspace.project.TxArray;
};

} // namespace

TEST_F(Workbox, IntegerFloatIntegerAreNumberedOneTwoFour) {
    ASSERT_TRUE(box.Open(TlmArrayKind::Tx));
    EXPECT_EQ(box.Title(), "TX Array Setup...");
    box.AddRow(AddRowChoice::Integer16);
    box.AddRow(AddRowChoice::Float32);
    box.AddRow(AddRowChoice::Integer16);
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1/-", "2/-", "4/-"}));
    EXPECT_EQ(Types(), (std::vector<std::string>{"Integer", "Float", "Integer"}));
    box.AddRow(AddRowChoice::Integer32);
    box.AddRow(AddRowChoice::Integer16);
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1/-", "2/-", "4/-", "5/-", "7/-"}));
    EXPECT_TRUE(box.Changed());
}

TEST_F(Workbox, AStatusWordTakesSixteenRowsOfOneWord) {
    box.Open(TlmArrayKind::Rx);
    box.AddRow(AddRowChoice::Integer16);
    box.AddRow(AddRowChoice::Status16);
    box.AddRow(AddRowChoice::Integer16);
    const auto expected = Join(Join({"1/-"}, StatusWord(2, 1)), {"3/-"});
    EXPECT_EQ(Numbers(), expected);

    box.SetNumbering(CellNumbering::Modbus);
    EXPECT_EQ(Numbers(), Join(Join({"1/-"}, StatusWord(2, 17)), {"3/-"}));
    EXPECT_FALSE(box.SourceShown());
    box.SetNumbering(CellNumbering::K4K7);
    EXPECT_EQ(Numbers(), expected);
    EXPECT_TRUE(box.SourceShown());
}

TEST_F(Workbox, RowsAfterABegunStatusWordFillItsBits) {
    std::vector<WorkboxRow> rows(3);
    rows[0].Type = "Status";
    rows[1].Type = "Float";
    rows[2].Type = "Integer";
    std::vector<WorkboxRow> tail(2);
    tail[0].Type = "";
    tail[1].Type = "Integer";
    rows.insert(rows.end(), tail.begin(), tail.end());
    RenumberRows(rows, CellNumbering::K4K7);
    EXPECT_EQ(rows[1].Wd + "/" + rows[1].Bit, "1/2");
    EXPECT_EQ(rows[2].Wd + "/" + rows[2].Bit, "1/3");
    EXPECT_EQ(rows[4].Wd, ""); // past the first row without a type
}

TEST_F(Workbox, AddGoesBeforeTheSelectedWordAndRepeatsAtThatPlace) {
    box.Open(TlmArrayKind::Tx);
    box.AddRow(AddRowChoice::Integer16);
    box.AddRow(AddRowChoice::Status16);
    EXPECT_EQ(box.SelectedRow(), 18);       // the empty bottom row
    box.SelectCell(9, WorkboxColumn::Name); // a row of word 2
    box.AddRow(AddRowChoice::Float32);
    EXPECT_EQ(box.Rows()[1].Type, "Float");
    EXPECT_EQ(box.SelectedRow(), 3); // the status word's first row, now after the float
    box.AddRow(AddRowChoice::Integer16);
    EXPECT_EQ(Types()[2], "Integer");
    EXPECT_EQ(Numbers(), Join({"1/-", "2/-", "4/-"}, StatusWord(5, 1)));

    box.SelectCell(1, WorkboxColumn::Wd);
    box.AddRow(AddRowChoice::Integer32);
    EXPECT_EQ(Types()[0], "Long Int");
    EXPECT_EQ(Numbers()[1], "3/-");
}

TEST_F(Workbox, DeletingAnyStatusRowRemovesTheWholeWord) {
    box.Open(TlmArrayKind::Tx);
    box.AddRow(AddRowChoice::Integer16);
    box.AddRow(AddRowChoice::Status16);
    box.AddRow(AddRowChoice::Float32);
    ASSERT_EQ(box.Rows().size(), 18u);
    box.SelectCell(12, WorkboxColumn::Bit);
    box.DeleteRow();
    EXPECT_EQ(Types(), (std::vector<std::string>{"Integer", "Float"}));
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1/-", "2/-"}));

    box.SelectCell(1, WorkboxColumn::Wd);
    box.DeleteRow();
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1/-"}));
    box.SelectCell(2, WorkboxColumn::Wd); // the empty bottom row: nothing to delete
    box.DeleteRow();
    EXPECT_EQ(box.Rows().size(), 1u);
}

TEST_F(Workbox, ABrokenStatusWordDeletesOnlyItsOwnRows) {
    tx.Rows.push_back({"1", "Us", "Us", "1", "1", "A", "", "Status", "", ""});
    tx.Rows.push_back({"1", "Us", "Us", "1", "2", "B", "", "Status", "", ""});
    tx.Rows.push_back({"1", "Us", "Us", "2", "-", "C", "", "Integer", "", ""});
    box.SetBoard(0);
    box.SetPortNo(2);
    box.SetDest(-1);
    box.Open(TlmArrayKind::Tx);
    ASSERT_EQ(box.Rows().size(), 3u);
    box.SelectCell(2, WorkboxColumn::Name);
    box.DeleteRow();
    ASSERT_EQ(box.Rows().size(), 1u);
    EXPECT_EQ(box.Rows()[0].Name, "C");
}

TEST_F(Workbox, ReceivedNamesArePrefixedBySourceOnSave) {
    box.SetBoard(1);
    box.SetPortNo(1);
    box.SetSource(12);
    box.SetDest(-1);
    box.Open(TlmArrayKind::Rx);
    EXPECT_EQ(box.Title(), "RX Array Setup...");
    box.AddRow(AddRowChoice::Integer16);
    box.AddRow(AddRowChoice::Integer16);
    box.AddRow(AddRowChoice::Integer16);
    box.SelectCell(1, WorkboxColumn::Name);
    ASSERT_TRUE(box.NameFieldOpen());
    box.TypeName("L");
    box.TypeName("LEVEL");
    EXPECT_EQ(box.Rows()[0].Name, "LEVEL"); // every keystroke lands in the cell
    box.SelectCell(2, WorkboxColumn::Name); // choosing another cell finishes it
    EXPECT_EQ(box.Rows()[0].Name, "12.LEVEL");
    box.TypeName("GlobalRTC");
    box.SelectCell(3, WorkboxColumn::Name);
    box.TypeName("Other.FLOW");
    ASSERT_TRUE(box.Save()); // saving finishes the pending name
    ASSERT_EQ(rx.RowCount(), 4);
    EXPECT_EQ(rx.Rows[1][TlmName], "12.LEVEL");
    EXPECT_EQ(rx.Rows[2][TlmName], "GlobalRTC");
    EXPECT_EQ(rx.Rows[3][TlmName], "Other.FLOW");
    EXPECT_EQ(rx.Rows[1],
              (TTlmRow{"3", "12", "Us", "1", "-", "12.LEVEL", "", "Integer", "", "$0"}));
    EXPECT_EQ(workspace.project.Databases.Rx,
              (std::vector<std::string>{"12.LEVEL", "GlobalRTC", "Other.FLOW"}));
    EXPECT_EQ(workspace.project.RxArrayList,
              (std::vector<std::string>{"Brd 1, Prt 1, Src 12, Dst Us"}));
}

TEST_F(Workbox, ReceivedNameRule) {
    EXPECT_EQ(ReceivedName("LEVEL", 12), "12.LEVEL");
    EXPECT_EQ(ReceivedName("GlobalSP", 12), "GlobalSP");
    EXPECT_EQ(ReceivedName("ArchiveData", 3), "ArchiveData");
    EXPECT_EQ(ReceivedName("7.LEVEL", 12), "7.LEVEL");
    EXPECT_EQ(ReceivedName("", 12), "");
}

TEST_F(Workbox, TxNamesComeByDragAndTypedBarsAreRefused) {
    box.Open(TlmArrayKind::Tx);
    box.AddRow(AddRowChoice::Float32);
    box.SelectCell(1, WorkboxColumn::Name);
    EXPECT_FALSE(box.NameFieldOpen()); // TX names are not typed
    EXPECT_TRUE(box.DropName(1, "WELL.LVL"));
    EXPECT_FALSE(box.DropName(2, "NOWHERE")); // the empty bottom row
    EXPECT_FALSE(box.DropName(1, "A|B"));
    EXPECT_EQ(ui.Errors, (std::vector<std::string>{"The character \"|\" cannot be used here."}));
    EXPECT_EQ(box.Rows()[0].Name, "WELL.LVL");

    TlmWorkbox rxBox{workspace};
    rxBox.Open(TlmArrayKind::Rx);
    rxBox.AddRow(AddRowChoice::Integer16);
    rxBox.SelectCell(1, WorkboxColumn::Name);
    EXPECT_FALSE(rxBox.TypeName("X|Y"));
    EXPECT_EQ(rxBox.Rows()[0].Name, "");
    EXPECT_FALSE(rxBox.DropName(1, "WELL.LVL"));
}

TEST_F(Workbox, MultipliersSpecialFieldsAndClearCell) {
    box.Open(TlmArrayKind::Tx);
    box.AddRow(AddRowChoice::Integer16);
    EXPECT_FALSE(box.ChooseMultiplier(2)); // the panel is not shown
    box.SelectCell(1, WorkboxColumn::Mult);
    ASSERT_TRUE(box.MultiplierPanelShown());
    EXPECT_FALSE(box.ChooseMultiplier(9));
    EXPECT_TRUE(box.ChooseMultiplier(2));
    EXPECT_FALSE(box.MultiplierPanelShown());
    EXPECT_EQ(box.Rows()[0].Mult, ".01");
    EXPECT_TRUE(box.ClearCell());
    EXPECT_EQ(box.Rows()[0].Mult, "");

    box.SelectCell(1, WorkboxColumn::Name);
    EXPECT_TRUE(box.ChooseSpecialField(SpecialField::GlobalSetpoint));
    EXPECT_EQ(box.Rows()[0].Name, "GlobalSP");
    EXPECT_TRUE(box.ChooseSpecialField(SpecialField::ArchiveData));
    EXPECT_EQ(box.Rows()[0].Name, "ArchiveData");
    EXPECT_TRUE(box.ChooseSpecialField(SpecialField::RealTimeClock));
    EXPECT_EQ(box.Rows()[0].Name, "GlobalRTC");
    EXPECT_TRUE(box.ClearCell());
    EXPECT_EQ(box.Rows()[0].Name, "");
    box.SelectCell(1, WorkboxColumn::Type);
    EXPECT_FALSE(box.ClearCell()); // only Name and Mult cells clear
}

TEST_F(Workbox, LoadingFindsTheMessageBySelectors) {
    rx.Rows.push_back(Row("4", "9", "Us", "1", "9.A", "Integer", "$40F000"));
    rx.Rows.push_back(Row("4", "12", "Us", "1", "12.A", "Integer", "$40F004"));
    rx.Rows.push_back(Row("4", "12", "Us", "2", "12.B", "Float", "$140F008"));
    rx.Rows.push_back(Row("4", "12", "3", "1", "12.C", "Integer", "$40F00C"));
    ListArrays(workspace.project);
    ASSERT_EQ(workspace.project.RxArrayList.size(), 3u);
    ASSERT_TRUE(box.OpenListEntry(TlmArrayKind::Rx, workspace.project.RxArrayList[1]));
    EXPECT_EQ(box.Board(), 1);
    EXPECT_EQ(box.PortNo(), 2);
    EXPECT_EQ(box.Source(), 12);
    EXPECT_EQ(box.Dest(), -1);
    EXPECT_EQ(box.Group().First, 2);
    EXPECT_EQ(box.Group().End, 4);
    ASSERT_EQ(box.Rows().size(), 2u);
    EXPECT_EQ(box.Rows()[1].Name, "12.B");
    EXPECT_EQ(box.Rows()[1].Address, "$140F008");
    EXPECT_FALSE(box.Changed());

    EXPECT_FALSE(box.OpenListEntry(TlmArrayKind::Rx, "Brd 1, Prt 2"));
    box.SetDest(3);
    EXPECT_EQ(box.Rows().size(), 1u);
    box.SetSource(-5);
    EXPECT_EQ(box.Source(), -1);
    EXPECT_TRUE(box.Rows().empty());
    EXPECT_EQ(box.Group().First, 0);
}

TEST_F(Workbox, ALoneDataRowIsAMessageToo) {
    tx.Rows.push_back(Row("1", "Us", "5", "1", "A.B", "Integer"));
    box.SetBoard(0);
    box.SetPortNo(2);
    box.SetDest(5);
    box.Open(TlmArrayKind::Tx);
    ASSERT_EQ(box.Rows().size(), 1u);
    box.Save();
    EXPECT_EQ(tx.RowCount(), 2); // replaced, not doubled
}

TEST_F(Workbox, SelectorChangesAskBeforeDroppingEdits) {
    box.Open(TlmArrayKind::Tx);
    box.AddRow(AddRowChoice::Integer16);
    EXPECT_FALSE(box.SetBoard(2)); // answered No
    EXPECT_EQ(ui.Questions.back(), "One or more entries has changed, OK to abandon?");
    EXPECT_EQ(box.Board(), 0);
    EXPECT_EQ(box.Rows().size(), 1u);

    ui.YesNoAnswers = {true};
    EXPECT_TRUE(box.SetBoard(2));
    EXPECT_EQ(box.Board(), 2);
    EXPECT_TRUE(box.Rows().empty());
    EXPECT_FALSE(box.Changed());
    const size_t asked = ui.Questions.size();
    EXPECT_TRUE(box.SetPortNo(3)); // nothing to lose: no question
    EXPECT_EQ(ui.Questions.size(), asked);
    EXPECT_EQ(box.PortCell(), "8");
}

TEST_F(Workbox, SaveMovesTheMessageToTheEnd) {
    tx.Rows.push_back(Row("1", "Us", "5", "1", "A.B", "Integer"));
    tx.Rows.push_back(Row("1", "Us", "5", "2", "A.C", "Integer"));
    tx.Rows.push_back(Row("2", "Us", "6", "1", "D.E", "Float"));
    box.SetBoard(0);
    box.SetPortNo(2);
    box.SetDest(5);
    box.Open(TlmArrayKind::Tx);
    box.SelectCell(1, WorkboxColumn::Wd);
    box.DeleteRow();
    box.AddRow(AddRowChoice::Float32);
    ASSERT_TRUE(box.Save());
    ASSERT_EQ(tx.RowCount(), 4);
    EXPECT_EQ(tx.Rows[1][TlmName], "D.E");
    EXPECT_EQ(tx.Rows[2], (TTlmRow{"1", "Us", "5", "1", "-", "", "", "Float", "", ""}));
    EXPECT_EQ(tx.Rows[3], (TTlmRow{"1", "Us", "5", "3", "-", "A.C", "", "Integer", "", ""}));
    EXPECT_EQ(workspace.project.Databases.Tx,
              (std::vector<std::string>{"P2D6W1B-.D.E", "P1D5W3B-.A.C"}));
    EXPECT_TRUE(workspace.project.ProjectChanged);
    EXPECT_FALSE(box.Changed());
    EXPECT_EQ(box.Group().First, 2);
}

TEST_F(Workbox, UnchangedRxSaveKeepsAddressesAndChangedSaveWritesDollarZero) {
    rx.Rows.push_back(Row("3", "12", "Us", "1", "12.A", "Integer", "$40F000"));
    rx.Rows.push_back(Row("3", "12", "Us", "2", "12.B", "Float", "$140F004"));
    box.SetBoard(1);
    box.SetPortNo(1);
    box.SetSource(12);
    box.SetDest(-1);
    box.Open(TlmArrayKind::Rx);
    ASSERT_TRUE(box.Save());
    EXPECT_EQ(rx.Rows[1][TlmAddress], "$40F000");
    EXPECT_EQ(rx.Rows[2][TlmAddress], "$140F004");

    box.SelectCell(2, WorkboxColumn::Mult);
    box.ChooseMultiplier(4);
    ASSERT_TRUE(box.Save());
    EXPECT_EQ(rx.Rows[1][TlmAddress], "$0");
    EXPECT_EQ(rx.Rows[2][TlmAddress], "$0");
    EXPECT_EQ(rx.Rows[2][TlmMult], "1.0");
    // The workbox now holds what was saved: a later unchanged save keeps "$0".
    EXPECT_EQ(box.Rows()[0].Address, "$0");
}

TEST_F(Workbox, AListEntryLoadsItsOwnSourceUnderModbusNumbering) {
    rx.Rows.push_back(Row("4", "Us", "Us", "1", "A", "Integer", "$40F000"));
    rx.Rows.push_back(Row("4", "12", "Us", "1", "12.B", "Integer", "$40F004"));
    ListArrays(workspace.project);
    ASSERT_EQ(workspace.project.RxArrayList.size(), 2u);
    box.Open(TlmArrayKind::Rx);
    box.SetNumbering(CellNumbering::Modbus); // hides the source selector
    ASSERT_TRUE(box.OpenListEntry(TlmArrayKind::Rx, workspace.project.RxArrayList[1]));
    ASSERT_EQ(box.Rows().size(), 1u);
    EXPECT_EQ(box.Rows()[0].Name, "12.B");
    EXPECT_EQ(box.Group().First, 2);
}

TEST_F(Workbox, ModbusRxMessagesAreSavedFromUs) {
    box.SetSource(12);
    box.Open(TlmArrayKind::Rx);
    box.SetNumbering(CellNumbering::Modbus);
    box.AddRow(AddRowChoice::Status16);
    ASSERT_TRUE(box.Save());
    ASSERT_EQ(rx.RowCount(), 17);
    EXPECT_EQ(rx.Rows[1][TlmSource], "Us");
    EXPECT_EQ(rx.Rows[16][TlmBit], "16");
    EXPECT_EQ(box.Rows().size(), 16u); // found again under its saved cells
}

TEST_F(Workbox, CancelAsksAndRebuildsTheLists) {
    tx.Rows.push_back(Row("1", "Us", "5", "1", "A.B", "Integer"));
    box.Open(TlmArrayKind::Tx);
    box.AddRow(AddRowChoice::Integer16);
    EXPECT_FALSE(box.Cancel());
    EXPECT_TRUE(box.Visible());
    ui.YesNoAnswers = {true};
    EXPECT_TRUE(box.Cancel());
    EXPECT_FALSE(box.Visible());
    EXPECT_FALSE(box.Changed());
    EXPECT_EQ(workspace.project.TxArrayList,
              (std::vector<std::string>{"Brd 0, Prt 2, Src Us, Dst 5"}));
    EXPECT_EQ(tx.RowCount(), 2); // nothing saved
}

TEST_F(Workbox, AThousandRowMessageLoadsAndSaves) {
    for (int i = 0; i < 1000; ++i)
        tx.Rows.push_back(
            Row("1", "Us", "5", std::to_string(i + 1), "V" + std::to_string(i), "Integer"));
    box.SetBoard(0);
    box.SetPortNo(2);
    box.SetDest(5);
    box.Open(TlmArrayKind::Tx);
    ASSERT_EQ(box.Rows().size(), 1000u);
    box.SelectCell(500, WorkboxColumn::Wd);
    box.AddRow(AddRowChoice::Status16);
    EXPECT_EQ(box.Rows()[999 + 16].Wd, "1001");
    ASSERT_TRUE(box.Save());
    EXPECT_EQ(tx.RowCount(), 1017);
}

TEST_F(Workbox, ResetHidesTheWorkboxAndDropsItsRowsWithoutAsking) {
    box.Open(TlmArrayKind::Rx);
    box.AddRow(AddRowChoice::Integer16);
    box.Reset();
    EXPECT_FALSE(box.Visible());
    EXPECT_FALSE(box.Changed());
    EXPECT_TRUE(box.Rows().empty());
    ASSERT_TRUE(box.Open(TlmArrayKind::Rx)); // nothing left to abandon
    EXPECT_TRUE(ui.Questions.empty());
}
