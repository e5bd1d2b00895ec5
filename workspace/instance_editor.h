// The instance editor: one panel that creates, edits or clones a module
// instance, with the naming rules applied on "Save", and the deletion of
// instances from the instance lists or the module tree.
#pragma once

#include "workspace/change_notices.h"
#include "workspace/io_points.h"
#include "workspace/project.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace k7 {

class Workspace;

enum class EditorMode { New = 0, Edit = 1, Clone = 2 };

// Where the editor was opened from; decides what shows again once it closes.
enum class EditorOrigin { ModuleLibrary, InstanceList, CardChannel, Tree };

// What the window shows again after the editor closed.
enum class AfterEditor { Nothing, CardPanel, Tree };

constexpr const char* NameMissingMessage = "You must enter module name before saving.";
constexpr const char* NameTooLongMessage = "Module name exceeds 40 characters.";
constexpr const char* NamePeriodMessage = "Module name cannot contain period character";
constexpr const char* NameInUseMessage = "Module name already in use";
// A name starting with "$" would give output names that a project file
// reader takes for RAM addresses.
constexpr const char* NameDollarMessage = "Module name cannot begin with dollar character";
// The naming rules every module instance name meets, ordinary or BASIC, in
// the order the user meets them: the message refusing name, or empty.
std::string InstanceNameRefusal(const std::string& name);

constexpr const char* ProjectFullMessage =
    "The project already holds 1000 module instances; no more can be added.";
constexpr const char* AbandonQuestion = "One or more entries has changed, OK to abandon?";
constexpr const char* DeleteQuestion = "Confirm OK to delete?";
constexpr const char* SelectEntryMessage = "You must first select an entry";
constexpr const char* SelectTreeEntryMessage = "You must first select an entry in the tree";

// One row of the editor's grids: "Item:" and "Val Assigned:" for inputs and
// constants, "Item:" and "Name in Database:" for outputs.
struct EditorRow {
    std::string Item;
    std::string Value;
};

struct EditorState {
    bool Open = false;
    EditorMode Mode = EditorMode::New;
    EditorOrigin Origin = EditorOrigin::ModuleLibrary;
    int ModuleNumber = 0;
    int EditedIndex = -1; // Edit: index into Project::Modules
    std::string NameText;
    bool NameTyped = false;
    std::vector<EditorRow> InputRows;  // rows 1..I+C at [0..]
    std::vector<EditorRow> OutputRows; // rows 1..O at [0..]
    int32_t Aux1 = 0;
    int32_t Aux2 = 0;
    std::string NotesText;
    bool ShowNotes = false;
    bool Changed = false;
    std::optional<PendingIoPoint> PendingPoint;
};

class InstanceEditor {
  public:
    explicit InstanceEditor(Workspace& workspace);
    InstanceEditor(const InstanceEditor&) = delete;
    InstanceEditor& operator=(const InstanceEditor&) = delete;

    // A module type picked from a library category list, or an I/O module
    // chosen for a picked channel (its channel, slot and cage preset the
    // first three values). False, after a message, when it cannot open.
    // Both ask before dropping the edits of an editor already open.
    bool OpenNewInstance(const std::string& moduleTypeName,
                         std::optional<PendingIoPoint> point = std::nullopt);
    // "Details" or a click on an assigned channel (Edit), or "Clone".
    bool OpenExistingInstance(int index, EditorMode mode, EditorOrigin origin);

    // Typing in the editor.
    void TypeName(const std::string& text);
    void TypeValue(int row, const std::string& text); // row 1..I+C
    void TypeNotes(const std::string& text);          // only while the notes show
    void ToggleDescrNotes();

    // A database name dropped on input row 1..I+C.
    bool DropDbNameOnInput(int row, const std::string& name);

    // "Save": true when the instance was stored and the editor closed.
    bool SaveInstance();
    // The cancel button: true when the editor closed.
    bool CancelInstanceEditor();

    const EditorState& State() const { return state_; }
    bool IsOpen() const { return state_.Open; }
    // CR + "Module Type: " + the module type name.
    std::string Caption() const;
    // The description box: the type's description, or the notes when shown.
    std::string DescriptionBoxText() const;
    // Set when the editor closes; the window reopens that view.
    AfterEditor ShowAfterClose() const { return afterClose_; }

  private:
    bool ConfirmAbandon();
    bool RefuseName();
    bool RefuseText();
    bool NameInUse() const;
    int TargetIndex();
    void WriteRecord(TModuleInst& record) const;
    void FillOutputNames();
    void Close();

    Workspace& workspace_;
    EditorState state_;
    std::string editedName_; // Edit: the instance's name when it was opened
    AfterEditor afterClose_ = AfterEditor::Nothing;
    ChangeSubscription changes_;
};

// Where "Delete" takes its instance from.
struct InstanceSelection {
    bool FromTree = false;    // "Delete from Project" on the module tree
    std::optional<int> Index; // the selected instance, index into Project::Modules
};

// Asks "Confirm OK to delete?", then removes the selected instance; later
// instances move down by one. False when nothing was deleted.
bool DeleteInstance(Workspace& workspace, const InstanceSelection& selection);

} // namespace k7
