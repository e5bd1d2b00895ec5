// The system's line end against k7sim over a pseudo-terminal: the unit's
// ASCII dialect, its answers to frames, what it records, and each of the
// faults a test can ask of it.
#include "tests/sim/sim_session.h"

#include "comm/ascii_messages.h"
#include "comm/tavro_frame.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

using test::SimulatedUnit;
using test::UnitLink;

std::string TavroSwitch() {
    return std::string(1, SwitchToTavroByte);
}

class SimEndToEnd : public ::testing::Test {
  protected:
    void Start(std::vector<std::string> options = {}) {
        Unit = std::make_unique<SimulatedUnit>(std::move(options));
        ASSERT_TRUE(Unit->Ready()) << "k7sim printed: " << Unit->DevicePath;
        ASSERT_TRUE(Link.Connect(Unit->DevicePath)) << Link.Port.LastError();
    }

    // Sends bytes in ASCII mode and waits until the terminal shows `text`.
    bool TypeAndSee(const std::string& bytes, const std::string& text) {
        Link.Pump.SetComMode(ComModeAscii);
        Link.Port.WriteString(bytes);
        return Link.WaitFor(
            [&] { return Link.Listener.TerminalRaw.find(text) != std::string::npos; });
    }

    std::unique_ptr<SimulatedUnit> Unit;
    UnitLink Link;
};

TEST_F(SimEndToEnd, IdentifiesOnTheFirstByteAndEchoes) {
    Start();
    ASSERT_TRUE(TypeAndSee("hi\r", "hi\r\n"));
    EXPECT_EQ(Link.Screen.UnitOsVersion(), "5.62");
    const auto lines = Link.Screen.Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "Revision Version 5.62");
    EXPECT_EQ(lines.back(), "hi");
}

TEST_F(SimEndToEnd, VersionFromTheCommandLine) {
    Start({"--os-version", "5.61"});
    ASSERT_TRUE(TypeAndSee("x", "Revision Version 5.61"));
    EXPECT_TRUE(Link.WaitFor([&] { return Link.Screen.UnitOsVersion() == "5.61"; }));
}

TEST_F(SimEndToEnd, HaltIsAnsweredWithTheIdleBit) {
    Start();
    Link.Port.WriteString(TavroSwitch());
    ASSERT_TRUE(Link.Exchange(ControlFrame(ControlHaltForProgram)));
    EXPECT_TRUE(FrameCheckMatches(Link.Pump.ReplyFrame(), Link.Pump.ReplyFrame().size()));
    EXPECT_TRUE(ReplyShowsIdle(Link.Pump.ReplyFrame()));
    EXPECT_FALSE(ReplyShowsPassThrough(Link.Pump.ReplyFrame()));
    EXPECT_TRUE(Unit->StateHas("mode|TAVRO"));
    EXPECT_TRUE(Unit->StateHas("program|idle"));
    EXPECT_TRUE(Unit->StateHas("control|10"));
}

TEST_F(SimEndToEnd, RunningProgramIsNotIdle) {
    Start();
    ASSERT_TRUE(Link.Exchange(ControlFrame(ControlInstallSecurity)));
    EXPECT_FALSE(ReplyShowsIdle(Link.Pump.ReplyFrame()));
}

TEST_F(SimEndToEnd, PassThroughStartSetsItsStatusBit) {
    Start();
    PassThroughRoute route;
    route.RemoteAddress = 7;
    ASSERT_TRUE(Link.Exchange(*PassThroughStartFrame(route)));
    EXPECT_TRUE(ReplyShowsPassThrough(Link.Pump.ReplyFrame()));
    EXPECT_TRUE(Unit->StateHas("passthrough|1|000007000000"));
    ASSERT_TRUE(Link.Exchange(PassThroughEndFrame()));
    EXPECT_FALSE(ReplyShowsPassThrough(Link.Pump.ReplyFrame()));
}

TEST_F(SimEndToEnd, KeepsProgramLinesInOrder) {
    Start();
    Link.Port.WriteString(TavroSwitch());
    ASSERT_TRUE(Link.Exchange(ControlFrame(ControlHaltForProgram)));
    ASSERT_TRUE(Link.Exchange(EraseSectorFrame(5)));
    ASSERT_TRUE(Link.Exchange(EraseSectorFrame(6)));
    const std::vector<std::string> image = {"#0", "4000|2328|1A|FFFF|\\", "4010|~|\\", "#D"};
    for (const auto& line : image)
        ASSERT_TRUE(Link.Exchange(*ProgramLineFrame(line))) << line;
    ASSERT_TRUE(Link.Exchange(ControlFrame(ControlInstallSecurity)));

    std::vector<std::string> received;
    for (const auto& line : Unit->StateLines())
        if (line.rfind("line|", 0) == 0)
            received.push_back(line.substr(5));
    EXPECT_EQ(received,
              (std::vector<std::string>{"#0", "4000|2328|1A|FFFF|\\", "4010|~7E|\\", "#D"}));
    EXPECT_TRUE(Unit->StateHas("erased|5"));
    EXPECT_TRUE(Unit->StateHas("erased|6"));
    EXPECT_TRUE(Unit->StateHas("security|1"));
}

TEST_F(SimEndToEnd, KeepsOsBlocksAndTheClock) {
    Start();
    ASSERT_TRUE(Link.Exchange(*OsBlockFrame(0x4000, std::string("\x01\x02\xFE", 3))));
    ClockReading clock;
    clock.Year = 2007;
    clock.Month = 6;
    clock.Day = 30;
    clock.Hour = 23;
    clock.Minute = 59;
    clock.Second = 58;
    clock.DayOfWeek = 7;
    ASSERT_TRUE(Link.Exchange(SetClockFrame(clock)));
    EXPECT_TRUE(Unit->StateHas("osblock|4000|0102FE"));
    EXPECT_TRUE(Unit->StateHas("clock|58|59|23|30|6|7|7"));
}

TEST_F(SimEndToEnd, RestartIdentifiesAgainAndLeavesTheProtocol) {
    Start();
    ASSERT_TRUE(TypeAndSee("a", "Revision Version 5.62"));
    Link.Port.WriteString(TavroSwitch());
    ASSERT_TRUE(Link.Exchange(ControlFrame(ControlHaltForProgram)));
    // No echo in the protocol.
    Link.Pump.SetComMode(ComModeAscii);
    Link.Listener.TerminalRaw.clear();
    Link.Port.WriteString("q");
    Link.RunFor(200);
    EXPECT_EQ(Link.Listener.TerminalRaw, "");
    ASSERT_TRUE(Link.Exchange(ControlFrame(ControlRestartProgram)));
    EXPECT_FALSE(ReplyShowsIdle(Link.Pump.ReplyFrame()));
    Link.Listener.TerminalRaw.clear();
    ASSERT_TRUE(TypeAndSee("z", "z"));
    EXPECT_TRUE(Unit->StateHas("mode|ASCII"));
    EXPECT_TRUE(Unit->StateHas("restarts|1"));
    EXPECT_TRUE(Unit->StateHas("program|running"));
    // The identification line after the reply went to the pump in CRC mode
    // with the reply; a restart of the OS shows it in ASCII mode.
    Link.Listener.TerminalRaw.clear();
    Link.Pump.SetComMode(ComModeAscii);
    Link.Port.WriteString(ControlFrame(ControlRestartOs));
    EXPECT_TRUE(Link.WaitFor([&] {
        return Link.Listener.TerminalRaw.find("Revision Version 5.62") != std::string::npos;
    }));
    EXPECT_TRUE(Unit->StateHas("restarts|2"));
}

TEST_F(SimEndToEnd, StopCharacterIdlesTheProgram) {
    Start();
    ASSERT_TRUE(TypeAndSee("a", "a"));
    Link.Port.WriteString(std::string(1, StopProgramByte));
    ASSERT_TRUE(Link.Exchange(ControlFrame(ControlInstallSecurity)));
    EXPECT_TRUE(ReplyShowsIdle(Link.Pump.ReplyFrame()));
}

TEST_F(SimEndToEnd, WatchCommandsAnsweredInEitherDialect) {
    Start();
    Link.Pump.SetWatchActive(true);
    Link.Port.WriteString(WatchClearTable() + WatchLoadAddress(1, "1A2B") +
                          WatchLoadAddress(18, "2000C0") + WatchWriteValue(1, "42") +
                          WatchPokeOn(18) + WatchRequestValues());
    // Thirty fields, one for each slot: slot 1 poked, slot 18 watched.
    const std::string expected =
        "?,42" + std::string(16, ',') + ",0" + std::string(11, ',') + "\r\n";
    ASSERT_TRUE(Link.WaitFor([&] {
        return Link.Listener.Watch.find(expected) != std::string::npos;
    })) << Link.Listener.Watch;
    EXPECT_TRUE(Unit->StateHas("watch|18|2000C0|1"));
    EXPECT_TRUE(Unit->StateHas("poke|1A2B|42"));

    // After a load the unit is in the protocol; a watch still works.
    Link.Port.WriteString(TavroSwitch());
    ASSERT_TRUE(Link.Exchange(ControlFrame(ControlHaltForProgram)));
    Link.Pump.SetComMode(ComModeAscii);
    Link.Listener.Watch.clear();
    Link.Port.WriteString(WatchWriteValue(1, "7") + WatchRequestValues());
    ASSERT_TRUE(
        Link.WaitFor([&] { return Link.Listener.Watch.find("\r\n") != std::string::npos; }));
    EXPECT_EQ(Link.Listener.Watch,
              "?,7" + std::string(16, ',') + ",0" + std::string(11, ',') + "\r\n"); // no echo
}

TEST_F(SimEndToEnd, BadFrameIsIgnored) {
    Start();
    std::string bad = ControlFrame(ControlHaltForProgram);
    bad[7] = static_cast<char>(bad[7] ^ 0x01);
    EXPECT_FALSE(Link.Exchange(bad, 400));
    EXPECT_TRUE(Link.Exchange(ControlFrame(ControlHaltForProgram)));
    EXPECT_TRUE(Unit->StateHas("frames|1"));
}

// --- faults ------------------------------------------------------------------

TEST_F(SimEndToEnd, FaultDropEveryNthReply) {
    Start({"--drop-every", "2"});
    const std::string frame = ControlFrame(ControlInstallSecurity);
    EXPECT_TRUE(Link.Exchange(frame));
    EXPECT_FALSE(Link.Exchange(frame, 500));
    EXPECT_TRUE(Link.Exchange(frame));
    EXPECT_FALSE(Link.Exchange(frame, 500));
    EXPECT_TRUE(Unit->StateHas("frames|4"));
}

TEST_F(SimEndToEnd, FaultCorruptEveryNthReply) {
    Start({"--corrupt-every", "2"});
    const std::string frame = ControlFrame(ControlInstallSecurity);
    EXPECT_TRUE(Link.Exchange(frame));
    // The second reply comes, but its check is wrong: look at the raw bytes.
    Link.Pump.Stop();
    Link.Port.WriteString(frame);
    std::string raw;
    ASSERT_TRUE(Link.WaitFor([&] {
        raw += Link.Port.ReadString();
        return raw.size() >= 8;
    }));
    EXPECT_EQ(raw.size(), 8u);
    EXPECT_EQ(static_cast<unsigned char>(raw[0]), ReplyStartByte);
    EXPECT_FALSE(FrameCheckMatches(raw, 8));
    Link.Pump.Start();
    EXPECT_TRUE(Link.Exchange(frame));
}

TEST_F(SimEndToEnd, FaultNoiseBeforeReplies) {
    Start({"--noise", "5"});
    Link.Pump.Stop();
    Link.Port.WriteString(ControlFrame(ControlHaltForProgram));
    // The first byte brought the identification line, then come the noise
    // and the reply.
    const std::string identification = "\r\nRevision Version 5.62\r\n";
    std::string raw;
    ASSERT_TRUE(Link.WaitFor([&] {
        raw += Link.Port.ReadString();
        return raw.size() >= identification.size() + 5 + 8;
    }));
    EXPECT_EQ(raw.substr(0, identification.size()), identification);
    EXPECT_EQ(raw.find(static_cast<char>(ReplyStartByte)), identification.size() + 5);
    const std::string reply = raw.substr(identification.size() + 5);
    EXPECT_EQ(reply.size(), 8u);
    EXPECT_TRUE(FrameCheckMatches(reply, 8));
    // The pump finds the reply behind the noise.
    Link.Pump.Start();
    ASSERT_TRUE(Link.Exchange(ControlFrame(ControlHaltForProgram)));
    EXPECT_TRUE(ReplyShowsIdle(Link.Pump.ReplyFrame()));
}

TEST_F(SimEndToEnd, FaultNeverAnswer) {
    Start({"--mute"});
    EXPECT_FALSE(Link.Exchange(ControlFrame(ControlHaltForProgram), 500));
    Link.Pump.SetComMode(ComModeAscii);
    Link.Port.WriteString("hello\r" + WatchRequestValues());
    Link.RunFor(300);
    EXPECT_TRUE(Link.Listener.TerminalRaw.empty());
    // It still listened.
    EXPECT_TRUE(Unit->StateHas("program|idle"));
}

TEST_F(SimEndToEnd, FaultHaltWithoutIdleBit) {
    Start({"--halt-not-idle"});
    ASSERT_TRUE(Link.Exchange(ControlFrame(ControlHaltForProgram)));
    EXPECT_FALSE(ReplyShowsIdle(Link.Pump.ReplyFrame()));
    ASSERT_TRUE(Link.Exchange(ControlFrame(ControlHaltForOs)));
    EXPECT_FALSE(ReplyShowsIdle(Link.Pump.ReplyFrame()));
}

TEST_F(SimEndToEnd, FaultLateReply) {
    Start({"--delay-ms", "600"});
    // Without the fault the reply is here within a few milliseconds.
    EXPECT_FALSE(Link.Exchange(ControlFrame(ControlHaltForProgram), 300));
    EXPECT_TRUE(Link.WaitFor([&] { return !Link.Pump.ReplyFrame().empty(); }, 5000));
    EXPECT_TRUE(ReplyShowsIdle(Link.Pump.ReplyFrame()));
}

TEST_F(SimEndToEnd, UnitThatVanishesClosesThePort) {
    Start();
    ASSERT_TRUE(TypeAndSee("a", "a"));
    Unit->Stop();
    ASSERT_TRUE(Link.WaitFor([&] { return Link.Listener.Lost == 1; }));
    EXPECT_FALSE(Link.Port.PortOpen());
    EXPECT_FALSE(Link.Pump.Running());
    EXPECT_TRUE(Link.Ui.Errors.empty());
}

} // namespace
} // namespace k7
