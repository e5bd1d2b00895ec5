// Small value types shared by every stage of the BASIC compiler.
#pragma once

#include <string>

namespace k7 {

// The type of a value, a name or a literal; Invalid marks a bad name.
enum class BasicType { Integer, Float, String, Invalid };

// What kind of token the lexer left as the current field.
enum class FieldKind {
    None,    // nothing read: the line is exhausted
    Number,  // digits and "."; string literals are Numbers too
    Name,    // holds at least one letter-class character
    Symbol,  // one character that is not a reserved word
    Keyword, // a reserved word, a comparison, or the end-of-line field "EOL"
};

// The current field as the lexer leaves it.
struct BasicField {
    std::string Text; // upper case except inside string literals
    FieldKind Kind = FieldKind::None;
    BasicType Type = BasicType::Integer;

    bool IsKeyword(const char* word) const { return Kind == FieldKind::Keyword && Text == word; }
    bool IsStringLiteral() const { return Kind == FieldKind::Number && Type == BasicType::String; }
    bool IsEndOfLine() const { return IsKeyword("EOL"); }
};

// The layout pass learns addresses and reports syntax and type errors; the
// emitting pass writes the code words and reports usage errors.
enum class BasicPass { Layout, Emitting };

} // namespace k7
