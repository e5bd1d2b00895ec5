// The table section: the header and row records of every table, written
// by the tables library (tables_speech/table_compile.cpp).
#include "tables_speech/table_compile.h"
#include "compiler/compile_context.h"
#include "compiler/sections.h"

namespace k7 {

void CompileTables(CompileContext& context) {
    CompileTableSection(context);
}

} // namespace k7
