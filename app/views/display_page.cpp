#include "app/views/display_page.h"

#include "app/widgets/drop_table.h"
#include "workspace/display_preview.h"
#include "workspace/workspace.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QVBoxLayout>

namespace k7 {

static QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

DisplayPage::DisplayPage(Workspace& workspace, QWidget* parent)
    : QWidget(parent), workspace_(workspace), editor_(workspace) {
    list_ = new QListWidget;
    name_ = new QLineEdit;
    port_ = new QSpinBox;
    port_->setRange(0, DisplayPortCount - 1);
    number_ = new QSpinBox;
    number_->setRange(0, DisplayNumberCount - 1);
    font_ = new QComboBox;
    for (const char* size : FontSizeNames)
        font_->addItem(size);
    trigger_ = new DropLineEdit;
    memo_ = new QPlainTextEdit;
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setFont(QFont("Monospace"));
    fields_ = new DropTable;
    fields_->setColumnCount(1);
    fields_->setRowCount(DisplayFieldCount);
    fields_->setHorizontalHeaderLabels({tr("Field name")});
    fields_->horizontalHeader()->setStretchLastSection(true);
    fields_->verticalHeader()->setDefaultSectionSize(20);
    fields_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    preview_ = new QLabel;
    preview_->setFont(QFont("Monospace"));
    preview_->setFrameShape(QFrame::Box);
    preview_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    save_ = new QPushButton(tr("Save"));
    delete_ = new QPushButton(tr("Delete"));
    new_ = new QPushButton(tr("New"));

    auto* form = new QFormLayout;
    form->addRow(tr("Name"), name_);
    form->addRow(tr("DSP port"), port_);
    form->addRow(tr("DSP number"), number_);
    form->addRow(tr("Font size"), font_);
    form->addRow(tr("Trigger"), trigger_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save_);
    buttons->addWidget(delete_);
    buttons->addWidget(new_);
    auto* editor = new QVBoxLayout;
    editor->addLayout(form);
    editor->addWidget(new QLabel(DisplayTextHint));
    editor->addWidget(new QLabel(DisplayPlaceHint));
    editor->addWidget(memo_, 1);
    editor->addWidget(new QLabel(tr("On the unit:")));
    editor->addWidget(preview_);
    editor->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(editor, 2);
    layout->addWidget(fields_);

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (showing_ || row < 0)
            return;
        editor_.Select(row);
        Reload();
    });
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!editor_.SetName(text.toStdString()))
            ShowForm();
    });
    connect(trigger_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!editor_.SetTrigger(text.toStdString()))
            ShowForm();
    });
    connect(trigger_, &DropLineEdit::nameDropped, this, [this](const QString& name) {
        editor_.DropTrigger(name.toStdString());
        ShowForm();
    });
    connect(port_, &QSpinBox::valueChanged, this, [this](int v) {
        if (!showing_)
            editor_.SetPort(v);
    });
    connect(number_, &QSpinBox::valueChanged, this, [this](int v) {
        if (!showing_)
            editor_.SetNumber(v);
    });
    connect(font_, &QComboBox::currentIndexChanged, this, [this](int v) {
        if (!showing_)
            editor_.SetFont(v);
    });
    connect(memo_, &QPlainTextEdit::textChanged, this, &DisplayPage::MemoEdited);
    connect(memo_, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (!showing_)
            ShowLine();
    });
    connect(fields_, &QTableWidget::cellChanged, this, [this](int row, int) {
        if (showing_)
            return;
        editor_.SetField(CurrentLine(), row + 1, fields_->item(row, 0)->text().toStdString());
        ShowLine();
    });
    connect(fields_, &DropTable::nameDropped, this, [this](int row, int, const QString& name) {
        editor_.SetField(CurrentLine(), row + 1, name.toStdString());
        ShowLine();
    });
    connect(save_, &QPushButton::clicked, this, [this] {
        if (editor_.Save())
            Reload();
    });
    connect(delete_, &QPushButton::clicked, this, [this] {
        if (editor_.Delete())
            Reload();
    });
    connect(new_, &QPushButton::clicked, this, [this] {
        if (editor_.NewDisplay())
            Reload();
    });
    changes_ = workspace_.notices.Subscribe([this](ProjectPart part) {
        if (workspace_.OpenedAfresh(part))
            editor_.Reset(); // the form held a display of the old project
        if (part == ProjectPart::Displays || part == ProjectPart::WholeProject)
            Reload();
    });
    Reload();
}

int DisplayPage::CurrentLine() const {
    return memo_->textCursor().blockNumber();
}

// An open cell editor commits its text while the widgets are destroyed,
// after the editor model has gone: stop listening first.
DisplayPage::~DisplayPage() {
    fields_->disconnect(this);
    memo_->disconnect(this);
}

void DisplayPage::Reload() {
    showing_ = true;
    list_->clear();
    for (const std::string& name : workspace_.project.DisplayNames)
        list_->addItem(Text(name));
    list_->setCurrentRow(editor_.Selected());
    showing_ = false;
    ShowForm();
}

void DisplayPage::ShowForm() {
    showing_ = true;
    const DisplayForm& form = editor_.Form();
    name_->setText(Text(form.Header.Name));
    port_->setValue(form.Header.Port);
    number_->setValue(form.Header.Number);
    font_->setCurrentIndex(form.Header.Font);
    trigger_->setText(Text(form.Header.Trigger));
    QStringList lines;
    for (const DisplayLine& line : form.Lines)
        lines << Text(line.Text);
    if (memo_->toPlainText() != lines.join('\n'))
        memo_->setPlainText(lines.join('\n'));
    showing_ = false;
    ShowLine();
}

void DisplayPage::ShowLine() {
    showing_ = true;
    const std::vector<DisplayLine>& lines = editor_.Form().Lines;
    const int index = CurrentLine();
    const DisplayLine empty;
    const DisplayLine& line = index < static_cast<int>(lines.size()) ? lines[index] : empty;
    for (int k = 0; k < DisplayFieldCount; ++k)
        ShowCell(fields_, k, 0, Text(line.Fields[k]));
    preview_->setText(Text(PreviewDisplayLine(line)));
    showing_ = false;
}

void DisplayPage::MemoEdited() {
    if (showing_)
        return;
    std::vector<std::string> lines;
    const QStringList texts = memo_->toPlainText().split('\n');
    for (const QString& text : texts)
        lines.push_back(text.toStdString());
    if (!editor_.SetText(lines))
        ShowForm();
    else
        ShowLine();
}

} // namespace k7
