// The BASIC editor window's model ("K7 Text Editor"): the text, its file
// and compile names, the Compile command and the status line. The desktop
// program adapts it to a text control; messages go through UserInterface.
#pragma once

#include "basic/basic_build.h"
#include "basic/basic_editor_rules.h"
#include "workspace/user_interface.h"

#include <optional>
#include <string>
#include <vector>

namespace k7 {

// The answers to the closing question.
enum class SaveAnswer { Yes, No, Cancel };

class BasicEditor {
  public:
    BasicEditor(std::string systemFolder, std::string basicFolder);

    // Opening the window, on a library file when one is given.
    bool OpenWindow(const std::string& libraryFile, UserInterface& ui);
    // File menu. New and Open ask before dropping modified text.
    bool New(UserInterface& ui);
    bool Open(UserInterface& ui);
    bool LoadFile(const std::string& path, UserInterface& ui);
    bool Save(UserInterface& ui);
    bool SaveAs(UserInterface& ui);
    // Closing: the question to ask (Yes, No, Cancel) when the text is
    // modified; then the answer given. True when the window may close.
    std::optional<std::string> CloseQuestion() const;
    bool AnswerClose(SaveAnswer answer, UserInterface& ui);
    // Closing the window: asks the question with Yes, No and Cancel when the
    // text is modified and acts on the answer. True when the window may close.
    bool Close(UserInterface& ui);

    // The Compile button.
    void Button1Click(UserInterface& ui);

    // The text as the user edits it.
    const std::vector<std::string>& Lines() const { return lines_; }
    void EditText(const std::vector<std::string>& lines);
    // A text control that holds the text as the person types hands it over
    // before a command reads it, with its own modified flag.
    void TakeText(const std::vector<std::string>& lines, bool modified);
    bool Modified() const { return modified_; }
    const std::string& FileName() const { return fileName_; }
    const std::string& CompileName() const { return compileName_; }
    std::string Caption() const { return EditorCaption(fileName_); }

    // Caret and selection, as offsets into the text with CR LF line ends.
    // Moving the caret after a compile with errors shows the message of the
    // caret's line in the compile panel.
    void Select(size_t start, size_t length);
    const TextSelection& Selection() const { return selection_; }
    size_t Caret() const { return selection_.End(); }

    // Find and Replace; false/0 when nothing matched (the window beeps).
    std::string SearchText;
    SearchOptions Options;
    bool FindNext();
    int Replace(const std::string& with, bool all);

    // Status line: "Row: ", "Col: ", "Pos: " and the compile panel.
    std::vector<std::string> StatusPanels() const;
    const std::vector<BasicError>& Errors() const { return errors_; }
    // Ranges of the text shown red; all other text is black.
    const std::vector<TextRange>& RedRanges() const { return redRanges_; }

  private:
    FileChoice SourceChoice(const std::string& title) const;
    bool ConfirmAbandon(UserInterface& ui) const;
    void ResetText(const std::vector<std::string>& lines);

    std::string systemFolder_;
    std::string basicFolder_;
    std::vector<std::string> lines_;
    std::string fileName_;
    std::string compileName_;
    bool modified_ = false;
    TextSelection selection_;
    std::vector<BasicError> errors_;
    std::vector<TextRange> redRanges_;
    std::string compileStatus_;
    bool caretMovedSinceCompile_ = false;
};

} // namespace k7
