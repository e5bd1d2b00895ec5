// The library view of "Engineer" mode: picking a module name from a
// category list shows its definition instead of opening an instance. The
// view only reads the module table.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace k7 {

class ModuleLibrary;
class Workspace;
class InstanceEditor;

constexpr const char* ModuleNumberLabel = "Module #:";
constexpr const char* ModuleNameLabel = "Module Name:";
constexpr const char* CodeInUnitLabel = "Code in TAV7";
constexpr const char* DescriptionLabel = "Description...";
constexpr const char* InputsLabel = "Inputs and Constants...";
constexpr const char* OutputsLabel = "Outputs...";
constexpr const char* PromptColumn = "Prompt:";
constexpr const char* SuffixColumn = "Suffix:";
constexpr const char* DataBaseLabel = "Data Base...";
constexpr const char* DataSizeLabel = "Data Size...";
constexpr const char* SpecGroupingLabel = "Spec Grouping...";
constexpr const char* ArraySizeHint = "Arrays use #1 to define size.";

// The choices each letter of an item code selects, in letter order.
struct CodeChoice {
    char Letter;
    const char* Text;
};
extern const std::array<CodeChoice, 6> DataBaseChoices;     // F I D T A S
extern const std::array<CodeChoice, 2> DataSizeChoices;     // S A
extern const std::array<CodeChoice, 7> SpecGroupingChoices; // S E T A C G M

// Category names of TypeCode 1..5; [0] unused.
extern const std::array<const char*, 6> CategoryNames;

struct LibraryItemRow {
    int Item = 0; // item number 1..40
    std::string Code;
    std::string Prompt;
    std::string Suffix; // outputs only
};

struct LibraryView {
    int ModuleNumber = 0;
    std::string ModuleName;
    std::string ParameterText; // Params[1..n] joined by ",", n the last non-zero one
    int Category = 0;          // TypeCode without the 100 of modules not in the unit
    std::string CategoryName;  // "" when the category is not 1..5
    bool CodeInUnit = false;   // the "Code in TAV7" check: TypeCode 100 or less
    std::string Description;
    std::vector<LibraryItemRow> Inputs; // inputs and constants
    std::vector<LibraryItemRow> Outputs;
};

// The definition of the module type named `moduleName`; nothing when the
// library has no module of that name.
std::optional<LibraryView> ShowModuleDefinition(const ModuleLibrary& library,
                                                const std::string& moduleName);

// A selected row's code as the three choices; an index of -1 selects none
// (a letter the library does not define).
struct ItemCodeView {
    int DataBase = -1;
    int DataSize = -1;
    int SpecGrouping = -1;
};
ItemCodeView ShowItemCode(const std::string& code);

// A pick in a category list: in "Engineer" mode the definition is shown;
// in "Design" and "Debug" mode the instance editor opens for a new instance.
std::optional<LibraryView> PickLibraryModule(Workspace& workspace, InstanceEditor& editor,
                                             const std::string& moduleName);

} // namespace k7
