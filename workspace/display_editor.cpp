#include "workspace/display_editor.h"

#include "workspace/instance_editor.h"
#include "workspace/linescan.h"
#include "workspace/record_list.h"
#include "workspace/telemetry_arrays.h"
#include "workspace/workspace.h"

#include <algorithm>

namespace k7 {

DisplayEditor::DisplayEditor(Workspace& workspace) : workspace_(workspace) {}

bool DisplayEditor::ConfirmAbandon() {
    return !changed_ || workspace_.Ui().AskYesNo(AbandonQuestion);
}

void DisplayEditor::LoadSelected() {
    form_ = DisplayForm{};
    changed_ = false;
    const auto extents = RecordSpans(workspace_.project.Displays);
    if (selected_ < 0 || selected_ >= static_cast<int>(extents.size())) {
        selected_ = -1;
        return;
    }
    const RecordSpan extent = extents[selected_];
    const auto& displays = workspace_.project.Displays;
    form_.Header = ParseDisplayHeader(displays[extent.Header]);
    for (size_t i = extent.Header + 1; i < extent.End; ++i)
        form_.Lines.push_back(ParseDisplayLine(displays[i]));
}

bool DisplayEditor::Select(int index) {
    if (!ConfirmAbandon())
        return false;
    selected_ = index;
    LoadSelected();
    return selected_ == index;
}

bool DisplayEditor::NewDisplay() {
    if (!ConfirmAbandon())
        return false;
    selected_ = -1;
    LoadSelected();
    return true;
}

bool DisplayEditor::Refuse(const std::string& text, StoredField field) {
    return RefuseStoredText(workspace_.Ui(), text, field);
}

bool DisplayEditor::SetName(const std::string& name) {
    if (Refuse(name, StoredField::Inside))
        return false;
    form_.Header.Name = name;
    Edited();
    return true;
}

bool DisplayEditor::SetTrigger(const std::string& trigger) {
    if (Refuse(trigger, StoredField::Inside))
        return false;
    form_.Header.Trigger = trigger;
    Edited();
    return true;
}

void DisplayEditor::SetPort(int port) {
    form_.Header.Port = port;
    Edited();
}

void DisplayEditor::SetNumber(int number) {
    form_.Header.Number = number;
    Edited();
}

void DisplayEditor::SetFont(int font) {
    form_.Header.Font = font;
    Edited();
}

// For each new text, the old line whose fields it keeps (-1: none). Lines of
// the longest common run of texts keep their own; between two such lines the
// edited ones pair up by position.
static std::vector<int> MatchLines(const std::vector<DisplayLine>& old,
                                   const std::vector<std::string>& texts) {
    const size_t n = old.size();
    const size_t m = texts.size();
    // common[i][j]: length of the longest common run of old[i..] and texts[j..].
    std::vector<std::vector<int>> common(n + 1, std::vector<int>(m + 1, 0));
    for (size_t i = n; i-- > 0;)
        for (size_t j = m; j-- > 0;)
            common[i][j] = old[i].Text == texts[j] ? common[i + 1][j + 1] + 1
                                                   : std::max(common[i + 1][j], common[i][j + 1]);
    std::vector<int> match(m, -1);
    size_t i = 0;
    size_t j = 0;
    size_t gapOld = 0;
    size_t gapNew = 0;
    auto pairGap = [&] {
        for (size_t k = 0; gapOld + k < i && gapNew + k < j; ++k)
            match[gapNew + k] = static_cast<int>(gapOld + k);
    };
    while (i < n && j < m) {
        if (old[i].Text == texts[j] && common[i][j] == common[i + 1][j + 1] + 1) {
            pairGap();
            match[j] = static_cast<int>(i);
            gapOld = ++i;
            gapNew = ++j;
        } else if (common[i + 1][j] >= common[i][j + 1]) {
            ++i;
        } else {
            ++j;
        }
    }
    i = n;
    j = m;
    pairGap();
    return match;
}

bool DisplayEditor::SetText(const std::vector<std::string>& lines) {
    for (const auto& line : lines)
        if (Refuse(line, StoredField::LineStart))
            return false;
    const std::vector<int> match = MatchLines(form_.Lines, lines);
    std::vector<DisplayLine> edited(lines.size());
    for (size_t k = 0; k < lines.size(); ++k) {
        if (match[k] >= 0)
            edited[k] = form_.Lines[static_cast<size_t>(match[k])];
        edited[k].Text = lines[k];
    }
    form_.Lines = std::move(edited);
    Edited();
    return true;
}

bool DisplayEditor::InsertLine(int line) {
    if (line < 0 || line > static_cast<int>(form_.Lines.size()))
        return false;
    form_.Lines.insert(form_.Lines.begin() + line, DisplayLine{});
    Edited();
    return true;
}

bool DisplayEditor::DeleteLine(int line) {
    if (line < 0 || line >= static_cast<int>(form_.Lines.size()))
        return false;
    form_.Lines.erase(form_.Lines.begin() + line);
    Edited();
    return true;
}

bool DisplayEditor::SetField(int line, int field, const std::string& name) {
    if (line < 0 || line >= static_cast<int>(form_.Lines.size()) || field < 1 ||
        field > DisplayFieldCount)
        return false;
    if (Refuse(name, StoredField::Inside))
        return false;
    form_.Lines[line].Fields[field - 1] = name;
    Edited();
    return true;
}

bool DisplayEditor::DropTrigger(const std::string& name) {
    return SetTrigger(name);
}

std::vector<std::string> DisplayEditor::FormLines() const {
    std::vector<std::string> lines{DisplayHeaderLine(form_.Header)};
    for (const auto& line : form_.Lines)
        lines.push_back(DisplayBodyLine(line));
    return lines;
}

void DisplayEditor::AfterListChange() {
    workspace_.project.DisplayNames = RecordNames(workspace_.project.Displays);
    workspace_.MarkProjectChanged(ProjectPart::Displays);
}

bool DisplayEditor::Save() {
    if (form_.Header.Name.size() < 2) {
        workspace_.Ui().ShowError(DisplayNameMissingMessage);
        return false;
    }
    // Lines past the hundredth would be lost without a word.
    if (form_.Lines.size() > MaxDisplayLines) {
        workspace_.Ui().ShowError(DisplayTooLongMessage);
        return false;
    }
    auto& displays = workspace_.project.Displays;
    const auto extents = RecordSpans(displays);
    const std::vector<std::string> lines = FormLines();
    if (selected_ >= 0 && selected_ < static_cast<int>(extents.size())) {
        const RecordSpan old = extents[selected_];
        displays.erase(displays.begin() + old.Header, displays.begin() + old.End);
        displays.insert(displays.begin() + old.Header, lines.begin(), lines.end());
    } else {
        selected_ = static_cast<int>(extents.size());
        displays.insert(displays.end(), lines.begin(), lines.end());
    }
    changed_ = false;
    AfterListChange();
    return true;
}

bool DisplayEditor::Delete() {
    if (!workspace_.Ui().AskYesNo(DeleteQuestion))
        return false;
    const auto extents = RecordSpans(workspace_.project.Displays);
    if (selected_ < 0 || selected_ >= static_cast<int>(extents.size())) {
        workspace_.Ui().ShowError(SelectEntryMessage);
        return false;
    }
    auto& displays = workspace_.project.Displays;
    displays.erase(displays.begin() + extents[selected_].Header,
                   displays.begin() + extents[selected_].End);
    selected_ = -1;
    LoadSelected();
    AfterListChange();
    return true;
}

void DisplayEditor::Reset() {
    selected_ = -1;
    LoadSelected();
}

bool DisplayEditor::Abandon() {
    if (!ConfirmAbandon())
        return false;
    LoadSelected();
    return true;
}

} // namespace k7
