#include "app/views/module_tree_panel.h"

#include "workspace/instance_editor.h"
#include "workspace/module_tree.h"
#include "workspace/workspace.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace k7 {

ModuleTreePanel::ModuleTreePanel(Workspace& workspace, InstanceEditor& editor, QWidget* parent)
    : QWidget(parent), workspace_(workspace), editor_(editor) {
    tree_ = new QTreeWidget;
    tree_->setHeaderLabel(tr("Module tree: each instance under the one that feeds it"));
    edit_ = new QPushButton(tr("Edit Module"));
    delete_ = new QPushButton(tr("Delete from Project"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(edit_);
    buttons->addWidget(delete_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_, 1);
    layout->addLayout(buttons);

    connect(edit_, &QPushButton::clicked, this, [this] {
        if (editor_.OpenExistingInstance(SelectedInstance().value_or(-1), EditorMode::Edit,
                                         EditorOrigin::Tree))
            emit editorOpened();
    });
    connect(delete_, &QPushButton::clicked, this, [this] {
        DeleteInstance(workspace_, InstanceSelection{true, SelectedInstance()});
    });
    // A deleted or renamed instance changes the tree while it shows.
    changes_ = workspace_.notices.Subscribe([this](ProjectPart part) {
        if (part != ProjectPart::Modules && part != ProjectPart::WholeProject)
            return;
        if (start_ && *start_ >= workspace_.project.ModuleCount())
            start_.reset();
        if (isVisible())
            ShowTree(start_);
    });
}

static void AddNodes(QTreeWidgetItem* parent, const TreeNode& node) {
    auto* item = new QTreeWidgetItem(parent, {QString::fromStdString(node.Name)});
    item->setData(0, Qt::UserRole, node.Instance);
    for (const TreeNode& child : node.Children)
        AddNodes(item, child);
    item->setExpanded(node.Expanded);
}

void ModuleTreePanel::ShowTree(std::optional<int> selected) {
    start_ = selected;
    tree_->clear();
    const ModuleTree built = BuildModuleTree(workspace_.project, workspace_.library, selected);
    for (const TreeNode& root : built.Roots) {
        auto* item = new QTreeWidgetItem(tree_, {QString::fromStdString(root.Name)});
        item->setData(0, Qt::UserRole, root.Instance);
        for (const TreeNode& child : root.Children)
            AddNodes(item, child);
        item->setExpanded(root.Expanded);
    }
}

std::optional<int> ModuleTreePanel::SelectedInstance() const {
    const QTreeWidgetItem* item = tree_->currentItem();
    if (!item || !item->isSelected())
        return std::nullopt;
    return item->data(0, Qt::UserRole).toInt();
}

} // namespace k7
