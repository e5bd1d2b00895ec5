// The core's window timers over QTimer. QTimer::start() restarts a running
// countdown, so enabling goes through isActive() to keep the core's rule
// that enabling a running timer changes nothing.
#pragma once

#include "comm/timer.h"

#include <QTimer>
#include <memory>
#include <vector>

namespace k7 {

class QtTimer : public Timer {
  public:
    QtTimer();
    void SetHandler(std::function<void()> handler) override;
    void SetInterval(int milliseconds) override;
    int Interval() const override { return timer_.interval(); }
    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return timer_.isActive(); }

  private:
    QTimer timer_;
    std::function<void()> handler_;
};

// Makes QtTimers; the desktop program's default. Tests give the unit link
// a TimerQueue instead.
class QtTimerFactory : public TimerFactory {
  public:
    Timer& CreateTimer() override;

  private:
    std::vector<std::unique_ptr<QtTimer>> timers_;
};

} // namespace k7
