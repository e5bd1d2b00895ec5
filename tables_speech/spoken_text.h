// What a report line will say, as text for a speech engine on the
// workstation: the phrases in order, with a sample value for each spoken
// number and the first phrase of each selector.
#pragma once

#include "workspace/speech_record.h"

#include <string>

namespace k7 {

struct Project;

// A sample value that fills a format: digits 1, 2, 3 ... before the point
// and after it ("@@@.@@" gives "123.45"; "@@" gives "12").
std::string SampleValue(const std::string& format);

// The phrase cells of the line (the enable cell is not spoken) joined by
// blanks; empty cells and names without a format say nothing.
std::string SpokenText(const Project& project, const SpeechLine& line);

} // namespace k7
