// k7c clock and k7c terminal as a user runs them, against k7sim.
#include "tests/sim/sim_session.h"

#include "tests/support/eventually.h"

#include "comm/tavro_frame.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

namespace k7 {
namespace {

using test::ChildProcess;
using test::SimulatedUnit;

class K7cEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(K7C_PATH))
            GTEST_SKIP() << "k7c is not built";
        Unit = std::make_unique<SimulatedUnit>();
        ASSERT_TRUE(Unit->Ready()) << Unit->DevicePath;
    }

    std::unique_ptr<SimulatedUnit> Unit;
};

std::string ClockLine(std::time_t moment) {
    std::tm utc{};
    gmtime_r(&moment, &utc);
    const int year = utc.tm_year + 1900;
    return "clock|" + std::to_string(utc.tm_sec) + "|" + std::to_string(utc.tm_min) + "|" +
           std::to_string(utc.tm_hour) + "|" + std::to_string(utc.tm_mday) + "|" +
           std::to_string(utc.tm_mon + 1) + "|" + std::to_string(utc.tm_wday + 1) + "|" +
           std::to_string(year >= 2000 ? year - 2000 : year - 1900);
}

TEST_F(K7cEndToEnd, ClockSetsTheUnitsClock) {
    const std::time_t before = std::time(nullptr);
    ChildProcess k7c({K7C_PATH, "clock", "--port", Unit->DevicePath}, {"TZ=UTC0"});
    const auto result = k7c.Wait(20000);
    const std::time_t after = std::time(nullptr);
    ASSERT_EQ(result.ExitCode, 0) << result.Out << result.Err;
    EXPECT_EQ(result.Out, "Sending RTC values...\n");

    // The frame may still be on its way when k7c has ended.
    ASSERT_TRUE(test::Eventually([&] { return Unit->StateHas("frames|1"); }));
    bool matched = false;
    for (std::time_t moment = before; moment <= after && !matched; ++moment)
        matched = Unit->StateHas(ClockLine(moment));
    EXPECT_TRUE(matched) << "no clock line between " << ClockLine(before) << " and "
                         << ClockLine(after);
}

TEST_F(K7cEndToEnd, ClockOnAMissingPortFails) {
    ChildProcess k7c({K7C_PATH, "clock", "--port", "/dev/k7-no-such-port"});
    const auto result = k7c.Wait(20000);
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Out.find("Error Opening /dev/k7-no-such-port: "), std::string::npos)
        << result.Out;
}

TEST_F(K7cEndToEnd, ClockRefusesAnUnofferedRate) {
    ChildProcess k7c({K7C_PATH, "clock", "--port", Unit->DevicePath, "--baud", "600"});
    const auto result = k7c.Wait(20000);
    EXPECT_EQ(result.ExitCode, 2);
    EXPECT_FALSE(Unit->StateHas("frames|1"));
}

TEST_F(K7cEndToEnd, TerminalShowsTheUnitsLines) {
    ChildProcess k7c({K7C_PATH, "terminal", "--port", Unit->DevicePath, "--linger", "800"}, {},
                     true);
    k7c.WriteInput("hello\r");
    k7c.CloseInput();
    const auto result = k7c.Wait(20000);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    // Every carriage return from the unit is shown as CR LF; its own line
    // feeds are dropped.
    EXPECT_EQ(result.Out, "\r\nRevision Version 5.62\r\nhello\r\n");
}

TEST_F(K7cEndToEnd, TerminalEndsWhenTheUnitVanishes) {
    ChildProcess k7c({K7C_PATH, "terminal", "--port", Unit->DevicePath}, {}, true);
    k7c.WriteInput("a");
    // Connected once the unit's identification line is on the screen.
    bool identified = false;
    while (!identified) {
        const auto line = k7c.ReadLine(5000);
        ASSERT_TRUE(line) << "no identification line";
        identified = line->find("Revision Version") != std::string::npos;
    }
    Unit->Stop();
    const auto result = k7c.Wait(20000);
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Out.find("the device has closed"), std::string::npos) << result.Out;
}

} // namespace
} // namespace k7
