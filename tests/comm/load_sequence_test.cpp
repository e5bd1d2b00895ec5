// The program load, the stop and the remote load on a fake clock, checked
// by the bytes that reach the unit and the lines of the terminal.
#include "tests/comm/download_harness.h"

#include <gtest/gtest.h>

namespace k7::test {
namespace {

const std::string SwitchByte = "\x12";
const std::string StopByte = "\x0B";
// The halt command for a program load as the unit's manual gives it.
const std::string HaltForProgram = std::string("\xC8\x08\x30\x00\x00\x10\x9A\x43", 8);

struct ProgramLoad : ::testing::Test {
    FixedProject Project;
    void SetUp() override { Project.Image = MarkerImage(); }
};

TEST_F(ProgramLoad, ResponsiveUnitGetsEveryStepInOrder) {
    LoadHarness unit;
    unit.GreetWith("5.62");
    ASSERT_TRUE(unit.Sequence.SendProgram(Project));
    unit.Run();

    std::vector<std::string> expected = {SwitchByte,     SwitchByte,    SwitchByte,
                                         HaltForProgram, Control(0x45), Control(0x46)};
    for (const auto& line : MarkerImageAsSent())
        expected.push_back(Line(line));
    expected.push_back(Control('P'));
    expected.push_back(Control('0'));
    EXPECT_EQ(unit.Sent(), expected);

    const auto lines = unit.TerminalLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], "Program load successful.");
    EXPECT_EQ(lines[lines.size() - 2], "Restarting K7 program...");
    EXPECT_EQ(lines[lines.size() - 1], "Sequence terminated");
    EXPECT_EQ(lines[0], "Switching K7 to TAVRO protocol...");
    EXPECT_EQ(lines[1], "^R ");
    EXPECT_TRUE(unit.Ui.Questions.empty());
    EXPECT_TRUE(unit.Ui.Errors.empty());
    EXPECT_EQ(unit.Sequence.Outcome(), LoadOutcome::Succeeded);
    EXPECT_EQ(unit.Sequence.TotalRepeats(), 0);
    EXPECT_FALSE(unit.View.ProgressVisible);
    EXPECT_EQ(unit.View.Captions.front(), "Load Progress");
    EXPECT_EQ(unit.View.Labels.front(), "Loading K7/K3 Program...");
    EXPECT_EQ(unit.Pump.ComMode(), ComModeAscii);
    // The terminal stays open for the unit's output.
    EXPECT_TRUE(unit.Port.PortOpen());
}

TEST_F(ProgramLoad, TerminalTellsTheHaltAndEraseSteps) {
    LoadHarness unit;
    unit.GreetWith("5.62");
    unit.Sequence.SendProgram(Project);
    unit.Run();
    const std::string text = unit.View.Text;
    const char* inOrder[] = {
        "K3/K7 program is idle\r\n", "Sending command to erase sector 5 please wait...\r\n",
        "K7 responded...\r\n",       "Sending command to erase sector 6 please wait...\r\n",
        "K7 responded...\r\n",       "Installing program security...\r\n"};
    std::size_t at = text.find("Sending command to halt K3/K7 program...\r\n");
    ASSERT_NE(at, std::string::npos);
    for (const char* expected : inOrder) {
        const std::size_t next = text.find(expected, at);
        ASSERT_NE(next, std::string::npos) << expected;
        at = next;
    }
    // The unit's own line reached the terminal and named its version.
    EXPECT_EQ(unit.Sequence.UnitOsVersion(), "5.62");
}

TEST_F(ProgramLoad, SwitchCharactersGoOutEveryHalfSecondThenHaltAfterOneMore) {
    LoadHarness unit;
    unit.GreetWith("5.62");
    unit.Sequence.SendProgram(Project);
    unit.RunFor(499);
    EXPECT_EQ(unit.Wire.Written, "");
    unit.RunFor(1);
    EXPECT_EQ(unit.Wire.Written, "\x12");
    unit.RunFor(1000);
    EXPECT_EQ(unit.Wire.Written, "\x12\x12\x12");
    unit.RunFor(999);
    EXPECT_EQ(unit.Wire.Written, "\x12\x12\x12");
    unit.RunFor(1);
    EXPECT_EQ(unit.Sent().back(), HaltForProgram);
}

TEST_F(ProgramLoad, UnansweredLineIsSentFiveTimesThenUnitIsGivenUp) {
    LoadHarness unit([](const std::string& frame) -> std::optional<std::string> {
        if (static_cast<unsigned char>(frame[2]) == 0x90)
            return std::nullopt;
        return UnitReply(0x01);
    });
    unit.GreetWith("5.62");
    unit.Sequence.SendProgram(Project);
    unit.Run();

    EXPECT_EQ(unit.Count(Line("#0")), 5);
    EXPECT_EQ(SentProgramLines(unit.Sent()).size(), 5u);
    EXPECT_EQ(unit.Count(Control('P')), 0);
    EXPECT_EQ(unit.View.RepeatLabels.back(), "Repeats=4");
    EXPECT_EQ(unit.Ui.Errors, std::vector<std::string>{"K7 is not responding"});
    EXPECT_EQ(unit.TerminalLines().back(), "Sequence terminated");
    EXPECT_EQ(unit.Sequence.Outcome(), LoadOutcome::Failed);
    // Two seconds between the sends of the line.
    const auto& times = unit.FrameTimes;
    ASSERT_GE(times.size(), 5u);
    for (std::size_t i = times.size() - 4; i < times.size(); ++i)
        EXPECT_EQ(times[i] - times[i - 1], 2000);
}

TEST_F(ProgramLoad, LostRepliesAreRepeatedAndCounted) {
    int frames = 0;
    LoadHarness unit([&frames](const std::string& frame) -> std::optional<std::string> {
        // Every third program line goes unanswered once.
        if (static_cast<unsigned char>(frame[2]) == 0x90 && ++frames % 3 == 0)
            return std::nullopt;
        return UnitReply(0x01);
    });
    unit.GreetWith("5.62");
    unit.Sequence.SendProgram(Project);
    unit.Run();
    const auto lines = SentProgramLines(unit.Sent());
    // Twelve lines, every third send lost: sends 3, 6, 9, 12 and 15 go
    // again, 17 sends in all.
    EXPECT_EQ(lines.size(), 17u);
    EXPECT_EQ(unit.Sequence.TotalRepeats(), 5);
    EXPECT_EQ(unit.View.RepeatLabels.back(), "Repeats=5");
    EXPECT_EQ(unit.Sequence.Outcome(), LoadOutcome::Succeeded);
    // Without the repeats, the lines are the image's.
    std::vector<std::string> distinct;
    for (const auto& line : lines)
        if (distinct.empty() || distinct.back() != line)
            distinct.push_back(line);
    EXPECT_EQ(distinct, MarkerImageAsSent());
}

TEST_F(ProgramLoad, InstallAndRestartGoOnWithoutAReply) {
    LoadHarness unit([](const std::string& frame) -> std::optional<std::string> {
        if (frame == Control('P') || frame == Control('0'))
            return std::nullopt;
        return UnitReply(0x01);
    });
    unit.GreetWith("5.62");
    unit.Sequence.SendProgram(Project);
    unit.Run();
    EXPECT_EQ(unit.Count(Control('P')), 2);
    EXPECT_EQ(unit.Count(Control('0')), 2);
    EXPECT_EQ(unit.TerminalLines().back(), "Sequence terminated");
    EXPECT_TRUE(unit.Ui.Errors.empty());
}

TEST_F(ProgramLoad, HaltWithoutIdleReplyEndsAfterTheThirdHalt) {
    LoadHarness unit(AnswerAll(0x00));
    unit.GreetWith("5.62");
    unit.Sequence.SendProgram(Project);
    unit.Run();
    EXPECT_EQ(unit.Count(HaltForProgram), 3);
    EXPECT_EQ(unit.Count(Control(0x45)), 0);
    const auto lines = unit.TerminalLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "No reply from K7.");
    EXPECT_EQ(lines.back(), "Sequence terminated");
    EXPECT_EQ(unit.Sequence.Outcome(), LoadOutcome::Failed);
}

TEST_F(ProgramLoad, MuteUnitEndsWithNoReply) {
    LoadHarness unit([](const std::string&) { return std::nullopt; });
    unit.Sequence.SendProgram(Project);
    unit.Run();
    EXPECT_EQ(unit.Count(HaltForProgram), 3);
    EXPECT_FALSE(unit.Sequence.Running());
    EXPECT_EQ(unit.TerminalLines().back(), "Sequence terminated");
    EXPECT_TRUE(unit.Ui.Questions.empty());
}

TEST_F(ProgramLoad, EraseNeverAcknowledgedGivesUpAfterSevenCommands) {
    LoadHarness unit([](const std::string& frame) -> std::optional<std::string> {
        if (frame == Control(0x45))
            return std::nullopt;
        return UnitReply(0x01);
    });
    unit.GreetWith("5.62");
    unit.Sequence.SendProgram(Project);
    unit.Run();
    EXPECT_EQ(unit.Count(Control(0x45)), 7);
    EXPECT_EQ(unit.Count(Control(0x46)), 0);
    EXPECT_TRUE(SentProgramLines(unit.Sent()).empty());
    EXPECT_EQ(unit.Ui.Errors, std::vector<std::string>{"K7 is not responding"});
    EXPECT_EQ(unit.TerminalLines().back(), "Sequence terminated");
}

TEST_F(ProgramLoad, LateHaltReplyDoesNotAcknowledgeTheFirstErase) {
    // The unit answers the first halt only after the second went out, then
    // answers the second too: the stray answer must not skip sector 5.
    int halts = 0;
    LoadHarness unit;
    unit.Answer = [&halts, &unit](const std::string& frame) -> std::optional<std::string> {
        if (frame == HaltForProgram && ++halts == 1)
            return std::nullopt;
        if (frame == HaltForProgram)
            unit.Wire.Input += UnitReply(0x01);
        return UnitReply(0x01);
    };
    unit.GreetWith("5.62");
    unit.Sequence.SendProgram(Project);
    unit.Run();
    EXPECT_EQ(unit.Count(Control(0x45)), 1);
    EXPECT_EQ(unit.Count(Control(0x46)), 1);
    EXPECT_EQ(unit.Sequence.Outcome(), LoadOutcome::Succeeded);
}

TEST_F(ProgramLoad, UnknownVersionAsksAndNoEndsTheSequence) {
    LoadHarness unit;
    unit.Sequence.SendProgram(Project);
    unit.Run();
    EXPECT_EQ(
        unit.Ui.Questions,
        std::vector<std::string>{"Tav7 OS version may be incompatible with load, proceed anyway?"});
    EXPECT_EQ(unit.Count(Control(0x45)), 0);
    EXPECT_EQ(unit.TerminalLines().back(), "Sequence terminated");
    EXPECT_EQ(unit.Sequence.Outcome(), LoadOutcome::Failed);
}

TEST_F(ProgramLoad, OtherVersionAsksAndYesGoesOn) {
    LoadHarness unit;
    unit.GreetWith("5.61");
    unit.Ui.YesNoAnswers = {true};
    unit.Sequence.SendProgram(Project);
    unit.Run();
    EXPECT_EQ(unit.Ui.Questions.size(), 1u);
    EXPECT_EQ(unit.Sequence.Outcome(), LoadOutcome::Succeeded);
    EXPECT_EQ(unit.Count(Control('0')), 1);
}

TEST_F(ProgramLoad, EveryLoadAsksWhileNoVersionWasSeen) {
    LoadHarness unit;
    unit.Ui.YesNoAnswers = {true, true};
    unit.Sequence.SendProgram(Project);
    unit.Run();
    unit.Sequence.SendProgram(Project);
    unit.Run();
    EXPECT_EQ(unit.Ui.Questions.size(), 2u);
    EXPECT_EQ(unit.Count(Control('0')), 2);
}

TEST_F(ProgramLoad, NoProjectAndCompileErrorsSendNothing) {
    LoadHarness unit;
    Project.Present = false;
    EXPECT_FALSE(unit.Sequence.SendProgram(Project));
    Project.Present = true;
    Project.Image.reset();
    EXPECT_FALSE(unit.Sequence.SendProgram(Project));
    EXPECT_EQ(unit.Ui.Errors, (std::vector<std::string>{"There is no project installed to send.",
                                                        "Project compile resulted in error(s)."}));
    EXPECT_TRUE(unit.Wire.OpenedPaths.empty());
    EXPECT_FALSE(unit.Sequence.Running());
}

TEST_F(ProgramLoad, LineTooLongForAFrameIsRefusedBeforeAnythingIsSent) {
    LoadHarness unit;
    Project.Image->push_back(std::string(249, '1'));
    const std::string where = "line " + std::to_string(Project.Image->size());
    EXPECT_FALSE(unit.Sequence.SendProgram(Project));
    ASSERT_EQ(unit.Ui.Errors.size(), 1u);
    EXPECT_NE(unit.Ui.Errors[0].find(where), std::string::npos);
    EXPECT_TRUE(unit.Wire.Written.empty());

    // 248 characters still fit in one frame.
    Project.Image->back() = std::string(248, '1');
    LoadHarness fits;
    fits.GreetWith("5.62");
    ASSERT_TRUE(fits.Sequence.SendProgram(Project));
    fits.Run();
    EXPECT_EQ(SentProgramLines(fits.Sent()).back(), std::string(248, '1'));
    EXPECT_EQ(fits.Count(Frame(0xC8, 0x90, 0, 0, std::string(248, '1'))), 1);
}

TEST_F(ProgramLoad, ImageEndingInSkippedMarkersSendsItsLastLine) {
    LoadHarness unit;
    unit.GreetWith("5.62");
    Project.Image = {"#0 File name...|\\", "40000|X|\\", "#C Basic...|\\", "#D End of file"};
    unit.Sequence.SendProgram(Project);
    unit.Run();
    EXPECT_EQ(SentProgramLines(unit.Sent()),
              (std::vector<std::string>{"#0", "40000|X|\\", "#D End of file"}));
}

TEST_F(ProgramLoad, CancelClosesThePortAtTheNextTick) {
    LoadHarness unit;
    unit.GreetWith("5.62");
    unit.Sequence.SendProgram(Project);
    // Run until the first program lines have gone out.
    while (SentProgramLines(unit.Sent()).size() < 3)
        unit.RunFor(1);
    unit.Sequence.CancelLoad();
    const std::size_t before = unit.Wire.Written.size();
    unit.RunFor(5000);
    EXPECT_EQ(unit.Wire.Written.size(), before);
    EXPECT_FALSE(unit.Port.PortOpen());
    EXPECT_FALSE(unit.Sequence.Running());
    EXPECT_EQ(unit.Sequence.Outcome(), LoadOutcome::Cancelled);
    EXPECT_NE(unit.TerminalLines().back(), "Sequence terminated");
    EXPECT_FALSE(unit.View.TerminalShown);
}

TEST_F(ProgramLoad, UnitThatVanishesEndsTheSequence) {
    LoadHarness unit;
    unit.GreetWith("5.62");
    unit.Sequence.SendProgram(Project);
    while (SentProgramLines(unit.Sent()).size() < 2)
        unit.RunFor(1);
    unit.Wire.Gone = true;
    unit.Run(20000);
    EXPECT_FALSE(unit.Sequence.Running());
    EXPECT_FALSE(unit.Port.PortOpen());
    EXPECT_EQ(unit.Ui.Errors, std::vector<std::string>{"K7 is not responding"});
    EXPECT_EQ(unit.TerminalLines().back(), "Sequence terminated");
    EXPECT_EQ(unit.Sequence.Outcome(), LoadOutcome::Failed);
}

TEST(StopProgram, SendsThreeStopBytesAndEndsTwoSecondsLater) {
    LoadHarness unit;
    ASSERT_TRUE(unit.Sequence.StopProgram());
    unit.RunFor(1500);
    EXPECT_EQ(unit.Wire.Written, "\x0B\x0B\x0B");
    unit.RunFor(1999);
    EXPECT_TRUE(unit.Sequence.Running());
    unit.RunFor(1);
    EXPECT_FALSE(unit.Sequence.Running());
    EXPECT_EQ(unit.Wire.Written, "\x0B\x0B\x0B");
    EXPECT_EQ(unit.TerminalLines(),
              (std::vector<std::string>{"Stopping K7 program...", "^K ", "^K ", "^K ",
                                        "Sequence terminated"}));
    EXPECT_EQ(unit.Sequence.Outcome(), LoadOutcome::Succeeded);
}

struct RemoteLoad : ::testing::Test {
    FixedProject Project;
    RemoteLoadParams Params;
    void SetUp() override {
        Project.Image = {"#0 File name...|\\", "40000|R|\\"};
        Params.RemoteAddress = 7;
        Params.WaitSeconds = 5;
        Params.ForwardAddress1 = 1;
        Params.ForwardAddress2 = 2;
        Params.ForwardAddress3 = 3;
        Params.MasterBoard = 4;
        Params.MasterPort = 6;
    }
    // Board, port, remote address, forward addresses 1 to 3.
    std::string StartFrame() const {
        return Frame(0xC8, 0x50, 0x01, 0, std::string("\x01\x04\x06\x07\x01\x02\x03", 7));
    }
    std::string EndFrame() const { return Frame(0xC8, 0x50, 0x01, 0, "\x02"); }
};

TEST_F(RemoteLoad, GoesThroughThePassThroughMaster) {
    LoadHarness unit(AnswerAll(0x11));
    unit.GreetWith("5.62");
    ASSERT_TRUE(unit.Sequence.StartRemoteLoad(Params, Project));
    unit.Run();
    const std::vector<std::string> expected = {
        SwitchByte,     SwitchByte,    SwitchByte,    SwitchByte, StartFrame(),
        HaltForProgram, Control(0x45), Control(0x46), Line("#0"), Line("40000|R|\\"),
        Control('P'),   Control('0'),  EndFrame()};
    EXPECT_EQ(unit.Sent(), expected);
    EXPECT_NE(unit.View.Text.find("Initiating master pass-through mode...\r\n"
                                  "Local K3/K7 is in passthrough mode\r\n"),
              std::string::npos);
    EXPECT_EQ(unit.Sequence.Outcome(), LoadOutcome::Succeeded);
}

TEST_F(RemoteLoad, WaitsTheGivenSecondsForEachReply) {
    LoadHarness unit([](const std::string& frame) -> std::optional<std::string> {
        if (static_cast<unsigned char>(frame[2]) == 0x90)
            return std::nullopt;
        return UnitReply(0x11);
    });
    unit.GreetWith("5.62");
    unit.Sequence.StartRemoteLoad(Params, Project);
    unit.Run();
    const auto& times = unit.FrameTimes;
    ASSERT_GE(times.size(), 5u);
    EXPECT_EQ(times[times.size() - 2] - times[times.size() - 3], 5000);
    EXPECT_EQ(unit.Ui.Errors, std::vector<std::string>{"K7 is not responding"});
    // The master is let out of pass-through mode at the end, failed or not.
    EXPECT_EQ(unit.Sent().back(), EndFrame());
}

TEST_F(RemoteLoad, MasterNotInPassThroughEndsTheLoad) {
    LoadHarness unit(AnswerAll(0x01));
    unit.GreetWith("5.62");
    unit.Sequence.StartRemoteLoad(Params, Project);
    unit.Run();
    EXPECT_EQ(unit.Count(StartFrame()), 2);
    EXPECT_EQ(unit.Count(HaltForProgram), 0);
    const auto lines = unit.TerminalLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "K3/K7 master not ready to pass pgm through");
    EXPECT_EQ(lines.back(), "Sequence terminated");
    EXPECT_EQ(unit.Sequence.Outcome(), LoadOutcome::Failed);
}

TEST_F(RemoteLoad, ValuesThatDoNotFitAByteAreRefused) {
    LoadHarness unit;
    Params.MasterPort = 256;
    EXPECT_FALSE(unit.Sequence.StartRemoteLoad(Params, Project));
    Params.MasterPort = 1;
    Params.WaitSeconds = 0;
    EXPECT_FALSE(unit.Sequence.StartRemoteLoad(Params, Project));
    EXPECT_EQ(unit.Ui.Errors.size(), 2u);
    EXPECT_TRUE(unit.Wire.Written.empty());
}

TEST_F(RemoteLoad, NextLoadAfterARemoteOneIsLocal) {
    LoadHarness unit(AnswerAll(0x11));
    unit.GreetWith("5.62");
    unit.Sequence.StartRemoteLoad(Params, Project);
    unit.Run();
    unit.Sequence.SendProgram(Project);
    unit.Run();
    EXPECT_EQ(unit.Count(StartFrame()), 1);
    EXPECT_EQ(unit.Count(EndFrame()), 1);
    EXPECT_EQ(unit.Count(SwitchByte), 4 + 3);
    EXPECT_EQ(unit.Count(Control('0')), 2);
}

} // namespace
} // namespace k7::test
