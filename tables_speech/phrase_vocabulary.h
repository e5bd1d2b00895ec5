// The phrase vocabulary of the voice dialer: phrases 1 to 255, of which 1
// to 34 are preset ("Zero" ... "Minus"). Reports name phrases by number;
// the texts live with the project and only the numbers reach the unit.
#pragma once

#include <cstdint>
#include <string>

namespace k7 {

class Workspace;
struct Project;

constexpr const char* PhraseNumberTitle = "#";
constexpr const char* PhraseTextTitle = "PHRASE";
constexpr const char* PhraseNumberMessage = "Phrase numbers run from 1 to 255";
// The project file reads a line of one character as an empty phrase.
constexpr const char* PhraseShortMessage = "A phrase needs at least two characters";
// The project file keeps the phrase texts only in front of a speech report.
constexpr const char* PhraseNeedsReportMessage =
    "Phrase texts are kept only with a speech report: save a speech report first.";
// Deleting the last speech report while phrase texts differ from the presets.
constexpr const char* LastReportPhrasesQuestion =
    "Phrase texts are kept only with a speech report: deleting the last one puts the phrases "
    "back to their presets. Delete it?";

bool IsPhraseNumber(int64_t number);
// The text of phrase number; empty outside 1..255.
std::string PhraseText(const Project& project, int64_t number);
// Whether phrase texts can be changed: the project holds a speech report.
// The phrase editor stays disabled until then.
bool PhrasesEditable(const Project& project);
// Whether every phrase row holds its preset text (rows past the presets empty).
bool PhrasesArePresets(const Project& project);
// Types the text of phrase number; false, after a message, when refused.
bool SetPhraseText(Workspace& workspace, int number, const std::string& text);

} // namespace k7
