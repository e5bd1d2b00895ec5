// The project file reader on any bytes; what it accepts is saved again and
// compiled, so every field it lets through meets the writer and the compiler.
#include "session/project_compile.h"
#include "fuzz/fuzz_support.h"
#include "workspace/databases.h"
#include "workspace/project.h"
#include "workspace/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k7;
    const ModuleLibrary& library = fuzz::ShippedLibrary();
    Project project;
    ResetProject(project, library);
    project.FileName = fuzz::ScratchFolder() + "FUZZ.tvr";
    const ProjectRead read = ReadProjectFile(fuzz::InputLines(data, size), library, project);
    if (!read.Ok)
        return 0;
    RebuildDatabases(project, library);
    const std::vector<std::string> saved =
        ProjectFileLines(project, library, "12/07/2026 10:00:00");
    // What was saved reads back.
    Project again;
    ResetProject(again, library);
    if (!ReadProjectFile(saved, library, again).Ok)
        __builtin_trap();
    CompileOptions options;
    options.DateText = "12/07/2026 10:00:00";
    options.BasicFolder = fuzz::ScratchFolder();
    CompileContext context(project, library, options);
    CompileProgress progress;
    CompileProject(context, progress);
    return 0;
}
