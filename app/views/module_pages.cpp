#include "app/views/module_pages.h"

#include "app/views/card_panel.h"
#include "app/views/commun_arrays_panel.h"
#include "app/views/editor_pages.h"
#include "app/views/instance_editor_panel.h"
#include "app/views/instance_lists_panel.h"
#include "app/views/library_panel.h"
#include "app/views/module_tree_panel.h"
#include "workspace/library_view.h"
#include "workspace/workspace.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>

namespace k7 {

ModulePages::ModulePages(QTabWidget& tabs, Workspace& workspace, const EditorPages& editors)
    : tabs_(tabs), workspace_(workspace), editor_(std::make_unique<InstanceEditor>(workspace)) {
    page_ = new QWidget;
    library_ = new LibraryPanel(workspace_.library, editors.Arrays);
    instances_ = new InstanceListsPanel(workspace_, *editor_);
    definition_ = new LibraryViewPanel;
    editorPanel_ = new InstanceEditorPanel(*editor_);
    tree_ = new ModuleTreePanel(workspace_, *editor_);
    blank_ = new QLabel(QObject::tr("Pick a module in the library to place an instance,\n"
                                    "or an entry of the project's modules to edit it."));
    static_cast<QLabel*>(blank_)->setAlignment(Qt::AlignCenter);
    work_ = new QStackedWidget;
    for (QWidget* shown : {blank_, static_cast<QWidget*>(definition_),
                           static_cast<QWidget*>(editorPanel_), static_cast<QWidget*>(tree_)})
        work_->addWidget(shown);

    auto* lists = new QSplitter(Qt::Vertical);
    lists->addWidget(library_);
    lists->addWidget(instances_);
    // The project's instances get as much room as the library.
    instances_->setMinimumHeight(240);
    auto* columns = new QSplitter;
    columns->addWidget(lists);
    columns->addWidget(work_);
    columns->setStretchFactor(1, 1);
    // Wide enough for the five library tabs side by side.
    columns->setSizes({400, 560});
    auto* layout = new QHBoxLayout(page_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(columns);
    cards_ = new CardPanelView(workspace_, *editor_);
    tabs.addTab(page_, QObject::tr("Modules"));
    tabs.addTab(cards_, QObject::tr("Cards"));

    QObject::connect(library_, &LibraryPanel::modulePicked, page_,
                     [this](const QString& name) { Picked(name); });
    QObject::connect(instances_, &InstanceListsPanel::editorOpened, page_,
                     [this] { ShowEditor(); });
    QObject::connect(instances_, &InstanceListsPanel::treeRequested, page_,
                     [this](std::optional<int> selected) { ShowTree(selected); });
    instances_->treeSelection = [this]() -> std::optional<InstanceSelection> {
        if (work_->currentWidget() != tree_)
            return std::nullopt;
        return InstanceSelection{true, tree_->SelectedInstance()};
    };
    QObject::connect(tree_, &ModuleTreePanel::editorOpened, page_, [this] { ShowEditor(); });
    QObject::connect(editorPanel_, &InstanceEditorPanel::closed, page_, [this] { EditorClosed(); });
    QObject::connect(cards_, &CardPanelView::editorOpened, page_, [this] {
        ShowEditor();
        ShowModules();
    });
    if (editors.Arrays) {
        QWidget* telemetry = editors.Telemetry;
        QObject::connect(editors.Arrays, &CommunArraysPanel::workboxOpened, page_,
                         [this, telemetry] { tabs_.setCurrentWidget(telemetry); });
    }
    // A project replaced under an open editor closes it; the work area
    // then shows nothing of the old project.
    changes_ = workspace_.notices.Subscribe([this](ProjectPart part) {
        if (part == ProjectPart::WholeProject && !editor_->IsOpen() &&
            work_->currentWidget() == editorPanel_)
            work_->setCurrentWidget(blank_);
    });
}

ModulePages::~ModulePages() = default;

void ModulePages::SetMode(const QString& mode) {
    library_->SetMode(mode);
    if (mode != "Engineer" && work_->currentWidget() == definition_)
        work_->setCurrentWidget(blank_);
}

void ModulePages::ShowModules() {
    tabs_.setCurrentWidget(page_);
}

void ModulePages::ShowCards() {
    cards_->Redraw();
    tabs_.setCurrentWidget(cards_);
}

void ModulePages::Picked(const QString& name) {
    const std::optional<LibraryView> view =
        PickLibraryModule(workspace_, *editor_, name.toStdString());
    if (view) {
        definition_->Show(*view);
        work_->setCurrentWidget(definition_);
    } else if (editor_->IsOpen()) {
        ShowEditor();
    }
}

void ModulePages::ShowEditor() {
    editorPanel_->Reload();
    work_->setCurrentWidget(editorPanel_);
}

void ModulePages::ShowTree(std::optional<int> selected) {
    tree_->ShowTree(selected);
    work_->setCurrentWidget(tree_);
}

// The editor came from a card channel: the card panel shows again; from
// the tree: the tree.
void ModulePages::EditorClosed() {
    switch (editor_->ShowAfterClose()) {
    case AfterEditor::CardPanel:
        work_->setCurrentWidget(blank_);
        ShowCards();
        break;
    case AfterEditor::Tree:
        ShowTree(tree_->Start());
        break;
    case AfterEditor::Nothing:
        work_->setCurrentWidget(blank_);
        break;
    }
}

} // namespace k7
