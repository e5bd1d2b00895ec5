// The tables page: "Tables in Project:", the header fields, the grid and
// the buttons, over the core's TableEditor.
#pragma once

#include "tables_speech/table_editor.h"
#include "workspace/change_notices.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace k7 {

class DropLineEdit;
class DropTable;

class TablePage : public QWidget {
    Q_OBJECT

  public:
    explicit TablePage(Workspace& workspace, QWidget* parent = nullptr);
    ~TablePage() override;
    void Reload();

    TableEditor& Editor() { return editor_; }
    QListWidget* TableList() const { return list_; }
    DropLineEdit* NameField() const { return name_; }
    DropLineEdit* ReadSelectorField() const { return read_; }
    DropLineEdit* WriteSelectorField() const { return write_; }
    DropLineEdit* WriteTriggerField() const { return trigger_; }
    QSpinBox* RowsBox() const { return rows_; }
    QSpinBox* ColumnsBox() const { return columns_; }
    QSpinBox* CharsBox() const { return chars_; }
    QComboBox* RowTypeBox() const { return rowType_; }
    DropTable* Grid() const { return grid_; }
    QPushButton* Button(const QString& caption) const;
    QWidget* EditorArea() const { return editorArea_; }

  private:
    void ShowHeader();
    void ShowGrid();
    QPushButton* Button(const QString& caption, std::function<bool()> command);

    Workspace& workspace_;
    ChangeSubscription changes_;
    TableEditor editor_;
    QListWidget* list_ = nullptr;
    DropLineEdit* name_ = nullptr;
    DropLineEdit* read_ = nullptr;
    DropLineEdit* write_ = nullptr;
    DropLineEdit* trigger_ = nullptr;
    QSpinBox* rows_ = nullptr;
    QSpinBox* columns_ = nullptr;
    QSpinBox* chars_ = nullptr;
    QComboBox* rowType_ = nullptr;
    DropTable* grid_ = nullptr;
    QWidget* editorArea_ = nullptr;
    bool showing_ = false;
};

} // namespace k7
