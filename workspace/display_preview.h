// How a display line reads on the unit before any value arrives: each "@"
// place shows the name of the field that fills it, cut to the place's width,
// so the person sees which name lands where.
#pragma once

#include "workspace/display_editor.h"

#include <string>

namespace k7 {

// The line's text with place k (1..10) replaced by field k, cut or padded
// with blanks to the place's width. A place without a field keeps its text;
// places after the tenth are left as typed.
std::string PreviewDisplayLine(const DisplayLine& line);

} // namespace k7
