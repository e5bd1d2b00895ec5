#include "comm/ascii_messages.h"
#include "comm/crc16.h"
#include "comm/tavro_frame.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace k7 {
namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

// The header and data as the unit expects them, then the check appended
// high byte first.
std::string WithCheck(const std::string& body) {
    const std::uint16_t crc = Crc16(body);
    return body + Bytes({crc >> 8, crc & 0xFF});
}

TEST(TavroFrame, HaltBeforeProgramLoad) {
    EXPECT_EQ(ControlFrame(ControlHaltForProgram),
              Bytes({0xC8, 0x08, 0x30, 0x00, 0x00, 0x10, 0x9A, 0x43}));
}

TEST(TavroFrame, ClockOfMondayFirstJanuary2001) {
    ClockReading clock;
    clock.Year = 2001;
    clock.Month = 1;
    clock.Day = 1;
    clock.Hour = 9;
    clock.Minute = 5;
    clock.Second = 7;
    clock.DayOfWeek = 2; // Monday
    EXPECT_EQ(SetClockFrame(clock), Bytes({0xC8, 0x0E, 0x60, 0x00, 0x00, 0x07, 0x05, 0x09, 0x01,
                                           0x01, 0x02, 0x01, 0x46, 0xBB}));
}

TEST(TavroFrame, ClockYearIsBinaryAndCountsFromTheCentury) {
    EXPECT_EQ(ClockYearByte(2007), 7);
    EXPECT_EQ(ClockYearByte(2000), 0);
    EXPECT_EQ(ClockYearByte(2099), 99);
    EXPECT_EQ(ClockYearByte(1999), 99);
    ClockReading clock;
    clock.Year = 2023;
    clock.Second = 59;
    clock.Minute = 45;
    clock.Hour = 23;
    clock.Day = 31;
    clock.Month = 12;
    clock.DayOfWeek = 1;
    const std::string frame = SetClockFrame(clock);
    ASSERT_EQ(frame.size(), 14u);
    // 45 minutes is 0x2D, not the BCD 0x45.
    EXPECT_EQ(frame.substr(5, 7), Bytes({59, 45, 23, 31, 12, 1, 23}));
}

TEST(TavroFrame, ControlArguments) {
    EXPECT_EQ(ControlFrame(ControlHaltForOs), WithCheck(Bytes({0xC8, 8, 0x30, 0, 0, 0x60})));
    EXPECT_EQ(ControlFrame(ControlInstallSecurity), WithCheck(Bytes({0xC8, 8, 0x30, 0, 0, 'P'})));
    EXPECT_EQ(ControlFrame(ControlRestartProgram), WithCheck(Bytes({0xC8, 8, 0x30, 0, 0, '0'})));
    EXPECT_EQ(ControlFrame(ControlRestartOs), WithCheck(Bytes({0xC8, 8, 0x30, 0, 0, ' '})));
    EXPECT_EQ(EraseSectorFrame(5), WithCheck(Bytes({0xC8, 8, 0x30, 0, 0, 0x45})));
    EXPECT_EQ(EraseSectorFrame(1), WithCheck(Bytes({0xC8, 8, 0x30, 0, 0, 0x41})));
    EXPECT_EQ(EraseSectorFrame(6), WithCheck(Bytes({0xC8, 8, 0x30, 0, 0, 0x46})));
}

TEST(TavroFrame, PassThroughStartAndEnd) {
    PassThroughRoute route;
    route.MasterBoard = 3;
    route.MasterPort = 2;
    route.RemoteAddress = 17;
    route.ForwardAddress1 = 4;
    route.ForwardAddress2 = 5;
    route.ForwardAddress3 = 255;
    const auto start = PassThroughStartFrame(route);
    ASSERT_TRUE(start);
    EXPECT_EQ(*start, WithCheck(Bytes({0xC8, 14, 0x50, 0x01, 0x00, 0x01, 3, 2, 17, 4, 5, 255})));
    EXPECT_EQ(PassThroughEndFrame(), WithCheck(Bytes({0xC8, 8, 0x50, 0x01, 0x00, 0x02})));

    route.RemoteAddress = 256;
    EXPECT_FALSE(PassThroughStartFrame(route));
    route.RemoteAddress = -1;
    EXPECT_FALSE(PassThroughStartFrame(route));
}

TEST(TavroFrame, ProgramLineCarriesTheLineAsIs) {
    const auto frame = ProgramLineFrame("#0");
    ASSERT_TRUE(frame);
    EXPECT_EQ(*frame, WithCheck(Bytes({0xC8, 9, 0x90, 0, 0, '#', '0'})));

    const std::string line = "4000|2328|1A|\\";
    const auto data = ProgramLineFrame(line);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->size(), line.size() + 7);
    EXPECT_EQ(static_cast<unsigned char>((*data)[1]), line.size() + 7);
    EXPECT_EQ(data->substr(5, line.size()), line);
}

TEST(TavroFrame, ProgramLineLimits) {
    const auto longest = ProgramLineFrame(std::string(248, 'A'));
    ASSERT_TRUE(longest);
    EXPECT_EQ(longest->size(), 255u);
    EXPECT_EQ(static_cast<unsigned char>((*longest)[1]), 255);
    EXPECT_FALSE(ProgramLineFrame(std::string(249, 'A')));
    EXPECT_FALSE(ProgramLineFrame(""));
}

TEST(TavroFrame, OsBlockAddressMostSignificantFirst) {
    const auto checksum = OsBlockFrame(0x0003FFFC, Bytes({0x12, 0x34, 0x56, 0x78}));
    ASSERT_TRUE(checksum);
    EXPECT_EQ(*checksum, WithCheck(Bytes({0xC8, 0x0F, 0x70, 0x00, 0x00, 0x00, 0x03, 0xFF, 0xFC,
                                          0x12, 0x34, 0x56, 0x78})));

    const auto block = OsBlockFrame(0x4000, std::string(128, '\xFF'));
    ASSERT_TRUE(block);
    EXPECT_EQ(block->size(), 128u + 11);
    EXPECT_EQ(block->substr(0, 9), Bytes({0xC8, 139, 0x70, 0, 0, 0x00, 0x00, 0x40, 0x00}));

    EXPECT_TRUE(OsBlockFrame(0, std::string(244, 'x')));
    EXPECT_FALSE(OsBlockFrame(0, std::string(245, 'x')));
}

TEST(TavroFrame, GeneralFrameRefusesDataBeyondOneFrame) {
    EXPECT_TRUE(TavroFrame(0x42, 1, 2, std::string(248, 'z')));
    EXPECT_FALSE(TavroFrame(0x42, 1, 2, std::string(249, 'z')));
    EXPECT_EQ(*TavroFrame(0x42, 1, 2, "x"), WithCheck(Bytes({0xC8, 8, 0x42, 1, 2, 'x'})));
}

TEST(TavroFrame, CheckMatchingStaysInsideTheBytes) {
    const std::string halt = ControlFrame(ControlHaltForProgram);
    EXPECT_TRUE(FrameCheckMatches(halt, 8));
    EXPECT_FALSE(FrameCheckMatches(halt, 9));
    EXPECT_FALSE(FrameCheckMatches(halt, 1));
    EXPECT_FALSE(FrameCheckMatches(halt, 0));
    EXPECT_FALSE(FrameCheckMatches("", 2));
    // Two zero bytes are the check of nothing.
    EXPECT_TRUE(FrameCheckMatches(std::string(2, '\0'), 2));
    std::string bad = halt;
    bad[6] = static_cast<char>(bad[6] ^ 1);
    EXPECT_FALSE(FrameCheckMatches(bad, 8));
}

TEST(TavroFrame, ReplyStatusBits) {
    const std::string idle = WithCheck(Bytes({0xC9, 8, 0x30, 0, 0, 0x01}));
    const std::string passing = WithCheck(Bytes({0xC9, 8, 0x50, 0, 0, 0x10}));
    const std::string both = WithCheck(Bytes({0xC8, 8, 0x30, 0, 0, 0x11}));
    EXPECT_TRUE(ReplyShowsIdle(idle));
    EXPECT_FALSE(ReplyShowsPassThrough(idle));
    EXPECT_FALSE(ReplyShowsIdle(passing));
    EXPECT_TRUE(ReplyShowsPassThrough(passing));
    EXPECT_TRUE(ReplyShowsIdle(both) && ReplyShowsPassThrough(both));
    // A reply without data (declared 7 or shorter) has no status byte.
    EXPECT_FALSE(ReplyStatus(WithCheck(Bytes({0xC9, 7, 0x30, 0, 0}))));
    EXPECT_FALSE(ReplyShowsIdle(""));
}

TEST(AsciiMessages, WatchCommandsByteForByte) {
    EXPECT_EQ(WatchClearTable(), "?91\r");
    EXPECT_EQ(WatchRequestValues(), "?92\r");
    EXPECT_EQ(WatchLoadAddress(18, "1A2B3C"), "?18=P1A2B3C\r");
    EXPECT_EQ(WatchPokeOn(5), "?5=X\r");
    EXPECT_EQ(WatchPokeOff(5), "?5=Y\r");
    EXPECT_EQ(WatchWriteValue(5, "0"), "?5=V0\r");
    EXPECT_EQ(WatchWriteValue(29, "-1.5"), "?29=V-1.5\r");
    EXPECT_EQ(SwitchToTavroByte, '\x12');
    EXPECT_EQ(StopProgramByte, '\x0B');
}

} // namespace
} // namespace k7
