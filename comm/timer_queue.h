// Timers without a window: a queue of timers on a millisecond clock that
// its owner moves forward. Tests move it by hand; k7c moves it with the
// steady clock of the workstation.
#pragma once

#include "comm/timer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace k7 {

class TimerQueue : public TimerFactory {
  public:
    TimerQueue();
    ~TimerQueue();
    TimerQueue(const TimerQueue&) = delete;
    TimerQueue& operator=(const TimerQueue&) = delete;

    // The timer lives as long as the queue.
    Timer& CreateTimer() override;

    std::int64_t Now() const { return NowMs; }
    // Moves the clock to nowMs, firing every tick that falls due on the way
    // in time order. A handler may change any timer of the queue.
    void AdvanceTo(std::int64_t nowMs);
    void Advance(int milliseconds) { AdvanceTo(NowMs + milliseconds); }
    // Time of the next tick, if any timer is enabled.
    std::optional<std::int64_t> NextDue() const;

  private:
    class QueueTimer;
    QueueTimer* EarliestDue(std::int64_t limit) const;

    std::vector<std::unique_ptr<QueueTimer>> Timers;
    std::int64_t NowMs = 0;
};

// Runs the queue on the workstation's steady clock until done() holds or
// timeoutMs have passed; returns whether done() held. Between ticks the
// thread waits a millisecond at a time.
bool RunInRealTime(TimerQueue& queue, const std::function<bool()>& done, int timeoutMs);

} // namespace k7
