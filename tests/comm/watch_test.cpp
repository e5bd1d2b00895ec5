// The watch window's rules: slots of the grid, drops, polls and their
// pauses, reply collection, poke mode, clicks, keys and the two clears.
#include "comm/watch.h"
#include "tests/comm/download_harness.h"

#include <gtest/gtest.h>

namespace k7::test {
namespace {

struct Watch : ::testing::Test {
    FakeLine Wire;
    ScriptedUi Ui;
    TSeComm32 Port{Ui, std::make_unique<FakeSerialDevice>(Wire)};
    TimerQueue Timers;
    ReceivePump Pump{Port, Timers.CreateTimer()};
    WatchWindow Window{Port, Pump, Timers.CreateTimer(), Ui};
    FixedProject Project;

    void SetUp() override {
        Port.SetDevicePath("/dev/ttyFAKE");
        Project.Addresses = {{"Pump1.Run", "2040010"},
                             {"Level", "1040020"},
                             {"GlobalSP", "1000"},
                             {"Ab", "1040030"}};
    }
    void OpenWindow() {
        ASSERT_TRUE(Window.Open(Project));
        Wire.Written.clear();
    }
    void DropOn(int column, int row, const std::string& name) {
        Window.StartDrag(name);
        Window.Drop(column, row, Project);
    }
    // The unit's reply: "?" and thirty comma-separated fields.
    static std::string Reply(const std::vector<std::string>& fields) {
        std::string line = "?";
        for (int i = 0; i < 30; ++i) {
            if (i > 0)
                line += ",";
            if (i < static_cast<int>(fields.size()))
                line += fields[i];
        }
        return line + "\r\n";
    }
};

TEST_F(Watch, OpeningWritesTitlesAndNeedsACleanCompile) {
    Project.Compiles = false;
    EXPECT_FALSE(Window.Open(Project));
    EXPECT_EQ(Ui.Errors, std::vector<std::string>{"Project recompile resulted in error(s)."});
    EXPECT_FALSE(Window.IsOpen());
    EXPECT_TRUE(Wire.OpenedPaths.empty());

    Project.Compiles = true;
    ASSERT_TRUE(Window.Open(Project));
    EXPECT_TRUE(Window.IsOpen());
    EXPECT_EQ(Window.Cell(0, 0), "VARIABLE");
    EXPECT_EQ(Window.Cell(1, 0), "VALUE");
    EXPECT_EQ(Window.Cell(2, 0), "VARIABLE");
    EXPECT_EQ(Window.Cell(3, 0), "VALUE");
    EXPECT_TRUE(Pump.WatchActive());
}

TEST_F(Watch, PortThatDoesNotOpenKeepsTheWindowClosed) {
    Wire.MissingDevices.insert("/dev/ttyFAKE");
    EXPECT_FALSE(Window.Open(Project));
    EXPECT_FALSE(Window.IsOpen());
}

TEST_F(Watch, DropOnTheRightColumnUsesSlotRowPlus15) {
    OpenWindow();
    DropOn(2, 3, "Level");
    EXPECT_EQ(Wire.Written, "?18=P1040020\r");
    EXPECT_EQ(Window.Cell(2, 3), "Level");
    EXPECT_EQ(Window.PollPause(), 1);
    DropOn(0, 1, "Pump1.Run");
    EXPECT_EQ(Wire.Written, "?18=P1040020\r?1=P2040010\r");
}

TEST_F(Watch, SystemVariablesShortAndUnknownNamesSendNothing) {
    OpenWindow();
    DropOn(0, 2, "GlobalSP");
    DropOn(0, 3, "Ab");
    DropOn(0, 4, "NoSuchName");
    EXPECT_EQ(Wire.Written, "");
    EXPECT_EQ(Window.Cell(0, 2), "GlobalSP");
    EXPECT_EQ(Window.Cell(0, 3), "Ab");
    EXPECT_EQ(Window.Cell(0, 4), "NoSuchName");
}

TEST_F(Watch, DropsOutsideTheNameColumnsDoNothing) {
    OpenWindow();
    DropOn(1, 3, "Level");
    DropOn(0, 0, "Level");
    DropOn(2, 15, "Level");
    EXPECT_EQ(Wire.Written, "");
    EXPECT_EQ(Window.Cell(1, 3), "");
    EXPECT_EQ(Window.Cell(0, 0), "VARIABLE");
}

TEST_F(Watch, DragPausesFourPollsThenPollsEverySecond) {
    OpenWindow();
    Window.StartDrag("Level");
    EXPECT_EQ(Window.PollPause(), 4);
    Timers.Advance(4000);
    EXPECT_EQ(Wire.Written, "");
    Timers.Advance(1000);
    EXPECT_EQ(Wire.Written, "?92\r");
    Timers.Advance(2000);
    EXPECT_EQ(Wire.Written, "?92\r?92\r?92\r");
}

TEST_F(Watch, ClosedWindowDoesNotPoll) {
    OpenWindow();
    Window.Close();
    EXPECT_FALSE(Port.PortOpen());
    Timers.Advance(5000);
    EXPECT_EQ(Wire.Written, "");
    EXPECT_TRUE(Ui.Errors.empty());
}

TEST_F(Watch, ReplyFillsValuesOfNamedSlotsOnly) {
    OpenWindow();
    DropOn(0, 1, "Pump1.Run");
    DropOn(2, 3, "Level");
    std::vector<std::string> fields(30);
    fields[1] = "12";    // slot 1
    fields[2] = "99";    // slot 2: no name
    fields[18] = "3.25"; // slot 18
    fields[0] = "7";     // slot 0: never shown
    fields[15] = "8";    // slot 15: never shown
    Wire.Input = Reply(fields);
    Timers.Advance(2);
    EXPECT_EQ(Window.Cell(1, 1), "12");
    EXPECT_EQ(Window.Cell(1, 2), "");
    EXPECT_EQ(Window.Cell(3, 3), "3.25");
    EXPECT_EQ(Window.Cell(1, 0), "VALUE");
    EXPECT_EQ(Window.Cell(3, 0), "VALUE");
}

TEST_F(Watch, ShortRepliesAndNoiseAreIgnored) {
    OpenWindow();
    DropOn(0, 1, "Pump1.Run");
    // 27 characters: "?" and 26 more.
    Window.WatchBytes("?12,3456789012345678901234\r");
    EXPECT_EQ(Window.Cell(1, 1), "");
    // 28 characters are enough.
    Window.WatchBytes("?,12,56789012345678901234567\r");
    EXPECT_EQ(Window.Cell(1, 1), "12");
    // Bytes before a "?" are dropped, line feeds and control bytes too.
    Window.WatchBytes(std::string("junk\x01?,\n4\x02") + "2,,,,,,,,,,,,,,,,,,,,,,,,,,,\r");
    EXPECT_EQ(Window.Cell(1, 1), "42");
    // A line that never ends does not grow without bound.
    Window.WatchBytes("?" + std::string(100000, '1'));
    EXPECT_LE(Window.LineBuffer().size(), WatchLineLimit);
}

TEST_F(Watch, MissingFieldsAreEmpty) {
    OpenWindow();
    DropOn(2, 14, "Level");
    Window.WatchBytes("?1,2,3,4,5,6,7,8,9,10,11,12,13,14\r");
    EXPECT_EQ(Window.Cell(3, 14), "");
    Window.SetCellText(3, 14, "old");
    Window.WatchBytes("?1,2,3,4,5,6,7,8,9,10,11,12,13,14\r");
    EXPECT_EQ(Window.Cell(3, 14), "");
}

TEST_F(Watch, DoubleClickTogglesPokeMode) {
    OpenWindow();
    Window.DoubleClick(1, 5);
    EXPECT_TRUE(Window.PokeFlag(5));
    EXPECT_EQ(Window.PollPause(), 2);
    Window.DoubleClick(1, 5);
    EXPECT_FALSE(Window.PokeFlag(5));
    Window.DoubleClick(3, 2);
    EXPECT_TRUE(Window.PokeFlag(17));
    EXPECT_EQ(Wire.Written, "?5=X\r?5=Y\r?17=X\r");
    // Name cells do not toggle.
    Window.DoubleClick(0, 5);
    EXPECT_EQ(Wire.Written, "?5=X\r?5=Y\r?17=X\r");
}

TEST_F(Watch, ClickTogglesStatusValuesInPokeMode) {
    OpenWindow();
    Window.DoubleClick(1, 5);
    Wire.Written.clear();
    Window.SetCellText(1, 5, "1");
    Window.Click(1, 5);
    EXPECT_EQ(Window.Cell(1, 5), "0");
    EXPECT_EQ(Wire.Written, "?5=V0\r");
    Window.Click(1, 5);
    EXPECT_EQ(Window.Cell(1, 5), "1");
    EXPECT_EQ(Wire.Written, "?5=V0\r?5=V1\r");
    Window.SetCellText(1, 5, "12");
    Window.Click(1, 5);
    EXPECT_EQ(Wire.Written, "?5=V0\r?5=V1\r");
    EXPECT_EQ(Window.PollPause(), 1);
}

TEST_F(Watch, ClickOutsidePokeModeOnlyPauses) {
    OpenWindow();
    Window.SetCellText(1, 6, "1");
    Window.Click(1, 6);
    EXPECT_EQ(Window.Cell(1, 6), "1");
    EXPECT_EQ(Wire.Written, "");
    EXPECT_EQ(Window.PollPause(), 1);
}

TEST_F(Watch, EnterSendsTheTypedValue) {
    OpenWindow();
    Window.SetCellText(3, 4, "-12.5");
    Window.KeyPress('\r', 3, 4);
    EXPECT_EQ(Wire.Written, "?19=V-12.5\r");
    EXPECT_EQ(Window.PollPause(), 1);
    Window.SetCellText(1, 4, "7");
    Window.KeyPress(0x0B, 1, 4);
    EXPECT_EQ(Wire.Written, "?19=V-12.5\r?4=V7\r");
    // Enter on a name cell sends nothing.
    Window.KeyPress('\r', 0, 4);
    EXPECT_EQ(Wire.Written, "?19=V-12.5\r?4=V7\r");
}

TEST_F(Watch, OtherKeysPauseTenPolls) {
    OpenWindow();
    Window.KeyPress('5', 1, 1);
    EXPECT_EQ(Window.PollPause(), 10);
    Timers.Advance(10000);
    EXPECT_EQ(Wire.Written, "");
    Timers.Advance(1000);
    EXPECT_EQ(Wire.Written, "?92\r");
}

TEST_F(Watch, ClearValuesKeepsNamesAndSendsNothing) {
    OpenWindow();
    DropOn(0, 1, "Pump1.Run");
    Wire.Written.clear();
    Window.SetCellText(1, 1, "5");
    Window.SetCellText(3, 14, "6");
    Window.ClearValues();
    EXPECT_EQ(Window.Cell(1, 1), "");
    EXPECT_EQ(Window.Cell(3, 14), "");
    EXPECT_EQ(Window.Cell(0, 1), "Pump1.Run");
    EXPECT_EQ(Window.Cell(1, 0), "VALUE");
    EXPECT_EQ(Wire.Written, "");
}

TEST_F(Watch, ClearTableEmptiesGridAndPokeFlagsAndTellsTheUnit) {
    OpenWindow();
    DropOn(0, 1, "Pump1.Run");
    Window.DoubleClick(3, 9);
    Wire.Written.clear();
    Window.ClearTable();
    EXPECT_EQ(Window.Cell(0, 1), "");
    EXPECT_FALSE(Window.PokeFlag(24));
    EXPECT_EQ(Window.Cell(2, 0), "VARIABLE");
    EXPECT_EQ(Wire.Written, "?91\r");
}

TEST_F(Watch, DropClearsThePokeFlagOfItsSlot) {
    OpenWindow();
    Window.DoubleClick(1, 3);
    DropOn(0, 3, "Level");
    EXPECT_FALSE(Window.PokeFlag(3));
}

TEST_F(Watch, ANameWithoutAnAddressUnbindsItsSlot) {
    OpenWindow();
    DropOn(0, 3, "Level");
    Window.DoubleClick(1, 3);
    std::vector<std::string> fields(30);
    fields[3] = "5";
    Window.WatchBytes(Reply(fields));
    ASSERT_EQ(Window.Cell(1, 3), "5");
    Wire.Written.clear();
    // The unit's slot 3 still holds Level: out of poke mode first.
    DropOn(0, 3, "NoSuchName");
    EXPECT_EQ(Wire.Written, "?3=Y\r");
    EXPECT_FALSE(Window.PokeFlag(3));
    EXPECT_EQ(Window.Cell(0, 3), "NoSuchName");
    EXPECT_EQ(Window.Cell(1, 3), "");
    // Replies no longer fill it and nothing is written for it.
    Window.WatchBytes(Reply(fields));
    EXPECT_EQ(Window.Cell(1, 3), "");
    Window.DoubleClick(1, 3);
    Window.SetCellText(1, 3, "1");
    Window.Click(1, 3);
    Window.KeyPress('\r', 1, 3);
    DropOn(0, 3, "GlobalSP"); // a second name without an address
    EXPECT_EQ(Wire.Written, "?3=Y\r");
    // A name with an address binds it again.
    DropOn(0, 3, "Pump1.Run");
    EXPECT_EQ(Wire.Written, "?3=Y\r?3=P2040010\r");
    Window.WatchBytes(Reply(fields));
    EXPECT_EQ(Window.Cell(1, 3), "5");
}

TEST_F(Watch, GridAndFlagsOutliveTheWindow) {
    OpenWindow();
    DropOn(0, 2, "Level");
    Window.DoubleClick(1, 2);
    Window.Close();
    EXPECT_EQ(Window.Cell(0, 2), "Level");
    EXPECT_TRUE(Window.PokeFlag(2));
    ASSERT_TRUE(Window.Open(Project));
    EXPECT_EQ(Window.Cell(0, 2), "Level");
    EXPECT_EQ(Window.PollPause(), 0);
}

TEST_F(Watch, OpeningTheTerminalClosesTheWatch) {
    OpenWindow();
    RecordingView view;
    Terminal screen;
    LoadSequence sequence(Port, Pump, screen, Timers.CreateTimer(), Ui, view);
    sequence.SetWatchWindow(&Window);
    sequence.OpenTerminal();
    EXPECT_FALSE(Window.IsOpen());
    EXPECT_FALSE(Pump.WatchActive());
    EXPECT_TRUE(Port.PortOpen());
}

TEST(WatchSlots, CellsMapToSlots) {
    EXPECT_EQ(WatchSlotOfCell(0, 1), 1);
    EXPECT_EQ(WatchSlotOfCell(1, 14), 14);
    EXPECT_EQ(WatchSlotOfCell(2, 1), 16);
    EXPECT_EQ(WatchSlotOfCell(3, 14), 29);
    EXPECT_EQ(WatchSlotOfCell(0, 0), -1);
    EXPECT_EQ(WatchSlotOfCell(0, 15), -1);
    EXPECT_EQ(WatchSlotOfCell(4, 1), -1);
}

} // namespace
} // namespace k7::test
