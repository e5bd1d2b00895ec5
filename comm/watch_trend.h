// The live trend under the watch grid: the recent history of every watched
// slot whose value reads as a number, one series per slot, kept in memory
// for the last few minutes of polls.
#pragma once

#include "comm/watch.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace k7 {

// One named slot of the grid and the value it shows.
struct WatchSlotValue {
    int Slot = 0;
    std::string Name;
    std::string Value;
};

// The named slots of the grid in slot order (1 to 14, then 16 to 29).
std::vector<WatchSlotValue> WatchSlotValues(const WatchWindow& watch);

// The number a value text shows, when the whole text is one finite number
// (blanks around it allowed); the unit formats values itself, so status
// words and other texts have no place on a numeric axis.
std::optional<double> WatchNumber(const std::string& text);

// The slots the grid shows: 28, so the trend never draws more lines.
constexpr std::size_t WatchTrendMaxLines = 28;
// Five minutes of polls at one a second.
constexpr std::size_t WatchTrendDefaultSamples = 300;

struct TrendPoint {
    std::int64_t TimeMs = 0;
    double Value = 0;
};

struct TrendSeries {
    int Slot = 0;
    std::string Name;
    std::deque<TrendPoint> Points; // oldest first
};

struct TrendRange {
    std::int64_t FirstMs = 0;
    std::int64_t LastMs = 0;
    double Low = 0;
    double High = 0;
};

class WatchTrend {
  public:
    explicit WatchTrend(std::size_t samplesPerSeries = WatchTrendDefaultSamples);

    // One poll's values at timeMs. A numeric value extends its slot's
    // series; a slot given a new name starts a new series; a slot that is
    // no longer named is dropped. Each series keeps its last
    // samplesPerSeries points.
    void Add(std::int64_t timeMs, const std::vector<WatchSlotValue>& values);
    void Clear() { Lines.clear(); }

    // In slot order.
    const std::vector<TrendSeries>& Series() const { return Lines; }
    // The span of times and values over every series; nothing while empty.
    std::optional<TrendRange> Range() const;
    std::size_t SamplesPerSeries() const { return Capacity; }

  private:
    std::size_t Capacity;
    std::vector<TrendSeries> Lines;
};

} // namespace k7
