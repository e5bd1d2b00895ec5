// A display as the project stores it: a header line
// "~name|port|DSP number|font|trigger|" and one line per text line, the
// text followed by the ten names that fill its "@" places, each followed
// by "|"; RecordSpans finds where each display lies. The editor, the compile, the documentation and
// the cross references read the stored lines through here; the place rules are shared by the editor
// and the display compile.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace k7 {

constexpr int DisplayFieldCount = 10; // names stored per text line
constexpr int MaxLinePlaces = 40;     // places the unit reads per line
constexpr int DisplayPortCount = 26;
constexpr int DisplayNumberCount = 101;
constexpr int FontSizeCount = 3;
constexpr const char* FontSizeNames[FontSizeCount] = {"1X", "2X", "4X"};

// What fills a place, and how the compile resolves its name.
enum class PlaceKind {
    Value = 1,         // a variable, through LookupName
    TrendOrLog = 2,    // "@T" or "@E": a trend or event log module
    HorizontalBar = 3, // "@H": a bar module
    OtherModule = 4,   // "@V": another module place
};

// The editor's count of places: an "@" that does not continue a run of
// "@" and "." begun by an "@".
int CountPlaces(const std::string& text);
// The kinds the unit gives the places of a line, in order; at most 40.
std::vector<PlaceKind> PlaceKinds(const std::string& text);

struct DisplayHeader {
    std::string Name;
    int Port = 0;
    int Number = 0; // DSP number
    int Font = 0;   // index into FontSizeNames
    std::string Trigger;
};

// A stored field shorter than this holds its own place number, not a name.
constexpr size_t MinDisplayFieldName = 3;

struct DisplayLine {
    std::string Text;
    std::array<std::string, DisplayFieldCount> Fields; // field k at [k-1]
};

// The header's fields as stored, before their numbers are read: what the
// documentation prints.
struct DisplayHeaderTexts {
    std::string Name;
    std::string Port;
    std::string Number;
    std::string Font; // "0", "1" or "2"
    std::string Trigger;
};
DisplayHeaderTexts ReadDisplayHeaderTexts(const std::string& line);

// "~" name | port | number | font | trigger |, numbers in decimal.
std::string DisplayHeaderLine(const DisplayHeader& header);
// The text, "|", then the ten fields each followed by "|"; the fields after
// the line's last place (at most ten places) hold their own numbers.
std::string DisplayBodyLine(const DisplayLine& line);
// Reading back; numbers that are not numbers read as 0.
DisplayHeader ParseDisplayHeader(const std::string& line);
DisplayLine ParseDisplayLine(const std::string& line);

} // namespace k7
