// The modules section: every instance with its notes and the values of its
// inputs and constants.
#include "docgen/doc_intro.h"
#include "docgen/doc_sections.h"
#include "workspace/name_order.h"

namespace k7 {

static void WriteInstance(const TModuleInst& instance, const TModuleDef& def, DocLines& out) {
    std::string start = instance.Name + "..." + def.Name;
    const std::vector<std::string> notes = NoteLines(instance.Notes);
    if (!instance.Notes.empty()) {
        out.push_back(start + "  PROGRAMMER NOTES:");
        for (const std::string& note : notes)
            out.push_back(std::string(11, ' ') + note);
        start = ItemContinuation;
    }
    WrappedLine line(out, start, ItemContinuation);
    AppendItemValues(instance, def, 1, def.InputCount + def.ConstantCount, line);
    line.Finish();
}

void WriteModulesSection(const DocSource& source, DocLines& out) {
    AppendIntroBlock(source.intro, 'M', out);
    for (int index : ModuleOrderList(source.project, source.sortModules)) {
        const TModuleInst& instance = source.project.Modules[index];
        WriteInstance(instance, source.library.Module(instance.ModuleNumber), out);
    }
}

} // namespace k7
