// The BASIC object-file reader on any bytes, then the same file linked
// into a project through a BASIC instance that uses it.
#include "basic/object_file.h"
#include "session/project_compile.h"
#include "fuzz/fuzz_support.h"
#include "workspace/databases.h"
#include "workspace/project.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k7;
    (void)ParseBasicObjectFile(fuzz::InputLines(data, size), "FUZZ.Obj",
                               ObjectReadScope::SystemAndConstants);
    const BasicObjectRead read = ParseBasicObjectFile(fuzz::InputLines(data, size), "FUZZ.Obj");
    if (!read.Ok)
        return 0;
    fuzz::WriteScratchFile("FUZZ.Obj", data, size);
    const ModuleLibrary& library = fuzz::ShippedLibrary();
    Project project;
    ResetProject(project, library);
    project.BasicModules = {"B1|FUZZ.BAS|I2.5|IB1.OUT|fB1.OUT|sB1.MSG$[20]|$0|$0",
                            "B2|FUZZ.BAS|||fB2.OUT||$0|$0"};
    RebuildDatabases(project, library);
    CompileOptions options;
    options.BasicFolder = fuzz::ScratchFolder();
    CompileContext context(project, library, options);
    CompileProgress progress;
    CompileProject(context, progress);
    return 0;
}
