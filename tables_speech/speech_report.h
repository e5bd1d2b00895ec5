// A speech report as the project stores it: a header line
// "~name|trigger|stop|line trigger|line select|scan trigger|board" and one
// line per report line, the enable cell and the 14 phrase cells, each cell
// followed by "|". The editor and the compile read the cells through here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

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

// Digits before and after the point of a format ("@@@.@@" gives 3 and 2;
// a format without "." counts all its characters before the point).
struct FormatDigits {
    uint32_t Before = 0;
    uint32_t After = 0;
};
FormatDigits CountFormatDigits(const std::string& format);
// The word that tells the unit how to speak a number: FF000000 + before x
// 256 + after.
uint32_t FormatWord(const std::string& format);

} // namespace k7
