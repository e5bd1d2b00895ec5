#include "workspace/instance_editor.h"

#include "workspace/basic_module_record.h"
#include "workspace/databases.h"
#include "workspace/module_library.h"
#include "workspace/workspace.h"

#include <cstdint>

namespace k7 {

InstanceEditor::InstanceEditor(Workspace& workspace)
    : workspace_(workspace) {
    // Every change to the project also counts as a change in the open editor.
    changes_ = workspace_.notices.Subscribe([this](ProjectPart) {
        if (state_.Open)
            state_.Changed = true;
    });
}

static bool HasRoomForInstance(const Project& project, UserInterface& ui) {
    if (project.ModuleCount() < MaxInstances)
        return true;
    ui.ShowError(ProjectFullMessage);
    return false;
}

bool InstanceEditor::ConfirmAbandon() {
    return !state_.Open || !state_.Changed || workspace_.Ui().AskYesNo(AbandonQuestion);
}

bool InstanceEditor::OpenNewInstance(const std::string& moduleTypeName,
                                     std::optional<PendingIoPoint> point) {
    if (!ConfirmAbandon())
        return false;
    const ModuleLibrary& library = workspace_.library;
    const int number = library.FindModuleByName(moduleTypeName);
    if (number == 0) {
        workspace_.Ui().ShowError("The module type \"" + moduleTypeName +
                                  "\" is not in the module library.");
        return false;
    }
    if (!HasRoomForInstance(workspace_.project, workspace_.Ui()))
        return false;
    const TModuleDef& def = library.Module(number);
    state_ = EditorState{};
    state_.Open = true;
    state_.Mode = EditorMode::New;
    state_.Origin = point ? EditorOrigin::CardChannel : EditorOrigin::ModuleLibrary;
    state_.ModuleNumber = number;
    state_.PendingPoint = point;
    for (int k = 1; k < def.FirstOutputItem() && k <= MaxModuleItems; ++k)
        state_.InputRows.push_back({def.Items[k].Prompt, ""});
    for (int k = def.FirstOutputItem(); k <= def.LastItem() && k <= MaxModuleItems; ++k)
        state_.OutputRows.push_back({def.Items[k].Prompt, ""});
    if (point) {
        const int preset[3] = {point->Channel, point->Slot, point->Cage};
        for (size_t r = 0; r < 3 && r < state_.InputRows.size(); ++r)
            state_.InputRows[r].Value = std::to_string(preset[r]);
    }
    FillOutputNames();
    editedName_.clear();
    afterClose_ = AfterEditor::Nothing;
    return true;
}

bool InstanceEditor::OpenExistingInstance(int index, EditorMode mode, EditorOrigin origin) {
    if (!ConfirmAbandon())
        return false;
    Project& project = workspace_.project;
    if (index < 0 || index >= project.ModuleCount()) {
        workspace_.Ui().ShowError(origin == EditorOrigin::Tree ? SelectTreeEntryMessage
                                                               : SelectEntryMessage);
        return false;
    }
    const TModuleInst& instance = project.Modules[index];
    const TModuleDef& def = workspace_.library.Module(instance.ModuleNumber);
    // Saving would give the instance the category of an unknown type and
    // drop the values that only its own definition can place.
    if (instance.ModuleNumber >= 9000 || !def.Defined()) {
        workspace_.Ui().ShowError("The module type of " + instance.Name +
                                  " is not in the module library; it cannot be edited here.");
        return false;
    }
    if (mode == EditorMode::Clone && !HasRoomForInstance(project, workspace_.Ui()))
        return false;
    state_ = EditorState{};
    state_.Open = true;
    state_.Mode = mode == EditorMode::Clone ? EditorMode::Clone : EditorMode::Edit;
    state_.Origin = origin;
    state_.ModuleNumber = instance.ModuleNumber;
    state_.EditedIndex = index;
    state_.NameText = instance.Name;
    state_.Aux1 = instance.Aux1;
    state_.Aux2 = instance.Aux2;
    state_.NotesText = instance.Notes;
    for (int k = 1; k < def.FirstOutputItem() && k <= MaxModuleItems; ++k)
        state_.InputRows.push_back({def.Items[k].Prompt, instance.Values[k]});
    for (int k = def.FirstOutputItem(); k <= def.LastItem() && k <= MaxModuleItems; ++k)
        state_.OutputRows.push_back({def.Items[k].Prompt, ""});
    FillOutputNames();
    editedName_ = instance.Name;
    afterClose_ = AfterEditor::Nothing;
    return true;
}

void InstanceEditor::FillOutputNames() {
    const TModuleDef& def = workspace_.library.Module(state_.ModuleNumber);
    for (size_t r = 0; r < state_.OutputRows.size(); ++r)
        state_.OutputRows[r].Value =
            state_.NameText + "." + def.Items[def.FirstOutputItem() + static_cast<int>(r)].Suffix;
}

void InstanceEditor::TypeName(const std::string& text) {
    if (!state_.Open)
        return;
    state_.NameText = text;
    state_.NameTyped = true;
    state_.Changed = true;
    FillOutputNames();
}

void InstanceEditor::TypeValue(int row, const std::string& text) {
    if (!state_.Open || row < 1 || row > static_cast<int>(state_.InputRows.size()))
        return;
    state_.InputRows[row - 1].Value = text;
    state_.Changed = true;
}

void InstanceEditor::TypeNotes(const std::string& text) {
    if (!state_.Open || !state_.ShowNotes)
        return;
    state_.NotesText = text;
    state_.Changed = true;
}

// Notes typed while they show are kept when the box goes back to the
// description, so switching never loses them.
void InstanceEditor::ToggleDescrNotes() {
    if (state_.Open)
        state_.ShowNotes = !state_.ShowNotes;
}

bool InstanceEditor::DropDbNameOnInput(int row, const std::string& name) {
    if (!state_.Open || row < 1 || row > static_cast<int>(state_.InputRows.size()))
        return false;
    state_.InputRows[row - 1].Value = name;
    workspace_.MarkProjectChanged(ProjectPart::Modules);
    state_.Changed = true;
    return true;
}

std::string InstanceEditor::Caption() const {
    return "\rModule Type: " + workspace_.library.Module(state_.ModuleNumber).Name;
}

std::string InstanceEditor::DescriptionBoxText() const {
    return state_.ShowNotes ? state_.NotesText
                            : workspace_.library.Module(state_.ModuleNumber).Description;
}

std::string InstanceNameRefusal(const std::string& name) {
    if (name.empty())
        return NameMissingMessage;
    if (name.size() > static_cast<size_t>(MaxInstanceName))
        return NameTooLongMessage;
    if (name.find('.') != std::string::npos)
        return NamePeriodMessage;
    if (name[0] == '$')
        return NameDollarMessage;
    // The name begins the output names a speech line's enable cell can hold.
    return StoredTextRefusal(name, StoredField::LineStart);
}

bool InstanceEditor::RefuseName() {
    const std::string refusal = InstanceNameRefusal(state_.NameText);
    if (!refusal.empty())
        workspace_.Ui().ShowError(refusal);
    return !refusal.empty();
}

bool InstanceEditor::RefuseText() {
    UserInterface& ui = workspace_.Ui();
    for (const EditorRow& row : state_.InputRows)
        if (RefuseStoredText(ui, row.Value, StoredField::Inside, MaxValueWidth))
            return true;
    return RefuseStoredText(ui, state_.NotesText, StoredField::Notes);
}

// BASIC module lines share the instance name space: name | source | ...
bool InstanceEditor::NameInUse() const {
    const Project& project = workspace_.project;
    for (const TModuleInst& instance : project.Modules)
        if (instance.Name == state_.NameText)
            return true;
    for (const std::string& line : project.BasicModules)
        if (BasicInstanceName(line) == state_.NameText)
            return true;
    return false;
}

// Edit: the instance opened, found again by its name should instances
// before it have been deleted meanwhile; -1 when it is gone.
int InstanceEditor::TargetIndex() {
    const Project& project = workspace_.project;
    const int index = state_.EditedIndex;
    if (index >= 0 && index < project.ModuleCount() && project.Modules[index].Name == editedName_)
        return index;
    for (int i = 0; i < project.ModuleCount(); ++i)
        if (project.Modules[i].Name == editedName_)
            return i;
    return -1;
}

void InstanceEditor::WriteRecord(TModuleInst& record) const {
    const TModuleDef& def = workspace_.library.Module(state_.ModuleNumber);
    record.Category = def.TypeCode;
    record.ModuleNumber = state_.ModuleNumber;
    record.Name = state_.NameText;
    record.Aux1 = state_.Aux1;
    record.Aux2 = state_.Aux2;
    record.Notes = NormalizedNotes(state_.NotesText);
    int k = 1;
    for (const EditorRow& row : state_.InputRows)
        record.Values[k++] = row.Value;
    for (const EditorRow& row : state_.OutputRows)
        record.Values[k++] = row.Value.substr(0, MaxValueWidth);
}

bool InstanceEditor::SaveInstance() {
    if (!state_.Open || RefuseName() || RefuseText())
        return false;
    const bool appends = state_.Mode != EditorMode::Edit;
    if ((appends || state_.NameTyped) && NameInUse()) {
        workspace_.Ui().ShowError(NameInUseMessage);
        return false;
    }
    Project& project = workspace_.project;
    int index = -1;
    if (appends) {
        if (!HasRoomForInstance(project, workspace_.Ui()))
            return false;
        project.Modules.emplace_back();
        index = project.ModuleCount() - 1;
    } else {
        index = TargetIndex();
        if (index < 0) {
            workspace_.Ui().ShowError("The instance " + editedName_ +
                                      " is no longer in the project; it cannot be saved.");
            return false;
        }
    }
    TModuleInst& record = project.Modules[index];
    WriteRecord(record);
    const int64_t blockSize = InstanceBlockSize(record, workspace_.library);
    const int64_t heldSize =
        static_cast<int64_t>(record.RamEnd) - static_cast<int64_t>(record.RamStart) + 1;
    if (appends || blockSize != heldSize) {
        record.RamStart = 0;
        record.RamEnd = 0;
    }
    RebuildDatabases(project, workspace_.library);
    Close();
    workspace_.MarkProjectChanged(ProjectPart::Modules);
    return true;
}

bool InstanceEditor::CancelInstanceEditor() {
    if (!state_.Open)
        return true;
    if (!ConfirmAbandon())
        return false;
    Close();
    return true;
}

void InstanceEditor::Close() {
    switch (state_.Origin) {
    case EditorOrigin::CardChannel:
        afterClose_ = AfterEditor::CardPanel;
        break;
    case EditorOrigin::Tree:
        afterClose_ = AfterEditor::Tree;
        break;
    default:
        afterClose_ = AfterEditor::Nothing;
        break;
    }
    state_.Open = false;
    state_.PendingPoint.reset();
}

bool DeleteInstance(Workspace& workspace, const InstanceSelection& selection) {
    UserInterface& ui = workspace.Ui();
    if (!ui.AskYesNo(DeleteQuestion))
        return false;
    if (!selection.Index) {
        ui.ShowError(selection.FromTree ? SelectTreeEntryMessage : SelectEntryMessage);
        return false;
    }
    Project& project = workspace.project;
    const int index = *selection.Index;
    if (index < 0 || index >= project.ModuleCount())
        return false;
    project.Modules.erase(project.Modules.begin() + index);
    RebuildDatabases(project, workspace.library);
    workspace.MarkProjectChanged(ProjectPart::Modules);
    return true;
}

} // namespace k7
