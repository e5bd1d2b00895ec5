// Access to the shipped system folder and example projects for the tests
// that check them.
#pragma once

#include <string>
#include <vector>

namespace k7::test {

// Paths of the source tree's data/ and examples/ folders, each ending in "/".
std::string DataFolder();
std::string ExamplesFolder();

// The file's bytes; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Splits text whose lines all end in CR LF; a bare CR or LF, or a last
// line without its CR LF, is reported through lineEndingFault.
std::vector<std::string> SplitCrLfLines(const std::string& text, std::string& lineEndingFault);

// Channels of each I/O kind that a card type code offers (0 for codes
// outside 0..17).
enum IoKind { AnalogIn, AnalogOut, DigitalIn, DigitalOut };
int CardChannels(int cardCode, IoKind kind);

} // namespace k7::test
