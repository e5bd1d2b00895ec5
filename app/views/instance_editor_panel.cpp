#include "app/views/instance_editor_panel.h"

#include "app/widgets/drop_table.h"
#include "workspace/instance_editor.h"
#include "workspace/workspace.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace k7 {

static QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

static void SetUpGrid(QTableWidget* grid, const QString& valueTitle) {
    grid->setColumnCount(2);
    grid->setHorizontalHeaderLabels({"Item:", valueTitle});
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->setVisible(false);
}

InstanceEditorPanel::InstanceEditorPanel(InstanceEditor& editor, QWidget* parent)
    : QWidget(parent), editor_(editor) {
    caption_ = new QLabel;
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    name_ = new QLineEdit;
    name_->setObjectName("Module Name");
    inputs_ = new DropTable;
    SetUpGrid(inputs_, "Val Assigned:");
    inputs_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    outputs_ = new QTableWidget;
    SetUpGrid(outputs_, "Name in Database:");
    outputs_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    description_ = new QPlainTextEdit;
    toggle_ = new QPushButton(tr("Toggle Descr/Notes"));
    save_ = new QPushButton(tr("Save"));
    cancel_ = new QPushButton(tr("Cancel"));

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(tr("Module Name:")));
    nameRow->addWidget(name_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(toggle_);
    buttons->addStretch(1);
    buttons->addWidget(save_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption_);
    layout->addLayout(nameRow);
    layout->addWidget(new QLabel(tr("Inputs and Constants:")));
    layout->addWidget(inputs_, 3);
    layout->addWidget(new QLabel(tr("Outputs:")));
    layout->addWidget(outputs_, 2);
    layout->addWidget(description_, 2);
    layout->addLayout(buttons);

    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        editor_.TypeName(text.toStdString());
        ShowOutputs();
    });
    connect(inputs_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (loading_ || item->column() != 1)
            return;
        editor_.TypeValue(item->row() + 1, item->text().toStdString());
    });
    connect(inputs_, &DropTable::nameDropped, this, [this](int row, int, const QString& name) {
        if (!editor_.DropDbNameOnInput(row + 1, name.toStdString()))
            return;
        loading_ = true;
        ShowCell(inputs_, row, 1, Text(editor_.State().InputRows[row].Value));
        loading_ = false;
    });
    connect(description_, &QPlainTextEdit::textChanged, this, [this] {
        if (!loading_ && editor_.State().ShowNotes)
            // Notes are kept with CR LF line breaks, as the project file holds them.
            editor_.TypeNotes(description_->toPlainText().replace('\n', "\r\n").toStdString());
    });
    connect(toggle_, &QPushButton::clicked, this, [this] {
        editor_.ToggleDescrNotes();
        ShowDescription();
    });
    connect(save_, &QPushButton::clicked, this, &InstanceEditorPanel::Save);
    connect(cancel_, &QPushButton::clicked, this, &InstanceEditorPanel::Cancel);
}

QPushButton* InstanceEditorPanel::Button(const QString& caption) const {
    for (QPushButton* button : {toggle_, save_, cancel_})
        if (button->text() == caption)
            return button;
    return nullptr;
}

void InstanceEditorPanel::Reload() {
    const EditorState& state = editor_.State();
    loading_ = true;
    // The caption starts with a line break, as the panel's title shows it.
    caption_->setText(Text(editor_.Caption()).replace('\r', '\n'));
    name_->setText(Text(state.NameText));
    inputs_->setRowCount(static_cast<int>(state.InputRows.size()));
    for (int r = 0; r < inputs_->rowCount(); ++r) {
        ShowCell(inputs_, r, 0, Text(state.InputRows[r].Item), false);
        ShowCell(inputs_, r, 1, Text(state.InputRows[r].Value));
    }
    loading_ = false;
    ShowOutputs();
    ShowDescription();
}

void InstanceEditorPanel::ShowOutputs() {
    const EditorState& state = editor_.State();
    outputs_->setRowCount(static_cast<int>(state.OutputRows.size()));
    for (int r = 0; r < outputs_->rowCount(); ++r) {
        ShowCell(outputs_, r, 0, Text(state.OutputRows[r].Item), false);
        ShowCell(outputs_, r, 1, Text(state.OutputRows[r].Value), false);
    }
}

// The module type's description is grey and read-only; the notes are
// white and take typing.
void InstanceEditorPanel::ShowDescription() {
    const bool notes = editor_.State().ShowNotes;
    loading_ = true;
    description_->setPlainText(Text(editor_.DescriptionBoxText()).replace("\r\n", "\n"));
    loading_ = false;
    description_->setReadOnly(!notes);
    QPalette colours = description_->palette();
    colours.setColor(QPalette::Base, notes ? QColor(Qt::white) : QColor(225, 225, 225));
    description_->setPalette(colours);
}

void InstanceEditorPanel::Save() {
    if (editor_.SaveInstance()) {
        emit closed();
        return;
    }
    if (editor_.State().NameText.empty())
        name_->setFocus();
}

void InstanceEditorPanel::Cancel() {
    if (editor_.CancelInstanceEditor())
        emit closed();
}

} // namespace k7
