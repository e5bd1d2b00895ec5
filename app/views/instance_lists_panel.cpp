#include "app/views/instance_lists_panel.h"

#include "workspace/instance_lists.h"
#include "workspace/workspace.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace k7 {

const std::array<const char*, 6> InstanceTabTitles = {"",        "I/O + Sys", "Math",
                                                      "Control", "Stats",     "Comm"};

InstanceListsPanel::InstanceListsPanel(Workspace& workspace, InstanceEditor& editor,
                                       QWidget* parent)
    : QWidget(parent), workspace_(workspace), editor_(editor) {
    auto* title = new QLabel(tr(InstanceListsTitle));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    tabs_ = new QTabWidget;
    for (int category = 1; category <= 5; ++category) {
        lists_[category] = new QListWidget;
        lists_[category]->setObjectName(InstanceTabTitles[category]);
        tabs_->addTab(lists_[category], InstanceTabTitles[category]);
    }
    auto* buttons = new QGridLayout;
    const char* captions[] = {"Details", "Clone", "Delete", " Tree   ", "Full Tree"};
    for (int i = 0; i < 5; ++i) {
        buttons_[i] = new QPushButton(captions[i]);
        buttons->addWidget(buttons_[i], i / 3, i % 3);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(title);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);

    connect(buttons_[0], &QPushButton::clicked, this, [this] { Open(EditorMode::Edit); });
    connect(buttons_[1], &QPushButton::clicked, this, [this] { Open(EditorMode::Clone); });
    connect(buttons_[2], &QPushButton::clicked, this, [this] {
        std::optional<InstanceSelection> fromTree;
        if (treeSelection)
            fromTree = treeSelection();
        DeleteInstance(workspace_,
                       fromTree ? *fromTree : InstanceSelection{false, SelectedInstance()});
    });
    connect(buttons_[3], &QPushButton::clicked, this, [this] {
        // Without a selection the tree starts from the first instance.
        emit treeRequested(SelectedInstance());
    });
    connect(buttons_[4], &QPushButton::clicked, this, [this] { emit treeRequested(std::nullopt); });
    changes_ = workspace_.notices.Subscribe([this](ProjectPart part) {
        if (part == ProjectPart::Modules || part == ProjectPart::WholeProject ||
            part == ProjectPart::CompileFinished)
            Refresh();
    });
    Refresh();
}

QPushButton* InstanceListsPanel::Button(const QString& caption) const {
    for (QPushButton* button : buttons_)
        if (button->text() == caption)
            return button;
    return nullptr;
}

std::optional<int> InstanceListsPanel::SelectedInstance() const {
    const int category = tabs_->currentIndex() + 1;
    const QListWidget* list = lists_[category];
    const QListWidgetItem* item = list->currentItem();
    if (!item || !item->isSelected())
        return std::nullopt;
    const int index = InstanceOfListRow(workspace_.project, category, list->row(item));
    return index < 0 ? std::nullopt : std::optional<int>(index);
}

void InstanceListsPanel::Open(EditorMode mode) {
    if (editor_.OpenExistingInstance(SelectedInstance().value_or(-1), mode,
                                     EditorOrigin::InstanceList))
        emit editorOpened();
}

void InstanceListsPanel::Refresh() {
    for (int category = 1; category <= 5; ++category) {
        QListWidget* list = lists_[category];
        const auto& entries = workspace_.project.InstanceLists[category];
        bool same = list->count() == static_cast<int>(entries.size());
        for (int r = 0; same && r < list->count(); ++r)
            same = list->item(r)->text().toStdString() == entries[r].Text;
        if (same)
            continue;
        ++rebuilds_;
        // The person's place in the list survives the rebuild.
        const QListWidgetItem* current = list->currentItem();
        const QString selected = current && current->isSelected() ? current->text() : QString();
        const int scrolled = list->verticalScrollBar()->value();
        list->clear();
        for (const InstanceListEntry& entry : entries)
            list->addItem(QString::fromStdString(entry.Text));
        if (!selected.isEmpty()) {
            const QList<QListWidgetItem*> found = list->findItems(selected, Qt::MatchExactly);
            if (!found.isEmpty())
                list->setCurrentItem(found.first());
        }
        list->verticalScrollBar()->setValue(scrolled);
    }
}

} // namespace k7
