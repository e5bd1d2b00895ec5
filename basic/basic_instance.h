// BASIC modules placed in a project: the instance line stored in the
// project's "!Basic" list, what the workspace reads from a module's source,
// and the editing operations of the BASIC module list (Open For Proj, Edit
// Module, Save, Delete from Proj). The stored line is read and written in
// workspace/basic_module_record.h.
#pragma once

#include "workspace/basic_module_record.h"
#include "workspace/instance_editor.h"

#include <optional>
#include <string>
#include <vector>

namespace k7 {

class Workspace;

constexpr const char* SelectBasicFileMessage = "You must first select a BASIC file";
constexpr const char* MissingBasicFileMessage = "Cannot find BASIC file";
constexpr const char* BasicNameExistsMessage = "Module name already exists";
constexpr const char* SelectBasicModuleMessage = "You must first select a module";
constexpr const char* BasicFileTitle = "BASIC File: ";

// The type letter of a declared output name: "f" Float, "i" Integer,
// "m" timer, "n" Status, "t" trigger, "s" String.
char BasicOutputLetter(const std::string& declaredName);
// instance + "." + the declared name with its dimension text.
std::string BasicOutputDatabaseName(const std::string& instance, const std::string& declaredName);

struct BasicDeclaration {
    std::string Description;
    std::string Name;  // outputs only: the declared name with its dimensions
    char Letter = 'I'; // "I" for inputs, the type letter for outputs
};

// What the workspace shows of a module source.
struct BasicSourceDeclarations {
    std::vector<BasicDeclaration> Inputs;
    std::vector<BasicDeclaration> Outputs;
    std::string Notes; // the "#MODULE" lines, one per line
};

// Reads the declarations the way the BASIC compiler numbers them, so that
// the instance's fields line up with the module's I/O indexes.
BasicSourceDeclarations ReadBasicSourceDeclarations(const std::vector<std::string>& lines);

// The BASIC module library: the ".BAS" files of the BASIC folder, sorted.
std::vector<std::string> BasicLibraryFiles(const std::string& folder);

// The project's BASIC module list: instance name + "..." + source name.
std::vector<std::string> BasicModuleListEntries(const std::vector<std::string>& basicModules);

struct BasicEditorState {
    bool Open = false;
    bool Editing = false;              // Edit Module rather than Open For Proj
    std::string EditedName;            // Edit Module: the name the instance had
    std::string SourceName;            // the library file
    std::string Title;                 // "BASIC File: " + source name
    std::string NameText;              // the instance name field
    std::vector<EditorRow> InputRows;  // "Item:" and "Val Assigned:"
    std::vector<EditorRow> OutputRows; // "Item:" and "Name in Database:"
    std::vector<std::string> OutputDeclaredNames;
    std::string Notes;
    bool ShowInputs = false;
    bool ShowOutputs = false;
    bool Changed = false; // typed into since it opened
};

// The module workspace of a BASIC instance.
class BasicInstanceEditor {
  public:
    explicit BasicInstanceEditor(Workspace& workspace) : workspace_(workspace) {}

    // Open For Proj: a new instance of the selected library file (empty:
    // nothing selected). False, after a message, when it cannot open. Both
    // ask before dropping the edits of a workspace already open.
    bool OpenForProj(const std::string& selectedFile);
    // Edit Module: the selected list entry ("P1...PUMP.BAS").
    bool EditModule(const std::string& selectedEntry);

    // Typing the instance name renames every output's database name.
    void TypeName(const std::string& text);
    // row 1..inputs.
    void TypeValue(int row, const std::string& text);

    // Save: true when the instance line was stored and the workspace closed.
    bool Save();
    // The cancel button: true when the workspace closed.
    bool Cancel();
    void Close() { state_ = BasicEditorState{}; }

    const BasicEditorState& State() const { return state_; }
    bool IsOpen() const { return state_.Open; }

  private:
    bool ConfirmAbandon();
    bool Fill(const std::string& sourceName);
    bool RefuseName();
    bool RefuseValues();
    bool NameExists() const;
    std::string LineText() const;

    Workspace& workspace_;
    BasicEditorState state_;
};

// Delete from Proj: removes the instance of the selected entry (empty:
// nothing selected). False when nothing was removed.
bool DeleteBasicInstance(Workspace& workspace, const std::string& selectedEntry);

} // namespace k7
