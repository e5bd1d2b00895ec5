// The BASIC section: module records of the BASIC modules and one copy of each object code.
// Until this section is written it places nothing: the flash cursor stays
// where it is and only the section's marker line appears in the image.
#include "compiler/compile_context.h"
#include "compiler/sections.h"

namespace k7 {

void LinkBasicModules(CompileContext& /*context*/) {}

} // namespace k7
