// The instance lists "Modules in this K7 Project": one tab per category,
// each entry Name + "..." + module type, with "Details", "Clone",
// "Delete", " Tree   " and "Full Tree". The lists rebuild when the
// project's instances change and keep their selection and scroll position.
#pragma once

#include "workspace/change_notices.h"
#include "workspace/instance_editor.h"

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class QListWidget;
class QPushButton;
class QTabWidget;

namespace k7 {

class Workspace;

// Tab captions of categories 1..5; [0] unused.
extern const std::array<const char*, 6> InstanceTabTitles;

class InstanceListsPanel : public QWidget {
    Q_OBJECT

  public:
    InstanceListsPanel(Workspace& workspace, InstanceEditor& editor, QWidget* parent = nullptr);

    // Refills the lists that differ from the project's instance lists.
    void Refresh();
    // The instance behind the selected entry of the shown tab.
    std::optional<int> SelectedInstance() const;

    QTabWidget* Tabs() const { return tabs_; }
    QListWidget* List(int category) const { return lists_[category]; } // 1..5
    QPushButton* Button(const QString& caption) const;
    int RebuildCount() const { return rebuilds_; }

    // Where "Delete" takes its instance from while the module tree shows;
    // nothing while it does not.
    std::function<std::optional<InstanceSelection>()> treeSelection;

  signals:
    void editorOpened();
    // " Tree   " (with the selected instance) or "Full Tree" (without).
    void treeRequested(std::optional<int> selected);

  private:
    void Open(EditorMode mode);

    Workspace& workspace_;
    InstanceEditor& editor_;
    QTabWidget* tabs_ = nullptr;
    std::array<QListWidget*, 6> lists_{};
    std::array<QPushButton*, 5> buttons_{};
    int rebuilds_ = 0;
    ChangeSubscription changes_;
};

} // namespace k7
