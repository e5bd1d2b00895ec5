#include "compiler/compile_context.h"

#include "workspace/project.h"

namespace k7 {

CompileContext::CompileContext(Project& project, const ModuleLibrary& library,
                               CompileOptions options)
    : project(project), library(library), options(std::move(options)),
      MarkChanged([&project] { MarkProjectChanged(project); }) {}

void CompileContext::Report(const std::string& message) {
    if (CanReport())
        ReportAlways(message);
}

void CompileContext::ReportAlways(const std::string& message) {
    Errors.push_back(message);
    ++ErrorCount;
}

void CompileContext::ReportInPass2(const std::string& message) {
    if (Writing())
        Report(message);
}

void CompileContext::AddressAssigned() {
    NewAddressesAssigned = true;
    if (MarkChanged)
        MarkChanged();
}

} // namespace k7
