#include "comm/clock_set.h"

#include "tests/comm/fake_serial_device.h"
#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace k7 {
namespace {

// Sets TZ for one test and puts the old value back.
class ZoneScope {
  public:
    explicit ZoneScope(const char* zone) {
        if (const char* old = std::getenv("TZ"))
            Saved = old;
        setenv("TZ", zone, 1);
    }
    ~ZoneScope() {
        if (Saved)
            setenv("TZ", Saved->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

  private:
    std::optional<std::string> Saved;
};

// 1 January 2001, 09:05:07 UTC, a Monday.
constexpr std::time_t FirstMondayOf2001 = 978307200 + 9 * 3600 + 5 * 60 + 7;

TEST(ClockSet, LocalTimeInUniversalZone) {
    ZoneScope zone("UTC0");
    const ClockReading reading = LocalClockReading(FirstMondayOf2001);
    EXPECT_EQ(reading.Year, 2001);
    EXPECT_EQ(reading.Month, 1);
    EXPECT_EQ(reading.Day, 1);
    EXPECT_EQ(reading.Hour, 9);
    EXPECT_EQ(reading.Minute, 5);
    EXPECT_EQ(reading.Second, 7);
    EXPECT_EQ(reading.DayOfWeek, 2); // 1 is Sunday
}

TEST(ClockSet, LocalTimeHonoursTheZoneVariable) {
    {
        ZoneScope zone("XST-3"); // three hours east
        const ClockReading reading = LocalClockReading(FirstMondayOf2001);
        EXPECT_EQ(reading.Hour, 12);
        EXPECT_EQ(reading.Day, 1);
    }
    {
        ZoneScope zone("YST10"); // ten hours west: still Sunday 31 December 2000
        const ClockReading reading = LocalClockReading(FirstMondayOf2001);
        EXPECT_EQ(reading.Year, 2000);
        EXPECT_EQ(reading.Month, 12);
        EXPECT_EQ(reading.Day, 31);
        EXPECT_EQ(reading.Hour, 23);
        EXPECT_EQ(reading.DayOfWeek, 1);
    }
}

TEST(ClockSet, SendClockWritesTheFrameAndTellsTheTerminal) {
    test::ScriptedUi ui;
    test::FakeLine line;
    TSeComm32 port(ui, std::make_unique<test::FakeSerialDevice>(line));
    port.SetDevicePath("/dev/fake");
    ASSERT_TRUE(port.OpenPort());
    Terminal terminal;
    ClockReading clock;
    clock.Year = 2001;
    clock.Month = 1;
    clock.Day = 1;
    clock.Hour = 9;
    clock.Minute = 5;
    clock.Second = 7;
    clock.DayOfWeek = 2;
    EXPECT_TRUE(SendClock(port, terminal, clock));
    EXPECT_EQ(line.Written,
              std::string("\xC8\x0E\x60\x00\x00\x07\x05\x09\x01\x01\x02\x01\x46\xBB", 14));
    EXPECT_EQ(terminal.Text(), "Sending RTC values...\r\n");
}

TEST(ClockSet, SendClockOnAClosedPortFails) {
    test::ScriptedUi ui;
    test::FakeLine line;
    TSeComm32 port(ui, std::make_unique<test::FakeSerialDevice>(line));
    Terminal terminal;
    EXPECT_FALSE(SendClock(port, terminal, ClockReading{}));
    EXPECT_EQ(ui.Warnings, (std::vector<std::string>{"Port Not Open -- Operation Aborted"}));
    EXPECT_TRUE(line.Written.empty());
}

TEST(ClockSet, PartialWriteIsAFailure) {
    test::ScriptedUi ui;
    test::FakeLine line;
    line.WriteLimit = 5;
    TSeComm32 port(ui, std::make_unique<test::FakeSerialDevice>(line));
    port.SetDevicePath("/dev/fake");
    ASSERT_TRUE(port.OpenPort());
    Terminal terminal;
    EXPECT_FALSE(SendClock(port, terminal, ClockReading{}));
    EXPECT_TRUE(ui.Errors.empty());
}

} // namespace
} // namespace k7
