// A speech report as the project stores it: a header line
// "~name|trigger|stop|line trigger|line select|scan trigger|board" and one
// line per report line, the enable cell and the 14 phrase cells, each cell
// followed by "|". The editor, the compile, the documentation and the
// cross references read the stored lines and cells through here.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace k7 {

constexpr int SpeechPhraseCells = 14;
constexpr int SpeechLineCells = SpeechPhraseCells + 1; // the enable cell first
// A variable dropped on a cell is first spoken with this format.
constexpr const char* DefaultSpeechFormat = "@@@.@@";

struct SpeechHeader {
    std::string Name;
    std::string Trigger;     // report trigger
    std::string Stop;        // report stop
    std::string LineTrigger; // line trigger
    std::string LineSelect;  // line select
    std::string ScanTrigger; // scan trigger
    std::string Board = "1"; // board number, decimal
};

using SpeechLine = std::array<std::string, SpeechLineCells>;

std::string SpeechHeaderLine(const SpeechHeader& header);
SpeechHeader ParseSpeechHeader(const std::string& line);
std::string SpeechLineText(const SpeechLine& line);
// Cells missing at the end read as empty; cells past the fifteenth are dropped.
SpeechLine ParseSpeechLine(const std::string& text);

// What a stored cell holds.
enum class SpeechCellKind {
    Empty,
    Phrase,         // "12": a phrase number
    SpokenNumber,   // "LEVEL;@@@.@@": a variable spoken as a number
    PhraseSelector, // "STATE;40": a variable selecting a phrase from 40 on
    Undelimited,    // a name without ";"
};

struct SpeechCell {
    SpeechCellKind Kind = SpeechCellKind::Empty;
    std::string Variable; // the variable of a spoken number or selector
    std::string Format;   // the format of a spoken number
    uint32_t Phrase = 0;  // the phrase number, or a selector's first phrase
};

// A cell that begins with a digit is a phrase number; a cell with ";" is a
// variable, a selector when its text after ";" begins with a digit.
SpeechCell ParseSpeechCell(const std::string& stored);
std::string SpokenNumberCell(const std::string& variable, const std::string& format);
std::string PhraseSelectorCell(const std::string& variable, uint32_t firstPhrase);
// The name a cell refers to, as the cross references read it: the text
// before ";" without the blanks and tabs before it, or the whole cell.
std::string SpeechCellName(const std::string& cell);

} // namespace k7
