// The module library loader on any bytes; a library it accepts then backs
// a new project that is saved and compiled.
#include "session/project_compile.h"
#include "fuzz/fuzz_support.h"
#include "workspace/databases.h"
#include "workspace/module_library.h"
#include "workspace/project.h"
#include "workspace/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k7;
    LibraryLoad load = ParseModuleLibrary(fuzz::InputLines(data, size), "K7MODDEF.TXT");
    for (int number = 0; number <= MaxModuleNumber + 1; ++number)
        (void)load.Library.Module(number).LastItem();
    Project project;
    ResetProject(project, load.Library);
    RebuildDatabases(project, load.Library);
    (void)ProjectFileLines(project, load.Library, "12/07/2026 10:00:00");
    CompileContext context(project, load.Library, {});
    CompileProgress progress;
    CompileProject(context, progress);
    return 0;
}
