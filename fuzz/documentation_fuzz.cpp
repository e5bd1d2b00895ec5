// The documentation generator on a project read from any bytes: every
// section chosen, with the shipped introduction.
#include "docgen/documentation.h"
#include "fuzz/fuzz_support.h"
#include "workspace/databases.h"
#include "workspace/project.h"
#include "workspace/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k7;
    const ModuleLibrary& library = fuzz::ShippedLibrary();
    Project project;
    ResetProject(project, library);
    project.FileName = "C:\\K7\\Projects\\FUZZ.tvr";
    if (!ReadProjectFile(fuzz::InputLines(data, size), library, project).Ok)
        return 0;
    RebuildDatabases(project, library);
    const DocSource source{project, library, fuzz::ShippedIntro()};
    DocumentationChoices choices = OpenDocumentationChoices(project);
    ProgressPanel progress;
    (void)BuildDocumentation(source, choices, "12/07/2026 10:00:00", progress);
    return 0;
}
