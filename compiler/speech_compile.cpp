// The speech section: the records of every speech report, written by the
// speech library (tables_speech/speech_compile.cpp).
#include "tables_speech/speech_compile.h"
#include "compiler/compile_context.h"
#include "compiler/sections.h"

namespace k7 {

void CompileSpeech(CompileContext& context) {
    CompileSpeechSection(context);
}

} // namespace k7
