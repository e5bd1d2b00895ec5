#include "app/views/table_page.h"

#include "app/widgets/drop_table.h"
#include "workspace/workspace.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace k7 {

static QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

static QSpinBox* Count(int minimum, int maximum) {
    auto* box = new QSpinBox;
    box->setRange(minimum, maximum);
    return box;
}

TablePage::TablePage(Workspace& workspace, QWidget* parent)
    : QWidget(parent), workspace_(workspace), editor_(workspace) {
    list_ = new QListWidget;
    name_ = new DropLineEdit;
    read_ = new DropLineEdit;
    write_ = new DropLineEdit;
    trigger_ = new DropLineEdit;
    // The core checks the ranges and says why; the boxes allow a little more.
    rows_ = Count(0, MaxTableRows + 1);
    columns_ = Count(0, MaxTableColumns + 1);
    chars_ = Count(0, MaxStringChars + 1);
    rowType_ = new QComboBox;
    for (const char* type : TableRowTypes)
        rowType_->addItem(type);
    grid_ = new DropTable;
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(20);

    auto* form = new QFormLayout;
    form->addRow(tr("Table name"), name_);
    form->addRow(tr("Column read selector"), read_);
    form->addRow(tr("Column write selector"), write_);
    form->addRow(tr("Column write trigger"), trigger_);
    form->addRow(tr("Number of rows"), rows_);
    form->addRow(tr("Value columns"), columns_);
    form->addRow(tr("Characters per string"), chars_);
    form->addRow(tr("Row type"), rowType_);
    // The list with the commands that pick a table; beside it the editor,
    // shown from New Table or Edit Table until Close.
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(TableListTitle));
    left->addWidget(list_);
    left->addWidget(Button(tr("New Table"), [this] {
        editor_.NewTable();
        editorArea_->show();
        return true;
    }));
    left->addWidget(Button(tr("Edit Table"), [this] {
        if (!editor_.EditTable())
            return false;
        editorArea_->show();
        return true;
    }));
    left->addWidget(Button(tr("Delete Table"), [this] { return editor_.DeleteTable(); }));
    auto* commands = new QHBoxLayout;
    commands->addWidget(Button(tr("Save to Proj"), [this] {
        const bool saved = editor_.SaveTable();
        if (!saved && editor_.Table().Header.Name.size() < 2)
            name_->setFocus(); // the message sends the cursor to the name
        return saved;
    }));
    commands->addWidget(Button(tr("Close"), [this] {
        if (!editor_.CloseEditor())
            return false;
        editorArea_->hide();
        return true;
    }));
    commands->addStretch();
    editorArea_ = new QWidget;
    auto* right = new QVBoxLayout(editorArea_);
    right->setContentsMargins(0, 0, 0, 0);
    right->addLayout(form);
    right->addWidget(grid_, 1);
    right->addLayout(commands);
    editorArea_->hide();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(editorArea_, 1);

    auto field = [this](DropLineEdit* edit, bool (TableEditor::*type)(const std::string&)) {
        auto apply = [this, type](const QString& text) {
            if (!(editor_.*type)(text.toStdString()))
                ShowHeader();
        };
        connect(edit, &QLineEdit::textEdited, this, apply);
        connect(edit, &DropLineEdit::nameDropped, this, [this, apply](const QString& name) {
            apply(name);
            ShowHeader();
        });
    };
    field(name_, &TableEditor::TypeName);
    field(read_, &TableEditor::TypeReadSelector);
    field(write_, &TableEditor::TypeWriteSelector);
    field(trigger_, &TableEditor::TypeWriteTrigger);
    auto count = [this](QSpinBox* box, bool (TableEditor::*set)(int)) {
        connect(box, &QSpinBox::editingFinished, this, [this, box, set] {
            if (showing_)
                return;
            (editor_.*set)(box->value());
            ShowHeader();
            ShowGrid();
        });
    };
    count(rows_, &TableEditor::SetRowCount);
    count(columns_, &TableEditor::SetColumnCount);
    count(chars_, &TableEditor::SetStringChars);
    connect(rowType_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!showing_)
            editor_.SelectRowType(index);
    });
    connect(list_, &QListWidget::currentTextChanged, this, [this](const QString& name) {
        if (!showing_)
            editor_.SelectEntry(name.isEmpty() ? std::nullopt
                                               : std::optional<std::string>(name.toStdString()));
    });
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (editor_.ClickCell(row + 1, column))
            ShowGrid();
    });
    connect(grid_, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (showing_)
            return;
        editor_.TypeCell(row + 1, column, grid_->item(row, column)->text().toStdString());
        ShowGrid();
    });
    connect(grid_, &DropTable::nameDropped, this, [this](int row, int column, const QString& n) {
        if (editor_.DropOnCell(row + 1, column, n.toStdString()))
            ShowGrid();
    });
    changes_ = workspace_.notices.Subscribe([this](ProjectPart part) {
        if (workspace_.OpenedAfresh(part)) {
            editor_.Reset(); // the form held a table of the old project
            editorArea_->hide();
        }
        if (part == ProjectPart::Tables || part == ProjectPart::WholeProject)
            Reload();
    });
    Reload();
}

// A command button; after a command that changed something the page
// shows the project and the editor again.
QPushButton* TablePage::Button(const QString& caption, std::function<bool()> command) {
    auto* button = new QPushButton(caption);
    button->setObjectName(caption);
    connect(button, &QPushButton::clicked, this, [this, command] {
        if (command())
            Reload();
    });
    return button;
}

QPushButton* TablePage::Button(const QString& caption) const {
    return findChild<QPushButton*>(caption);
}

// An open cell editor commits its text while the widgets are destroyed,
// after the editor model has gone: stop listening first.
TablePage::~TablePage() {
    grid_->disconnect(this);
}

void TablePage::Reload() {
    showing_ = true;

    list_->clear();
    for (const std::string& name : editor_.TableNames())
        list_->addItem(Text(name));
    showing_ = false;
    ShowHeader();
    ShowGrid();
}

void TablePage::ShowHeader() {
    showing_ = true;
    const TableHeader& header = editor_.Table().Header;
    name_->setText(Text(header.Name));
    read_->setText(Text(header.ReadSelector));
    write_->setText(Text(header.WriteSelector));
    trigger_->setText(Text(header.WriteTrigger));
    rows_->setValue(header.Rows);
    columns_->setValue(header.Columns);
    chars_->setValue(header.StringChars);
    rowType_->setCurrentIndex(header.RowTypeIndex);
    showing_ = false;
}

void TablePage::ShowGrid() {
    showing_ = true;
    const int columns = editor_.GridColumns();
    grid_->setColumnCount(columns);
    grid_->setRowCount(editor_.GridLines() - 1);
    QStringList titles;
    for (int c = 0; c < columns; ++c)
        titles << Text(editor_.Cell(0, c));
    grid_->setHorizontalHeaderLabels(titles);
    grid_->setColumnWidth(ColumnNumber, NumberColumnWidth);
    // The number, "TYPE" (set by a click) and "OUTPUT" are not typed into.
    auto typed = [columns](int c) { return c > ColumnType && c < columns - 1; };
    for (int line = 1; line < editor_.GridLines(); ++line) {
        for (int c = 0; c < columns; ++c)
            ShowCell(grid_, line - 1, c, Text(editor_.Cell(line, c)), typed(c));
    }
    showing_ = false;
}

} // namespace k7
