#include "app/views/ladder_page.h"

#include "compiler/ladder_check.h"
#include "workspace/workspace.h"

#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace k7 {

// What each palette tool draws, as its tool tip says.
static const char* ToolTip(int32_t kind) {
    switch (kind) {
    case KindBlank:
        return "Erase";
    case KindLineH:
        return "Horizontal line";
    case KindLineV:
        return "Vertical line";
    case KindDown:
        return "Branch down";
    case KindJunction:
        return "Junction";
    case KindClosed:
        return "Normally closed contact";
    case KindOpen:
        return "Normally open contact";
    case KindCoil:
        return "Coil";
    case KindLeft:
        return "Branch left";
    default:
        return "";
    }
}

LadderPage::LadderPage(Workspace& workspace, QWidget* parent)
    : QWidget(parent), workspace_(workspace), editor_(workspace),
      pictures_(LoadCellPictures(workspace.settings.SystemFolder)) {
    grid_ = new LadderGrid(workspace_.project, pictures_);
    scroll_ = new QScrollArea;
    scroll_->setWidget(grid_);
    connect(grid_, &LadderGrid::cellClicked, this, &LadderPage::CellClicked);
    connect(grid_, &LadderGrid::nameDropped, this, &LadderPage::NameDropped);

    insertRung_ = new QPushButton(tr("Insert Rung"));
    deleteRung_ = new QPushButton(tr("Delete Rung"));
    connect(insertRung_, &QPushButton::clicked, this, [this] {
        if (editor_.InsertRung(grid_->SelectedRow()))
            AfterEdit();
    });
    connect(deleteRung_, &QPushButton::clicked, this, [this] {
        if (editor_.DeleteRung(grid_->SelectedRow()))
            AfterEdit();
    });

    auto* top = new QHBoxLayout;
    top->addWidget(CreatePalette());
    top->addStretch();
    top->addWidget(insertRung_);
    top->addWidget(deleteRung_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(scroll_);
    CreateCoilDialog();
    OpenPage();
    // The findings name the rungs' variables: they follow every part that
    // renames the databases, the ladder itself included.
    changes_ = workspace_.notices.Subscribe([this](ProjectPart part) {
        if (ChangesDatabaseNames(part))
            Reload();
    });
    Reload();
}

QWidget* LadderPage::CreatePalette() {
    auto* palette = new QWidget;
    auto* row = new QHBoxLayout(palette);
    row->setContentsMargins(0, 0, 0, 0);
    tools_ = new QButtonGroup(this);
    tools_->setExclusive(true);
    for (int32_t kind = KindBlank; kind <= LadderKindCount; ++kind) {
        if (!IsPaletteKind(kind))
            continue;
        auto* button = new QToolButton;
        button->setCheckable(true);
        button->setToolTip(tr(ToolTip(kind)));
        button->setIcon(QIcon(pictures_.Pictures[kind - 1]));
        button->setIconSize(QSize(32, 20));
        tools_->addButton(button, kind);
        row->addWidget(button);
    }
    connect(tools_, &QButtonGroup::idClicked, this, [this](int kind) { editor_.SelectTool(kind); });
    return palette;
}

void LadderPage::CreateCoilDialog() {
    coilDialog_ = new QDialog(this);
    coilDialog_->setWindowTitle(CoilDialogCaption);
    coilTag_ = new QLineEdit;
    onDelay_ = new QLineEdit;
    offDelay_ = new QLineEdit;
    onDelay_->setMaxLength(MaxDelayText);
    offDelay_->setMaxLength(MaxDelayText);
    auto* form = new QFormLayout(coilDialog_);
    form->addRow(tr(CoilDialogCaption), coilTag_);
    form->addRow(tr("turn ON delay, sec."), onDelay_);
    form->addRow(tr("turn OFF delay, sec."), offDelay_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &LadderPage::CoilOk);
    connect(buttons, &QDialogButtonBox::rejected, this, [this] {
        editor_.CoilDialogCancel();
        coilDialog_->hide();
    });
}

QToolButton* LadderPage::ToolButton(int32_t kind) const {
    return qobject_cast<QToolButton*>(tools_->button(kind));
}

void LadderPage::OpenPage() {
    editor_.OpenPage();
    if (QToolButton* tool = ToolButton(editor_.Tool()))
        tool->setChecked(true);
    coilDialog_->hide();
}

void LadderPage::Reload() {
    std::map<int, std::string> findings;
    for (const LadderFinding& finding : LadderFindings(workspace_.project)) {
        std::string& shown = findings[finding.Row];
        shown += shown.empty() ? finding.Message : "; " + finding.Message;
    }
    grid_->SetFindings(std::move(findings));
    grid_->Resize();
}

void LadderPage::CellClicked(int column, int row) {
    grid_->SetSelectedRow(row);
    if (!editor_.ClickCell(column, row))
        return;
    AfterEdit();
    const CoilDialog& dialog = editor_.Dialog();
    if (dialog.Open) {
        coilTag_->setText(QString::fromStdString(dialog.Tag));
        onDelay_->setText(QString::fromStdString(dialog.OnDelay));
        offDelay_->setText(QString::fromStdString(dialog.OffDelay));
        coilDialog_->show();
        coilTag_->setFocus();
    }
}

void LadderPage::NameDropped(int column, int row, const QString& name) {
    if (editor_.DropName(column, row, name.toStdString()))
        AfterEdit();
}

void LadderPage::CoilOk() {
    if (!editor_.CoilDialogOk(coilTag_->text().toStdString(), onDelay_->text().toStdString(),
                              offDelay_->text().toStdString()))
        return;
    coilDialog_->hide();
    AfterEdit();
}

void LadderPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ReportMissingPictures();
}

// Told once, the first time the page is shown, rather than at start-up:
// the grid still works, and the person sees why the cells look plain.
void LadderPage::ReportMissingPictures() {
    if (missingReported_ || pictures_.Missing.empty())
        return;
    missingReported_ = true;
    std::string message = "These ladder cell pictures could not be read and are drawn as outlines:";
    for (const std::string& path : pictures_.Missing)
        message += "\n" + path;
    workspace_.Ui().ShowError(message);
}

void LadderPage::AfterEdit() {
    Reload();
}

} // namespace k7
