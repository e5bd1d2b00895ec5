// Reading the "|"-separated record lines that the project keeps verbatim
// (displays, tables, speech reports, BASIC modules) for the documentation
// and the where-used search.
#pragma once

#include "workspace/linescan.h"

#include <string>
#include <vector>

namespace k7 {

// Field n (1-based) of a split line; empty when the line has fewer fields.
const std::string& FieldAt(const std::vector<std::string>& fields, int n);

// A record header: "~" first and at least two characters.
bool IsHeaderLine(const std::string& line);
// The fields of a header line with its "~" removed; field 1 is the name.
std::vector<std::string> HeaderFields(const std::string& line);

// A stored text read as a number: an optional sign and digits; anything
// else (and an empty text) counts as 0.
int TextNumber(const std::string& text);

} // namespace k7
