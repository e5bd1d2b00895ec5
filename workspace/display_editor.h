// The LCD display editor: one display at a time is edited as a form (name,
// port, DSP number, font size, trigger, text lines with the names that
// fill their "@" places) and stored in the project as a header line and
// one line per text line. The place rules here are shared with the
// display compile.
#pragma once

#include "workspace/display_record.h"
#include "workspace/project.h"

#include <array>
#include <string>
#include <vector>

namespace k7 {

class Workspace;

constexpr int MaxDisplayLines = 100;
constexpr const char* DisplayTextHint =
    "Display text...use @@.@  where variable data should appear.";
constexpr const char* DisplayPlaceHint = "Use @T for trend, @E for event log, @H for hor bar.";
constexpr const char* DisplayNameMissingMessage = "You must name the display before saving";
constexpr const char* DisplayTooLongMessage = "A display can have at most 100 lines.";

// The display editor's form.
struct DisplayForm {
    DisplayHeader Header;
    std::vector<DisplayLine> Lines;
};

class DisplayEditor {
  public:
    explicit DisplayEditor(Workspace& workspace);
    DisplayEditor(const DisplayEditor&) = delete;
    DisplayEditor& operator=(const DisplayEditor&) = delete;

    // Picks display `index` of the name list (asks before dropping edits).
    bool Select(int index);
    // An empty form for a new display (asks before dropping edits).
    bool NewDisplay();

    // Typing into the form. Texts the project file cannot hold are refused
    // with a message.
    bool SetName(const std::string& name);
    bool SetTrigger(const std::string& trigger);
    void SetPort(int port);
    void SetNumber(int number);
    void SetFont(int font);
    // The memo's whole text, one text per line. Old and new lines are
    // matched by text, in order: an unchanged line keeps its fields across
    // lines inserted or deleted around it, an edited line keeps the fields
    // of the line it replaced.
    bool SetText(const std::vector<std::string>& lines);
    // An empty line inserted before line `line` (0-based; the line count
    // appends), or line `line` deleted, with its fields.
    bool InsertLine(int line);
    bool DeleteLine(int line);
    // Field `field` (1..10) of text line `line` (0-based).
    bool SetField(int line, int field, const std::string& name);
    // A trigger name dragged onto the trigger field.
    bool DropTrigger(const std::string& name);

    bool Save();
    bool Delete();
    // Drops the form's edits, after the question when there are any.
    bool Abandon();
    // Another project replaced the one under the editor (New, Open): the
    // form and the selection are dropped without a question, so nothing
    // of the old project is saved into the new one.
    void Reset();

    const DisplayForm& Form() const { return form_; }
    int Selected() const { return selected_; }
    bool Changed() const { return changed_; }

  private:
    bool ConfirmAbandon();
    void LoadSelected();
    void Edited() { changed_ = true; }
    bool Refuse(const std::string& text, StoredField field);
    std::vector<std::string> FormLines() const;
    void AfterListChange();

    Workspace& workspace_;
    DisplayForm form_;
    int selected_ = -1; // index into the name list; -1 for a new display
    bool changed_ = false;
};

} // namespace k7
