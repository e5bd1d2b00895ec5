#include "comm/clock_set.h"

#include <time.h>

namespace k7 {

ClockReading LocalClockReading(std::time_t moment) {
    // localtime_r does not promise to read TZ again; tzset does.
    tzset();
    std::tm local{};
    localtime_r(&moment, &local);
    ClockReading reading;
    reading.Year = local.tm_year + 1900;
    reading.Month = local.tm_mon + 1;
    reading.Day = local.tm_mday;
    reading.Hour = local.tm_hour;
    reading.Minute = local.tm_min;
    reading.Second = local.tm_sec > 59 ? 59 : local.tm_sec; // a leap second
    reading.DayOfWeek = local.tm_wday + 1;
    return reading;
}

ClockReading ReadLocalClock() {
    return LocalClockReading(std::time(nullptr));
}

bool SendClock(TSeComm32& port, Terminal& terminal, const ClockReading& now) {
    terminal.AppendLine(SendingClockMessage);
    return port.WriteString(SetClockFrame(now));
}

} // namespace k7
