#include "app/qt/qt_timer.h"

namespace k7 {

// The receive pump and the load's "continue at once" run at 1 ms; a coarse
// timer may round such short intervals up and slow every frame.
QtTimer::QtTimer() {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (handler_)
            handler_();
    });
}

void QtTimer::SetHandler(std::function<void()> handler) {
    handler_ = std::move(handler);
}

// QTimer::setInterval restarts an active timer, as the core expects.
void QtTimer::SetInterval(int milliseconds) {
    timer_.setInterval(milliseconds);
}

void QtTimer::SetEnabled(bool enabled) {
    if (!enabled)
        timer_.stop();
    else if (!timer_.isActive())
        timer_.start();
}

Timer& QtTimerFactory::CreateTimer() {
    timers_.push_back(std::make_unique<QtTimer>());
    return *timers_.back();
}

} // namespace k7
