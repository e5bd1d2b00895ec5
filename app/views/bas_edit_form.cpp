#include "app/views/bas_edit_form.h"

#include "app/views/find_replace_dialogs.h"
#include "app/widgets/basic_code_editor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolBar>

namespace k7 {

namespace {

// The text goes between the file and the control byte for byte, so that a
// source saved again is the source read, whatever its characters.
QString Text(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Bytes(const QString& text) {
    return text.toLatin1().toStdString();
}

QString LfText(const std::vector<std::string>& lines) {
    QString text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += QLatin1Char('\n');
        text += Text(lines[i]);
    }
    return text;
}

constexpr const char* FontSizeList[] = {"8",  "9",  "10", "11", "12", "14", "16",
                                        "18", "20", "24", "36", "48", "72"};

} // namespace

TBasEditForm::TBasEditForm(const std::string& systemFolder, const std::string& basicFolder,
                           UserInterface& ui, QWidget* parent)
    : QMainWindow(parent), model_(systemFolder, basicFolder), ui_(ui) {
    setWindowFlag(Qt::Window);
    resize(760, 560);
    text_ = new BasicCodeEditor;
    errorList_ = new QListWidget;
    errorList_->setToolTip(tr("The last compile's errors: click one to go to its line"));
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(text_);
    splitter->addWidget(errorList_);
    splitter->setStretchFactor(0, 5);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);
    errorList_->hide();

    CreateMenus();
    CreateTools();
    // Row, column and position are short; the compile panel takes the rest.
    for (size_t i = 0; i < panels_.size(); ++i) {
        panels_[i] = new QLabel;
        statusBar()->addWidget(panels_[i], i == 3 ? 4 : 1);
    }

    // The status line follows the caret through the control's own counts,
    // without reading the text again.
    connect(text_, &QPlainTextEdit::cursorPositionChanged, this, &TBasEditForm::ShowCaret);
    connect(text_, &QPlainTextEdit::modificationChanged, this, [this] { ShowModelState(); });
    connect(errorList_, &QListWidget::itemClicked, this, &TBasEditForm::ErrorClicked);
    // The editing commands follow the selection, the undo history and the
    // clipboard, so that their shortcuts work whether or not the menu opened.
    connect(text_, &QPlainTextEdit::selectionChanged, this, &TBasEditForm::UpdateEditMenu);
    connect(text_, &QPlainTextEdit::undoAvailable, this, &TBasEditForm::UpdateEditMenu);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &TBasEditForm::UpdateEditMenu);

    find_ = new FindDialog(this);
    replace_ = new ReplaceDialog(this);
    connect(find_, &FindDialog::findNextRequested, this, [this] { FindFrom(find_); });
    connect(replace_, &FindDialog::findNextRequested, this, [this] { FindFrom(replace_); });
    connect(replace_, &FindDialog::replaceRequested, this, [this](bool all) {
        searchText_ = replace_->SearchText();
        searchOptions_ = replace_->Options();
        Replace(replace_->ReplacementText(), all);
    });

    ShowModelText();
}

TBasEditForm::~TBasEditForm() = default;

QAction* TBasEditForm::AddCommand(QMenu* menu, const QString& text, const QKeySequence& shortcut,
                                  void (TBasEditForm::*slot)()) {
    QAction* action = menu->addAction(text);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, slot);
    commands_[text] = action;
    return action;
}

void TBasEditForm::CreateMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    AddCommand(file, "&New", Qt::CTRL | Qt::Key_N, &TBasEditForm::NewClick);
    AddCommand(file, "&Open...", Qt::CTRL | Qt::Key_O, &TBasEditForm::OpenClick);
    AddCommand(file, "&Save", Qt::CTRL | Qt::Key_S, &TBasEditForm::SaveClick);
    AddCommand(file, "Save &As...", {}, &TBasEditForm::SaveAsClick);
    file->addSeparator();
    AddCommand(file, "P&rint Setup...", {}, &TBasEditForm::PrintSetupClick);
    AddCommand(file, "&Print...", Qt::CTRL | Qt::Key_P, &TBasEditForm::PrintClick);
    file->addSeparator();
    AddCommand(file, "E&xit", {}, &TBasEditForm::ExitClick);

    editMenu_ = menuBar()->addMenu("&Edit");
    QMenu* edit = editMenu_;
    commands_["&Undo"] =
        edit->addAction("&Undo", Qt::CTRL | Qt::Key_Z, text_, &QPlainTextEdit::undo);
    commands_["Select &All"] =
        edit->addAction("Select &All", Qt::CTRL | Qt::Key_A, text_, &QPlainTextEdit::selectAll);
    commands_["Cu&t"] = edit->addAction("Cu&t", Qt::CTRL | Qt::Key_X, text_, &QPlainTextEdit::cut);
    commands_["&Copy"] =
        edit->addAction("&Copy", Qt::CTRL | Qt::Key_C, text_, &QPlainTextEdit::copy);
    commands_["&Paste"] =
        edit->addAction("&Paste", Qt::CTRL | Qt::Key_V, text_, &QPlainTextEdit::paste);
    edit->addSeparator();
    AddCommand(edit, "&Find...", Qt::CTRL | Qt::Key_F, &TBasEditForm::FindClick);
    AddCommand(edit, "Find &Next", Qt::Key_F3, &TBasEditForm::FindNextClick);
    AddCommand(edit, "&Replace...", Qt::CTRL | Qt::Key_R, &TBasEditForm::ReplaceClick);
    connect(edit, &QMenu::aboutToShow, this, &TBasEditForm::UpdateEditMenu);
    UpdateEditMenu();
}

void TBasEditForm::CreateTools() {
    QToolBar* tools = addToolBar(tr("Font"));
    fontNames_ = new QFontComboBox;
    fontNames_->setFontFilters(QFontComboBox::ScalableFonts | QFontComboBox::NonScalableFonts);
    fontNames_->setCurrentFont(text_->font());
    fontSizes_ = new QComboBox;
    for (const char* size : FontSizeList)
        fontSizes_->addItem(size);
    fontSizes_->setCurrentText(QString::number(text_->font().pointSize()));
    compile_ = new QPushButton("Compile");
    compile_->setToolTip(tr("Compile the text and write its object file"));
    tools->addWidget(fontNames_);
    tools->addWidget(fontSizes_);
    tools->addSeparator();
    tools->addWidget(compile_);
    connect(fontNames_, &QFontComboBox::currentFontChanged, this, &TBasEditForm::ApplyFont);
    connect(fontSizes_, &QComboBox::currentTextChanged, this, &TBasEditForm::ApplyFont);
    connect(compile_, &QPushButton::clicked, this, &TBasEditForm::Button1Click);
}

QAction* TBasEditForm::Command(const QString& text) const {
    auto found = commands_.find(text);
    return found == commands_.end() ? nullptr : found->second;
}

QString TBasEditForm::StatusPanel(int panel) const {
    return panels_[static_cast<size_t>(panel)]->text();
}

bool TBasEditForm::OpenOn(const std::string& libraryFile) {
    const bool opened = model_.OpenWindow(libraryFile, ui_);
    ShowModelText();
    return opened;
}

void TBasEditForm::HandOver() {
    model_.TakeText(SplitLines(Bytes(text_->toPlainText())), text_->document()->isModified());
}

void TBasEditForm::ShowModelText() {
    text_->setPlainText(LfText(model_.Lines()));
    text_->document()->setModified(model_.Modified());
    text_->SetErrorLines({});
    errorList_->clear();
    errorList_->hide();
    panels_[3]->clear();
    ShowModelState();
    ShowCaret();
}

void TBasEditForm::ShowModelState() {
    setWindowTitle(Text(model_.Caption()));
}

void TBasEditForm::ShowCaret() {
    if (compiling_)
        return;
    const QTextCursor cursor = text_->textCursor();
    const int line = cursor.blockNumber();
    const CaretPlace place{line + 1, cursor.positionInBlock() + 1};
    const std::vector<std::string> panels =
        CaretPanelsAt(place, CrLfOffset(static_cast<size_t>(cursor.position()), line));
    for (size_t i = 0; i < panels.size(); ++i)
        panels_[i]->setText(Text(panels[i]));
    if (!model_.Errors().empty())
        panels_[3]->setText(Text(CompilePanelText(model_.Errors(), line)));
}

void TBasEditForm::UpdateEditMenu() {
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    const EditMenuState state =
        EditMenuFor(clipboard && clipboard->hasText(), text_->document()->isUndoAvailable(),
                    text_->textCursor().hasSelection(), !searchText_.isEmpty());
    commands_["&Paste"]->setEnabled(state.Paste);
    commands_["&Undo"]->setEnabled(state.Undo);
    commands_["Cu&t"]->setEnabled(state.Cut);
    commands_["&Copy"]->setEnabled(state.Copy);
    commands_["Find &Next"]->setEnabled(state.FindNext);
}

void TBasEditForm::Button1Click() {
    HandOver();
    compiling_ = true;
    model_.Button1Click(ui_);
    compiling_ = false;
    ShowErrors();
    const std::vector<std::string> panels = model_.StatusPanels();
    panels_[3]->setText(Text(panels.back()));
}

void TBasEditForm::ShowErrors() {
    std::vector<int> lines;
    errorList_->clear();
    for (const BasicError& error : model_.Errors()) {
        lines.push_back(error.Line);
        auto* item = new QListWidgetItem(Text(ErrorListEntry(error)), errorList_);
        item->setData(Qt::UserRole, error.Line);
        item->setForeground(Qt::red);
    }
    errorList_->setVisible(!lines.empty());
    text_->SetErrorLines(lines);
}

void TBasEditForm::ErrorClicked(QListWidgetItem* item) {
    text_->GoToLine(item->data(Qt::UserRole).toInt());
}

void TBasEditForm::NewClick() {
    HandOver();
    if (model_.New(ui_))
        ShowModelText();
}

void TBasEditForm::OpenClick() {
    HandOver();
    if (model_.Open(ui_))
        ShowModelText();
}

void TBasEditForm::ExitClick() {
    close();
}

void TBasEditForm::SaveClick() {
    HandOver();
    if (model_.Save(ui_))
        text_->document()->setModified(false);
    ShowModelState();
}

void TBasEditForm::SaveAsClick() {
    HandOver();
    if (model_.SaveAs(ui_))
        text_->document()->setModified(false);
    ShowModelState();
}

// A font or size shows the selected text in it; the file keeps no fonts,
// so the text does not count as modified.
void TBasEditForm::ApplyFont() {
    QTextCursor cursor = text_->textCursor();
    if (!cursor.hasSelection())
        return;
    const bool wasModified = text_->document()->isModified();
    QTextCharFormat format;
    format.setFontFamilies({fontNames_->currentFont().family()});
    format.setFontPointSize(fontSizes_->currentText().toDouble());
    cursor.mergeCharFormat(format);
    text_->document()->setModified(wasModified);
}

void TBasEditForm::PrintTo(QPrinter& printer) {
    printer.setDocName(Text(model_.FileName()));
    text_->print(&printer);
}

void TBasEditForm::PrintSetupClick() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>();
    QPageSetupDialog dialog(printer_.get(), this);
    dialog.exec();
}

void TBasEditForm::PrintClick() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>();
    QPrintDialog dialog(printer_.get(), this);
    if (dialog.exec() == QDialog::Accepted)
        PrintTo(*printer_);
}

void TBasEditForm::FindClick() {
    const QString prefill = Text(SearchPrefill(Bytes(text_->textCursor().selectedText())));
    replace_->hide();
    find_->Open(prefill.isEmpty() ? searchText_ : prefill);
}

void TBasEditForm::ReplaceClick() {
    const QString prefill = Text(SearchPrefill(Bytes(text_->textCursor().selectedText())));
    find_->hide();
    replace_->Open(prefill.isEmpty() ? searchText_ : prefill);
}

void TBasEditForm::FindFrom(FindDialog* dialog) {
    searchText_ = dialog->SearchText();
    searchOptions_ = dialog->Options();
    FindNext();
}

void TBasEditForm::FindNextClick() {
    FindNext();
}

bool TBasEditForm::FindNext() {
    UpdateEditMenu();
    const QTextCursor cursor = text_->textCursor();
    const std::optional<size_t> found =
        FindText(Bytes(text_->toPlainText()), Bytes(searchText_),
                 static_cast<size_t>(cursor.selectionEnd()), searchOptions_);
    if (!found) {
        QApplication::beep();
        return false;
    }
    QTextCursor match(text_->document());
    match.setPosition(static_cast<int>(*found));
    match.setPosition(static_cast<int>(*found) + static_cast<int>(searchText_.size()),
                      QTextCursor::KeepAnchor);
    text_->setTextCursor(match);
    return true;
}

int TBasEditForm::Replace(const QString& with, bool all) {
    UpdateEditMenu();
    std::string text = Bytes(text_->toPlainText());
    const QTextCursor cursor = text_->textCursor();
    TextSelection selection{static_cast<size_t>(cursor.selectionStart()),
                            static_cast<size_t>(cursor.selectionEnd() - cursor.selectionStart())};
    std::vector<TextSelection> edits;
    const int replaced =
        ReplaceText(text, selection, Bytes(searchText_), Bytes(with), searchOptions_, all, &edits);
    if (replaced == 0) {
        QApplication::beep();
        return 0;
    }
    // One undo step, and no redrawing until the last replacement is made.
    text_->setUpdatesEnabled(false);
    QTextCursor edit(text_->document());
    edit.beginEditBlock();
    for (const TextSelection& range : edits) {
        edit.setPosition(static_cast<int>(range.Start));
        edit.setPosition(static_cast<int>(range.End()), QTextCursor::KeepAnchor);
        edit.insertText(with);
    }
    edit.endEditBlock();
    QTextCursor last(text_->document());
    last.setPosition(static_cast<int>(selection.Start));
    last.setPosition(static_cast<int>(selection.End()), QTextCursor::KeepAnchor);
    text_->setTextCursor(last);
    text_->setUpdatesEnabled(true);
    return replaced;
}

void TBasEditForm::closeEvent(QCloseEvent* event) {
    HandOver();
    if (!model_.Close(ui_)) {
        text_->document()->setModified(model_.Modified());
        ShowModelState();
        event->ignore();
        return;
    }
    find_->hide();
    replace_->hide();
    event->accept();
    emit closed();
}

} // namespace k7
