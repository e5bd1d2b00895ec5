// The BASIC page: the BASIC module library (the ".BAS" files of the BASIC
// folder) with "Open Editor" and "Open For Proj", the project's BASIC
// modules with "Edit Module" and "Delete from Proj", and the workspace of
// the BASIC instance being placed or edited.
#pragma once

#include "app/views/bas_edit_form.h"
#include "basic/basic_instance.h"
#include "workspace/change_notices.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace k7 {

class DropTable;

class BasicModulesPage : public QWidget {
    Q_OBJECT

  public:
    explicit BasicModulesPage(Workspace& workspace, QWidget* parent = nullptr);
    ~BasicModulesPage() override;

    // The library list is read again from the BASIC folder; the project's
    // list shows the project as it now stands.
    void Reload();

    QListWidget* LibraryList() const { return library_; }
    QListWidget* ModuleList() const { return modules_; }
    QPushButton* Button(const QString& caption) const;
    QWidget* WorkspacePanel() const { return panel_; }
    QLabel* TitleLabel() const { return title_; }
    QLineEdit* NameField() const { return name_; }
    DropTable* InputsGrid() const { return inputs_; }
    QTableWidget* OutputsGrid() const { return outputs_; }
    QPlainTextEdit* NotesBox() const { return notes_; }
    BasicInstanceEditor& Editor() { return editor_; }
    // The editor window while it is open.
    TBasEditForm* EditorWindow() const { return form_; }

  private:
    void OpenEditorClick();
    void OpenForProjClick();
    void EditModuleClick();
    void DeleteFromProjClick();
    void SaveClick();
    void CancelClick();
    void ShowWorkspace();
    void ShowOutputs();
    void ReloadModules();
    std::string SelectedLibraryFile() const;
    std::string SelectedModule() const;

    Workspace& workspace_;
    BasicInstanceEditor editor_;
    ChangeSubscription changes_;
    QListWidget* library_ = nullptr;
    QListWidget* modules_ = nullptr;
    QWidget* panel_ = nullptr;
    QLabel* title_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLabel* inputsLabel_ = nullptr;
    DropTable* inputs_ = nullptr;
    QLabel* outputsLabel_ = nullptr;
    QTableWidget* outputs_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
    QPointer<TBasEditForm> form_;
    bool showing_ = false;
};

} // namespace k7
