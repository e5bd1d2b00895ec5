#include "comm/timer_queue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace k7 {
namespace {

TEST(TimerQueue, TicksEveryIntervalWhileEnabled) {
    TimerQueue queue;
    Timer& timer = queue.CreateTimer();
    std::vector<std::int64_t> ticks;
    timer.SetHandler([&] { ticks.push_back(queue.Now()); });
    timer.SetInterval(100);
    queue.Advance(250);
    EXPECT_TRUE(ticks.empty()); // not enabled yet
    timer.SetEnabled(true);
    queue.Advance(350);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{350, 450, 550}));
    timer.SetEnabled(false);
    queue.Advance(1000);
    EXPECT_EQ(ticks.size(), 3u);
}

TEST(TimerQueue, NewIntervalRestartsTheCountdown) {
    TimerQueue queue;
    Timer& timer = queue.CreateTimer();
    int ticks = 0;
    timer.SetHandler([&] { ++ticks; });
    timer.SetInterval(500);
    timer.SetEnabled(true);
    queue.Advance(400);
    timer.SetInterval(500);
    queue.Advance(400);
    EXPECT_EQ(ticks, 0);
    queue.Advance(100);
    EXPECT_EQ(ticks, 1);
}

TEST(TimerQueue, EnablingARunningTimerKeepsItsCountdown) {
    TimerQueue queue;
    Timer& timer = queue.CreateTimer();
    int ticks = 0;
    timer.SetHandler([&] { ++ticks; });
    timer.SetInterval(100);
    timer.SetEnabled(true);
    queue.Advance(90);
    timer.SetEnabled(true);
    queue.Advance(10);
    EXPECT_EQ(ticks, 1);
}

TEST(TimerQueue, HandlerCanWakeAnotherTimerAtOnce) {
    // The receive pump sets the sequence timer to one millisecond when a
    // reply arrives.
    TimerQueue queue;
    Timer& pump = queue.CreateTimer();
    Timer& sequence = queue.CreateTimer();
    std::vector<std::string> events;
    sequence.SetHandler([&] {
        events.push_back("sequence@" + std::to_string(queue.Now()));
        sequence.SetInterval(3000);
    });
    pump.SetHandler([&] {
        if (queue.Now() == 5)
            sequence.SetInterval(1);
    });
    sequence.SetInterval(3000);
    sequence.SetEnabled(true);
    pump.SetInterval(1);
    pump.SetEnabled(true);
    queue.Advance(10);
    EXPECT_EQ(events, (std::vector<std::string>{"sequence@6"}));
}

TEST(TimerQueue, TicksComeInTimeOrder) {
    TimerQueue queue;
    Timer& slow = queue.CreateTimer();
    Timer& fast = queue.CreateTimer();
    std::string order;
    slow.SetHandler([&] { order += "S"; });
    fast.SetHandler([&] { order += "f"; });
    slow.SetInterval(25);
    fast.SetInterval(10);
    slow.SetEnabled(true);
    fast.SetEnabled(true);
    queue.Advance(50);
    EXPECT_EQ(order, "ffSffSf"); // at a tie the older timer goes first
    ASSERT_TRUE(queue.NextDue());
    EXPECT_EQ(*queue.NextDue(), 60);
}

TEST(TimerQueue, ZeroIntervalIsOneMillisecond) {
    TimerQueue queue;
    Timer& timer = queue.CreateTimer();
    int ticks = 0;
    timer.SetHandler([&] { ++ticks; });
    timer.SetInterval(0);
    timer.SetEnabled(true);
    queue.Advance(5);
    EXPECT_EQ(ticks, 5);
    EXPECT_EQ(timer.Interval(), 1);
}

} // namespace
} // namespace k7
