#include "basic_test_support.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

using namespace k7::test;
using Strings = std::vector<std::string>;

BasicCompileOutput Flow(const Strings& code) {
    return CompileLines(Concat(FlowHeader, code));
}

// The code of an error-free module.
std::string FlowCode(const Strings& code) {
    const BasicCompileOutput output = Flow(code);
    EXPECT_TRUE(output.Errors.empty()) << output.Errors[0].Message;
    return CodeWords(output);
}

TEST(IfBlocks, ThenElseEndif) {
    EXPECT_EQ(FlowCode({"IF II% > JI% THEN", "FO = 1", "ELSE", "FO = 2", "ENDIF", "FO = 3"}),
              "t52|i0|t41|t52|i1|t42|t43|t46|t6|t63|f48|t51|c1|t62|t1|i2|t37|f5C|t51|c2|t62|t1|i2|"
              "t51|c3|t62|t1|i2|t22|");
}

TEST(IfBlocks, WithoutElseTheTestJumpsToTheEnd) {
    EXPECT_EQ(FlowCode({"IF II% THEN", "FO = 1", "ENDIF"}), "t52|i0|t63|f24|t51|c1|t62|t1|i2|t22|");
}

TEST(IfBlocks, ElseOfAnOuterIfJumpsToTheOuterEnd) {
    EXPECT_EQ(
        FlowCode({"IF II% THEN", "IF JI% THEN", "FO = 1", "ENDIF", "ELSE", "FO = 2", "ENDIF"}),
        "t52|i0|t63|f3C|t52|i1|t63|f34|t51|c1|t62|t1|i2|t37|f50|t51|c2|t62|t1|i2|t22|");
}

TEST(IfBlocks, AnIfLeftOpenEndsWithTheSource) {
    EXPECT_EQ(FlowCode({"IF II% THEN", "FO = 1"}), "t52|i0|t63|f24|t51|c1|t62|t1|i2|t22|");
}

TEST(IfBlocks, TwentyDeepIsTheLimit) {
    Strings twenty;
    for (int i = 0; i < 20; ++i)
        twenty.push_back("IF II% THEN");
    twenty.push_back("FO = 1");
    for (int i = 0; i < 20; ++i)
        twenty.push_back("ENDIF");
    EXPECT_TRUE(Flow(twenty).Errors.empty());

    Strings deeper(20, "IF II% THEN");
    deeper.push_back("IF JI% THEN FO = 2");
    deeper.push_back("FO = 1");
    for (int i = 0; i < 20; ++i)
        deeper.push_back("ENDIF");
    const BasicCompileOutput output = Flow(deeper);
    ASSERT_EQ(Messages(output), Strings{"IF statements nested more than 20 deep"});
    EXPECT_EQ(output.Errors[0].Line, FlowLine(20));
}

TEST(IfBlocks, AtMost998IfStatements) {
    Strings code(998, "IF II% THEN FO = 1");
    EXPECT_TRUE(Flow(code).Errors.empty());
    code.push_back("IF JI% THEN FO = 2");
    code.push_back("FO = 3");
    const BasicCompileOutput output = Flow(code);
    ASSERT_EQ(Messages(output), Strings{"More than 998 IF statements in one module"});
    EXPECT_EQ(output.Errors[0].Line, FlowLine(998));
}

TEST(SingleLineIf, ElseMayBeginTheNextLine) {
    EXPECT_EQ(FlowCode({"IF II% THEN FO = 1", "ELSE FO = 2", "FO = 3"}),
              "t52|i0|t63|f2C|t51|c1|t62|t1|i2|t37|f40|t51|c2|t62|t1|i2|t51|c3|t62|t1|i2|t22|");
}

TEST(SingleLineIf, EndsWithItsLine) {
    EXPECT_EQ(FlowCode({"IF II% THEN FO = 1", "FO = 2"}),
              "t52|i0|t63|f24|t51|c1|t62|t1|i2|t51|c2|t62|t1|i2|t22|");
}

TEST(SingleLineIf, ElseAfterAStatementThatReadsNoFurther) {
    // END leaves its own field current; the ELSE line still pairs with the IF.
    EXPECT_EQ(FlowCode({"IF II% THEN END", "ELSE FO = 1"}),
              "t52|i0|t63|f1C|t22|t37|f30|t51|c1|t62|t1|i2|t22|");
}

TEST(SingleLineIf, ElseOnTheSameLineBelongsToTheThenPart) {
    // The field after "FO = 1" (ELSE) is passed over: "FO = 2" runs in the THEN part.
    EXPECT_EQ(FlowCode({"IF II% THEN FO = 1 ELSE FO = 2"}),
              "t52|i0|t63|f38|t51|c1|t62|t1|i2|t51|c2|t62|t1|i2|t22|");
}

TEST(SingleLineIf, ElsePartRunsToTheEndOfItsLine) {
    EXPECT_EQ(FlowCode({"IF II% THEN FO = 1", "ELSE FO = 2 : FO = 3", "FO = 4"}),
              "t52|i0|t63|f2C|t51|c1|t62|t1|i2|t37|f54|t51|c2|t62|t1|i2|t51|c3|t62|t1|i2|t51|c4|"
              "t62|t1|i2|t22|");
}

TEST(SingleLineIf, NestedSingleLineIfsCloseOnlyTheInnerOne) {
    // The next line gives the most recent IF its else destination and closes
    // the innermost; the outer one stays open to the end of the source.
    EXPECT_EQ(FlowCode({"IF II% THEN IF JI% THEN FO = 1", "FO = 2"}),
              "t52|i0|t63|f48|t52|i1|t63|f34|t51|c1|t62|t1|i2|t51|c2|t62|t1|i2|t22|");
}

TEST(SingleLineIf, ElseMustBeFirstOnItsLine) {
    const BasicCompileOutput output = Flow({"IF II% THEN", "FO = 1", "ENDIF ELSE"});
    ASSERT_EQ(Messages(output), Strings{"ELSE must be first token on line"});
    EXPECT_EQ(output.Errors[0].Line, FlowLine(2));
}

TEST(Jumps, GosubReturnAndEnd) {
    EXPECT_EQ(FlowCode({"GOSUB SUB1", "END", "SUB1:", "FO = 1", "RETURN"}),
              "t38|t37|f10|t22|t51|c1|t62|t1|i2|t39|t22|");
}

TEST(Jumps, BackwardGoto) {
    EXPECT_EQ(FlowCode({"LOOP", "FO = 1", "GOTO LOOP"}), "t51|c1|t62|t1|i2|t37|f0|t22|");
    EXPECT_EQ(FlowCode({"L1: FO = 1", "GOTO L1"}), "t51|c1|t62|t1|i2|t37|f0|t22|");
}

TEST(Jumps, LabelsUsedBeforeTheirDefinitionPastNewLocals) {
    // New locals still take their operand word in the layout pass, so the
    // label's address agrees with the emitted code.
    EXPECT_EQ(FlowCode({"GOTO DONE", "X = 1", "FO = X", "DONE: END"}),
              "t37|f2C|t51|c1|t62|t1|r4|t2|r4|t1|i2|t22|t22|");
    EXPECT_EQ(FlowCode({"GOTO L", "FO = Y", "Y = 2", "L: END"}),
              "t37|f2C|t2|r4|t1|i2|t51|c2|t62|t1|r4|t22|t22|");
}

TEST(Statements, ColonSeparatesStatementsAndCommentsEndThem) {
    EXPECT_EQ(
        FlowCode({"FO = 1 : FO = 2 ' two in a row", "' a comment line", "", "RETURN", "FO = 3"}),
        "t51|c1|t62|t1|i2|t51|c2|t62|t1|i2|t39|t51|c3|t62|t1|i2|t22|");
}

TEST(Statements, OneFieldAfterACompleteStatementIsPassedOver) {
    EXPECT_EQ(FlowCode({"FO = 1 GARBAGE", "RETURN X"}), "t51|c1|t62|t1|i2|t39|t22|");
}

TEST(Statements, ReservedWordsWithoutMeaningAreNotStatements) {
    for (const char* word : {"PRINT X", "FOR I = 1 TO 2", "DIM A(2)", "THEN", "#"}) {
        const BasicCompileOutput output = Flow({"FO = 1", word});
        EXPECT_EQ(Messages(output), Strings{"Unrecognizable statement initiator"}) << word;
    }
}

TEST(Statements, LabelsThatAreReservedWords) {
    // "END:" is the END statement; a jump to it names no label.
    EXPECT_EQ(FlowCode({"FO = 1", "END:"}), "t51|c1|t62|t1|i2|t22|t22|");
    EXPECT_EQ(Messages(Flow({"FO = 1", "GOTO END"})), Strings{"Invalid label for GOTO...END"});
}

} // namespace
} // namespace k7
