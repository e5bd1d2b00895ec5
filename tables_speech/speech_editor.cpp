#include "tables_speech/speech_editor.h"

#include "tables_speech/phrase_vocabulary.h"
#include "tables_speech/speech_report.h"
#include "workspace/databases.h"
#include "workspace/instance_editor.h"
#include "workspace/record_list.h"
#include "workspace/workspace.h"

#include <algorithm>

namespace k7 {

SpeechEditor::SpeechEditor(Workspace& workspace)
    : workspace_(workspace), lines_(SpeechInitialLines) {}

std::vector<std::string> SpeechEditor::ReportNames() const {
    return RecordNames(workspace_.project.SpeechReports);
}

void SpeechEditor::RefreshNames() {
    workspace_.project.SpeechReportNames = RecordNames(workspace_.project.SpeechReports);
}

bool SpeechEditor::ConfirmAbandon() {
    return !changed_ || workspace_.Ui().AskYesNo(AbandonQuestion);
}

bool SpeechEditor::NewReport() {
    if (!ConfirmAbandon())
        return false;
    lines_.assign(SpeechInitialLines, SpeechLine{});
    const std::string board = header_.Board;
    header_ = SpeechHeader{};
    header_.Board = board;
    box_ = FormatBox{};
    changed_ = false;
    return true;
}

void SpeechEditor::Reset() {
    changed_ = false; // the project is gone: nothing to ask about
    NewReport();
    selected_.reset();
}

bool SpeechEditor::EditReport() {
    const std::vector<std::string>& stored = workspace_.project.SpeechReports;
    const std::optional<RecordSpan> span =
        selected_ ? FindRecord(stored, *selected_) : std::optional<RecordSpan>();
    if (!span) {
        workspace_.Ui().ShowError(SelectEntryMessage);
        return false;
    }
    if (!ConfirmAbandon())
        return false;
    header_ = ParseSpeechHeader(stored[span->Header]);
    lines_.clear();
    for (size_t i = span->Header + 1; i < span->End; ++i)
        lines_.push_back(ParseSpeechLine(stored[i]));
    if (lines_.size() < SpeechInitialLines)
        lines_.resize(SpeechInitialLines);
    box_ = FormatBox{};
    changed_ = false;
    return true;
}

bool SpeechEditor::SaveReport() {
    if (header_.Name.size() < 2) {
        workspace_.Ui().ShowError(NameReportMessage);
        return false;
    }
    std::vector<std::string>& stored = workspace_.project.SpeechReports;
    if (const std::optional<RecordSpan> span = FindRecord(stored, header_.Name))
        EraseRecord(stored, *span);
    stored.push_back(SpeechHeaderLine(header_));
    for (const SpeechLine& line : lines_) {
        // A line with neither an enable variable nor a first phrase says nothing.
        if (line[0].size() < 2 && line[1].empty())
            continue;
        stored.push_back(SpeechLineText(line));
    }
    changed_ = false;
    RefreshNames();
    RebuildDatabases(workspace_.project, workspace_.library);
    workspace_.MarkProjectChanged(ProjectPart::Speech);
    return true;
}

bool SpeechEditor::CloseEditor() {
    return ConfirmAbandon();
}

bool SpeechEditor::DeleteReport() {
    if (!workspace_.Ui().AskYesNo(DeleteQuestion))
        return false;
    std::vector<std::string>& stored = workspace_.project.SpeechReports;
    const std::optional<RecordSpan> span =
        selected_ ? FindRecord(stored, *selected_) : std::optional<RecordSpan>();
    if (!span) {
        workspace_.Ui().ShowError(SelectEntryMessage);
        return false;
    }
    // The file keeps phrase texts only in front of a report: without one
    // they read back as the presets, so they become the presets now.
    const bool lastReport = span->Header == 0 && span->End == stored.size();
    if (lastReport && !PhrasesArePresets(workspace_.project) &&
        !workspace_.Ui().AskYesNo(LastReportPhrasesQuestion))
        return false;
    EraseRecord(stored, *span);
    if (lastReport)
        ResetSpeechPhrases(workspace_.project);
    selected_.reset();
    RefreshNames();
    RebuildDatabases(workspace_.project, workspace_.library);
    // The deletion must reach the file like any other edit.
    workspace_.MarkProjectChanged(ProjectPart::Speech);
    return true;
}

bool SpeechEditor::TypeField(std::string& field, const std::string& text, StoredField kind) {
    if (RefuseStoredText(workspace_.Ui(), text, kind))
        return false;
    field = text;
    changed_ = true;
    return true;
}

bool SpeechEditor::TypeName(const std::string& text) {
    // The report's name begins the names of its variables (Name.Seq, ...),
    // which a speech line's enable cell can hold.
    return TypeField(header_.Name, text, StoredField::LineStart);
}

bool SpeechEditor::TypeTrigger(const std::string& text) {
    return TypeField(header_.Trigger, text);
}

bool SpeechEditor::TypeStop(const std::string& text) {
    return TypeField(header_.Stop, text);
}

bool SpeechEditor::TypeLineTrigger(const std::string& text) {
    return TypeField(header_.LineTrigger, text);
}

bool SpeechEditor::TypeLineSelect(const std::string& text) {
    return TypeField(header_.LineSelect, text);
}

bool SpeechEditor::TypeScanTrigger(const std::string& text) {
    return TypeField(header_.ScanTrigger, text);
}

bool SpeechEditor::TypeBoard(const std::string& text) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '8') {
        workspace_.Ui().ShowError(BoardNumberMessage);
        return false;
    }
    return TypeField(header_.Board, text);
}

bool SpeechEditor::GridCell(int line, int column) const {
    return line >= 1 && line <= LineCount() && column >= EnableColumn && column < SpeechGridColumns;
}

std::string& SpeechEditor::Cell(int line, int column) {
    return lines_[static_cast<size_t>(line - 1)][static_cast<size_t>(column - 1)];
}

bool SpeechEditor::DropPhrase(int line, int column, int phrase) {
    if (!GridCell(line, column) || !IsPhraseNumber(phrase))
        return false;
    Cell(line, column) = std::to_string(phrase);
    changed_ = true;
    return true;
}

bool SpeechEditor::DropVariable(int line, int column, const std::string& name) {
    // The enable cell begins the stored line.
    const StoredField field = column == EnableColumn ? StoredField::LineStart : StoredField::Inside;
    if (!GridCell(line, column) || name.empty() || RefuseStoredText(workspace_.Ui(), name, field))
        return false;
    if (name.find(';') != std::string::npos) {
        workspace_.Ui().ShowError(SemicolonRefusedMessage);
        return false;
    }
    Cell(line, column) = SpokenNumberCell(name, DefaultSpeechFormat);
    changed_ = true;
    return true;
}

bool SpeechEditor::BlankCell(int line, int column) {
    if (!GridCell(line, column))
        return false;
    Cell(line, column).clear();
    changed_ = true;
    return true;
}

bool SpeechEditor::InsertLine(int line) {
    if (line < 1 || line > LineCount())
        return false;
    lines_.insert(lines_.begin() + (line - 1), SpeechLine{});
    changed_ = true;
    return true;
}

bool SpeechEditor::DeleteLine(int line) {
    if (line < 1 || line > LineCount())
        return false;
    lines_.erase(lines_.begin() + (line - 1));
    lines_.push_back(SpeechLine{});
    changed_ = true;
    return true;
}

bool SpeechEditor::ClickCell(int line, int column) {
    if (!GridCell(line, column) || column < FirstPhraseColumn)
        return false;
    const SpeechCell cell = ParseSpeechCell(Cell(line, column));
    if (cell.Kind != SpeechCellKind::SpokenNumber && cell.Kind != SpeechCellKind::PhraseSelector)
        return false;
    box_ = FormatBox{};
    box_.Open = true;
    box_.Line = line;
    box_.Column = column;
    box_.Variable = cell.Variable;
    box_.Selector = cell.Kind == SpeechCellKind::PhraseSelector;
    box_.Format = cell.Format;
    box_.Phrase = cell.Phrase;
    box_.Text = box_.Selector ? PhraseText(workspace_.project, cell.Phrase) : cell.Format;
    return true;
}

bool SpeechEditor::DropPhraseOnFormat(int phrase) {
    if (!box_.Open || !IsPhraseNumber(phrase))
        return false;
    box_.Selector = true;
    box_.Phrase = static_cast<uint32_t>(phrase);
    box_.Text = PhraseText(workspace_.project, phrase);
    return true;
}

bool SpeechEditor::TypeFormat(const std::string& text) {
    if (!box_.Open || RefuseStoredText(workspace_.Ui(), text, StoredField::Inside))
        return false;
    box_.Text = text;
    if (!text.empty() && text[0] == '@') {
        box_.Selector = false;
        box_.Format = text;
    }
    return true;
}

// "@" for each digit and at most one "."; the unit takes each count in a byte.
static bool FormatAccepted(const std::string& format) {
    if (format.empty() || format[0] != '@' || format.find_first_not_of("@.") != std::string::npos ||
        std::count(format.begin(), format.end(), '.') > 1)
        return false;
    const FormatDigits digits = CountFormatDigits(format);
    return digits.Before <= 255 && digits.After <= 255;
}

bool SpeechEditor::CloseFormatBox() {
    if (!box_.Open)
        return false;
    if (!box_.Selector && !FormatAccepted(box_.Format)) {
        workspace_.Ui().ShowError(FormatMessage);
        return false;
    }
    Cell(box_.Line, box_.Column) = box_.Selector ? PhraseSelectorCell(box_.Variable, box_.Phrase)
                                                 : SpokenNumberCell(box_.Variable, box_.Format);
    box_.Open = false;
    changed_ = true;
    return true;
}

std::string SpeechEditor::Title(int column) const {
    if (column == 0)
        return "#";
    if (column == EnableColumn)
        return "LINE ENBL";
    if (column > EnableColumn && column < SpeechGridColumns)
        return "PHRASE " + std::to_string(column - EnableColumn);
    return {};
}

std::string SpeechEditor::StoredCell(int line, int column) const {
    if (!GridCell(line, column))
        return {};
    return lines_[static_cast<size_t>(line - 1)][static_cast<size_t>(column - 1)];
}

std::string SpeechEditor::ShownCell(int line, int column) const {
    if (column == 0 && line >= 1 && line <= LineCount())
        return std::to_string(line);
    const std::string stored = StoredCell(line, column);
    const SpeechCell cell = ParseSpeechCell(stored);
    switch (cell.Kind) {
    case SpeechCellKind::Phrase:
        return PhraseText(workspace_.project, cell.Phrase);
    case SpeechCellKind::SpokenNumber:
    case SpeechCellKind::PhraseSelector:
        return cell.Variable;
    default:
        return stored;
    }
}

} // namespace k7
