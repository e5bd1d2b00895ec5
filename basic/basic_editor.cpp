#include "basic/basic_editor.h"

#include "workspace/instance_editor.h"
#include "workspace/text_file.h"

#include <algorithm>
#include <utility>

namespace k7 {

BasicEditor::BasicEditor(std::string systemFolder, std::string basicFolder)
    : systemFolder_(std::move(systemFolder)), basicFolder_(std::move(basicFolder)) {}

bool BasicEditor::OpenWindow(const std::string& libraryFile, UserInterface& ui) {
    if (libraryFile.empty())
        return true;
    return LoadFile(libraryFile, ui);
}

bool BasicEditor::ConfirmAbandon(UserInterface& ui) const {
    return !modified_ || ui.AskYesNo(AbandonQuestion);
}

bool BasicEditor::New(UserInterface& ui) {
    if (!ConfirmAbandon(ui))
        return false;
    // A missing template leaves the new text empty.
    ResetText(LoadTemplate(systemFolder_).value_or(std::vector<std::string>{}));
    fileName_.clear();
    compileName_.clear();
    return true;
}

bool BasicEditor::Open(UserInterface& ui) {
    if (!ConfirmAbandon(ui))
        return false;
    const std::optional<std::string> chosen = ui.ChooseOpenFile(SourceChoice("Open"));
    return chosen && LoadFile(*chosen, ui);
}

bool BasicEditor::LoadFile(const std::string& path, UserInterface& ui) {
    TextFile file = ReadTextLines(path);
    if (!file.Ok) {
        ui.ShowError(file.Error);
        return false;
    }
    ResetText(file.Lines);
    fileName_ = path;
    compileName_ = path;
    return true;
}

bool BasicEditor::Save(UserInterface& ui) {
    if (fileName_.empty())
        return SaveAs(ui);
    const std::string failure = WriteTextLines(fileName_, lines_);
    if (!failure.empty()) {
        ui.ShowError(failure);
        return false;
    }
    modified_ = false;
    return true;
}

bool BasicEditor::SaveAs(UserInterface& ui) {
    FileChoice choice = SourceChoice("Save As");
    choice.ProposedName = fileName_;
    choice.AskBeforeOverwrite = true;
    const std::optional<std::string> chosen = ui.ChooseSaveFile(choice);
    if (!chosen)
        return false;
    const std::string name = SaveAsName(*chosen);
    // The dialog asked about the name chosen, not about the ".BAS" file written.
    if (name != *chosen && FileExists(name) && !ui.AskYesNo(ReplaceFileQuestion(name)))
        return false;
    const std::string failure = WriteTextLines(name, lines_);
    if (!failure.empty()) {
        ui.ShowError(failure);
        return false;
    }
    fileName_ = name;
    // The object file follows the source's new name, so that the project
    // finds it beside the source it names.
    compileName_ = name;
    modified_ = false;
    return true;
}

std::optional<std::string> BasicEditor::CloseQuestion() const {
    if (!modified_)
        return std::nullopt;
    return ClosingQuestion(fileName_);
}

bool BasicEditor::AnswerClose(SaveAnswer answer, UserInterface& ui) {
    if (answer == SaveAnswer::Cancel)
        return false;
    if (answer == SaveAnswer::Yes)
        return Save(ui);
    return true;
}

bool BasicEditor::Close(UserInterface& ui) {
    const std::optional<std::string> question = CloseQuestion();
    if (!question)
        return true;
    switch (ui.AskYesNoCancel(*question)) {
    case Answer::Yes:
        return AnswerClose(SaveAnswer::Yes, ui);
    case Answer::No:
        return AnswerClose(SaveAnswer::No, ui);
    case Answer::Cancel:
        break;
    }
    return AnswerClose(SaveAnswer::Cancel, ui);
}

void BasicEditor::Button1Click(UserInterface& ui) {
    if (lines_.empty()) {
        ui.ShowError(NoProgramMessage);
        return;
    }
    // Compiling never changes the text, its modified flag or the caret.
    const bool wasModified = modified_;
    const size_t caret = Caret();
    errors_.clear();
    redRanges_.clear();

    const BasicBuildResult result = BuildBasicModule(lines_, compileName_);
    if (!result.Message.empty())
        ui.ShowError(result.Message);
    errors_ = result.Errors;
    redRanges_ = ErrorLineRanges(lines_, errors_);
    compileStatus_ = result.StatusText;
    caretMovedSinceCompile_ = false;

    selection_ = {caret, 0};
    modified_ = wasModified;
}

void BasicEditor::EditText(const std::vector<std::string>& lines) {
    lines_ = lines;
    modified_ = true;
    const size_t length = JoinLines(lines_).size();
    if (selection_.Start > length)
        selection_ = {length, 0};
    else if (selection_.End() > length)
        selection_.Length = length - selection_.Start;
}

void BasicEditor::TakeText(const std::vector<std::string>& lines, bool modified) {
    EditText(lines);
    modified_ = modified;
}

void BasicEditor::Select(size_t start, size_t length) {
    const size_t textLength = JoinLines(lines_).size();
    start = std::min(start, textLength);
    selection_ = {start, std::min(length, textLength - start)};
    caretMovedSinceCompile_ = true;
}

bool BasicEditor::FindNext() {
    const std::optional<size_t> found =
        FindText(JoinLines(lines_), SearchText, selection_.End(), Options);
    if (!found)
        return false;
    selection_ = {*found, SearchText.size()};
    return true;
}

int BasicEditor::Replace(const std::string& with, bool all) {
    std::string text = JoinLines(lines_);
    const int replaced = ReplaceText(text, selection_, SearchText, with, Options, all);
    if (replaced > 0) {
        lines_ = SplitLines(text);
        modified_ = true;
    }
    return replaced;
}

std::vector<std::string> BasicEditor::StatusPanels() const {
    std::vector<std::string> panels = CaretPanels(lines_, Caret());
    if (!errors_.empty() && caretMovedSinceCompile_)
        panels.push_back(CompilePanelText(errors_, CaretPlaceOf(lines_, Caret()).Row - 1));
    else
        panels.push_back(compileStatus_);
    return panels;
}

FileChoice BasicEditor::SourceChoice(const std::string& title) const {
    FileChoice choice;
    choice.Title = title;
    choice.InitialFolder = basicFolder_;
    choice.Filter = "BASIC Files (*.BAS)|*.BAS|All Files (*.*)|*.*";
    choice.DefaultExtension = "BAS";
    return choice;
}

void BasicEditor::ResetText(const std::vector<std::string>& lines) {
    lines_ = lines;
    modified_ = false;
    selection_ = {};
    errors_.clear();
    redRanges_.clear();
    compileStatus_.clear();
}

} // namespace k7
