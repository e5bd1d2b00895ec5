// The speech section of the download image ("#B"): for each report a
// header record followed by one record per report line.
#pragma once

namespace k7 {

struct CompileContext;

// Runs in both compile passes; lines are added in the second pass only.
void CompileSpeechSection(CompileContext& context);

} // namespace k7
