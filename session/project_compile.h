// The compile of a whole project as the program runs it: the compiler's
// driver over every section writer in image order, the tables and the
// speech reports included. The session, k7c and the tests compile
// through here.
#pragma once

#include "compiler/compile_driver.h"

namespace k7 {

// Every section of the image in the order the passes write them.
const SectionTable& ProjectSections();

// Compile with ProjectSections().
CompileOutcome CompileProject(CompileContext& context, CompileProgress& progress);

} // namespace k7
