// "Send RTC": sets the unit's real-time clock from the workstation's local
// time with one CmdSetClock frame. No reply is awaited and ComMode is not
// changed; the unit is expected to take frames already (after a load).
#pragma once

#include "comm/serial_port.h"
#include "comm/tavro_frame.h"
#include "comm/terminal.h"

#include <ctime>

namespace k7 {

constexpr const char* SendingClockMessage = "Sending RTC values...";

// The local date and time of a moment, in the time zone the TZ environment
// variable names (the system's zone when it is unset); milliseconds are
// dropped.
ClockReading LocalClockReading(std::time_t moment);
// The workstation's clock now.
ClockReading ReadLocalClock();

// Appends "Sending RTC values..." to the terminal and sends the frame.
// Returns whether the whole frame was written.
bool SendClock(TSeComm32& port, Terminal& terminal, const ClockReading& now);

} // namespace k7
