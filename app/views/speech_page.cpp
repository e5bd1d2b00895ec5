#include "app/views/speech_page.h"

#include "app/widgets/drop_table.h"
#include "tables_speech/phrase_vocabulary.h"
#include "tables_speech/spoken_text.h"
#include "workspace/workspace.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace k7 {

static QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

using TypeField = bool (SpeechEditor::*)(const std::string&);

// The header fields: caption and the editor's setter.
static const std::pair<const char*, TypeField> HeaderFields[] = {
    {"Report name", &SpeechEditor::TypeName},
    {"Report trigger", &SpeechEditor::TypeTrigger},
    {"Report stop", &SpeechEditor::TypeStop},
    {"Line trigger", &SpeechEditor::TypeLineTrigger},
    {"Line select", &SpeechEditor::TypeLineSelect},
    {"Scan trigger", &SpeechEditor::TypeScanTrigger},
    {"Board number", &SpeechEditor::TypeBoard},
};

SpeechPage::SpeechPage(Workspace& workspace, std::unique_ptr<SpeechVoice> voice, QWidget* parent)
    : QWidget(parent), workspace_(workspace), editor_(workspace), voice_(std::move(voice)) {
    phrases_ = new PhraseTable;
    phrases_->setColumnCount(2);
    phrases_->setRowCount(PhraseCount);
    phrases_->setHorizontalHeaderLabels({PhraseNumberTitle, PhraseTextTitle});
    phrases_->verticalHeader()->hide();
    phrases_->verticalHeader()->setDefaultSectionSize(20);
    phrases_->horizontalHeader()->setStretchLastSection(true);
    phrases_->setColumnWidth(0, NumberColumnWidth);
    phrases_->setMinimumWidth(220);
    reports_ = new QListWidget;
    grid_ = new DropTable;
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(20);

    auto* form = new QFormLayout;
    CreateHeader(form);
    auto* left = new QVBoxLayout;
    left->addWidget(phrases_, 2);
    left->addWidget(new QLabel(tr("Reports in Project:")));
    left->addWidget(reports_, 1);
    auto* right = new QVBoxLayout;
    right->addLayout(form);
    right->addWidget(grid_, 1);
    right->addWidget(CreateButtons());
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    CreateFormatDialog();

    connect(phrases_, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (showing_ || column != 1)
            return;
        SetPhraseText(workspace_, row + 1, phrases_->item(row, 1)->text().toStdString());
        ShowPhrases();
        ShowGrid();
    });
    connect(reports_, &QListWidget::currentTextChanged, this, [this](const QString& name) {
        if (!showing_)
            editor_.SelectEntry(name.isEmpty() ? std::nullopt
                                               : std::optional<std::string>(name.toStdString()));
    });
    connect(grid_, &DropTable::phraseDropped, this, [this](int row, int column, int phrase) {
        if (editor_.DropPhrase(row + 1, column, phrase))
            ShowGrid();
    });
    connect(grid_, &DropTable::nameDropped, this, [this](int row, int column, const QString& n) {
        if (editor_.DropVariable(row + 1, column, n.toStdString()))
            ShowGrid();
    });
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (editor_.ClickCell(row + 1, column))
            ShowFormatBox();
    });
    changes_ = workspace_.notices.Subscribe([this](ProjectPart part) {
        if (workspace_.OpenedAfresh(part)) {
            editor_.Reset(); // the form held a report of the old project
            formatDialog_->hide();
        }
        if (part == ProjectPart::Speech || part == ProjectPart::Phrases ||
            part == ProjectPart::WholeProject)
            Reload();
    });
    Reload();
}

void SpeechPage::CreateHeader(QFormLayout* form) {
    for (auto [caption, type] : HeaderFields) {
        auto* field = new DropLineEdit;
        field->setObjectName(caption);
        form->addRow(tr(caption), field);
        auto apply = [this, type = type](const QString& text) {
            if (!(editor_.*type)(text.toStdString()))
                ShowHeader();
        };
        connect(field, &QLineEdit::textEdited, this, apply);
        connect(field, &DropLineEdit::nameDropped, this, [this, apply](const QString& name) {
            apply(name);
            ShowHeader();
        });
    }
}

QWidget* SpeechPage::CreateButtons() {
    auto* row = new QWidget;
    // Two rows of buttons, so the page fits beside the database lists.
    auto* buttons = new QGridLayout(row);
    auto add = [this, buttons](const QString& caption, auto action) {
        auto* button = new QPushButton(caption);
        button->setObjectName(caption);
        const int placed = buttons->count();
        buttons->addWidget(button, placed / 4, placed % 4);
        connect(button, &QPushButton::clicked, this, action);
        return button;
    };
    auto line = [this] { return std::max(1, grid_->currentRow() + 1); };
    add("  New Table ", [this] {
        editor_.NewReport();
        Reload();
    });
    add("Edit Table  ", [this] {
        if (editor_.EditReport())
            Reload();
    });
    add("Delete Table", [this] {
        if (editor_.DeleteReport())
            Reload();
    });
    add(tr("Save"), [this] {
        if (editor_.SaveReport())
            Reload();
        else if (editor_.Header().Name.size() < 2)
            HeaderField("Report name")->setFocus();
    });
    add(tr("Close"), [this] {
        if (editor_.CloseEditor())
            Reload();
    });
    add(tr("Insert Line"), [this, line] {
        if (editor_.InsertLine(line()))
            ShowGrid();
    });
    add(tr("Delete Line"), [this, line] {
        if (editor_.DeleteLine(line()))
            ShowGrid();
    });
    add(tr("Blank Cell"), [this] {
        if (editor_.BlankCell(grid_->currentRow() + 1, grid_->currentColumn()))
            ShowGrid();
    });
    QPushButton* speak = add(tr("Speak"), [this] { Speak(); });
    const std::string why = voice_ ? voice_->Unavailable() : "No speech engine.";
    speak->setEnabled(why.empty());
    speak->setToolTip(why.empty() ? tr("Says the selected report line as the unit will")
                                  : Text(why));
    return row;
}

void SpeechPage::CreateFormatDialog() {
    formatDialog_ = new QDialog(this);
    formatDialog_->setWindowTitle(FormatBoxCaption);
    format_ = new DropLineEdit;
    auto* layout = new QVBoxLayout(formatDialog_);
    layout->addWidget(new QLabel(tr("Format, or a phrase dropped to select from:")));
    layout->addWidget(format_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    layout->addWidget(buttons);
    connect(format_, &QLineEdit::textEdited, this,
            [this](const QString& text) { editor_.TypeFormat(text.toStdString()); });
    connect(format_, &DropLineEdit::phraseDropped, this, [this](int phrase) {
        editor_.DropPhraseOnFormat(phrase);
        format_->setText(Text(editor_.Box().Text));
    });
    connect(buttons, &QDialogButtonBox::accepted, formatDialog_, &QDialog::accept);
    // OK, Escape and the window's close button all close the box, and
    // closing stores the format; a refused format keeps the box open.
    connect(formatDialog_, &QDialog::finished, this, [this] {
        if (!editor_.CloseFormatBox()) {
            formatDialog_->show();
            return;
        }
        ShowGrid();
    });
}

DropLineEdit* SpeechPage::HeaderField(const QString& caption) const {
    return findChild<DropLineEdit*>(caption);
}

QPushButton* SpeechPage::Button(const QString& caption) const {
    return findChild<QPushButton*>(caption);
}

// An open cell editor commits its text while the widgets are destroyed,
// after the editor model has gone: stop listening first.
SpeechPage::~SpeechPage() {
    grid_->disconnect(this);
    phrases_->disconnect(this);
}

void SpeechPage::Reload() {
    showing_ = true;
    reports_->clear();
    for (const std::string& name : editor_.ReportNames())
        reports_->addItem(Text(name));
    showing_ = false;
    ShowPhrases();
    ShowHeader();
    ShowGrid();
}

void SpeechPage::ShowPhrases() {
    showing_ = true;
    // The file keeps phrase texts only in front of a speech report.
    const bool editable = PhrasesEditable(workspace_.project);
    for (int n = 1; n <= PhraseCount; ++n) {
        ShowCell(phrases_, n - 1, 0, QString::number(n), false);
        ShowCell(phrases_, n - 1, 1, Text(PhraseText(workspace_.project, n)), editable);
    }
    showing_ = false;
}

void SpeechPage::ShowHeader() {
    const SpeechHeader& header = editor_.Header();
    const std::string* values[] = {&header.Name,        &header.Trigger,    &header.Stop,
                                   &header.LineTrigger, &header.LineSelect, &header.ScanTrigger,
                                   &header.Board};
    for (size_t i = 0; i < std::size(HeaderFields); ++i)
        HeaderField(HeaderFields[i].first)->setText(Text(*values[i]));
}

void SpeechPage::ShowGrid() {
    showing_ = true;
    grid_->setColumnCount(SpeechGridColumns);
    grid_->setRowCount(editor_.LineCount());
    QStringList titles;
    for (int c = 0; c < SpeechGridColumns; ++c)
        titles << Text(editor_.Title(c));
    grid_->setHorizontalHeaderLabels(titles);
    grid_->setColumnWidth(0, NumberColumnWidth);
    for (int line = 1; line <= editor_.LineCount(); ++line)
        for (int c = 0; c < SpeechGridColumns; ++c)
            ShowCell(grid_, line - 1, c, Text(editor_.ShownCell(line, c)), false);
    showing_ = false;
}

void SpeechPage::ShowFormatBox() {
    format_->setText(Text(editor_.Box().Text));
    formatDialog_->show();
}

void SpeechPage::Speak() {
    const int line = grid_->currentRow() + 1;
    if (!voice_ || line < 1 || line > editor_.LineCount())
        return;
    SpeechLine cells{};
    for (int c = 1; c < SpeechGridColumns; ++c)
        cells[c - 1] = editor_.StoredCell(line, c);
    voice_->Say(SpokenText(workspace_.project, cells));
}

} // namespace k7
