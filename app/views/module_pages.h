// The module pages of the main window: the "Modules" page, with the module
// library and the project's instance lists beside the work area (a module
// definition, the instance editor or the module tree), and the "Cards"
// page with the card panel. One instance editor serves them all.
#pragma once

#include "workspace/change_notices.h"
#include "workspace/instance_editor.h"

#include <QString>
#include <memory>
#include <optional>

class QStackedWidget;
class QTabWidget;
class QWidget;

namespace k7 {

class CardPanelView;
class InstanceEditorPanel;
class InstanceListsPanel;
class LibraryPanel;
class LibraryViewPanel;
class ModuleTreePanel;
class Workspace;
struct EditorPages;

class ModulePages {
  public:
    // Adds the two pages to `tabs`; the library's "Commun." tab takes the
    // telemetry arrays panel of `editors`, whose picks show the telemetry page.
    ModulePages(QTabWidget& tabs, Workspace& workspace, const EditorPages& editors);
    ~ModulePages();

    // The mode switch: what a pick in the library does.
    void SetMode(const QString& mode);
    // "Modules" and "Set Cards".
    void ShowModules();
    void ShowCards();

    InstanceEditor& Editor() { return *editor_; }
    QWidget* Page() const { return page_; }
    QStackedWidget* WorkArea() const { return work_; }
    LibraryPanel* Library() const { return library_; }
    LibraryViewPanel* Definition() const { return definition_; }
    InstanceListsPanel* Instances() const { return instances_; }
    InstanceEditorPanel* EditorPanel() const { return editorPanel_; }
    ModuleTreePanel* Tree() const { return tree_; }
    CardPanelView* Cards() const { return cards_; }

  private:
    void Picked(const QString& name);
    void ShowEditor();
    void ShowTree(std::optional<int> selected);
    void EditorClosed();

    QTabWidget& tabs_;
    Workspace& workspace_;
    std::unique_ptr<InstanceEditor> editor_;
    QWidget* page_ = nullptr;
    QStackedWidget* work_ = nullptr;
    QWidget* blank_ = nullptr;
    LibraryPanel* library_ = nullptr;
    LibraryViewPanel* definition_ = nullptr;
    InstanceListsPanel* instances_ = nullptr;
    InstanceEditorPanel* editorPanel_ = nullptr;
    ModuleTreePanel* tree_ = nullptr;
    CardPanelView* cards_ = nullptr;
    ChangeSubscription changes_;
};

} // namespace k7
