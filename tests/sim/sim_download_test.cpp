// End to end over a pseudo-terminal: the load sequence and the watch
// against k7sim, with and without its faults, and k7c's unit commands.
#include "comm/watch.h"
#include "tests/comm/download_harness.h"
#include "tests/sim/child_process.h"
#include "tests/sim/sim_session.h"
#include "tests/support/eventually.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace k7::test {
namespace {

// What the unit's state file records of each line it received.
std::vector<std::string> AsStateLines(const std::vector<std::string>& lines) {
    std::vector<std::string> state;
    for (const auto& line : lines)
        state.push_back("line|" + line);
    return state;
}

std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines,
                                           const std::string& prefix) {
    std::vector<std::string> found;
    for (const auto& line : lines)
        if (line.rfind(prefix, 0) == 0)
            found.push_back(line);
    return found;
}

std::vector<std::string> LastLines(const Terminal& screen, std::size_t count) {
    const auto lines = screen.Lines();
    return std::vector<std::string>(lines.end() - std::min(count, lines.size()), lines.end());
}

const std::vector<std::string> SuccessfulEnd = {"Program load successful.",
                                                "Restarting K7 program...", "Sequence terminated"};

void LoadGoldenInto(SimulatedUnit& unit, Station& station) {
    FixedProject project;
    project.Image = MarkerImage();
    ASSERT_TRUE(station.Sequence.SendProgram(project));
    ASSERT_TRUE(station.RunSequence());
    // The state file is written before each reply goes out; the restart
    // has no reply, so on a busy machine the unit may take a while to get
    // to it after the sequence has ended.
    ASSERT_TRUE(Eventually([&] { return unit.StateHas("restarts|1"); }, 10000));
}

TEST(SimDownload, ProgramLoadPutsTheGoldenLinesIntoTheUnit) {
    SimulatedUnit unit;
    ASSERT_TRUE(unit.Ready());
    Station station(unit.DevicePath);
    LoadGoldenInto(unit, station);
    EXPECT_EQ(LastLines(station.Screen, 3), SuccessfulEnd);
    EXPECT_EQ(station.Sequence.Outcome(), LoadOutcome::Succeeded);
    EXPECT_EQ(station.Sequence.UnitOsVersion(), "5.62");
    EXPECT_TRUE(station.Ui.Questions.empty());
    const auto state = unit.StateLines();
    EXPECT_EQ(LinesStartingWith(state, "line|"), AsStateLines(MarkerImageAsSent()));
    EXPECT_EQ(LinesStartingWith(state, "erased|"),
              (std::vector<std::string>{"erased|5", "erased|6"}));
    EXPECT_TRUE(unit.StateHas("security|1"));
    EXPECT_EQ(LinesStartingWith(state, "control|"),
              (std::vector<std::string>{"control|10", "control|45", "control|46", "control|50",
                                        "control|30"}));
    unit.Stop();
}

class SimFaults : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(SimFaults, LoadStillArrivesWhole) {
    SimulatedUnit unit(GetParam());
    ASSERT_TRUE(unit.Ready());
    Station station(unit.DevicePath);
    LoadGoldenInto(unit, station);
    EXPECT_EQ(LastLines(station.Screen, 3), SuccessfulEnd);
    // A lost reply makes the unit take its line twice; the loader writes
    // by address, so a repeat changes nothing in its flash.
    std::vector<std::string> received;
    for (const auto& line : LinesStartingWith(unit.StateLines(), "line|"))
        if (received.empty() || received.back() != line)
            received.push_back(line);
    EXPECT_EQ(received, AsStateLines(MarkerImageAsSent()));
    EXPECT_GT(station.Sequence.TotalRepeats(), 0);
    unit.Stop();
}

INSTANTIATE_TEST_SUITE_P(Repeats, SimFaults,
                         ::testing::Values(std::vector<std::string>{"--drop-every", "4"},
                                           std::vector<std::string>{"--corrupt-every", "5"},
                                           std::vector<std::string>{"--drop-every", "6", "--noise",
                                                                    "7"}));

TEST(SimDownload, NoiseBeforeRepliesCostsNoRepeats) {
    SimulatedUnit unit({"--noise", "20"});
    ASSERT_TRUE(unit.Ready());
    Station station(unit.DevicePath);
    LoadGoldenInto(unit, station);
    EXPECT_EQ(LinesStartingWith(unit.StateLines(), "line|"), AsStateLines(MarkerImageAsSent()));
    EXPECT_EQ(station.Sequence.TotalRepeats(), 0);
    unit.Stop();
}

TEST(SimDownload, OsLoadSendsBlocksAndChecksum) {
    SimulatedUnit unit;
    ASSERT_TRUE(unit.Ready());
    TemporaryFolder system;
    {
        std::ofstream image(system.File("K7.DWN"), std::ios::binary);
        image << std::string(16384, '\x77') << std::string(128, '\x01') << std::string(64, '\x02');
    }
    Station station(unit.DevicePath);
    station.Sequence.SetSystemFolder(system.Folder());
    ASSERT_TRUE(station.Sequence.SendOs());
    ASSERT_TRUE(station.RunSequence());
    ASSERT_TRUE(Eventually([&] { return unit.StateHas("restarts|1"); }));
    // 64 words of 0x0101 and 32 of 0x0202 make 0x8080; then
    // (0x3FFF8 - 0x40C0) / 2 + 1 = 122781 erased words of 0xFFFF, 0x1DF9B2063;
    // the sum modulo 2^32 is 0xDF9BA0E3.
    const auto blocks = LinesStartingWith(unit.StateLines(), "osblock|");
    ASSERT_EQ(blocks.size(), 3u);
    std::string firstBlock = "osblock|4000|";
    for (int i = 0; i < 128; ++i)
        firstBlock += "01";
    EXPECT_EQ(blocks[0], firstBlock);
    EXPECT_EQ(blocks[1].substr(0, 13), "osblock|4080|");
    EXPECT_EQ(blocks[1].size(), 13u + 128u);
    EXPECT_EQ(blocks[2], "osblock|3FFFC|DF9BA0E3");
    EXPECT_EQ(LinesStartingWith(unit.StateLines(), "erased|").size(), 6u);
    EXPECT_EQ(LastLines(station.Screen, 3),
              (std::vector<std::string>{"OS load successful.", "Restarting K7 OS...",
                                        "Sequence terminated"}));
    unit.Stop();
}

TEST(SimDownload, StopSendsStopCharactersOnly) {
    SimulatedUnit unit;
    ASSERT_TRUE(unit.Ready());
    Station station(unit.DevicePath);
    station.Sequence.StopProgram();
    ASSERT_TRUE(station.RunSequence());
    EXPECT_EQ(station.Screen.Lines().back(), "Sequence terminated");
    ASSERT_TRUE(Eventually([&] { return unit.StateHas("program|idle"); }));
    EXPECT_TRUE(unit.StateHas("frames|0"));
    unit.Stop();
}

TEST(SimDownload, RemoteLoadThroughPassThrough) {
    SimulatedUnit unit;
    ASSERT_TRUE(unit.Ready());
    Station station(unit.DevicePath);
    FixedProject project;
    project.Image = MarkerImage();
    RemoteLoadParams params;
    params.RemoteAddress = 9;
    params.WaitSeconds = 3;
    params.ForwardAddress1 = 1;
    params.MasterBoard = 2;
    params.MasterPort = 3;
    ASSERT_TRUE(station.Sequence.StartRemoteLoad(params, project));
    ASSERT_TRUE(station.RunSequence());
    EXPECT_NE(station.View.Text.find("Local K3/K7 is in passthrough mode"), std::string::npos);
    EXPECT_EQ(LastLines(station.Screen, 3), SuccessfulEnd);
    // Route: board, port, remote address, forward addresses 1 to 3.
    ASSERT_TRUE(Eventually([&] { return unit.StateHas("passthrough|0|020309010000"); }));
    EXPECT_EQ(LinesStartingWith(unit.StateLines(), "line|"), AsStateLines(MarkerImageAsSent()));
    unit.Stop();
}

TEST(SimDownload, WatchAndPoke) {
    SimulatedUnit unit;
    ASSERT_TRUE(unit.Ready());
    Station station(unit.DevicePath);
    FixedProject project;
    project.Addresses = {{"Tank.Level", "104A010"}, {"Pump.Run", "2040012"}};
    int replies = 0;
    station.Window.SetReplyListener([&replies] { ++replies; });
    ASSERT_TRUE(station.Window.Open(project));
    station.Window.StartDrag("Tank.Level");
    station.Window.Drop(0, 1, project);
    station.Window.StartDrag("Pump.Run");
    station.Window.Drop(2, 2, project);
    ASSERT_TRUE(RunInRealTime(
        station.Timers, [&] { return replies >= 1; }, 5000));
    EXPECT_EQ(station.Window.Cell(1, 1), "0");
    EXPECT_EQ(station.Window.Cell(3, 2), "0");

    station.Window.SetCellText(1, 1, "12.5");
    station.Window.KeyPress('\r', 1, 1);
    station.Window.DoubleClick(3, 2);
    station.Window.SetCellText(3, 2, "0");
    station.Window.Click(3, 2);
    const int before = replies;
    ASSERT_TRUE(RunInRealTime(
        station.Timers, [&] { return replies > before; }, 5000));
    EXPECT_EQ(station.Window.Cell(1, 1), "12.5");
    EXPECT_EQ(station.Window.Cell(3, 2), "1");
    ASSERT_TRUE(Eventually([&] { return unit.StateHas("poke|104A010|12.5"); }));
    EXPECT_TRUE(unit.StateHas("watch|17|2040012|1"));
    EXPECT_TRUE(unit.StateHas("watch|1|104A010|0"));

    station.Window.ClearTable();
    ASSERT_TRUE(Eventually([&] { return LinesStartingWith(unit.StateLines(), "watch|").empty(); }));
    station.Window.Close();
    unit.Stop();
}

#ifdef K7C_PATH
// k7c against k7sim, with a system folder of the test's own.
struct K7cUnitCommands : ::testing::Test {
    TemporaryFolder Work;
    std::string SystemFolder;
    std::string BasicFolder;
    void SetUp() override {
        if (!std::filesystem::exists(K7C_PATH))
            GTEST_SKIP() << "k7c is not built";
        SystemFolder = Work.File("K7System") + "/";
        std::filesystem::copy(K7_SOURCE_DIR "/data", SystemFolder,
                              std::filesystem::copy_options::recursive);
        // The example's BASIC module is built first, as the demo does.
        BasicFolder = Work.File("K7Basic") + "/";
        std::filesystem::create_directory(BasicFolder);
        std::filesystem::copy(K7_SOURCE_DIR "/examples/K7Basic/PUMPEFF.BAS", BasicFolder);
        ASSERT_EQ(K7c({"basic", BasicFolder + "PUMPEFF.BAS"}).ExitCode, 0);
    }
    ChildResult K7c(std::vector<std::string> arguments) {
        std::vector<std::string> command = {K7C_PATH,   "--settings", Work.File("K7Setup.ini"),
                                            "--system", SystemFolder, "--basic",
                                            BasicFolder};
        command.insert(command.end(), arguments.begin(), arguments.end());
        ChildProcess child(command);
        return child.Wait(60000);
    }
    static std::string Example() { return K7_SOURCE_DIR "/examples/pumpstation.tvr"; }
};

TEST_F(K7cUnitCommands, SendLoadsTheExampleProject) {
    SimulatedUnit unit;
    ASSERT_TRUE(unit.Ready());
    const ChildResult result = K7c({"send", Example(), "--port", unit.DevicePath});
    EXPECT_EQ(result.ExitCode, 0) << result.Out << result.Err;
    EXPECT_NE(result.Out.find("Switching K7 to TAVRO protocol...\n"), std::string::npos);
    EXPECT_NE(result.Out.find("Program load successful.\nRestarting K7 program...\n"
                              "Sequence terminated\n"),
              std::string::npos)
        << result.Out;
    // What the unit holds is the image the compile wrote, markers shortened.
    std::ifstream image(SystemFolder + "Intermed.Obj");
    std::vector<std::string> expected;
    for (std::string line; std::getline(image, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("#", 0) == 0 && std::string("013489").find(line[1]) == std::string::npos)
            continue;
        expected.push_back("line|" + (line[0] == '#' ? line.substr(0, 2) : line));
    }
    ASSERT_TRUE(Eventually([&] { return unit.StateHas("restarts|1"); }));
    EXPECT_EQ(LinesStartingWith(unit.StateLines(), "line|"), expected);
    unit.Stop();
}

TEST_F(K7cUnitCommands, UnknownVersionIsDeclinedWithoutATerminalUnlessYes) {
    SimulatedUnit unit({"--os-version", "5.10"});
    ASSERT_TRUE(unit.Ready());
    ChildResult declined = K7c({"send", Example(), "--port", unit.DevicePath});
    EXPECT_EQ(declined.ExitCode, 1);
    EXPECT_NE(
        declined.Out.find("Tav7 OS version may be incompatible with load, proceed anyway? No"),
        std::string::npos)
        << declined.Out;
    ChildResult accepted = K7c({"send", Example(), "--port", unit.DevicePath, "--yes"});
    EXPECT_EQ(accepted.ExitCode, 0) << accepted.Out;
    unit.Stop();
}

TEST_F(K7cUnitCommands, SendOsStopAndUsage) {
    SimulatedUnit unit;
    ASSERT_TRUE(unit.Ready());
    ChildResult missing = K7c({"send-os", "--port", unit.DevicePath});
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_NE(missing.Out.find("Cannot find file K7.DWN in " + SystemFolder), std::string::npos);
    {
        std::ofstream image(SystemFolder + "K7.DWN", std::ios::binary);
        image << std::string(16384 + 256, '\x11');
    }
    ChildResult os = K7c({"send-os", "--port", unit.DevicePath});
    EXPECT_EQ(os.ExitCode, 0) << os.Out;
    EXPECT_NE(os.Out.find("OS load successful.\nRestarting K7 OS...\nSequence terminated\n"),
              std::string::npos);
    ChildResult stop = K7c({"stop", "--port", unit.DevicePath});
    EXPECT_EQ(stop.ExitCode, 0);
    EXPECT_NE(stop.Out.find("Stopping K7 program...\n^K \n^K \n^K \nSequence terminated\n"),
              std::string::npos)
        << stop.Out;
    EXPECT_EQ(K7c({"send", Example(), "--port", unit.DevicePath, "--remote", "1,2"}).ExitCode, 2);
    EXPECT_EQ(K7c({"send", "/no/such/project.tvr", "--port", unit.DevicePath}).ExitCode, 2);
    unit.Stop();
}

TEST_F(K7cUnitCommands, PokeThenWatchShowsTheValues) {
    SimulatedUnit unit;
    ASSERT_TRUE(unit.Ready());
    ChildResult poke = K7c(
        {"poke", Example(), "--port", unit.DevicePath, "WetWell.Value=7.25", "Pump1Run.State=1"});
    EXPECT_EQ(poke.ExitCode, 0) << poke.Out;
    EXPECT_NE(poke.Out.find("\nWetWell.Value=7.25 Pump1Run.State=1\n"), std::string::npos)
        << poke.Out;
    ChildResult watch = K7c({"watch", Example(), "--port", unit.DevicePath, "Pump1Run.State",
                             "WetWell.Value", "--count", "2"});
    EXPECT_EQ(watch.ExitCode, 0) << watch.Out;
    EXPECT_NE(watch.Out.find("\nPump1Run.State=1 WetWell.Value=7.25\n"
                             "Pump1Run.State=1 WetWell.Value=7.25\n"),
              std::string::npos)
        << watch.Out;
    EXPECT_EQ(K7c({"poke", Example(), "--port", unit.DevicePath, "NoValue"}).ExitCode, 2);
    EXPECT_EQ(K7c({"poke", Example(), "--port", unit.DevicePath, "Nope=1"}).ExitCode, 1);
    unit.Stop();
}

TEST_F(K7cUnitCommands, MuteUnitFails) {
    SimulatedUnit unit({"--mute"});
    ASSERT_TRUE(unit.Ready());
    ChildResult result = K7c({"send", Example(), "--port", unit.DevicePath, "--yes"});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Out.find("No reply from K7.\nSequence terminated\n"), std::string::npos)
        << result.Out;
    unit.Stop();
}
#endif

} // namespace
} // namespace k7::test
