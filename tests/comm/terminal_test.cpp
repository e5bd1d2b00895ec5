#include "comm/terminal.h"

#include "tests/comm/fake_serial_device.h"
#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace k7 {
namespace {

std::string NumberedLines(int first, int last) {
    std::string text;
    for (int i = first; i <= last; ++i)
        text += "L" + std::to_string(i) + "\r";
    return text;
}

TEST(Terminal, CarriageReturnBecomesOneLineBreak) {
    Terminal terminal;
    EXPECT_EQ(terminal.TerminalOutput("abc\r\ndef\r"), "abc\r\ndef\r\n");
    EXPECT_EQ(terminal.Lines(), (std::vector<std::string>{"abc", "def"}));
    EXPECT_EQ(terminal.Text(), "abc\r\ndef\r\n");
    // A line feed alone makes no break.
    terminal.TerminalOutput("g\nh");
    EXPECT_EQ(terminal.Lines(), (std::vector<std::string>{"abc", "def", "gh"}));
    EXPECT_EQ(terminal.CurrentLine(), "gh");
}

TEST(Terminal, ControlBytesAreShownAndKept) {
    Terminal terminal;
    EXPECT_EQ(terminal.TerminalOutput(std::string("a\x07\x00z", 4)), std::string("a\x07\x00z", 4));
    EXPECT_EQ(terminal.CurrentLine(), std::string("a\x07\x00z", 4));
}

TEST(Terminal, KeepsTheLast25Lines) {
    Terminal terminal;
    terminal.TerminalOutput(NumberedLines(1, 30));
    const auto lines = terminal.Lines();
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines.front(), "L6");
    EXPECT_EQ(lines.back(), "L30");
    EXPECT_EQ(terminal.LineCount(), 25);
}

TEST(Terminal, OpenLineCountsTowardsThe25) {
    Terminal terminal;
    terminal.TerminalOutput(NumberedLines(1, 25) + "partial");
    const auto lines = terminal.Lines();
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines.front(), "L2");
    EXPECT_EQ(lines.back(), "partial");
}

TEST(Terminal, LinesSplitAcrossBatchesJoin) {
    Terminal terminal;
    terminal.TerminalOutput("Revi");
    terminal.TerminalOutput("sion Version 5.62");
    EXPECT_EQ(terminal.UnitOsVersion(), "");
    terminal.TerminalOutput("\r");
    EXPECT_EQ(terminal.UnitOsVersion(), "5.62");
    EXPECT_EQ(terminal.Lines(), (std::vector<std::string>{"Revision Version 5.62"}));
}

TEST(Terminal, IdentificationLineRules) {
    EXPECT_EQ(IdentifiedOsVersion("Revision Version 5.62"), "5.62");
    EXPECT_EQ(IdentifiedOsVersion("   Revision   Version 5.61 built today"), "5.61");
    EXPECT_EQ(IdentifiedOsVersion("Revision Version 5.6"), "");
    EXPECT_EQ(IdentifiedOsVersion("Revision Version 5.621"), "");
    EXPECT_EQ(IdentifiedOsVersion("revision Version 5.62"), "");
    EXPECT_EQ(IdentifiedOsVersion("Revision version 5.62"), "");
    EXPECT_EQ(IdentifiedOsVersion("Revision Version"), "");
    EXPECT_EQ(IdentifiedOsVersion("Revision\tVersion 5.62"), "");
    EXPECT_EQ(IdentifiedOsVersion(""), "");
}

TEST(Terminal, OsVersionChangesOnlyWithAnIdentificationLine) {
    Terminal terminal;
    terminal.TerminalOutput("Revision Version 5.62\r");
    EXPECT_EQ(terminal.UnitOsVersion(), "5.62");
    terminal.TerminalOutput("Revision Version 5.6\rhello\r");
    EXPECT_EQ(terminal.UnitOsVersion(), "5.62");
    terminal.Clear();
    EXPECT_EQ(terminal.UnitOsVersion(), "5.62");
    EXPECT_EQ(terminal.LineCount(), 0);
    terminal.TerminalOutput("Revision Version 6.00\r");
    EXPECT_EQ(terminal.UnitOsVersion(), "6.00");
}

TEST(Terminal, StatusLinesJoinTheText) {
    Terminal terminal;
    terminal.AppendLine("Switching K7 to TAVRO protocol...");
    terminal.AppendText("^R ");
    terminal.AppendText("^R ");
    EXPECT_EQ(terminal.Text(), "Switching K7 to TAVRO protocol...\r\n^R ^R ");
    EXPECT_EQ(terminal.LineCount(), 2);
    for (int i = 0; i < 30; ++i)
        terminal.AppendLine("status " + std::to_string(i));
    // The first status line joins the open "^R ^R " line.
    EXPECT_EQ(terminal.LineCount(), 31);
    terminal.CutToLastLines();
    EXPECT_EQ(terminal.LineCount(), 25);
    EXPECT_EQ(terminal.Lines().back(), "status 29");
}

TEST(Terminal, KeySendsOneByteAndTrimsOnce) {
    test::ScriptedUi ui;
    test::FakeLine line;
    TSeComm32 port(ui, std::make_unique<test::FakeSerialDevice>(line));
    port.SetDevicePath("/dev/fake");
    ASSERT_TRUE(port.OpenPort());
    Terminal terminal;
    for (int i = 0; i < 27; ++i)
        terminal.AppendLine("x" + std::to_string(i));
    EXPECT_TRUE(terminal.TerminalKey('A', port));
    EXPECT_EQ(line.Written, "A");
    EXPECT_EQ(terminal.LineCount(), 26); // once per key
    EXPECT_TRUE(terminal.TerminalKey('\r', port));
    EXPECT_EQ(terminal.LineCount(), 25);
    EXPECT_TRUE(terminal.TerminalKey('\r', port));
    EXPECT_EQ(terminal.LineCount(), 25);
    EXPECT_EQ(line.Written, "A\r\r");
    // The key is not shown: the unit's echo shows it.
    EXPECT_EQ(terminal.Lines().back(), "x26");
}

TEST(Terminal, KeyOnAClosedPortReportsIt) {
    test::ScriptedUi ui;
    test::FakeLine line;
    TSeComm32 port(ui, std::make_unique<test::FakeSerialDevice>(line));
    Terminal terminal;
    EXPECT_FALSE(terminal.TerminalKey('A', port));
    EXPECT_EQ(ui.Warnings, (std::vector<std::string>{"Port Not Open -- Operation Aborted"}));
}

TEST(Terminal, EndlessLineStaysBounded) {
    Terminal terminal;
    const std::string noise(10000, 'n');
    for (int i = 0; i < 20; ++i)
        terminal.TerminalOutput(noise);
    EXPECT_LE(terminal.LineCount(), TerminalLineLimit);
    for (const auto& line : terminal.Lines())
        EXPECT_LE(line.size(), TerminalLineLengthLimit);
    EXPECT_LE(terminal.CurrentLine().size(), TerminalLineLengthLimit);
    // The identification line is still found after the noise.
    terminal.TerminalOutput("\rRevision Version 5.62\r");
    EXPECT_EQ(terminal.UnitOsVersion(), "5.62");
}

} // namespace
} // namespace k7
