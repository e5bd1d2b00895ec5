// Where-used search: for a database name, one text line per place of the
// project that uses it, found by exact, case-sensitive equality with the
// stored text. Nothing is compiled.
#pragma once

#include "docgen/doc_layout.h"
#include "workspace/module_library.h"
#include "workspace/project.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace k7 {

// The reference lines of every name, gathered in one pass over the project
// in the order the search visits it: module inputs, displays, TX rows,
// ladder cells and delays, tables, speech reports, BASIC inputs. The lines
// of one name therefore come out in the search order.
// Only the names asked for are gathered, so texts that name nothing of
// interest (numbers, literals) cost a look-up and no line.
class ReferenceIndex {
  public:
    ReferenceIndex(const Project& project, const ModuleLibrary& library,
                   const std::vector<const std::vector<std::string>*>& names);

    const std::vector<std::string>& LinesFor(const std::string& name) const;

  private:
    // The line list of a used text when it is a name asked for and has at
    // least minLength characters; null otherwise.
    std::vector<std::string>* Slot(const std::string& usedText, size_t minLength = 0);
    void AddModuleInputs(const Project& project, const ModuleLibrary& library);
    void AddDisplays(const Project& project);
    void AddTxRows(const Project& project);
    void AddLadder(const Project& project);
    void AddTables(const Project& project);
    void AddSpeechReports(const Project& project);
    void AddBasicInputs(const Project& project);

    std::unordered_map<std::string, std::vector<std::string>> lines_;
};

// Appends the reference lines for one name to target.
void FindReferences(const Project& project, const ModuleLibrary& library, const std::string& name,
                    std::vector<std::string>& target);

// The last section of the documentation file: every name of the Float,
// Integer, Status, String and RX lists with its uses. progress receives the
// percentage (50 to 100) after each name.
void WriteCrossReferenceSection(const Project& project, const ModuleLibrary& library, DocLines& out,
                                const std::function<void(int)>& progress);

} // namespace k7
