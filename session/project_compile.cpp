#include "session/project_compile.h"

#include "tables_speech/speech_compile.h"
#include "tables_speech/table_compile.h"

namespace k7 {

const SectionTable& ProjectSections() {
    static const SectionTable sections = {
        {.Marker = Marker::Modules, .Label = "Modules...", .Write = CompileFirstModuleWalks},
        {.PositionAfter = 25, .Write = CompileLastModuleWalk},
        {.Marker = Marker::Ladder, .Label = "Ladder...", .Write = LadderCompile},
        // Without a TX array the pointer names the start of the RX section.
        {.Marker = Marker::Tx,
         .Label = "TX Arrays...",
         .Pointer = &SysPointers::Tx,
         .PositionAfter = 30,
         .Write = CompileTx},
        {.Marker = Marker::Rx,
         .Label = "RX Arrays...",
         .Pointer = &SysPointers::Rx,
         .PositionAfter = 35,
         .Write = CompileRx},
        {.Marker = Marker::Displays,
         .Label = "Displays...",
         .Pointer = &SysPointers::Dsps,
         .Write = CompileDisplays},
        {.Marker = Marker::ComBuffers,
         .Label = "Com buffers...",
         .Pointer = &SysPointers::ComBufDef,
         .PositionAfter = 40,
         .Write = CompileComBuffers},
        {.Marker = Marker::Tables,
         .Label = "Tables...",
         .Pointer = &SysPointers::Tbls,
         .Write = CompileTableSection},
        {.Marker = Marker::Speech, .Label = "Speech...", .Write = CompileSpeechSection},
        {.Marker = Marker::Basic,
         .Label = "Basic...",
         .StopTestFirst = false,
         .Write = LinkBasicModules},
    };
    return sections;
}

CompileOutcome CompileProject(CompileContext& context, CompileProgress& progress) {
    return Compile(context, progress, ProjectSections());
}

} // namespace k7
