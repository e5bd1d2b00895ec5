// The speech report editor: one report at a time in a grid titled "#",
// "LINE ENBL", "PHRASE 1" .. "PHRASE 14" (line 0 the titles, lines 1..n
// the report lines), the trigger fields above it, the "Variable Speech
// Format Definition" box, and the rules that store reports in the
// project's speech list.
#pragma once

#include "workspace/speech_record.h"
#include "workspace/stored_text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace k7 {

class Workspace;

constexpr int SpeechInitialLines = 19;
constexpr int SpeechGridColumns = SpeechLineCells + 1; // "#" first
constexpr int EnableColumn = 1;
constexpr int FirstPhraseColumn = 2;
constexpr const char* FormatBoxCaption = "Variable Speech Format Definition";
constexpr const char* NameReportMessage = "You must name the report before saving";
constexpr const char* BoardNumberMessage = "The board number must be 1 to 8";
constexpr const char* SemicolonRefusedMessage = "The character \";\" cannot be used here.";
constexpr const char* FormatMessage =
    "A format holds \"@\" for each digit, at most 255 before and 255 after one \".\"";

// The format box of a cell holding a variable: either a spoken number with
// its format, or a phrase selector with its first phrase.
struct FormatBox {
    bool Open = false;
    int Line = 0;
    int Column = 0;
    std::string Variable;
    bool Selector = false;
    std::string Format;  // of a spoken number
    uint32_t Phrase = 0; // of a selector
    std::string Text;    // what the box shows
};

class SpeechEditor {
  public:
    explicit SpeechEditor(Workspace& workspace);

    // The report names and the one selected among them.
    std::vector<std::string> ReportNames() const;
    void SelectEntry(std::optional<std::string> name) { selected_ = std::move(name); }

    // New, Edit, Save, Close, Delete. New and Edit ask before dropping edits.
    bool NewReport();
    bool EditReport();
    bool SaveReport();
    bool CloseEditor();
    bool DeleteReport();
    // Another project replaced the one under the editor (New, Open): the
    // form and the selection are dropped without a question, so nothing
    // of the old project is saved into the new one.
    void Reset();

    // The fields above the grid, typed or dropped on; false when refused.
    bool TypeName(const std::string& text);
    bool TypeTrigger(const std::string& text);
    bool TypeStop(const std::string& text);
    bool TypeLineTrigger(const std::string& text);
    bool TypeLineSelect(const std::string& text);
    bool TypeScanTrigger(const std::string& text);
    bool TypeBoard(const std::string& text);

    // Drops on grid cells (lines 1..n, columns 1..15).
    bool DropPhrase(int line, int column, int phrase);
    bool DropVariable(int line, int column, const std::string& name);
    // "Blank Cell", "Insert Line", "Delete Line".
    bool BlankCell(int line, int column);
    bool InsertLine(int line);
    bool DeleteLine(int line);

    // A click on a phrase cell holding a variable opens the format box.
    bool ClickCell(int line, int column);
    bool DropPhraseOnFormat(int phrase);
    bool TypeFormat(const std::string& text);
    // Stores the box's choice in its cell; false (the box stays open) when
    // a spoken number's format is refused.
    bool CloseFormatBox();
    const FormatBox& Box() const { return box_; }

    // What the grid shows and holds.
    int LineCount() const { return static_cast<int>(lines_.size()); }
    std::string Title(int column) const;
    std::string StoredCell(int line, int column) const;
    std::string ShownCell(int line, int column) const;

    const SpeechHeader& Header() const { return header_; }
    bool Changed() const { return changed_; }

  private:
    bool GridCell(int line, int column) const;
    std::string& Cell(int line, int column);
    bool TypeField(std::string& field, const std::string& text,
                   StoredField kind = StoredField::Inside);
    bool ConfirmAbandon();
    void RefreshNames();

    Workspace& workspace_;
    SpeechHeader header_;
    std::vector<SpeechLine> lines_;
    bool changed_ = false;
    FormatBox box_;
    std::optional<std::string> selected_;
};

} // namespace k7
