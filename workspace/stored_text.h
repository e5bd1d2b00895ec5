// The one place that knows what the project file's line format lets a
// stored text hold. Every editor passes typed or dropped text through it
// before storing it in the Project, so that whatever an editor accepts is
// read back the same when the project is opened again.
//
// The format: every field sits inside one "|"-separated line; a line that
// begins with "!" ends a section and one that begins with "~" begins a
// record; notes keep their line breaks as the one "\" the format has.
#pragma once

#include <cstddef>
#include <string>

namespace k7 {

class UserInterface;

enum class StoredField {
    // A field inside a stored line: no "|", no line break.
    Inside,
    // A text that begins a stored line, or a name that can reach the start
    // of one (a speech line's enable cell): also no leading "!" or "~".
    LineStart,
    // Notes: line breaks are kept (CR LF, CR or LF, each written as "\"), so
    // a typed "\" would come back as a line break.
    Notes,
};

constexpr const char* BarRefusedMessage = "The character \"|\" cannot be used here.";
constexpr const char* LineBreakRefusedMessage = "A line break cannot be used here.";
constexpr const char* BackslashRefusedMessage = "The character \"\\\" cannot be used in notes.";
constexpr const char* LeadingBangMessage = "The character \"!\" cannot begin this text.";
constexpr const char* LeadingTildeMessage = "The character \"~\" cannot begin this text.";

// "This text cannot be longer than N characters."
std::string TooLongMessage(std::size_t maxLength);

// Why text cannot be stored in such a field; empty when it can. A maxLength
// of 0 sets no limit.
std::string StoredTextRefusal(const std::string& text, StoredField field,
                              std::size_t maxLength = 0);
// Shows the refusal and returns true; false for text that may be stored.
bool RefuseStoredText(UserInterface& ui, const std::string& text, StoredField field,
                      std::size_t maxLength = 0);

// Notes with every line break (CR LF, CR or a lone LF) as CR LF: what a
// project file gives back.
std::string NormalizedNotes(const std::string& notes);

} // namespace k7
