#include "comm/watch_trend.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace k7 {

std::vector<WatchSlotValue> WatchSlotValues(const WatchWindow& watch) {
    std::vector<WatchSlotValue> values;
    for (int nameColumn : {0, 2})
        for (int row = 1; row < WatchGridRows; ++row) {
            const std::string& name = watch.Cell(nameColumn, row);
            if (!name.empty())
                values.push_back(
                    {WatchSlotOfCell(nameColumn, row), name, watch.Cell(nameColumn + 1, row)});
        }
    return values;
}

std::optional<double> WatchNumber(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    const std::size_t last = text.find_last_not_of(' ');
    const std::string number = text.substr(first, last - first + 1);
    // Only plain decimal numbers: strtod would also read hex, "inf" and "nan".
    for (char c : number)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' ||
              c == 'e' || c == 'E'))
            return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    if (end != number.c_str() + number.size() || errno == ERANGE || !std::isfinite(value))
        return std::nullopt;
    return value;
}

WatchTrend::WatchTrend(std::size_t samplesPerSeries)
    : Capacity(std::max<std::size_t>(samplesPerSeries, 1)) {}

void WatchTrend::Add(std::int64_t timeMs, const std::vector<WatchSlotValue>& values) {
    std::vector<TrendSeries> next;
    for (const WatchSlotValue& value : values) {
        auto kept = std::find_if(Lines.begin(), Lines.end(), [&](const TrendSeries& series) {
            return series.Slot == value.Slot && series.Name == value.Name;
        });
        TrendSeries series =
            kept != Lines.end() ? std::move(*kept) : TrendSeries{value.Slot, value.Name, {}};
        if (const std::optional<double> number = WatchNumber(value.Value))
            series.Points.push_back({timeMs, *number});
        while (series.Points.size() > Capacity)
            series.Points.pop_front();
        // A slot that has never shown a number draws nothing.
        if (!series.Points.empty() && next.size() < WatchTrendMaxLines)
            next.push_back(std::move(series));
    }
    std::sort(next.begin(), next.end(),
              [](const TrendSeries& a, const TrendSeries& b) { return a.Slot < b.Slot; });
    Lines = std::move(next);
}

std::optional<TrendRange> WatchTrend::Range() const {
    std::optional<TrendRange> range;
    for (const TrendSeries& series : Lines)
        for (const TrendPoint& point : series.Points) {
            if (!range) {
                range = TrendRange{point.TimeMs, point.TimeMs, point.Value, point.Value};
                continue;
            }
            range->FirstMs = std::min(range->FirstMs, point.TimeMs);
            range->LastMs = std::max(range->LastMs, point.TimeMs);
            range->Low = std::min(range->Low, point.Value);
            range->High = std::max(range->High, point.Value);
        }
    return range;
}

} // namespace k7
