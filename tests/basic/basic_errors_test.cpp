#include "basic_test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace k7 {
namespace {

using namespace k7::test;
using Strings = std::vector<std::string>;

BasicCompileOutput Flow(const Strings& code) {
    return CompileLines(Concat(FlowHeader, code));
}

struct Expected {
    std::string Message;
    int Line;
};

void ExpectErrors(const BasicCompileOutput& output, const std::vector<Expected>& expected) {
    ASSERT_EQ(output.Errors.size(), expected.size())
        << (output.Errors.empty() ? std::string() : output.Errors[0].Message);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(output.Errors[i].Message, expected[i].Message);
        EXPECT_EQ(output.Errors[i].Line, expected[i].Line) << expected[i].Message;
    }
}

TEST(ErrorList, KeepsMessagesOfTheirOwnPassOnly) {
    BasicErrors errors;
    errors.SetPass(BasicPass::Layout);
    errors.AddError2("layout", 1);
    errors.ClearLineError();
    errors.AddError3("emitting", 2);
    EXPECT_TRUE(errors.LineError()); // abandons the line although not recorded
    errors.SetPass(BasicPass::Emitting);
    errors.AddError2("layout again", 1);
    errors.AddError3("emitting", 2);
    ASSERT_EQ(errors.Count(), 2);
    EXPECT_EQ(errors.List()[0].Message, "layout");
    EXPECT_EQ(errors.List()[1].Message, "emitting");
    errors.EraseErrors();
    EXPECT_EQ(errors.Count(), 0);
    EXPECT_FALSE(errors.LineError());
}

TEST(ErrorList, HoldsAtMostTwentyFiveMessagesOfSixtyCharacters) {
    Strings code(30, "123");
    code.push_back("FO = 1");
    const BasicCompileOutput output = Flow(code);
    ASSERT_EQ(output.Errors.size(), 25u);
    EXPECT_EQ(output.Errors[24].Line, FlowLine(24));
    EXPECT_EQ(CutErrorMessage(std::string(70, 'x')), std::string(60, 'x'));
    // A cut never splits a UTF-8 character.
    EXPECT_EQ(CutErrorMessage(std::string(59, 'x') + "\xC3\xA9yz"), std::string(59, 'x'));
}

TEST(LayoutPassMessages, Statements) {
    ExpectErrors(Flow({"FO = 1", "123"}), {{"Unrecognizable statement initiator", FlowLine(1)}});
    ExpectErrors(Flow({"FO = 1", "\"text\""}),
                 {{"Unrecognizable statement initiator", FlowLine(1)}});
    // An ELSE with no IF open has no end destination either.
    ExpectErrors(Flow({"FO = 1", "ELSE"}), {{"ELSE without preceding IF", FlowLine(1)},
                                            {"Cannot find ENDIF destination", FlowLine(1)}});
    ExpectErrors(Flow({"FO = 1", "ENDIF"}),
                 {{"End of IF block without IF statement", FlowLine(1)}});
    ExpectErrors(Flow({"FO = 1", "GOTO 100"}), {{"Invalid label for GOTO...100", FlowLine(1)}});
    ExpectErrors(Flow({"FO = 1", "GOSUB"}), {{"Invalid label for GOSUB...EOL", FlowLine(1)}});
    ExpectErrors(Flow({"L1:", "FO = 1", "L1: GOTO L1"}), {{"Duplicate label...L1", FlowLine(2)}});
    ExpectErrors(Flow({"FO = 1", "A.B = 1"}), {{"Error in variable name...A.B", FlowLine(1)}});
    ExpectErrors(Flow({"FO = A%$"}), {{"Error in variable name...A%$", FlowLine(0)}});
    ExpectErrors(Flow({"FO = 1", "FO 1"}), {{"Unrecognizable statement initiator", FlowLine(1)}});
    ExpectErrors(Flow({"FO(= 1"}), {{"Expected = in assignment statement", FlowLine(0)},
                                    {"Missing parenthesis above", FlowLine(0)}});
}

TEST(LayoutPassMessages, MissingThenIsFoundOnTheNextLine) {
    // The test expression reads the line end, and with it the next line:
    // the message belongs to that line, which is not compiled further.
    ExpectErrors(Flow({"IF II% > JI%", "X = 1", "FO = 2"}),
                 {{"Expect THEN token after test expression", FlowLine(1)}});
    ExpectErrors(Flow({"IF II% > JI% FO = 1", "FO = 2"}),
                 {{"Expect THEN token after test expression", FlowLine(0)}});
}

TEST(LayoutPassMessages, Parentheses) {
    ExpectErrors(Flow({"FO = (1 + II% : FO = 2", "FO = 3"}),
                 {{"Missing parenthesis", FlowLine(0)},
                  {"Missing parenthesis before assignment statement", FlowLine(1)}});
    ExpectErrors(Flow({"L:", "GOTO L )", "FO = 1", "FO = 2"}),
                 {{"Missing parenthesis before assignment statement", FlowLine(2)}});
    // Past the last line the statement goes on and reports its own fault.
    ExpectErrors(Flow({"FO = 1", "FO = (II%"}), {{"Missing parenthesis above", FlowLine(1)},
                                                 {"Missing parenthesis", FlowLine(1)}});
    ExpectErrors(Flow({"FO = (II% + 1", "END"}), {{"Missing parenthesis", FlowLine(1)},
                                                  {"Missing parenthesis above", FlowLine(1)}});
}

TEST(EmittingPassMessages, UsageOfNames) {
    ExpectErrors(Flow({"END"}), {{"Output variable..FO..never assigned value", 4}});
    ExpectErrors(Flow({"FO = X"}), {{"Local variable..X..never assigned value", FlowLine(0)}});
    // A local that is assigned but never read is reported at every assignment.
    ExpectErrors(Flow({"FO = 1", "X = 1", "X = 2"}),
                 {{"Local variable..X..not used in expression", FlowLine(1)},
                  {"Local variable..X..not used in expression", FlowLine(2)}});
    // Inputs need neither.
    EXPECT_TRUE(Flow({"FO = 1"}).Errors.empty());
}

TEST(EmittingPassMessages, Jumps) {
    ExpectErrors(Flow({"FO = 1", "GOTO NOWHERE"}), {{"Cannot find label NOWHERE", FlowLine(1)}});
    ExpectErrors(Flow({"FO = 1", "GOSUB NOWHERE"}), {{"Cannot find label NOWHERE", FlowLine(1)}});
}

TEST(EmittingPassMessages, IfDestinations) {
    // Only the innermost IF left open gets its destinations at the end.
    ExpectErrors(Flow({"IF II% THEN", "IF JI% THEN", "FO = 1"}),
                 {{"Missing ELSE destination", FlowLine(0)}});
    // The ELSE reads the line end first: the message belongs to the next line.
    ExpectErrors(Flow({"IF II% THEN", "FO = 1", "ELSE", "IF JI% THEN", "FO = 2"}),
                 {{"Cannot find ENDIF destination", FlowLine(3)}});
}

TEST(ErrorList, LayoutMessagesPrecedeEmittingMessages) {
    ExpectErrors(Flow({"GOTO NOWHERE", "FO = 1", "123"}),
                 {{"Unrecognizable statement initiator", FlowLine(2)},
                  {"Cannot find label NOWHERE", FlowLine(0)}});
}

TEST(ErrorList, ALineIsAbandonedAtItsFirstError) {
    ExpectErrors(Flow({"FO = 1", "A.B = C.D + \"x\" * 2"}),
                 {{"Error in variable name...A.B", FlowLine(1)}});
}

// Typed input of any kind ends in messages, never a crash or a hang.
TEST(Robustness, RandomBytesAndTokenSoup) {
    std::mt19937 random(7);
    const Strings tokens = {"IF",  "THEN", "ELSE", "ENDIF", "GOTO",  "GOSUB", "RETURN", "END", "(",
                            ")",   "[",    "]",    ",",     ":",     "=",     "<>",     "+",   "-",
                            "*",   "/",    "AND",  "OR",    "NOT",   "X",     "Y%",     "S$",  "FO",
                            "II%", "1",    "2.5",  "\"s",   "\"t\"", "LEFT$", "MID$",   "ABS", "'",
                            "#",   "L1",   "\t",   "1.2.3", "A.B"};
    for (int round = 0; round < 40; ++round) {
        Strings soup = FlowHeader;
        for (int line = 0; line < 60; ++line) {
            std::string text;
            const int length = static_cast<int>(random() % 12);
            for (int i = 0; i < length; ++i)
                text += tokens[random() % tokens.size()] + (random() % 3 ? " " : "");
            soup.push_back(text);
        }
        const BasicCompileOutput output = CompileLines(soup);
        EXPECT_LE(output.Errors.size(), 25u);
        for (const BasicError& error : output.Errors) {
            EXPECT_GE(error.Line, 0);
            EXPECT_LT(error.Line, static_cast<int>(soup.size()));
            EXPECT_LE(error.Message.size(), 60u);
        }
    }
    for (int round = 0; round < 20; ++round) {
        Strings bytes;
        for (int line = 0; line < 50; ++line) {
            std::string text;
            const int length = static_cast<int>(random() % 80);
            for (int i = 0; i < length; ++i)
                text += static_cast<char>(random() % 256);
            bytes.push_back(text);
        }
        if (round % 2)
            bytes.insert(bytes.begin() + 10, "#CODE");
        const BasicCompileOutput output = CompileLines(bytes);
        EXPECT_LE(output.Errors.size(), 25u);
    }
}

TEST(Robustness, LongProgramsAndLongLines) {
    Strings code;
    for (int i = 0; i < 10000; ++i)
        code.push_back("FO = FO + " + std::to_string(i % 97) + " * II%");
    code.push_back("FO = " + std::string(240, '(') + "1" + std::string(240, ')') + " + " +
                   std::string(10, 'Z') + "%");
    code.push_back(std::string(10, 'Z') + "% = 1");
    const BasicCompileOutput output = Flow(code);
    EXPECT_TRUE(output.Errors.empty()) << output.Errors[0].Message;
    EXPECT_EQ(output.Constants.size(), 97u);
}

} // namespace
} // namespace k7
