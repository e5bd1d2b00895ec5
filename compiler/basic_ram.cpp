// RAM of the BASIC modules placed in the project: each module's block of
// declared variables, and the one block of local RAM the modules share.
// Written with the BASIC modules' own compile steps; until then BASIC
// modules take no RAM.
#include "compiler/compile_context.h"
#include "compiler/ram_assignment.h"

namespace k7 {

void AssignBasicModuleRam(CompileContext& /*context*/) {}

void AssignBasicLocalRam(CompileContext& /*context*/) {}

} // namespace k7
