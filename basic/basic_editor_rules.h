// The BASIC editor window's rules that need no window: file naming, the
// template, the closing question, find and replace, and the status line.
#pragma once

#include "basic/basic_errors.h"

#include <optional>
#include <string>
#include <vector>

namespace k7 {

inline constexpr const char* TemplateFileName = "K7Basic.Tpl";

// The name Save As writes: the chosen name with the extension of its file
// name replaced by ".BAS" (a "." in a folder name is kept).
std::string SaveAsName(const std::string& chosen);

// Save As writes name, which is not the file the person chose and exists:
// name + " already exists. Replace it?"
std::string ReplaceFileQuestion(const std::string& name);

// "K7 Text Editor - " + file name, or "K7 Text Editor - (untitled)".
std::string EditorCaption(const std::string& fileName);

// "File " + file name without folder + " has changed. Save now?"
std::string ClosingQuestion(const std::string& fileName);

// The template for New, looked for in the system folder (its name in any
// letter case); nothing when the installation lacks it.
std::optional<std::vector<std::string>> LoadTemplate(const std::string& systemFolder);

// The text of the editor as one string, lines ended by CR LF except the last.
std::string JoinLines(const std::vector<std::string>& lines);
std::vector<std::string> SplitLines(const std::string& text);

struct SearchOptions {
    bool MatchCase = false;
    bool WholeWord = false;
};

struct TextSelection {
    size_t Start = 0;
    size_t Length = 0;
    size_t End() const { return Start + Length; }
};

// The find dialogs start with the selection when it is 1 to 29 characters long.
std::string SearchPrefill(const std::string& selectedText);

// Searches forward from position; nothing when there is no further match.
std::optional<size_t> FindText(const std::string& text, const std::string& what, size_t from,
                               const SearchOptions& options);

// Replace: a selection that is not the search text moves to the next match
// first; only a match is replaced. With all, matches are replaced up to the
// end of the text. Yields the number of replacements; the selection is left
// on the last replacement. With edits, each replaced range is recorded in
// the text as the replacements before it left it, so that a text control
// can make the same edits one after another.
int ReplaceText(std::string& text, TextSelection& selection, const std::string& what,
                const std::string& with, const SearchOptions& options, bool all,
                std::vector<TextSelection>* edits = nullptr);

// Whole numbers with thousands separators: 12345 -> "12,345".
std::string WithThousands(long long value);

struct CaretPlace {
    int Row = 1;    // 1-based line
    int Column = 1; // 1-based column
};

// The line and column of a character offset; line ends count two characters.
CaretPlace CaretPlaceOf(const std::vector<std::string>& lines, size_t offset);

// The status line's first three panels: "Row: ", "Col: " and "Pos: ".
std::vector<std::string> CaretPanels(const std::vector<std::string>& lines, size_t offset);
std::vector<std::string> CaretPanelsAt(CaretPlace place, size_t offset);

// The offset the status line shows, from a position that counts each line
// end as one character (as a text control does) on the 0-based line.
size_t CrLfOffset(size_t plainPosition, int lineIndex);

// The compile panel while the last compile's errors are listed: the first
// message of the caret's line, or "OK".
std::string CompilePanelText(const std::vector<BasicError>& errors, int caretLine);

// One entry of the window's list of the last compile's errors:
// "Line " + 1-based line + ": " + message.
std::string ErrorListEntry(const BasicError& error);

struct EditMenuState {
    bool Paste = false;
    bool Undo = false;
    bool Cut = false;
    bool Copy = false;
    bool FindNext = false;
};

EditMenuState EditMenuFor(bool clipboardHasText, bool canUndo, bool hasSelection,
                          bool hasSearchText);

} // namespace k7
