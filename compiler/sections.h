// The section writers the two compile passes call in image order. Each
// advances the flash cursor by what it places, in both passes, and adds
// lines to the image in the second pass only.
#pragma once

namespace k7 {

struct CompileContext;

// "#4": module records (module_records.cpp).
void CompileModuleWalks(CompileContext& context, int firstWalk, int lastWalk);
// "#5": the ladder diagram (ladder_compile.cpp).
void LadderCompile(CompileContext& context);
// "#6" and "#7": the TX and RX arrays (telemetry_compile.cpp). CompileTx
// sets Sys.Tx when it compiles the TX array.
void CompileTx(CompileContext& context);
void CompileRx(CompileContext& context);
// "#8": the LCD displays (display_compile.cpp).
void CompileDisplays(CompileContext& context);
// "#9": the com buffers (com_buffers.cpp).
void CompileComBuffers(CompileContext& context);
// "#A": the tables (table_compile.cpp).
void CompileTables(CompileContext& context);
// "#B": the speech reports (speech_compile.cpp).
void CompileSpeech(CompileContext& context);
// "#C": the BASIC modules and their code (basic_link.cpp).
void LinkBasicModules(CompileContext& context);

} // namespace k7
