// The section writers of the documentation file. Each appends its lines,
// column-exact, to the output; each section opens with its block of the
// introduction file.
#pragma once

#include "docgen/doc_layout.h"
#include "workspace/module_library.h"
#include "workspace/project.h"

#include <string>
#include <vector>

namespace k7 {

// What every section reads.
struct DocSource {
    const Project& project;
    const ModuleLibrary& library;
    const std::vector<std::string>& intro; // lines of Docintro.TXT
    bool sortModules = true;               // the compiler's module order
};

void WriteIoSection(const DocSource& source, DocLines& out);
void WriteModulesSection(const DocSource& source, DocLines& out);
void WriteDisplaysSection(const DocSource& source, DocLines& out);
void WriteTelemetrySection(const DocSource& source, DocLines& out);
void WriteLadderSection(const DocSource& source, DocLines& out);
void WriteTablesSection(const DocSource& source, DocLines& out);
void WriteSpeechSection(const DocSource& source, DocLines& out);
void WriteDatabasesSection(const DocSource& source, DocLines& out);

// Shared by the I/O and modules sections: two blanks, the prompt, "=" and
// the value of each item from first to last, wrapped under "        ...".
void AppendItemValues(const TModuleInst& instance, const TModuleDef& def, int first, int last,
                      WrappedLine& line);
constexpr const char* ItemContinuation = "        ...";

} // namespace k7
