#include "app/views/library_panel.h"

#include "workspace/module_library.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace k7 {

const std::array<const char*, 6> LibraryTabTitles = {"",        "I/O + System", "Math",
                                                     "Control", "Statistics",   "Commun."};

static QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

static QLabel* BoldLabel(const QString& text) {
    auto* label = new QLabel(text);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

LibraryPanel::LibraryPanel(const ModuleLibrary& library, QWidget* communExtras, QWidget* parent)
    : QWidget(parent) {
    tabs_ = new QTabWidget;
    for (int category = CatIoSystem; category <= CatComm; ++category) {
        auto* list = new QListWidget;
        list->setObjectName(LibraryTabTitles[category]);
        for (const std::string& name : library.CategoryLists[category])
            list->addItem(Text(name));
        // One click picks, as in the lists the person drags from.
        connect(list, &QListWidget::itemClicked, this,
                [this](QListWidgetItem* item) { emit modulePicked(item->text()); });
        lists_[category] = list;
        if (category == CatComm && communExtras) {
            auto* page = new QWidget;
            auto* column = new QVBoxLayout(page);
            column->setContentsMargins(0, 0, 0, 0);
            column->addWidget(list, 1);
            column->addWidget(communExtras, 2);
            tabs_->addTab(page, LibraryTabTitles[category]);
        } else {
            tabs_->addTab(list, LibraryTabTitles[category]);
        }
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(BoldLabel(tr(LibraryPanelTitle)));
    layout->addWidget(tabs_, 1);
    SetMode(mode_);
}

void LibraryPanel::SetMode(const QString& mode) {
    mode_ = mode;
    const QString tip = mode == "Engineer" ? tr("Pick a module to see its definition")
                                           : tr("Pick a module to place a new instance of it");
    for (QListWidget* list : lists_)
        if (list)
            list->setToolTip(tip);
}

static QComboBox* ChoiceBox(const QString& name, const auto& choices) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    for (const CodeChoice& choice : choices)
        box->addItem(choice.Text);
    // The view only shows the code; the library is not edited here.
    box->setEnabled(false);
    return box;
}

static QTableWidget* ItemTable(const QStringList& columns) {
    auto* table = new QTableWidget(0, columns.size());
    table->setHorizontalHeaderLabels(columns);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    return table;
}

static QLineEdit* ReadOnlyField() {
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    return field;
}

LibraryViewPanel::LibraryViewPanel(QWidget* parent) : QWidget(parent) {
    number_ = ReadOnlyField();
    name_ = ReadOnlyField();
    parameters_ = ReadOnlyField();
    category_ = ReadOnlyField();
    codeInUnit_ = new QCheckBox(CodeInUnitLabel);
    codeInUnit_->setEnabled(false);
    description_ = new QPlainTextEdit;
    description_->setReadOnly(true);
    inputs_ = ItemTable({"#", PromptColumn});
    outputs_ = ItemTable({"#", PromptColumn, SuffixColumn});
    dataBase_ = ChoiceBox(DataBaseLabel, DataBaseChoices);
    dataSize_ = ChoiceBox(DataSizeLabel, DataSizeChoices);
    specGrouping_ = ChoiceBox(SpecGroupingLabel, SpecGroupingChoices);

    auto* head = new QFormLayout;
    head->addRow(ModuleNumberLabel, number_);
    head->addRow(ModuleNameLabel, name_);
    head->addRow(tr("Parameters:"), parameters_);
    head->addRow(tr("Category:"), category_);
    head->addRow(QString(), codeInUnit_);
    auto* codes = new QGridLayout;
    const std::pair<const char*, QComboBox*> choices[] = {
        {DataBaseLabel, dataBase_}, {DataSizeLabel, dataSize_}, {SpecGroupingLabel, specGrouping_}};
    for (int i = 0; i < 3; ++i) {
        codes->addWidget(new QLabel(choices[i].first), 0, i);
        codes->addWidget(choices[i].second, 1, i);
    }
    codes->addWidget(new QLabel(ArraySizeHint), 2, 1, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(new QLabel(DescriptionLabel));
    layout->addWidget(description_, 1);
    layout->addWidget(new QLabel(InputsLabel));
    layout->addWidget(inputs_, 2);
    layout->addWidget(new QLabel(OutputsLabel));
    layout->addWidget(outputs_, 2);
    layout->addLayout(codes);

    auto select = [this](QTableWidget* table, const std::vector<LibraryItemRow>* rows) {
        connect(table, &QTableWidget::currentCellChanged, this, [this, rows](int row) {
            if (row >= 0 && row < static_cast<int>(rows->size()))
                ShowCode((*rows)[row].Code);
        });
    };
    select(inputs_, &view_.Inputs);
    select(outputs_, &view_.Outputs);
}

static void FillRows(QTableWidget* table, const std::vector<LibraryItemRow>& rows, bool suffix) {
    table->clearContents();
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < table->rowCount(); ++r) {
        table->setItem(r, 0, new QTableWidgetItem(QString::number(rows[r].Item)));
        table->setItem(r, 1, new QTableWidgetItem(Text(rows[r].Prompt)));
        if (suffix)
            table->setItem(r, 2, new QTableWidgetItem(Text(rows[r].Suffix)));
    }
    table->resizeColumnToContents(0);
}

void LibraryViewPanel::Show(const LibraryView& view) {
    inputs_->setCurrentCell(-1, -1);
    outputs_->setCurrentCell(-1, -1);
    view_ = view;
    number_->setText(QString::number(view.ModuleNumber));
    name_->setText(Text(view.ModuleName));
    parameters_->setText(Text(view.ParameterText));
    category_->setText(view.CategoryName.empty() ? QString::number(view.Category)
                                                 : Text(view.CategoryName));
    codeInUnit_->setChecked(view.CodeInUnit);
    description_->setPlainText(Text(view.Description).replace("\r\n", "\n"));
    FillRows(inputs_, view.Inputs, false);
    FillRows(outputs_, view.Outputs, true);
    ShowCode("");
}

void LibraryViewPanel::ShowCode(const std::string& code) {
    const ItemCodeView shown = ShowItemCode(code);
    dataBase_->setCurrentIndex(shown.DataBase);
    dataSize_->setCurrentIndex(shown.DataSize);
    specGrouping_->setCurrentIndex(shown.SpecGrouping);
}

} // namespace k7
