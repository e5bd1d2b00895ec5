#include "app/views/basic_modules_page.h"

#include "app/views/bas_edit_form.h"
#include "app/widgets/drop_table.h"
#include "workspace/text_file.h"
#include "workspace/workspace.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace k7 {

static QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

static QPushButton* AddButton(QLayout* layout, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(caption);
    layout->addWidget(button);
    return button;
}

static QTableWidget* Grid(QTableWidget* grid, const QString& valueColumn) {
    grid->setColumnCount(2);
    grid->setHorizontalHeaderLabels({"Item:", valueColumn});
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    return grid;
}

BasicModulesPage::BasicModulesPage(Workspace& workspace, QWidget* parent)
    : QWidget(parent), workspace_(workspace), editor_(workspace) {
    library_ = new QListWidget;
    modules_ = new QListWidget;
    auto* libraryBox = new QGroupBox(tr("BASIC Module Library"));
    auto* libraryLayout = new QVBoxLayout(libraryBox);
    libraryLayout->addWidget(library_);
    connect(AddButton(libraryLayout, "Open Editor"), &QPushButton::clicked, this,
            &BasicModulesPage::OpenEditorClick);
    connect(AddButton(libraryLayout, "Open For Proj"), &QPushButton::clicked, this,
            &BasicModulesPage::OpenForProjClick);
    auto* modulesBox = new QGroupBox(tr("BASIC Modules in Project"));
    auto* modulesLayout = new QVBoxLayout(modulesBox);
    modulesLayout->addWidget(modules_);
    connect(AddButton(modulesLayout, "Edit Module"), &QPushButton::clicked, this,
            &BasicModulesPage::EditModuleClick);
    connect(AddButton(modulesLayout, "Delete from Proj"), &QPushButton::clicked, this,
            &BasicModulesPage::DeleteFromProjClick);

    panel_ = new QGroupBox;
    title_ = new QLabel;
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    name_ = new QLineEdit;
    name_->setPlaceholderText(tr("Instance name"));
    inputsLabel_ = new QLabel(tr("Inputs"));
    inputs_ = new DropTable;
    Grid(inputs_, "Val Assigned:");
    inputs_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    outputsLabel_ = new QLabel(tr("Outputs"));
    outputs_ = Grid(new QTableWidget, "Name in Database:");
    outputs_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    notes_ = new QPlainTextEdit;
    notes_->setReadOnly(true);
    notes_->setMaximumHeight(90);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(tr("Instance name")));
    nameRow->addWidget(name_, 1);
    auto* commands = new QHBoxLayout;
    commands->addStretch();
    connect(AddButton(commands, "Save"), &QPushButton::clicked, this, &BasicModulesPage::SaveClick);
    connect(AddButton(commands, "Cancel"), &QPushButton::clicked, this,
            &BasicModulesPage::CancelClick);
    auto* panelLayout = new QVBoxLayout(panel_);
    panelLayout->addWidget(title_);
    panelLayout->addLayout(nameRow);
    panelLayout->addWidget(inputsLabel_);
    panelLayout->addWidget(inputs_, 2);
    panelLayout->addWidget(outputsLabel_);
    panelLayout->addWidget(outputs_, 2);
    panelLayout->addWidget(new QLabel(tr("Notes")));
    panelLayout->addWidget(notes_, 1);
    panelLayout->addLayout(commands);
    panel_->hide();

    auto* lists = new QVBoxLayout;
    lists->addWidget(libraryBox, 1);
    lists->addWidget(modulesBox, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(lists, 2);
    layout->addWidget(panel_, 3);

    // Typing the name renames the outputs as each key is pressed.
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        editor_.TypeName(text.toStdString());
        ShowOutputs();
    });
    connect(inputs_, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (showing_ || column != 1)
            return;
        editor_.TypeValue(row + 1, inputs_->item(row, column)->text().toStdString());
    });
    // A database name dragged from the lists fills the input row it lands on.
    connect(inputs_, &DropTable::nameDropped, this, [this](int row, int, const QString& dropped) {
        editor_.TypeValue(row + 1, dropped.toStdString());
        ShowWorkspace();
    });
    changes_ = workspace_.notices.Subscribe([this](ProjectPart part) {
        if (part != ProjectPart::Basic && part != ProjectPart::WholeProject)
            return;
        // Another project (New, Open) drops the instance being edited.
        if (part == ProjectPart::WholeProject && !workspace_.project.ProjectChanged) {
            editor_.Close();
            ShowWorkspace();
        }
        ReloadModules();
    });
    Reload();
}

BasicModulesPage::~BasicModulesPage() = default;

QPushButton* BasicModulesPage::Button(const QString& caption) const {
    return findChild<QPushButton*>(caption);
}

void BasicModulesPage::Reload() {
    const QString current = library_->currentItem() ? library_->currentItem()->text() : QString();
    library_->clear();
    for (const std::string& file : BasicLibraryFiles(workspace_.settings.BasicFolder))
        library_->addItem(Text(file));
    const auto kept = library_->findItems(current, Qt::MatchExactly);
    if (!current.isEmpty() && !kept.isEmpty())
        library_->setCurrentItem(kept.front());
    ReloadModules();
    ShowWorkspace();
}

void BasicModulesPage::ReloadModules() {
    const int row = modules_->currentRow();
    modules_->clear();
    for (const std::string& entry : BasicModuleListEntries(workspace_.project.BasicModules))
        modules_->addItem(Text(entry));
    if (row >= 0 && row < modules_->count())
        modules_->setCurrentRow(row);
}

std::string BasicModulesPage::SelectedLibraryFile() const {
    const QListWidgetItem* item = library_->currentItem();
    return item && item->isSelected() ? item->text().toStdString() : std::string();
}

std::string BasicModulesPage::SelectedModule() const {
    const QListWidgetItem* item = modules_->currentItem();
    return item && item->isSelected() ? item->text().toStdString() : std::string();
}

void BasicModulesPage::ShowWorkspace() {
    const BasicEditorState& state = editor_.State();
    panel_->setVisible(state.Open);
    if (!state.Open)
        return;
    showing_ = true;
    title_->setText(Text(state.Title));
    if (name_->text() != Text(state.NameText))
        name_->setText(Text(state.NameText));
    inputs_->setRowCount(static_cast<int>(state.InputRows.size()));
    for (size_t i = 0; i < state.InputRows.size(); ++i) {
        const int row = static_cast<int>(i);
        ShowCell(inputs_, row, 0, Text(state.InputRows[i].Item), false);
        ShowCell(inputs_, row, 1, Text(state.InputRows[i].Value));
    }
    // A table shows only when the module declares rows for it.
    inputsLabel_->setVisible(state.ShowInputs);
    inputs_->setVisible(state.ShowInputs);
    outputsLabel_->setVisible(state.ShowOutputs);
    outputs_->setVisible(state.ShowOutputs);
    notes_->setPlainText(Text(state.Notes));
    showing_ = false;
    ShowOutputs();
}

void BasicModulesPage::ShowOutputs() {
    const BasicEditorState& state = editor_.State();
    outputs_->setRowCount(static_cast<int>(state.OutputRows.size()));
    for (size_t i = 0; i < state.OutputRows.size(); ++i) {
        const int row = static_cast<int>(i);
        ShowCell(outputs_, row, 0, Text(state.OutputRows[i].Item), false);
        ShowCell(outputs_, row, 1, Text(state.OutputRows[i].Value), false);
    }
}

// The editor window is modal: the rest of the program waits until it
// closes, then the library shows the files the window saved or compiled.
void BasicModulesPage::OpenEditorClick() {
    if (form_)
        return;
    const std::string selected = SelectedLibraryFile();
    const std::string folder = workspace_.settings.BasicFolder;
    form_ = new TBasEditForm(workspace_.settings.SystemFolder, folder, workspace_.Ui(), this);
    form_->setAttribute(Qt::WA_DeleteOnClose);
    form_->setWindowModality(Qt::ApplicationModal);
    connect(form_, &TBasEditForm::closed, this, [this] { Reload(); });
    if (!selected.empty())
        form_->OpenOn(FindFileIgnoringCase(folder, selected));
    form_->show();
}

void BasicModulesPage::OpenForProjClick() {
    editor_.OpenForProj(SelectedLibraryFile());
    ShowWorkspace();
    if (editor_.IsOpen())
        name_->setFocus();
}

void BasicModulesPage::EditModuleClick() {
    editor_.EditModule(SelectedModule());
    ShowWorkspace();
}

void BasicModulesPage::DeleteFromProjClick() {
    DeleteBasicInstance(workspace_, SelectedModule());
}

void BasicModulesPage::SaveClick() {
    if (editor_.Save())
        ShowWorkspace();
}

void BasicModulesPage::CancelClick() {
    editor_.Cancel();
    ShowWorkspace();
}

} // namespace k7
