#include "comm/receive_pump.h"

#include "comm/crc16.h"
#include "comm/tavro_frame.h"
#include "comm/timer_queue.h"
#include "tests/comm/fake_serial_device.h"
#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace k7 {
namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

std::string WithCheck(const std::string& body) {
    const std::uint16_t crc = Crc16(body);
    return body + Bytes({crc >> 8, crc & 0xFF});
}

struct RecordingListener : PumpListener {
    std::string Terminal;
    std::string Watch;
    std::vector<std::string> Replies;
    int Lost = 0;
    void TerminalBytes(const std::string& bytes) override { Terminal += bytes; }
    void WatchBytes(const std::string& bytes) override { Watch += bytes; }
    void ReplyArrived(const std::string& frame) override { Replies.push_back(frame); }
    void PortLost() override { ++Lost; }
};

class ReceivePumpTest : public ::testing::Test {
  protected:
    ReceivePumpTest()
        : Port(Ui, std::make_unique<test::FakeSerialDevice>(Line)),
          Pump(Port, Timers.CreateTimer()) {
        Pump.SetListener(&Listener);
        Port.SetDevicePath("/dev/fake");
        Port.OpenPort();
        Pump.Start();
    }

    // Bytes that reach the port, then one tick of Timer1.
    void Arrive(const std::string& bytes) {
        Line.Input += bytes;
        Timers.Advance(ReceivePumpIntervalMs);
    }

    test::ScriptedUi Ui;
    test::FakeLine Line;
    TSeComm32 Port;
    TimerQueue Timers;
    ReceivePump Pump;
    RecordingListener Listener;

    const std::string IdleReply = WithCheck(Bytes({0xC9, 8, 0x30, 0, 0, 0x01}));
    const std::string PassReply = WithCheck(Bytes({0xC8, 8, 0x50, 0, 0, 0x10}));
};

TEST_F(ReceivePumpTest, AsciiGoesToTheTerminalOrTheWatch) {
    Arrive("Revision");
    EXPECT_EQ(Listener.Terminal, "Revision");
    Pump.SetWatchActive(true);
    Arrive("?1,2,3\r");
    EXPECT_EQ(Listener.Watch, "?1,2,3\r");
    EXPECT_EQ(Listener.Terminal, "Revision");
    EXPECT_TRUE(Pump.ReplyFrame().empty());
    EXPECT_TRUE(Pump.Accumulator().empty());
}

TEST_F(ReceivePumpTest, AsciiModePassesFrameBytesOnUninterpreted) {
    Arrive(IdleReply);
    EXPECT_EQ(Listener.Terminal, IdleReply);
    EXPECT_TRUE(Pump.ReplyFrame().empty());
}

TEST_F(ReceivePumpTest, NothingWaitingReadsNothing) {
    Timers.Advance(10);
    EXPECT_EQ(Line.ReadCalls, 0);
    EXPECT_TRUE(Ui.Errors.empty());
}

TEST_F(ReceivePumpTest, CrcModeKeepsAValidReply) {
    Pump.SetComMode(ComModeCrc);
    Arrive(IdleReply);
    EXPECT_EQ(Pump.ReplyFrame(), IdleReply);
    ASSERT_EQ(Listener.Replies.size(), 1u);
    EXPECT_EQ(Listener.Replies[0], IdleReply);
    EXPECT_TRUE(Pump.Accumulator().empty());
    EXPECT_TRUE(Listener.Terminal.empty());
}

TEST_F(ReceivePumpTest, NoiseBeforeTheReplyIsDropped) {
    Pump.SetComMode(ComModeCrc);
    Arrive(Bytes({0x00, 0x55, 0xFF}) + PassReply);
    EXPECT_EQ(Pump.ReplyFrame(), PassReply);
}

TEST_F(ReceivePumpTest, NothingIsDecidedBeforeEightBytes) {
    Pump.SetComMode(ComModeCrc);
    // Seven bytes of noise stay put: too few to look at.
    Arrive(Bytes({1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(Pump.Accumulator().size(), 7u);
    // The eighth byte lets the noise go; the reply follows in its own read.
    Arrive(Bytes({8}));
    EXPECT_TRUE(Pump.Accumulator().empty());
    Arrive(IdleReply);
    EXPECT_EQ(Pump.ReplyFrame(), IdleReply);
}

TEST_F(ReceivePumpTest, ReplySplitOverSeveralReadsIsAssembled) {
    Pump.SetComMode(ComModeCrc);
    Arrive(IdleReply.substr(0, 3));
    Arrive(IdleReply.substr(3, 3));
    EXPECT_TRUE(Pump.ReplyFrame().empty());
    EXPECT_EQ(Pump.Accumulator(), IdleReply.substr(0, 6));
    Arrive(IdleReply.substr(6));
    EXPECT_EQ(Pump.ReplyFrame(), IdleReply);
    EXPECT_EQ(Listener.Replies.size(), 1u);
}

TEST_F(ReceivePumpTest, LongReplyWaitsForItsDeclaredLength) {
    Pump.SetComMode(ComModeCrc);
    const std::string reply = WithCheck(Bytes({0xC9, 20, 0x90, 0, 0}) + std::string(13, 'd'));
    Arrive(reply.substr(0, 12));
    EXPECT_TRUE(Pump.ReplyFrame().empty());
    Arrive(reply.substr(12));
    EXPECT_EQ(Pump.ReplyFrame(), reply);
}

TEST_F(ReceivePumpTest, ShortDeclaredLengthWaitsForEightBytes) {
    Pump.SetComMode(ComModeCrc);
    // A six-byte frame with a good check: present, but fewer than 8 bytes.
    const std::string six = WithCheck(Bytes({0xC9, 6, 0x30, 0}));
    Arrive(six);
    EXPECT_TRUE(Pump.ReplyFrame().empty());
    Arrive("xy");
    EXPECT_EQ(Pump.ReplyFrame(), six);
    EXPECT_TRUE(Pump.Accumulator().empty());
}

TEST_F(ReceivePumpTest, OnlyTheFirstOfTwoRepliesInOneReadIsUsed) {
    Pump.SetComMode(ComModeCrc);
    Arrive(IdleReply + PassReply);
    EXPECT_EQ(Pump.ReplyFrame(), IdleReply);
    EXPECT_EQ(Listener.Replies.size(), 1u);
    EXPECT_TRUE(Pump.Accumulator().empty());
    Timers.Advance(5);
    EXPECT_EQ(Listener.Replies.size(), 1u);
}

TEST_F(ReceivePumpTest, BadCheckIsDroppedAndTheNextReplyAccepted) {
    Pump.SetComMode(ComModeCrc);
    std::string bad = IdleReply;
    bad[7] = static_cast<char>(bad[7] ^ 0x01);
    Arrive(bad);
    EXPECT_TRUE(Pump.ReplyFrame().empty());
    EXPECT_TRUE(Pump.Accumulator().empty());
    EXPECT_TRUE(Listener.Replies.empty());
    Arrive(PassReply);
    EXPECT_EQ(Pump.ReplyFrame(), PassReply);
}

TEST_F(ReceivePumpTest, DeclaredLengthsZeroAndOneAreDroppedSafely) {
    Pump.SetComMode(ComModeCrc);
    for (int declared : {0, 1}) {
        Arrive(Bytes({0xC8, declared, 0x30, 0, 0, 0, 0, 0}));
        EXPECT_TRUE(Pump.ReplyFrame().empty()) << declared;
        EXPECT_TRUE(Pump.Accumulator().empty()) << declared;
    }
    // The same from a reply start byte.
    Arrive(Bytes({0xC9, 0x00}) + std::string(6, '\0'));
    EXPECT_TRUE(Pump.ReplyFrame().empty());
    Arrive(IdleReply);
    EXPECT_EQ(Pump.ReplyFrame(), IdleReply);
}

TEST_F(ReceivePumpTest, DeclaredLengthTwoIsCheckedLikeAnyOther) {
    Pump.SetComMode(ComModeCrc);
    // Two bytes check nothing, and the start byte is no zero check.
    Arrive(Bytes({0xC8, 2, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(Pump.ReplyFrame().empty());
    EXPECT_TRUE(Pump.Accumulator().empty());
}

TEST_F(ReceivePumpTest, EndlessNoiseNeverPilesUp) {
    Pump.SetComMode(ComModeCrc);
    std::string noise;
    for (int i = 0; i < 4000; ++i) {
        const int byte = (i * 37) & 0xFF;
        noise += static_cast<char>(byte == 0xC8 || byte == 0xC9 ? 0x11 : byte);
    }
    for (int round = 0; round < 50; ++round) {
        Arrive(noise);
        ASSERT_TRUE(Pump.Accumulator().empty());
    }
    EXPECT_TRUE(Pump.ReplyFrame().empty());
}

TEST_F(ReceivePumpTest, LyingLengthHoldsAtMostOneFrame) {
    Pump.SetComMode(ComModeCrc);
    // A start byte that declares 255 and never brings a valid check.
    const std::string liar = Bytes({0xC8, 255}) + std::string(100, 'n');
    Arrive(liar);
    EXPECT_EQ(Pump.Accumulator().size(), 102u);
    Arrive(std::string(200, 'n'));
    EXPECT_TRUE(Pump.Accumulator().empty());
    EXPECT_TRUE(Pump.ReplyFrame().empty());
}

TEST_F(ReceivePumpTest, ReplyStaysUntilTheSequenceClearsIt) {
    Pump.SetComMode(ComModeCrc);
    Arrive(IdleReply);
    Timers.Advance(20);
    EXPECT_EQ(Pump.ReplyFrame(), IdleReply);
    Pump.ClearReplyFrame();
    EXPECT_TRUE(Pump.ReplyFrame().empty());
}

TEST_F(ReceivePumpTest, DeviceThatGoesAwayStopsThePump) {
    Line.Gone = true;
    Timers.Advance(1);
    EXPECT_EQ(Listener.Lost, 1);
    EXPECT_FALSE(Pump.Running());
    EXPECT_FALSE(Port.PortOpen());
    Timers.Advance(100);
    EXPECT_EQ(Listener.Lost, 1);
    // No "port not open" box once a millisecond.
    EXPECT_TRUE(Ui.Errors.empty());
}

TEST_F(ReceivePumpTest, StartsAtOneMillisecond) {
    Pump.Stop();
    EXPECT_FALSE(Pump.Running());
    Pump.Start();
    Line.Input = "x";
    Timers.Advance(1);
    EXPECT_EQ(Listener.Terminal, "x");
}

} // namespace
} // namespace k7
