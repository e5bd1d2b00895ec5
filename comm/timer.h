// A window timer as the core sees it. The desktop program binds these to its
// window timers, tests drive them from a fake clock and k7c from its own loop
// (TimerQueue). Every tick runs on the one thread that drives the timers.
#pragma once

#include <functional>

namespace k7 {

class Timer {
  public:
    virtual ~Timer() = default;

    // What one tick does; replaces any earlier handler.
    virtual void SetHandler(std::function<void()> handler) = 0;
    // Setting an interval restarts the countdown of an enabled timer, so the
    // next tick comes one whole interval later.
    virtual void SetInterval(int milliseconds) = 0;
    virtual int Interval() const = 0;
    // Enabling a stopped timer starts a fresh countdown; enabling a running
    // one changes nothing.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
};

// Makes the window timers of one unit link. The timers belong to the
// factory and live as long as it does.
class TimerFactory {
  public:
    virtual ~TimerFactory() = default;
    virtual Timer& CreateTimer() = 0;
};

} // namespace k7
