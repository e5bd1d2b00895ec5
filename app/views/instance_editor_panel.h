// The instance editor panel: the caption naming the module type, the
// instance name (the output names follow it at each keystroke), the grid
// of inputs and constants that takes dropped database names, the grid of
// output names, the description or notes box, "Save" and "Cancel". The
// panel shows InstanceEditor's state and forwards every edit to it.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace k7 {

class DropTable;
class InstanceEditor;

class InstanceEditorPanel : public QWidget {
    Q_OBJECT

  public:
    InstanceEditorPanel(InstanceEditor& editor, QWidget* parent = nullptr);

    // Shows the editor's state from scratch (after it opened).
    void Reload();

    QLabel* CaptionLabel() const { return caption_; }
    QLineEdit* NameField() const { return name_; }
    DropTable* Inputs() const { return inputs_; }
    QTableWidget* Outputs() const { return outputs_; }
    QPlainTextEdit* DescriptionBox() const { return description_; }
    QPushButton* Button(const QString& caption) const;

  signals:
    // Saved or cancelled: the editor is closed.
    void closed();

  private:
    void ShowOutputs();
    void ShowDescription();
    void Save();
    void Cancel();

    InstanceEditor& editor_;
    QLabel* caption_ = nullptr;
    QLineEdit* name_ = nullptr;
    DropTable* inputs_ = nullptr;
    QTableWidget* outputs_ = nullptr;
    QPlainTextEdit* description_ = nullptr;
    QPushButton* toggle_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool loading_ = false;
};

} // namespace k7
