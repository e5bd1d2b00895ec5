// A BASIC module placed in a project, as the project's "!Basic" list
// stores it, one line per instance:
//
//   instance|SOURCE.BAS|I<input>...|<letter><output name>...|$start|$end
//
// The BASIC instance editor, the compile's link and RAM steps, the
// database lists and the documentation read and write it through here.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace k7 {

// One stored instance line, split into its parts.
struct BasicInstanceLine {
    std::string Name;
    std::string SourceName; // with its ".BAS" extension, no folder
    // One field per input, then one per output: the letter ("I" for inputs,
    // the type letter for outputs) and the name; empty for an empty field.
    std::vector<std::string> Fields;
    std::string RamStart = "$0";
    std::string RamEnd = "$0";
};

// Nothing when the line has too few fields to be an instance line.
std::optional<BasicInstanceLine> ParseBasicInstanceLine(const std::string& line);
std::string BasicInstanceLineText(const BasicInstanceLine& line);
// The instance name of a stored line: its text up to the first "|".
std::string BasicInstanceName(const std::string& line);
// The source file name of a stored line: its second field, or empty.
std::string BasicInstanceSourceName(const std::string& line);

} // namespace k7
