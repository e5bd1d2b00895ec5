#include "basic/basic_lexer.h"

namespace k7 {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsUpperLetter(char c) {
    return c >= 'A' && c <= 'Z';
}
char FoldCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The comparison written by c and the character after it.
std::string ComparisonKeyword(char c, char next) {
    if (c == '=') {
        if (next == '<')
            return "BLE";
        if (next == '>')
            return "BGE";
        return "BEQ";
    }
    if (c == '<') {
        if (next == '>')
            return "BNE";
        if (next == '=')
            return "BLE";
        return "BLT";
    }
    if (next == '<')
        return "BNE";
    if (next == '=')
        return "BGE";
    return "BGT";
}

} // namespace

void BasicLexer::StartPass(const std::vector<std::string>& lines) {
    lines_ = &lines;
    line_.clear();
    pos_ = 0;
    nextLine_ = 0;
    endReached_ = false;
    section_.clear();
    field_ = {};
    fieldsOnLine_ = 0;
}

void BasicLexer::StartCode() {
    parenBalance_ = 0;
    keywordCount_ = 0;
}

void BasicLexer::GetNewSourceLine() {
    keywordCount_ = 0;
    fieldsOnLine_ = 0;
    pos_ = 0;
    if (!AllLinesRead()) {
        line_ = (*lines_)[nextLine_];
        ++nextLine_;
    } else {
        line_.clear();
        // The end marker is reached once per pass; unbalanced parentheses of
        // the code are reported there and only there.
        if (!endReached_) {
            endReached_ = true;
            if (parenBalance_ != 0)
                errors_.AddError2("Missing parenthesis above", LineIndex());
        }
    }
    // Cleared after the end-of-source report too: the statement being read
    // goes on and reports its own fault.
    errors_.ClearLineError();
}

void BasicLexer::Eatblanks() {
    while (!Exhausted() && IsBlank(line_[pos_]))
        ++pos_;
}

void BasicLexer::EatColon() {
    if (Exhausted())
        return;
    size_t colon = line_.find(':', pos_);
    pos_ = colon == std::string::npos ? line_.size() - 1 : colon;
}

void BasicLexer::GetField() {
    field_ = {};
    Eatblanks();
    if (InCode() && (Exhausted() || line_[pos_] == '\'')) {
        // In code every line end and every comment reads as one "EOL".
        SkipToNextCodeLine();
        field_.Text = "EOL";
        field_.Kind = FieldKind::Keyword;
        return;
    }
    CollectCharacters();
    if (field_.Kind == FieldKind::Name || field_.Kind == FieldKind::Symbol ||
        field_.Kind == FieldKind::Keyword)
        LookUpKeyword();
    if (field_.Kind == FieldKind::Name)
        TypeOfName();
    if (field_.Kind != FieldKind::None)
        ++fieldsOnLine_;
    Eatblanks();
}

void BasicLexer::SkipToNextCodeLine() {
    do {
        GetNewSourceLine();
        Eatblanks();
    } while (!AllLinesRead() && (Exhausted() || line_[pos_] == '\''));
    // The last line may itself be a comment: it then yields nothing more.
    if (!Exhausted() && line_[pos_] == '\'')
        pos_ = line_.size();
}

void BasicLexer::CollectCharacters() {
    while (!Exhausted()) {
        const char c = FoldCase(line_[pos_]);
        if (c == '"') {
            ReadStringLiteral();
            return;
        }
        if (IsDigit(c) || c == '.') {
            field_.Text += c;
            if (field_.Kind == FieldKind::None || field_.Kind == FieldKind::Number)
                field_.Kind = FieldKind::Number;
            else
                field_.Kind = FieldKind::Name;
            if (c == '.')
                field_.Type = BasicType::Float;
            ++pos_;
        } else if (IsUpperLetter(c) || c == '_' || c == '!' || c == '$' || c == '%') {
            field_.Text += c;
            field_.Kind = FieldKind::Name;
            ++pos_;
        } else if (IsBlank(c)) {
            if (!field_.Text.empty())
                return;
            ++pos_;
        } else {
            if (field_.Text.empty())
                ReadSymbol(c);
            return;
        }
    }
}

void BasicLexer::ReadStringLiteral() {
    // Whatever was collected before the quote is dropped: the field is the literal.
    field_.Text.assign(1, '\'');
    field_.Type = BasicType::String;
    field_.Kind = FieldKind::Number;
    ++pos_;
    size_t close = line_.find('"', pos_);
    if (close == std::string::npos) {
        field_.Text.append(line_, pos_, std::string::npos);
        pos_ = line_.size();
        return;
    }
    field_.Text.append(line_, pos_, close - pos_);
    pos_ = close + 1;
}

void BasicLexer::ReadSymbol(char c) {
    const char next = pos_ + 1 < line_.size() ? line_[pos_ + 1] : ' ';
    if (c == '=' || c == '<' || c == '>') {
        field_.Text = ComparisonKeyword(c, next);
        field_.Kind = FieldKind::Keyword;
        pos_ += field_.Text[2] == 'E' ? 2 : 1;
        return;
    }
    field_.Text = std::string(1, c);
    field_.Kind = FieldKind::Symbol;
    ++pos_;
}

void BasicLexer::LookUpKeyword() {
    if (!words_.Contains(field_.Text))
        return;
    field_.Kind = FieldKind::Keyword;
    ++keywordCount_;
    if (field_.Text == "(" || field_.Text == "[")
        ++parenBalance_;
    else if (field_.Text == ")" || field_.Text == "]")
        --parenBalance_;
}

void BasicLexer::TypeOfName() {
    int percent = 0, bang = 0, dollar = 0, dots = 0;
    for (char c : field_.Text) {
        percent += c == '%';
        bang += c == '!';
        dollar += c == '$';
        dots += c == '.';
    }
    BasicType type = BasicType::Invalid;
    if (dots > 0)
        type = BasicType::Invalid;
    else if (percent == 0 && bang == 0 && dollar == 0)
        type = BasicType::Float;
    else if (percent <= 2 && bang == 0 && dollar == 0)
        type = BasicType::Integer;
    else if (bang <= 2 && percent == 0 && dollar == 0)
        type = BasicType::Integer;
    else if (dollar >= 1 && percent == 0 && bang == 0)
        type = BasicType::String;
    field_.Type = type;
}

} // namespace k7
