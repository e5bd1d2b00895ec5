// The module tree: which instances feed which, from a selected instance
// (" Tree   ") or from all of them ("Full Tree"), with "Edit Module" and
// "Delete from Project" acting on the selected node.
#pragma once

#include "workspace/change_notices.h"

#include <QWidget>
#include <optional>

class QPushButton;
class QTreeWidget;

namespace k7 {

class InstanceEditor;
class Workspace;

class ModuleTreePanel : public QWidget {
    Q_OBJECT

  public:
    ModuleTreePanel(Workspace& workspace, InstanceEditor& editor, QWidget* parent = nullptr);

    // Builds the tree from `selected`, or every instance without one.
    void ShowTree(std::optional<int> selected);
    // Where the shown tree starts; nothing for the full tree.
    std::optional<int> Start() const { return start_; }
    // The instance of the selected node.
    std::optional<int> SelectedInstance() const;

    QTreeWidget* Tree() const { return tree_; }
    QPushButton* EditButton() const { return edit_; }
    QPushButton* DeleteButton() const { return delete_; }

  signals:
    void editorOpened();

  private:
    Workspace& workspace_;
    InstanceEditor& editor_;
    std::optional<int> start_;
    QTreeWidget* tree_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* delete_ = nullptr;
    ChangeSubscription changes_;
};

} // namespace k7
