#include "workspace/library_view.h"

#include "workspace/instance_editor.h"
#include "workspace/module_library.h"
#include "workspace/workspace.h"

namespace k7 {

const std::array<CodeChoice, 6> DataBaseChoices = {{{'F', "Float Pt"},
                                                    {'I', "Integer"},
                                                    {'D', "Status"},
                                                    {'T', "TX"},
                                                    {'A', "RX"},
                                                    {'S', "String"}}};
const std::array<CodeChoice, 2> DataSizeChoices = {{{'S', "Single"}, {'A', "Array"}}};
const std::array<CodeChoice, 7> SpecGroupingChoices = {{{'S', "Standard"},
                                                        {'E', "Setpoints"},
                                                        {'T', "Timers"},
                                                        {'A', "Alarms"},
                                                        {'C', "Constant "},
                                                        {'G', "Trigger"},
                                                        {'M', "Module Ptr"}}};

const std::array<const char*, 6> CategoryNames = {"",        "I/O + System", "Math",
                                                  "Control", "Statistics",   "Commun."};

static std::string ParameterText(const TModuleDef& def) {
    int last = 0;
    for (int p = 1; p <= 10; ++p)
        if (def.Params[p] != 0)
            last = p;
    std::string text;
    for (int p = 1; p <= last; ++p)
        text += (p > 1 ? "," : "") + std::to_string(def.Params[p]);
    return text;
}

static LibraryItemRow ItemRow(const TModuleDef& def, int k, bool output) {
    const TModuleItemDef& item = def.Items[k];
    return {k, item.Code, item.Prompt, output ? item.Suffix : std::string()};
}

std::optional<LibraryView> ShowModuleDefinition(const ModuleLibrary& library,
                                                const std::string& moduleName) {
    const int number = library.FindModuleByName(moduleName);
    if (number == 0)
        return std::nullopt;
    const TModuleDef& def = library.Module(number);
    LibraryView view;
    view.ModuleNumber = number;
    view.ModuleName = def.Name;
    view.ParameterText = ParameterText(def);
    view.Category = def.TypeCode > 100 ? def.TypeCode - 100 : def.TypeCode;
    if (view.Category >= 1 && view.Category <= 5)
        view.CategoryName = CategoryNames[view.Category];
    view.CodeInUnit = def.CodeInUnit();
    view.Description = def.Description;
    for (int k = 1; k < def.FirstOutputItem() && k <= MaxModuleItems; ++k)
        view.Inputs.push_back(ItemRow(def, k, false));
    for (int k = def.FirstOutputItem(); k <= def.LastItem() && k <= MaxModuleItems; ++k)
        view.Outputs.push_back(ItemRow(def, k, true));
    return view;
}

template <size_t N>
static int ChoiceIndex(const std::array<CodeChoice, N>& choices, const std::string& code,
                       size_t position) {
    if (position >= code.size())
        return -1;
    for (size_t i = 0; i < N; ++i)
        if (choices[i].Letter == code[position])
            return static_cast<int>(i);
    return -1;
}

ItemCodeView ShowItemCode(const std::string& code) {
    return {ChoiceIndex(DataBaseChoices, code, 0), ChoiceIndex(DataSizeChoices, code, 2),
            ChoiceIndex(SpecGroupingChoices, code, 3)};
}

std::optional<LibraryView> PickLibraryModule(Workspace& workspace, InstanceEditor& editor,
                                             const std::string& moduleName) {
    if (workspace.shell.Mode == ShellMode::Engineer) {
        std::optional<LibraryView> view = ShowModuleDefinition(workspace.library, moduleName);
        if (!view)
            workspace.Ui().ShowError("The module type \"" + moduleName +
                                     "\" is not in the module library.");
        return view;
    }
    editor.OpenNewInstance(moduleName);
    return std::nullopt;
}

} // namespace k7
