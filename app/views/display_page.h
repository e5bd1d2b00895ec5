// The display page: the display name list and the editor of one display,
// with a preview of how the selected line reads on the unit.
#pragma once

#include "workspace/change_notices.h"
#include "workspace/display_editor.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace k7 {

class DropLineEdit;
class DropTable;

class DisplayPage : public QWidget {
    Q_OBJECT

  public:
    explicit DisplayPage(Workspace& workspace, QWidget* parent = nullptr);
    ~DisplayPage() override;

    // Shows the project's display list and the editor's form.
    void Reload();

    DisplayEditor& Editor() { return editor_; }
    QListWidget* NameList() const { return list_; }
    QLineEdit* NameField() const { return name_; }
    QSpinBox* PortBox() const { return port_; }
    QSpinBox* NumberBox() const { return number_; }
    QComboBox* FontBox() const { return font_; }
    DropLineEdit* TriggerField() const { return trigger_; }
    QPlainTextEdit* Memo() const { return memo_; }
    DropTable* Fields() const { return fields_; }
    QLabel* Preview() const { return preview_; }
    QPushButton* SaveButton() const { return save_; }
    QPushButton* DeleteButton() const { return delete_; }
    QPushButton* NewButton() const { return new_; }
    // The memo line the field names and the preview follow.
    int CurrentLine() const;

  private:
    void ShowForm();
    void ShowLine();
    void MemoEdited();

    Workspace& workspace_;
    ChangeSubscription changes_;
    DisplayEditor editor_;
    QListWidget* list_ = nullptr;
    QLineEdit* name_ = nullptr;
    QSpinBox* port_ = nullptr;
    QSpinBox* number_ = nullptr;
    QComboBox* font_ = nullptr;
    DropLineEdit* trigger_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    DropTable* fields_ = nullptr;
    QLabel* preview_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* new_ = nullptr;
    bool showing_ = false;
};

} // namespace k7
