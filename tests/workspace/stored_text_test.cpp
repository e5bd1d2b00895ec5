// What the stored-text guard refuses in each kind of field, and the one
// message it gives for each refusal.
#include "tests/support/scripted_ui.h"
#include "workspace/stored_text.h"

#include <gtest/gtest.h>

using namespace k7;

namespace {

struct Refusal {
    std::string text;
    StoredField field;
    std::size_t maxLength;
    std::string message; // empty: stored as it is
};

TEST(StoredText, EachFieldRefusesWhatTheFileCannotHold) {
    const std::string bar = "The character \"|\" cannot be used here.";
    const std::string lineBreak = "A line break cannot be used here.";
    const Refusal cases[] = {
        {"Tank.Level", StoredField::Inside, 0, ""},
        {"", StoredField::LineStart, 0, ""},
        {"a|b", StoredField::Inside, 0, bar},
        {"a|b", StoredField::Notes, 0, bar},
        {"a\rb", StoredField::Inside, 0, lineBreak},
        {"a\nb", StoredField::LineStart, 0, lineBreak},
        {"!Tank", StoredField::Inside, 0, ""},
        {"!Tank", StoredField::LineStart, 0, "The character \"!\" cannot begin this text."},
        {"~Tank", StoredField::LineStart, 0, "The character \"~\" cannot begin this text."},
        {"Tank!~", StoredField::LineStart, 0, ""},
        {"a\r\nb\rc\nd, ~!", StoredField::Notes, 0, ""},
        {"C:\\cal", StoredField::Notes, 0, "The character \"\\\" cannot be used in notes."},
        {"C:\\cal", StoredField::Inside, 0, ""},
        {std::string(40, 'x'), StoredField::Inside, 40, ""},
        {std::string(41, 'x'), StoredField::Inside, 40,
         "This text cannot be longer than 40 characters."},
        {std::string(300, 'x'), StoredField::Inside, 0, ""},
        {"\xC3\xA9\xFF", StoredField::LineStart, 0, ""},
    };
    for (const Refusal& c : cases) {
        test::ScriptedUi ui;
        EXPECT_EQ(RefuseStoredText(ui, c.text, c.field, c.maxLength), !c.message.empty()) << c.text;
        EXPECT_EQ(ui.Errors, c.message.empty() ? std::vector<std::string>{}
                                               : std::vector<std::string>{c.message})
            << c.text;
    }
}

TEST(StoredText, NotesComeBackWithCrLfLineBreaks) {
    EXPECT_EQ(NormalizedNotes("a\nb\rc\r\nd\n\r"), "a\r\nb\r\nc\r\nd\r\n\r\n");
    EXPECT_EQ(NormalizedNotes("plain"), "plain");
}

} // namespace
