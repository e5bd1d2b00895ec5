// The table section of the download image ("#A"): for each table a header
// record and one record per row, with RAM cells for the blank value cells.
#pragma once

namespace k7 {

struct CompileContext;

// Runs in both compile passes; lines are added in the second pass only.
void CompileTableSection(CompileContext& context);

} // namespace k7
