// Every fault k7sim can play crossed with every command that talks to the
// unit, plus the unit vanishing part way through a load: each cell ends
// within its time with the outcome written for it, the port closed once
// the command is over and no simulator left running.
#include "comm/clock_set.h"
#include "comm/watch.h"
#include "tests/comm/download_harness.h"
#include "tests/sim/sim_session.h"
#include "tests/support/eventually.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>

namespace k7::test {
namespace {

enum class Command { ProgramLoad, OsLoad, Stop, Clock, Watch };

// What a cell ends with.
enum class Outcome {
    Loaded,        // the load succeeded
    NoReply,       // "No reply from K7." on the terminal: the halt was not acknowledged
    NotResponding, // "K7 is not responding" in an error box
    Stopped,       // the stop characters went out and the sequence ended
    ClockSent,     // the one clock frame was written
    Values,        // the watch window filled its values
    NoValues,      // the watch window got no reply
    NotApplicable, // the fault cannot touch this command (listed, not run)
    Other,         // anything else: never expected
};

struct Cell {
    const char* Fault;
    std::vector<std::string> Options;
    Command Run;
    Outcome Expected;
};

// GoogleTest would print a cell as its raw bytes in every test's name line;
// the simulator options say what the cell is.
void PrintTo(const Cell& cell, std::ostream* out) {
    const char* separator = "";
    for (const std::string& option : cell.Options) {
        *out << separator << option;
        separator = " ";
    }
}

const std::vector<std::string> Image = {
    "#0 File name...|\\", "40000|PUMP.TVR  01/02/2024 10:00:00       |\\",
    "#3 Constants...|\\", "40094|0|\\",
    "#D End of file",     "400D4|232F|400DC|\\"};

std::vector<Cell> Cells() {
    const std::vector<std::string> drop = {"--drop-every", "3"};
    const std::vector<std::string> corrupt = {"--corrupt-every", "3"};
    const std::vector<std::string> noise = {"--noise", "9"};
    const std::vector<std::string> silent = {"--silent-after", "2"};
    const std::vector<std::string> mute = {"--mute"};
    const std::vector<std::string> haltNotIdle = {"--halt-not-idle"};
    const std::vector<std::string> delay = {"--delay-ms", "40"};
    using C = Command;
    using O = Outcome;
    return {
        // A lost or damaged reply is sent again; noise before a start byte
        // and a late reply cost nothing.
        {"DropEvery", drop, C::ProgramLoad, O::Loaded},
        {"CorruptEvery", corrupt, C::ProgramLoad, O::Loaded},
        {"Noise", noise, C::ProgramLoad, O::Loaded},
        {"SilentAfter", silent, C::ProgramLoad, O::NotResponding},
        {"Mute", mute, C::ProgramLoad, O::NoReply},
        {"HaltNotIdle", haltNotIdle, C::ProgramLoad, O::NoReply},
        {"DelayMs", delay, C::ProgramLoad, O::Loaded},
        // Seven erase commands in all: the six sectors of an OS load leave
        // room for one lost reply, and every third frame loses two of them.
        {"DropEvery", drop, C::OsLoad, O::NotResponding},
        {"CorruptEvery", corrupt, C::OsLoad, O::NotResponding},
        {"Noise", noise, C::OsLoad, O::Loaded},
        {"SilentAfter", silent, C::OsLoad, O::NotResponding},
        {"Mute", mute, C::OsLoad, O::NoReply},
        {"HaltNotIdle", haltNotIdle, C::OsLoad, O::NoReply},
        {"DelayMs", delay, C::OsLoad, O::Loaded},
        // Stop sends characters only and awaits no frame.
        {"DropEvery", drop, C::Stop, O::NotApplicable},
        {"CorruptEvery", corrupt, C::Stop, O::NotApplicable},
        {"Noise", noise, C::Stop, O::NotApplicable},
        {"SilentAfter", silent, C::Stop, O::NotApplicable},
        {"Mute", mute, C::Stop, O::Stopped},
        {"HaltNotIdle", haltNotIdle, C::Stop, O::NotApplicable},
        {"DelayMs", delay, C::Stop, O::Stopped},
        // The clock frame awaits no reply: only its sending can be checked.
        {"DropEvery", drop, C::Clock, O::NotApplicable},
        {"CorruptEvery", corrupt, C::Clock, O::NotApplicable},
        {"Noise", noise, C::Clock, O::NotApplicable},
        {"SilentAfter", silent, C::Clock, O::NotApplicable},
        {"Mute", mute, C::Clock, O::ClockSent},
        {"HaltNotIdle", haltNotIdle, C::Clock, O::NotApplicable},
        {"DelayMs", delay, C::Clock, O::NotApplicable},
        // The watch speaks ASCII: no CRC frames to drop, damage or count.
        {"DropEvery", drop, C::Watch, O::NotApplicable},
        {"CorruptEvery", corrupt, C::Watch, O::NotApplicable},
        {"Noise", noise, C::Watch, O::Values},
        {"SilentAfter", silent, C::Watch, O::NotApplicable},
        {"Mute", mute, C::Watch, O::NoValues},
        {"HaltNotIdle", haltNotIdle, C::Watch, O::NotApplicable},
        {"DelayMs", delay, C::Watch, O::Values},
    };
}

bool TerminalHas(const Station& station, const std::string& line) {
    const auto lines = station.Screen.Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Runs the cell's command and tells what it ended with.
Outcome RunCell(const Cell& cell, Station& station, const std::string& systemFolder) {
    FixedProject project;
    project.Image = Image;
    project.Addresses = {{"Tank.Level", "104A010"}};
    switch (cell.Run) {
    case Command::ProgramLoad:
    case Command::OsLoad: {
        station.Sequence.SetSystemFolder(systemFolder);
        const bool started = cell.Run == Command::ProgramLoad
                                 ? station.Sequence.SendProgram(project)
                                 : station.Sequence.SendOs();
        if (!started || !station.RunSequence(60000))
            return Outcome::Other;
        if (station.Sequence.Outcome() == LoadOutcome::Succeeded)
            return Outcome::Loaded;
        if (station.Ui.Errors == std::vector<std::string>{LoadText::NotResponding})
            return Outcome::NotResponding;
        return TerminalHas(station, LoadText::NoReply) ? Outcome::NoReply : Outcome::Other;
    }
    case Command::Stop:
        station.Sequence.StopProgram();
        return station.RunSequence(20000) && station.Screen.Lines().back() == "Sequence terminated"
                   ? Outcome::Stopped
                   : Outcome::Other;
    case Command::Clock:
        if (!station.Port.OpenPort())
            return Outcome::Other;
        return SendClock(station.Port, station.Screen, ReadLocalClock()) ? Outcome::ClockSent
                                                                         : Outcome::Other;
    case Command::Watch: {
        int replies = 0;
        station.Window.SetReplyListener([&replies] { ++replies; });
        if (!station.Window.Open(project))
            return Outcome::Other;
        station.Window.StartDrag("Tank.Level");
        station.Window.Drop(0, 1, project);
        RunInRealTime(
            station.Timers, [&] { return replies >= 1; }, 4000);
        const Outcome outcome =
            replies >= 1 && station.Window.Cell(1, 1) == "0" ? Outcome::Values : Outcome::NoValues;
        station.Window.Close();
        return outcome;
    }
    }
    return Outcome::Other;
}

class SimFaultMatrix : public ::testing::TestWithParam<Cell> {};

TEST_P(SimFaultMatrix, EndsWithItsOutcome) {
    const Cell& cell = GetParam();
    if (cell.Expected == Outcome::NotApplicable)
        GTEST_SKIP() << "the fault cannot apply to this command";
    TemporaryFolder system;
    {
        std::ofstream image(system.File("K7.DWN"), std::ios::binary);
        image << std::string(16384, '\x77') << std::string(128, '\x01');
    }
    SimulatedUnit unit(cell.Options);
    ASSERT_TRUE(unit.Ready());
    {
        Station station(unit.DevicePath);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(RunCell(cell, station, system.Folder()), cell.Expected);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(40));
        EXPECT_FALSE(station.Sequence.Running());
        station.Port.ClosePort();
        EXPECT_FALSE(station.Port.PortOpen());
    }
    unit.Process->Terminate();
    EXPECT_FALSE(unit.Process->Wait(5000).TimedOut);
}

std::string CellName(const ::testing::TestParamInfo<Cell>& info) {
    static const char* commands[] = {"ProgramLoad", "OsLoad", "Stop", "Clock", "Watch"};
    return std::string(info.param.Fault) + "_" + commands[static_cast<int>(info.param.Run)];
}

INSTANTIATE_TEST_SUITE_P(EveryFaultAndCommand, SimFaultMatrix, ::testing::ValuesIn(Cells()),
                         CellName);

// The simulator killed part way through a program load: a clear port error,
// the sequence ended and the port closed.
TEST(SimFaultMatrixVanish, UnitKilledMidLoad) {
    SimulatedUnit unit({"--delay-ms", "30"});
    ASSERT_TRUE(unit.Ready());
    Station station(unit.DevicePath);
    FixedProject project;
    project.Image.emplace();
    for (int i = 0; i < 200; ++i)
        project.Image->push_back(std::to_string(0x40000 + 4 * i) + "|1|\\");
    ASSERT_TRUE(station.Sequence.SendProgram(project));
    ASSERT_TRUE(RunInRealTime(
        station.Timers, [&] { return station.View.Positions.size() > 3; }, 20000));
    unit.Process->Terminate();
    EXPECT_FALSE(unit.Process->Wait(5000).TimedOut);
    ASSERT_TRUE(station.RunSequence(20000));
    EXPECT_EQ(station.Sequence.Outcome(), LoadOutcome::Failed);
    EXPECT_FALSE(station.Ui.Errors.empty());
    EXPECT_EQ(station.Screen.Lines().back(), "Sequence terminated");
    EXPECT_FALSE(station.Port.PortOpen());
}

} // namespace
} // namespace k7::test
