// The watch window's trend history and its CSV log: which slots are drawn,
// how long the history is, and the line each poll adds to the log.
#include "comm/watch_log.h"
#include "comm/watch_trend.h"
#include "tests/comm/download_harness.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace k7::test {
namespace {

std::vector<WatchSlotValue> Poll(std::initializer_list<WatchSlotValue> values) {
    return values;
}

TEST(WatchTrendValues, NamedSlotsInSlotOrderFromTheGrid) {
    FakeLine wire;
    ScriptedUi ui;
    TSeComm32 port{ui, std::make_unique<FakeSerialDevice>(wire)};
    port.SetDevicePath("/dev/ttyFAKE");
    TimerQueue timers;
    ReceivePump pump{port, timers.CreateTimer()};
    WatchWindow window{port, pump, timers.CreateTimer(), ui};
    FixedProject project;
    project.Addresses = {{"Level", "1040020"}, {"Pump1.Run", "2040010"}};
    ASSERT_TRUE(window.Open(project));
    window.StartDrag("Level");
    window.Drop(2, 3, project);
    window.StartDrag("Pump1.Run");
    window.Drop(0, 14, project);
    window.SetCellText(3, 3, "12.5");

    const std::vector<WatchSlotValue> values = WatchSlotValues(window);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].Slot, 14);
    EXPECT_EQ(values[0].Name, "Pump1.Run");
    EXPECT_EQ(values[0].Value, "");
    EXPECT_EQ(values[1].Slot, 18);
    EXPECT_EQ(values[1].Value, "12.5");
}

TEST(WatchTrendValues, OnlyWholeDecimalNumbersAreNumbers) {
    EXPECT_EQ(WatchNumber("12"), 12.0);
    EXPECT_EQ(WatchNumber(" -3.5 "), -3.5);
    EXPECT_EQ(WatchNumber("1E3"), 1000.0);
    for (const char* text : {"", "  ", "ON", "12abc", "0x1F", "inf", "nan", "1e999", "1,5"})
        EXPECT_FALSE(WatchNumber(text)) << text;
}

TEST(WatchTrend, OneSeriesPerNumericSlotBoundedToItsSamples) {
    WatchTrend trend(3);
    for (int poll = 0; poll < 5; ++poll)
        trend.Add(poll * 1000, Poll({{1, "Level", std::to_string(poll)},
                                     {2, "Mode", "AUTO"},
                                     {16, "Pump", poll % 2 ? "1" : "0"}}));
    ASSERT_EQ(trend.Series().size(), 2u);
    const TrendSeries& level = trend.Series()[0];
    EXPECT_EQ(level.Slot, 1);
    EXPECT_EQ(level.Name, "Level");
    ASSERT_EQ(level.Points.size(), 3u);
    EXPECT_EQ(level.Points.front().TimeMs, 2000);
    EXPECT_EQ(level.Points.back().Value, 4.0);
    EXPECT_EQ(trend.Series()[1].Slot, 16);

    const std::optional<TrendRange> range = trend.Range();
    ASSERT_TRUE(range);
    EXPECT_EQ(range->FirstMs, 2000);
    EXPECT_EQ(range->LastMs, 4000);
    EXPECT_EQ(range->Low, 0.0);
    EXPECT_EQ(range->High, 4.0);
}

TEST(WatchTrend, RenamedSlotRestartsAndUnnamedSlotIsDropped) {
    WatchTrend trend;
    trend.Add(0, Poll({{1, "Level", "5"}, {2, "Flow", "7"}}));
    trend.Add(1000, Poll({{1, "Pressure", "9"}}));
    ASSERT_EQ(trend.Series().size(), 1u);
    EXPECT_EQ(trend.Series()[0].Name, "Pressure");
    EXPECT_EQ(trend.Series()[0].Points.size(), 1u);
    // A value missing from one reply leaves a gap, not an end.
    trend.Add(2000, Poll({{1, "Pressure", ""}}));
    trend.Add(3000, Poll({{1, "Pressure", "10"}}));
    EXPECT_EQ(trend.Series()[0].Points.size(), 2u);
}

TEST(WatchTrend, NeverMoreThanTheGridsSlots) {
    std::vector<WatchSlotValue> values;
    for (int slot = 0; slot < 40; ++slot)
        values.push_back({slot, "V" + std::to_string(slot), "1"});
    WatchTrend trend;
    trend.Add(0, values);
    EXPECT_EQ(trend.Series().size(), WatchTrendMaxLines);
}

TEST(WatchLogLine, TimeThenNameAndValueOfEverySlot) {
    EXPECT_EQ(WatchLogLine("2026-12-07 14:30:01", Poll({{1, "Level", "12.5"}, {18, "Run", "1"}})),
              "2026-12-07 14:30:01,Level,12.5,Run,1");
    EXPECT_EQ(WatchLogLine("t", Poll({{1, "A", ""}})), "t,A,");
    EXPECT_EQ(WatchLogLine("t", {}), "t");
    EXPECT_EQ(CsvField("say \"hi\", twice"), "\"say \"\"hi\"\", twice\"");
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(WatchLog, EveryPollIsInTheFileAsSoonAsItIsAppended) {
    TemporaryFolder folder;
    const std::string path = folder.File("watch.csv");
    {
        std::ofstream earlier(path, std::ios::binary);
        earlier << "earlier\r\n";
    }
    WatchLog log;
    ASSERT_EQ(log.Open(path), "");
    EXPECT_EQ(log.Append("t1", Poll({{1, "Level", "1"}})), "");
    // Read while the log is still open: nothing waits in a buffer.
    EXPECT_EQ(FileText(path), "earlier\r\nt1,Level,1\r\n");
    EXPECT_EQ(log.Append("t2", Poll({{1, "Level", "2"}})), "");
    EXPECT_EQ(FileText(path), "earlier\r\nt1,Level,1\r\nt2,Level,2\r\n");
    EXPECT_EQ(log.LinesWritten(), 2);
}

TEST(WatchLog, AFileThatCannotBeOpenedSaysWhy) {
    WatchLog log;
    const std::string reason = log.Open("/nonexistent-folder/watch.csv");
    EXPECT_NE(reason.find("/nonexistent-folder/watch.csv"), std::string::npos);
    EXPECT_FALSE(log.IsOpen());
    EXPECT_NE(log.Append("t", {}), "");
}

} // namespace
} // namespace k7::test
