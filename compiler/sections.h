// The section writers the two compile passes call in image order. Each
// advances the flash cursor by what it places, in both passes, and adds
// lines to the image in the second pass only. The driver walks a table of
// them handed in by whoever assembles the compile, so sections written by
// other libraries (the tables and the speech reports) join without the
// compiler depending on them.
#pragma once

#include "compiler/compile_context.h"

#include <cstdint>
#include <vector>

namespace k7 {

// One step of a pass. A step with a marker opens a section: the sys
// pointer named (if any) takes the flash cursor, the marker line is added
// in the second pass and the repeat label shows the label. A step without
// a marker continues the section before it.
struct SectionWriter {
    const char* Marker = nullptr;
    const char* Label = nullptr;
    uint32_t SysPointers::*Pointer = nullptr;
    // The stop test between sections runs before the step.
    bool StopTestFirst = true;
    // The progress position once written, past the pass's base; 0: unchanged.
    int PositionAfter = 0;
    void (*Write)(CompileContext& context) = nullptr;
};

using SectionTable = std::vector<SectionWriter>;

// "#4": module records (module_records.cpp): walks 1 and 2, then walk 3.
void CompileFirstModuleWalks(CompileContext& context);
void CompileLastModuleWalk(CompileContext& context);
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
// "#C": the BASIC modules and their code (basic_link.cpp).
void LinkBasicModules(CompileContext& context);

} // namespace k7
