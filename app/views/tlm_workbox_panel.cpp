#include "app/views/tlm_workbox_panel.h"

#include "app/widgets/drop_table.h"
#include "workspace/workspace.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace k7 {

static QSpinBox* Selector(int minimum) {
    auto* box = new QSpinBox;
    box->setRange(minimum, 255);
    return box;
}

TlmWorkboxPanel::TlmWorkboxPanel(Workspace& workspace, TlmWorkbox& workbox, QWidget* parent)
    : QWidget(parent), workspace_(workspace), workbox_(workbox) {
    frame_ = new QGroupBox;
    entries_ = new DropTable;
    entries_->setColumnCount(6);
    QStringList titles;
    for (const char* title : WorkboxColumnTitles)
        titles << title;
    entries_->setHorizontalHeaderLabels(titles);
    entries_->verticalHeader()->setDefaultSectionSize(20);
    entries_->verticalHeader()->hide();
    connect(entries_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        workbox_.SelectCell(row + 1, static_cast<WorkboxColumn>(column));
        Refresh();
        if (nameField_->isVisible())
            nameField_->setFocus();
    });
    connect(entries_, &DropTable::nameDropped, this, [this](int row, int, const QString& name) {
        workbox_.DropName(row + 1, name.toStdString());
        Refresh();
    });

    auto* body = new QVBoxLayout(frame_);
    body->addWidget(CreateSelectors());
    body->addWidget(new QLabel(tr("TLM Array Entries:")));
    auto* middle = new QHBoxLayout;
    middle->addWidget(entries_, 1);
    middle->addWidget(CreatePanels());
    body->addLayout(middle);
    body->addWidget(CreateButtons());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame_);
    changes_ = workspace_.notices.Subscribe([this](ProjectPart part) {
        if (workspace_.OpenedAfresh(part))
            workbox_.Reset(); // the workbox held an array of the old project
        if (part == ProjectPart::TelemetryArrays || part == ProjectPart::WholeProject)
            Refresh();
    });
    Refresh();
}

QWidget* TlmWorkboxPanel::CreateSelectors() {
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    board_ = Selector(0);
    port_ = Selector(0);
    dest_ = Selector(-1);
    source_ = Selector(-1);
    sourceLabel_ = new QLabel(tr("Source Addr:"));
    numbering_ = new QComboBox;
    numbering_->addItems({tr("K4...K7 Numbering"), tr("Modbus Numbering")});
    grid->addWidget(new QLabel(tr("Board #:")), 0, 0);
    grid->addWidget(board_, 0, 1);
    grid->addWidget(new QLabel(tr("Port #:")), 0, 2);
    grid->addWidget(port_, 0, 3);
    grid->addWidget(new QLabel(tr("Dest Addr: (<0 for self)")), 1, 0);
    grid->addWidget(dest_, 1, 1);
    grid->addWidget(sourceLabel_, 1, 2);
    grid->addWidget(source_, 1, 3);
    grid->addWidget(new QLabel(tr("Cell Numbering")), 2, 0);
    grid->addWidget(numbering_, 2, 1, 1, 3);
    SelectorChanged(board_, &TlmWorkbox::SetBoard);
    SelectorChanged(port_, &TlmWorkbox::SetPortNo);
    SelectorChanged(dest_, &TlmWorkbox::SetDest);
    SelectorChanged(source_, &TlmWorkbox::SetSource);
    connect(numbering_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (refreshing_)
            return;
        workbox_.SetNumbering(static_cast<CellNumbering>(index));
        Refresh();
    });
    return box;
}

void TlmWorkboxPanel::SelectorChanged(QSpinBox* box, bool (TlmWorkbox::*set)(int)) {
    connect(box, &QSpinBox::valueChanged, this, [this, set](int value) {
        if (refreshing_)
            return;
        (workbox_.*set)(value);
        Refresh(); // a kept edit puts the remembered value back
    });
}

QWidget* TlmWorkboxPanel::CreatePanels() {
    auto* side = new QWidget;
    auto* column = new QVBoxLayout(side);
    nameLabel_ = new QLabel(tr("RCV name:"));
    nameField_ = new QLineEdit;
    connect(nameField_, &QLineEdit::textEdited, this, [this](const QString& text) {
        workbox_.TypeName(text.toStdString());
        FillEntries();
    });
    column->addWidget(nameLabel_);
    column->addWidget(nameField_);

    multipliers_ = new QGroupBox(tr("Multiplier..."));
    auto* multiplierGrid = new QGridLayout(multipliers_);
    for (int i = 0; i < WorkboxMultiplierCount; ++i) {
        auto* button = new QPushButton(WorkboxMultipliers[i]);
        button->setObjectName(WorkboxMultipliers[i]);
        multiplierGrid->addWidget(button, i / 3, i % 3);
        connect(button, &QPushButton::clicked, this, [this, i] {
            workbox_.ChooseMultiplier(i);
            Refresh();
        });
    }
    column->addWidget(multipliers_);

    specials_ = new QGroupBox(tr("Special TLM Fields"));
    auto* specialColumn = new QVBoxLayout(specials_);
    const std::pair<const char*, SpecialField> fields[] = {
        {"Global Setpoint", SpecialField::GlobalSetpoint},
        {"Archive Data", SpecialField::ArchiveData},
        {"RealTimeClock", SpecialField::RealTimeClock}};
    for (auto [caption, field] : fields) {
        auto* button = new QPushButton(tr(caption));
        button->setObjectName(caption);
        specialColumn->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, field = field] {
            workbox_.ChooseSpecialField(field);
            specials_->hide();
            Refresh();
        });
    }
    specials_->hide();
    column->addWidget(specials_);
    column->addStretch();
    return side;
}

QWidget* TlmWorkboxPanel::CreateButtons() {
    auto* row = new QWidget;
    auto* buttons = new QHBoxLayout(row);
    addRowChoice_ = new QComboBox;
    addRowChoice_->addItems(
        {tr("Integer-16 bit"), tr("Integer-32 bit"), tr("Status-16 bit"), tr("Float-32 bit")});
    auto add = [this, buttons](const QString& caption, auto action) {
        auto* button = new QPushButton(caption);
        button->setObjectName(caption);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, action);
    };
    add(tr("Add Row"), [this] {
        workbox_.AddRow(static_cast<AddRowChoice>(addRowChoice_->currentIndex()));
        Refresh();
    });
    buttons->addWidget(addRowChoice_);
    add(tr("Delete Row"), [this] {
        workbox_.DeleteRow();
        Refresh();
    });
    add(tr("Special Field"), [this] { specials_->setVisible(!specials_->isVisible()); });
    add(tr("Clear Cell"), [this] {
        workbox_.ClearCell();
        Refresh();
    });
    add(tr("Save"), [this] {
        if (workbox_.Save())
            emit arraysChanged();
        Refresh();
    });
    add(tr("Cancel"), [this] {
        if (workbox_.Cancel())
            emit arraysChanged();
        Refresh();
    });
    return row;
}

QPushButton* TlmWorkboxPanel::Button(const QString& caption) const {
    return findChild<QPushButton*>(caption);
}

void TlmWorkboxPanel::FillEntries() {
    const std::vector<WorkboxRow>& rows = workbox_.Rows();
    // One empty row stays below the last entry.
    entries_->setRowCount(static_cast<int>(rows.size()) + 1);
    for (int r = 0; r <= static_cast<int>(rows.size()); ++r) {
        const WorkboxRow empty;
        const WorkboxRow& row = r < static_cast<int>(rows.size()) ? rows[r] : empty;
        const std::string* cells[] = {&row.Wd,   &row.Bit,  &row.Name,
                                      &row.Mult, &row.Type, &row.Address};
        for (int c = 0; c < 6; ++c)
            ShowCell(entries_, r, c, QString::fromStdString(*cells[c]), false);
    }
    entries_->setColumnHidden(static_cast<int>(WorkboxColumn::Address),
                              workbox_.Kind() == TlmArrayKind::Tx);
}

void TlmWorkboxPanel::Refresh() {
    refreshing_ = true;
    setVisible(workbox_.Visible());
    frame_->setTitle(QString::fromStdString(workbox_.Title()));
    board_->setValue(workbox_.Board());
    port_->setValue(workbox_.PortNo());
    dest_->setValue(workbox_.Dest());
    source_->setValue(workbox_.Source());
    source_->setVisible(workbox_.SourceShown());
    sourceLabel_->setVisible(workbox_.SourceShown());
    numbering_->setCurrentIndex(static_cast<int>(workbox_.Numbering()));
    FillEntries();
    const bool naming = workbox_.NameFieldOpen();
    nameLabel_->setVisible(naming);
    nameField_->setVisible(naming);
    if (naming) {
        const int index = workbox_.SelectedRow() - 1;
        if (index >= 0 && index < static_cast<int>(workbox_.Rows().size()))
            nameField_->setText(QString::fromStdString(workbox_.Rows()[index].Name));
    }
    multipliers_->setVisible(workbox_.MultiplierPanelShown());
    refreshing_ = false;
}

} // namespace k7
