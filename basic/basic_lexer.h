// The BASIC lexer: cuts the source lines into fields, one at a time, and
// keeps the per-line state that the compiler's error handling relies on.
#pragma once

#include "basic/basic_errors.h"
#include "basic/basic_tokens.h"
#include "basic/basic_types.h"

#include <string>
#include <vector>

namespace k7 {

inline constexpr const char* CodeSection = "#CODE";

class BasicLexer {
  public:
    BasicLexer(const ReservedWordTable& words, BasicErrors& errors)
        : words_(words), errors_(errors) {}

    // Starts reading lines from the first; the current section is cleared.
    void StartPass(const std::vector<std::string>& lines);
    // The parenthesis balance and the keyword count start afresh with the code.
    void StartCode();

    // Makes the next source line current, or the end-of-source marker.
    void GetNewSourceLine();
    // Advances over spaces and tabs.
    void Eatblanks();
    // Advances to the next ":" at or after the position, else to the last character.
    void EatColon();
    // Reads the next field into Field().
    void GetField();

    const BasicField& Field() const { return field_; }

    // Character access for the declaration readers; '\0' once the line is exhausted.
    bool Exhausted() const { return pos_ >= line_.size(); }
    char CurrentChar() const { return Exhausted() ? '\0' : line_[pos_]; }
    void Advance() {
        if (!Exhausted())
            ++pos_;
    }
    // Restarts the current line at its first character.
    void RestartLine() { pos_ = 0; }

    const std::string& Section() const { return section_; }
    void SetSection(const std::string& section) { section_ = section; }
    bool InCode() const { return section_ == CodeSection; }

    // 0-based index of the current line; the end marker counts as the last line.
    int LineIndex() const { return nextLine_ > 0 ? static_cast<int>(nextLine_) - 1 : 0; }
    size_t NextLineIndex() const { return nextLine_; }
    bool AllLinesRead() const { return nextLine_ >= lines_->size(); }
    // Every line read and the last one exhausted.
    bool AtEndOfSource() const { return AllLinesRead() && Exhausted(); }

    // Fields other than "EOL" read from the current line so far.
    int FieldsOnLine() const { return fieldsOnLine_; }
    int KeywordCount() const { return keywordCount_; }
    int ParenBalance() const { return parenBalance_; }
    void ResetParenBalance() { parenBalance_ = 0; }

  private:
    void SkipToNextCodeLine();
    void CollectCharacters();
    void ReadStringLiteral();
    void ReadSymbol(char c);
    void LookUpKeyword();
    void TypeOfName();

    const ReservedWordTable& words_;
    BasicErrors& errors_;
    static inline const std::vector<std::string> noLines_{};
    const std::vector<std::string>* lines_ = &noLines_;

    std::string line_;
    size_t pos_ = 0; // 0-based; the line is exhausted at line_.size()
    size_t nextLine_ = 0;
    bool endReached_ = false;
    std::string section_;
    BasicField field_;
    int fieldsOnLine_ = 0;
    int keywordCount_ = 0;
    int parenBalance_ = 0;
};

} // namespace k7
