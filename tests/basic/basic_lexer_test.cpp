#include "basic/basic_lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace k7 {
namespace {

struct Lexed {
    std::string Text;
    FieldKind Kind;
    BasicType Type;
};

// Reads every field of some code lines, as the code driver would.
class CodeLexer {
  public:
    explicit CodeLexer(std::vector<std::string> lines) : lines_(std::move(lines)) {
        lexer_.StartPass(lines_);
        lexer_.SetSection(CodeSection);
        lexer_.StartCode();
        lexer_.GetNewSourceLine();
    }

    std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (const Lexed& field : Fields())
            texts.push_back(field.Text);
        return texts;
    }

    std::vector<Lexed> Fields() {
        // Up to the line end of the last line, which reads as "EOL".
        std::vector<Lexed> fields;
        for (int guard = 0; guard < 10000; ++guard) {
            lexer_.GetField();
            fields.push_back({lexer_.Field().Text, lexer_.Field().Kind, lexer_.Field().Type});
            if (lexer_.Field().IsEndOfLine() && lexer_.AtEndOfSource())
                break;
        }
        return fields;
    }

    Lexed First() {
        lexer_.GetField();
        return {lexer_.Field().Text, lexer_.Field().Kind, lexer_.Field().Type};
    }

    BasicLexer& Lexer() { return lexer_; }
    BasicErrors& Errors() { return errors_; }

  private:
    std::vector<std::string> lines_;
    ReservedWordTable words_;
    BasicErrors errors_;
    BasicLexer lexer_{words_, errors_};
};

TEST(ReservedWords, HoldsTheSeventyFourEntriesInTableOrder) {
    const std::vector<std::string> expected = {
        "\"",      "#",      "&",      "(",     ")",    "*",   "+",     ",",    "-",     "/",
        ":",       ";",      "<",      "=",     ">",    "?",   "@",     "[",    "]",     "^",
        "{",       "}",      "ABS",    "AND",   "ASC",  "ATN", "CHR$",  "COS",  "DATA",  "DIM",
        "END",     "EXP",    "ELSE",   "ENDIF", "FOR",  "GET", "GOSUB", "GOTO", "IF",    "INT",
        "LEFT$",   "LEN",    "LOG10",  "MID$",  "NEXT", "NOT", "EOL",   "OR",   "PRINT", "READ",
        "RESTORE", "RETURN", "RIGHT$", "RND",   "SGN",  "SQR", "STEP",  "STR$", "TAN",   "THEN",
        "TO",      "VAL",    "XOR",    "BGT",   "BGE",  "BEQ", "BLT",   "BLE",  "BNE",   "SIN",
        "ATAN",    "ACOS",   "ASIN",   "LN"};
    ReservedWordTable table;
    ASSERT_EQ(table.Entries().size(), 74u);
    EXPECT_EQ(table.Entries(), expected);
    EXPECT_TRUE(table.Contains("XOR"));
    EXPECT_FALSE(table.Contains("xor")); // the lexer folds case before looking up
    EXPECT_FALSE(table.Contains("SPEED"));
}

TEST(Lexer, ComparisonsBecomeKeywords) {
    EXPECT_EQ(CodeLexer({"IF A<>B THEN"}).Texts(),
              (std::vector<std::string>{"IF", "A", "BNE", "B", "THEN", "EOL"}));
    EXPECT_EQ(CodeLexer({"X=>1"}).Texts(), (std::vector<std::string>{"X", "BGE", "1", "EOL"}));
    EXPECT_EQ(CodeLexer({"a<b>c=d<=e=<f>=g><h"}).Texts(),
              (std::vector<std::string>{"A", "BLT", "B", "BGT", "C", "BEQ", "D", "BLE", "E", "BLE",
                                        "F", "BGE", "G", "BNE", "H", "EOL"}));
    EXPECT_EQ(CodeLexer({"=="}).Texts(), (std::vector<std::string>{"BEQ", "BEQ", "EOL"}));
    EXPECT_EQ(CodeLexer({">"}).Fields()[0].Kind, FieldKind::Keyword);
}

TEST(Lexer, NamesAreTypedByTheirMarks) {
    struct Case {
        const char* Source;
        FieldKind Kind;
        BasicType Type;
    };
    const Case cases[] = {
        {"Total$", FieldKind::Name, BasicType::String},
        {"N%", FieldKind::Name, BasicType::Integer},
        {"N%%", FieldKind::Name, BasicType::Integer},
        {"N!!", FieldKind::Name, BasicType::Integer},
        {"Speed", FieldKind::Name, BasicType::Float},
        {"A%$", FieldKind::Name, BasicType::Invalid},
        {"A.B", FieldKind::Name, BasicType::Invalid},
        {"N%%%", FieldKind::Name, BasicType::Invalid},
        {"N!!!", FieldKind::Name, BasicType::Invalid},
        {"A$$", FieldKind::Name, BasicType::String},
        {"1E5", FieldKind::Name, BasicType::Float},
        {"2B", FieldKind::Name, BasicType::Float},
        {"A1", FieldKind::Name, BasicType::Float},
        {"12", FieldKind::Number, BasicType::Integer},
        {"1.5", FieldKind::Number, BasicType::Float},
        {".5", FieldKind::Number, BasicType::Float},
        {"ABS", FieldKind::Keyword, BasicType::Integer},
        {"@", FieldKind::Keyword, BasicType::Integer},
        {"~", FieldKind::Symbol, BasicType::Integer},
    };
    for (const Case& c : cases) {
        const Lexed field = CodeLexer({c.Source}).First();
        EXPECT_EQ(field.Kind, c.Kind) << c.Source;
        EXPECT_EQ(field.Type, c.Type) << c.Source;
    }
}

TEST(Lexer, FoldsLettersButNotStringLiterals) {
    const std::vector<Lexed> fields = CodeLexer({"msg$ = \"Hello, World\" + x"}).Fields();
    ASSERT_EQ(fields.size(), 6u);
    EXPECT_EQ(fields[0].Text, "MSG$");
    EXPECT_EQ(fields[2].Text, "'Hello, World");
    EXPECT_EQ(fields[2].Kind, FieldKind::Number);
    EXPECT_EQ(fields[2].Type, BasicType::String);
    EXPECT_EQ(fields[4].Text, "X");
}

TEST(Lexer, StringLiteralEdgeCases) {
    // Unclosed: ends at the line end without complaint.
    EXPECT_EQ(CodeLexer({"\"abc"}).Texts(), (std::vector<std::string>{"'abc", "EOL"}));
    // A name run into a quote is dropped: the field is the literal.
    EXPECT_EQ(CodeLexer({"NAME\"lit\" X"}).Texts(), (std::vector<std::string>{"'lit", "X", "EOL"}));
    // An apostrophe inside quotes is text, not a comment.
    EXPECT_EQ(CodeLexer({"\"it's\" 1"}).Texts(), (std::vector<std::string>{"'it's", "1", "EOL"}));
    EXPECT_EQ(CodeLexer({"\"\""}).Texts(), (std::vector<std::string>{"'", "EOL"}));
}

TEST(Lexer, CommentsAndEmptyLinesReadAsOneEndOfLine) {
    EXPECT_EQ(CodeLexer({"A ' note", "' comment", "", "   \t ", "B"}).Texts(),
              (std::vector<std::string>{"A", "EOL", "B", "EOL"}));
    EXPECT_EQ(CodeLexer({"A", "' trailing comment"}).Texts(),
              (std::vector<std::string>{"A", "EOL"}));
}

TEST(Lexer, BlanksSeparateFieldsAndSymbolsEndThem) {
    EXPECT_EQ(CodeLexer({"AB CD(1,2)"}).Texts(),
              (std::vector<std::string>{"AB", "CD", "(", "1", ",", "2", ")", "EOL"}));
    EXPECT_EQ(CodeLexer({"\tX\t=\t1"}).Texts(), (std::vector<std::string>{"X", "BEQ", "1", "EOL"}));
}

TEST(Lexer, BinaryBytesBecomeSymbols) {
    const std::string bytes{'A', '\x01', '\xC3', '\xA9', '\x7F'};
    const std::vector<Lexed> fields = CodeLexer({bytes}).Fields();
    ASSERT_EQ(fields.size(), 6u);
    EXPECT_EQ(fields[0].Text, "A");
    EXPECT_EQ(fields[1].Kind, FieldKind::Symbol);
    EXPECT_EQ(fields[2].Text, std::string(1, '\xC3'));
    EXPECT_EQ(fields[4].Kind, FieldKind::Symbol);
    EXPECT_EQ(fields[5].Text, "EOL");
}

TEST(Lexer, CountsKeywordsPerLineAndParenthesesThroughout) {
    CodeLexer code({"IF (A THEN ELSE", "B(["});
    BasicLexer& lexer = code.Lexer();
    for (int i = 0; i < 5; ++i)
        lexer.GetField();
    EXPECT_EQ(lexer.Field().Text, "ELSE");
    EXPECT_EQ(lexer.KeywordCount(), 4);
    EXPECT_EQ(lexer.FieldsOnLine(), 5);
    lexer.GetField(); // EOL: a new line begins
    EXPECT_EQ(lexer.KeywordCount(), 0);
    EXPECT_EQ(lexer.FieldsOnLine(), 0);
    lexer.GetField();
    EXPECT_EQ(lexer.FieldsOnLine(), 1);
    lexer.GetField();
    lexer.GetField();
    EXPECT_EQ(lexer.ParenBalance(), 3);
}

TEST(Lexer, UnbalancedParenthesesAreReportedOnceAtTheEnd) {
    CodeLexer code({"X = (1", "Y = 2"});
    code.Errors().SetPass(BasicPass::Layout);
    code.Fields();
    code.Lexer().GetField(); // reading past the end again reports nothing new
    ASSERT_EQ(code.Errors().Count(), 1);
    EXPECT_EQ(code.Errors().List()[0].Message, "Missing parenthesis above");
    EXPECT_EQ(code.Errors().List()[0].Line, 1);
}

TEST(Lexer, OutsideCodeAnExhaustedLineYieldsNothing) {
    std::vector<std::string> lines = {"Speed:SPD"};
    ReservedWordTable words;
    BasicErrors errors;
    BasicLexer lexer(words, errors);
    lexer.StartPass(lines);
    lexer.GetNewSourceLine();
    lexer.GetField();
    EXPECT_EQ(lexer.Field().Text, "SPEED");
    lexer.EatColon();
    EXPECT_EQ(lexer.CurrentChar(), ':');
    lexer.Advance();
    lexer.GetField();
    EXPECT_EQ(lexer.Field().Text, "SPD");
    lexer.GetField();
    EXPECT_EQ(lexer.Field().Kind, FieldKind::None);
    EXPECT_TRUE(lexer.Field().Text.empty());
}

TEST(Lexer, EatColonWithoutColonStopsAtTheLastCharacter) {
    std::vector<std::string> lines = {"abc"};
    ReservedWordTable words;
    BasicErrors errors;
    BasicLexer lexer(words, errors);
    lexer.StartPass(lines);
    lexer.GetNewSourceLine();
    lexer.EatColon();
    EXPECT_EQ(lexer.CurrentChar(), 'c');
    lexer.Advance();
    EXPECT_TRUE(lexer.Exhausted());
    lexer.EatColon(); // already past the end: stays there
    EXPECT_TRUE(lexer.Exhausted());
}

TEST(Lexer, LongLinesAreReadWhole) {
    const std::string name(500, 'Q');
    const std::vector<Lexed> fields = CodeLexer({name + " = 1"}).Fields();
    ASSERT_EQ(fields.size(), 4u);
    EXPECT_EQ(fields[0].Text, name);
}

} // namespace
} // namespace k7
