// The BASIC compiler on any source text; a clean compile's object file
// must read back as the same module.
#include "basic/basic_compiler.h"
#include "basic/object_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k7;
    BasicCompiler compiler;
    const BasicCompileOutput output = compiler.Compile(fuzz::InputLines(data, size));
    if (!output.Errors.empty())
        return 0;
    const BasicObjectRead read = ParseBasicObjectFile(BasicObjectFileLines(output), "FUZZ.Obj");
    if (!read.Ok || read.Object.System.CodeBytes != output.CodeBytes ||
        read.Object.System.InputCount != output.InputCount ||
        read.Object.System.OutputCount != output.OutputCount)
        __builtin_trap();
    return 0;
}
