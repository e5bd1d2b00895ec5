#include "comm/timer_queue.h"

#include <chrono>
#include <thread>

namespace k7 {

class TimerQueue::QueueTimer : public Timer {
  public:
    explicit QueueTimer(const TimerQueue& queue) : Queue(queue) {}

    void SetHandler(std::function<void()> handler) override { Handler = std::move(handler); }
    void SetInterval(int milliseconds) override {
        // A window timer cannot tick more often than once a millisecond.
        IntervalMs = milliseconds < 1 ? 1 : milliseconds;
        Due = Queue.Now() + IntervalMs;
    }
    int Interval() const override { return IntervalMs; }
    void SetEnabled(bool enabled) override {
        if (enabled && !IsEnabled)
            Due = Queue.Now() + IntervalMs;
        IsEnabled = enabled;
    }
    bool Enabled() const override { return IsEnabled; }

    const TimerQueue& Queue;
    std::function<void()> Handler;
    int IntervalMs = 1000;
    bool IsEnabled = false;
    std::int64_t Due = 0;
};

TimerQueue::TimerQueue() = default;
TimerQueue::~TimerQueue() = default;

Timer& TimerQueue::CreateTimer() {
    Timers.push_back(std::make_unique<QueueTimer>(*this));
    return *Timers.back();
}

TimerQueue::QueueTimer* TimerQueue::EarliestDue(std::int64_t limit) const {
    QueueTimer* earliest = nullptr;
    for (const auto& timer : Timers) {
        if (timer->IsEnabled && timer->Due <= limit && (!earliest || timer->Due < earliest->Due))
            earliest = timer.get();
    }
    return earliest;
}

void TimerQueue::AdvanceTo(std::int64_t nowMs) {
    while (QueueTimer* timer = EarliestDue(nowMs)) {
        NowMs = timer->Due;
        // The next tick is booked before the handler runs, so a handler that
        // sets a new interval wins over the old one.
        timer->Due = NowMs + timer->IntervalMs;
        if (timer->Handler)
            timer->Handler();
    }
    if (nowMs > NowMs)
        NowMs = nowMs;
}

std::optional<std::int64_t> TimerQueue::NextDue() const {
    std::optional<std::int64_t> next;
    for (const auto& timer : Timers) {
        if (timer->IsEnabled && (!next || timer->Due < *next))
            next = timer->Due;
    }
    return next;
}

bool RunInRealTime(TimerQueue& queue, const std::function<bool()>& done, int timeoutMs) {
    using namespace std::chrono;
    const auto start = steady_clock::now();
    const std::int64_t base = queue.Now();
    for (;;) {
        const auto elapsed = duration_cast<milliseconds>(steady_clock::now() - start).count();
        queue.AdvanceTo(base + elapsed);
        if (done())
            return true;
        if (elapsed >= timeoutMs)
            return false;
        std::this_thread::sleep_for(milliseconds(1));
    }
}

} // namespace k7
