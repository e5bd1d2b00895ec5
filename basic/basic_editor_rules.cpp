#include "basic/basic_editor_rules.h"

#include "workspace/text_file.h"

#include <algorithm>

namespace k7 {

namespace {

char Fold(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsWordCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool MatchesAt(const std::string& text, size_t at, const std::string& what,
               const SearchOptions& options) {
    if (at + what.size() > text.size())
        return false;
    for (size_t i = 0; i < what.size(); ++i) {
        const char a = text[at + i];
        const char b = what[i];
        if (options.MatchCase ? a != b : Fold(a) != Fold(b))
            return false;
    }
    if (!options.WholeWord)
        return true;
    const bool startsWord = at == 0 || !IsWordCharacter(text[at - 1]);
    const size_t end = at + what.size();
    const bool endsWord = end == text.size() || !IsWordCharacter(text[end]);
    return startsWord && endsWord;
}

} // namespace

std::string SaveAsName(const std::string& chosen) {
    return ReplaceExtension(chosen, "BAS");
}

std::string ReplaceFileQuestion(const std::string& name) {
    return name + " already exists. Replace it?";
}

std::string EditorCaption(const std::string& fileName) {
    return "K7 Text Editor - " + (fileName.empty() ? std::string("(untitled)") : fileName);
}

std::string ClosingQuestion(const std::string& fileName) {
    const std::string shown = fileName.empty() ? std::string("(untitled)") : FileNamePart(fileName);
    return "File " + shown + " has changed. Save now?";
}

std::optional<std::vector<std::string>> LoadTemplate(const std::string& systemFolder) {
    const std::string path =
        FindFileIgnoringCase(WithTrailingSeparator(systemFolder), TemplateFileName);
    TextFile file = ReadTextLines(path);
    if (!file.Ok)
        return std::nullopt;
    return file.Lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    return text;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    if (text.empty())
        return lines;
    size_t start = 0;
    for (;;) {
        size_t end = text.find('\n', start);
        size_t length = (end == std::string::npos ? text.size() : end) - start;
        if (length > 0 && text[start + length - 1] == '\r')
            --length;
        lines.push_back(text.substr(start, length));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

std::string SearchPrefill(const std::string& selectedText) {
    return selectedText.size() >= 1 && selectedText.size() <= 29 ? selectedText : std::string();
}

std::optional<size_t> FindText(const std::string& text, const std::string& what, size_t from,
                               const SearchOptions& options) {
    if (what.empty())
        return std::nullopt;
    for (size_t at = from; at + what.size() <= text.size(); ++at)
        if (MatchesAt(text, at, what, options))
            return at;
    return std::nullopt;
}

int ReplaceText(std::string& text, TextSelection& selection, const std::string& what,
                const std::string& with, const SearchOptions& options, bool all,
                std::vector<TextSelection>* edits) {
    int replaced = 0;
    // An empty search text matches nothing.
    if (what.empty())
        return replaced;
    for (;;) {
        const bool selectionIsMatch =
            selection.Length == what.size() && MatchesAt(text, selection.Start, what, options);
        if (!selectionIsMatch) {
            const std::optional<size_t> next = FindText(text, what, selection.End(), options);
            if (!next)
                return replaced;
            selection = {*next, what.size()};
        }
        if (edits)
            edits->push_back(selection);
        text.replace(selection.Start, selection.Length, with);
        selection.Length = with.size();
        ++replaced;
        if (!all)
            return replaced;
        // The next search starts after the replacement, so a replacement
        // that holds the search text is not replaced again.
        const std::optional<size_t> next = FindText(text, what, selection.End(), options);
        if (!next)
            return replaced;
        selection = {*next, what.size()};
    }
}

std::string WithThousands(long long value) {
    const unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                                   : static_cast<unsigned long long>(value);
    const std::string digits = std::to_string(magnitude);
    std::string text = value < 0 ? std::string(1, '-') : std::string();
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

CaretPlace CaretPlaceOf(const std::vector<std::string>& lines, size_t offset) {
    CaretPlace place;
    size_t lineStart = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const size_t lineEnd = lineStart + lines[i].size();
        if (offset <= lineEnd || i + 1 == lines.size()) {
            place.Row = static_cast<int>(i) + 1;
            place.Column = static_cast<int>(std::min(offset, lineEnd) - lineStart) + 1;
            return place;
        }
        lineStart = lineEnd + 2;
    }
    return place;
}

std::vector<std::string> CaretPanels(const std::vector<std::string>& lines, size_t offset) {
    return CaretPanelsAt(CaretPlaceOf(lines, offset), offset);
}

std::vector<std::string> CaretPanelsAt(CaretPlace place, size_t offset) {
    return {"Row: " + WithThousands(place.Row), "Col: " + WithThousands(place.Column),
            "Pos: " + WithThousands(static_cast<long long>(offset))};
}

size_t CrLfOffset(size_t plainPosition, int lineIndex) {
    return plainPosition + static_cast<size_t>(std::max(lineIndex, 0));
}

std::string ErrorListEntry(const BasicError& error) {
    return "Line " + WithThousands(error.Line + 1) + ": " + error.Message;
}

std::string CompilePanelText(const std::vector<BasicError>& errors, int caretLine) {
    for (const BasicError& error : errors)
        if (error.Line == caretLine)
            return error.Message;
    return "OK";
}

EditMenuState EditMenuFor(bool clipboardHasText, bool canUndo, bool hasSelection,
                          bool hasSearchText) {
    return {clipboardHasText, canUndo, hasSelection, hasSelection, hasSearchText};
}

} // namespace k7
