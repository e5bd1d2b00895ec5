#include "basic_test_support.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

using namespace k7::test;
using Strings = std::vector<std::string>;

// The code of one statement compiled between ExpressionHeader and ExpressionTrailer.
std::string StatementCode(const std::string& statement) {
    const BasicCompileOutput output =
        CompileLines(Concat(Concat(ExpressionHeader, {statement}), ExpressionTrailer));
    EXPECT_TRUE(output.Errors.empty()) << statement << ": " << output.Errors[0].Message;
    const std::string code = CodeWords(output);
    const size_t trailer = code.rfind(ExpressionTrailerCode);
    EXPECT_EQ(trailer, code.size() - ExpressionTrailerCode.size()) << code;
    return code.substr(0, trailer);
}

// An error found at the line end belongs to the next line, which is then
// not compiled: a spare line keeps the trailer whole.
Strings StatementErrors(const std::string& statement) {
    return Messages(
        CompileLines(Concat(Concat(ExpressionHeader, {statement, "END"}), ExpressionTrailer)));
}

TEST(Assignment, ConvertsTheValueToTheTargetsType) {
    EXPECT_EQ(StatementCode("IO% = II%"), "t52|i2|t40|i7|");
    EXPECT_EQ(StatementCode("FO = FI"), "t2|i0|t1|i6|");
    EXPECT_EQ(StatementCode("SO$ = SI$"), "t66|i4|t64|i8|");
    EXPECT_EQ(StatementCode("FO = II%"), "t52|i2|t62|t1|i6|");
    EXPECT_EQ(StatementCode("IO% = FI"), "t2|i0|t61|t40|i7|");
    EXPECT_EQ(StatementCode("IO% = 2.5"), "t20|c2.5|t61|t40|i7|");
    EXPECT_EQ(StatementCode("FO = 1"), "t51|c1|t62|t1|i6|");
    EXPECT_EQ(StatementCode("SO$ = \"Hi there\""), "t65|c'Hi there|t64|i8|");
    const Strings conversion{"Type conversion error in assignment statement"};
    EXPECT_EQ(StatementErrors("SO$ = FI"), conversion);
    EXPECT_EQ(StatementErrors("FO = SI$"), conversion);
    EXPECT_EQ(StatementErrors("IO% = \"7\""), conversion);
}

TEST(Assignment, FirstLocalIsAtOffsetFour) {
    const BasicCompileOutput output =
        CompileLines({"#OUTPUTS", "o:FO", "#CODE", "X = 1", "FO = X"});
    EXPECT_TRUE(output.Errors.empty());
    EXPECT_EQ(CodeWords(output), "t51|c1|t62|t1|r4|t2|r4|t1|i0|t22|");
    const BasicCompileOutput two = CompileLines({"#CODE", "X = 1", "Y% = X", "X = Y%"});
    EXPECT_TRUE(two.Errors.empty());
    EXPECT_EQ(CodeWords(two), "t51|c1|t62|t1|r4|t2|r4|t61|t40|r8|t52|r8|t62|t1|r4|t22|");
    EXPECT_EQ(two.LocalRamBytes, 12);
}

TEST(Assignment, ArrayElementsCannotBeAddressed) {
    EXPECT_EQ(Messages(CompileLines({"#CODE", "A(1) = 2"}))[0],
              "Expected = in assignment statement");
}

TEST(Expressions, RunningTypeChoosesEachPush) {
    // Integer + Float turns the running type Float, so the second push is "t9".
    EXPECT_EQ(StatementCode("FO = II% + FI + JI%"),
              "t52|i2|t41|t2|i0|t10|t43|t62|t14|t9|t52|i3|t89|t11|t14|t1|i6|");
    EXPECT_EQ(StatementCode("IO% = II% + JI% - 1"),
              "t52|i2|t41|t52|i3|t42|t43|t45|t41|t51|c1|t42|t43|t46|t40|i7|");
    EXPECT_EQ(StatementCode("SO$ = SI$ + TI$ + \"!\""),
              "t66|i4|t77|t66|i5|t78|t79|t80|t77|t65|c'!|t78|t79|t80|t64|i8|");
}

TEST(Expressions, OperatorsPerType) {
    EXPECT_EQ(StatementCode("FO = FI - GI"), "t2|i0|t9|t2|i1|t10|t11|t15|t1|i6|");
    EXPECT_EQ(StatementCode("FO = FI OR GI"), "t2|i0|t9|t2|i1|t10|t11|t16|t1|i6|");
    EXPECT_EQ(StatementCode("IO% = II% OR JI%"), "t52|i2|t41|t52|i3|t42|t43|t47|t40|i7|");
    EXPECT_EQ(StatementCode("FO = FI * GI"), "t2|i0|t9|t2|i1|t10|t11|t17|t1|i6|");
    EXPECT_EQ(StatementCode("IO% = II% * JI%"), "t52|i2|t41|t52|i3|t42|t43|t48|t40|i7|");
    EXPECT_EQ(StatementCode("FO = FI / GI"), "t2|i0|t9|t2|i1|t10|t11|t18|t1|i6|");
    EXPECT_EQ(StatementCode("IO% = II% / JI%"), "t52|i2|t41|t52|i3|t42|t43|t49|t40|i7|");
    EXPECT_EQ(StatementCode("FO = FI AND GI"), "t2|i0|t9|t2|i1|t10|t11|t19|t1|i6|");
    EXPECT_EQ(StatementCode("IO% = II% AND JI%"), "t52|i2|t41|t52|i3|t42|t43|t50|t40|i7|");
    // Term pairs an Integer left with a Float right too.
    EXPECT_EQ(StatementCode("FO = II% * FI"), "t52|i2|t41|t2|i0|t10|t43|t62|t17|t1|i6|");
    EXPECT_EQ(StatementCode("FO = FI * II%"), "t2|i0|t9|t52|i2|t89|t11|t17|t1|i6|");
}

TEST(Expressions, PrecedenceAndGrouping) {
    EXPECT_EQ(StatementCode("FO = FI + GI * FI"),
              "t2|i0|t9|t2|i1|t9|t2|i0|t10|t11|t17|t10|t11|t14|t1|i6|");
    EXPECT_EQ(StatementCode("FO = (FI + GI) * FI"),
              "t2|i0|t9|t2|i1|t10|t11|t14|t9|t2|i0|t10|t11|t17|t1|i6|");
}

TEST(Expressions, NegationAndNot) {
    EXPECT_EQ(StatementCode("FO = -FI"), "t2|i0|t13|t1|i6|");
    EXPECT_EQ(StatementCode("IO% = -II%"), "t52|i2|t44|t40|i7|");
    EXPECT_EQ(StatementCode("FO = -FI + GI"), "t2|i0|t13|t9|t2|i1|t10|t11|t14|t1|i6|");
    EXPECT_EQ(StatementCode("IO% = NOT II%"), "t52|i2|t53|t40|i7|");
    EXPECT_EQ(StatementCode("FO = NOT FI"), "t2|i0|t21|t1|i6|");
    // "-" is not an operand: it becomes the subtraction of the next operand.
    EXPECT_EQ(StatementCode("FO = FI * -GI"), "t2|i0|t9|t89|t11|t17|t9|t2|i1|t10|t11|t15|t1|i6|");
    EXPECT_EQ(StatementCode("FO = FI * (-GI)"), "t2|i0|t9|t2|i1|t13|t10|t11|t17|t1|i6|");
}

TEST(Expressions, StringRules) {
    const Strings mismatch{"Type mismatch in expression: string and numeric"};
    EXPECT_EQ(StatementErrors("SO$ = SI$ + FI"), mismatch);
    EXPECT_EQ(StatementErrors("FO = FI + SI$"), mismatch);
    EXPECT_EQ(StatementErrors("FO = SI$ * FI"), mismatch);
    EXPECT_EQ(StatementErrors("SO$ = SI$ - TI$"), Strings{"Invalid math operation on string"});
    EXPECT_EQ(StatementErrors("SO$ = SI$ OR TI$"), Strings{"Invalid math operation on string"});
    EXPECT_EQ(StatementErrors("FO = FI * SI$"), Strings{"Invalid operation on string"});
    EXPECT_EQ(StatementErrors("SO$ = SI$ / TI$"), Strings{"Invalid operation on string"});
}

TEST(Comparisons, PairCompareAndTest) {
    EXPECT_EQ(StatementCode("IO% = FI = GI"), "t2|i0|t9|t2|i1|t10|t11|t90|t3|t40|i7|");
    EXPECT_EQ(StatementCode("IO% = II% < JI%"), "t52|i2|t41|t52|i3|t42|t43|t46|t5|t40|i7|");
    EXPECT_EQ(StatementCode("IO% = SI$ <> TI$"), "t66|i4|t77|t66|i5|t78|t79|t88|t4|t40|i7|");
    EXPECT_EQ(StatementCode("IO% = FI >= II%"), "t2|i0|t9|t52|i2|t89|t11|t90|t8|t40|i7|");
    EXPECT_EQ(StatementCode("IO% = II% <= FI"), "t52|i2|t41|t2|i0|t10|t43|t62|t90|t7|t40|i7|");
    EXPECT_EQ(StatementCode("IO% = II% > JI%"), "t52|i2|t41|t52|i3|t42|t43|t46|t6|t40|i7|");
    EXPECT_EQ(StatementCode("IO% = II% =< JI%"), "t52|i2|t41|t52|i3|t42|t43|t46|t7|t40|i7|");
    EXPECT_EQ(StatementCode("IO% = II% => JI%"), "t52|i2|t41|t52|i3|t42|t43|t46|t8|t40|i7|");
    EXPECT_EQ(StatementCode("IO% = II% >< JI%"), "t52|i2|t41|t52|i3|t42|t43|t46|t4|t40|i7|");
    // A comparison yields an Integer.
    EXPECT_EQ(StatementCode("FO = FI < GI"), "t2|i0|t9|t2|i1|t10|t11|t90|t5|t62|t1|i6|");
    EXPECT_EQ(StatementErrors("IO% = SI$ = FI"), Strings{"Comparing numeric to string"});
    EXPECT_EQ(StatementErrors("IO% = II% = TI$"), Strings{"Comparing numeric to string"});
}

TEST(Comparisons, LeftTypeIsTakenBeforeTheRightOperand) {
    // A Float left against a parenthesised Integer right: "t89" "t11", then "t90".
    EXPECT_EQ(StatementCode("IF FI = (II% + 1) THEN IO% = 1"),
              "t2|i0|t9|t52|i2|t41|t51|c1|t42|t43|t45|t89|t11|t90|t3|t63|f54|t51|c1|t40|i7|");
    EXPECT_EQ(StatementCode("IO% = II% = LEN(SI$)"),
              "t52|i2|t41|t66|i4|t69|t42|t43|t46|t3|t40|i7|");
}

TEST(Comparisons, AreNotAssociative) {
    EXPECT_EQ(Messages(CompileLines(Concat(ExpressionHeader, {"IF FI = GI = FI THEN IO% = 1",
                                                              "FO = 1", "IO% = 1", "SO$ = \"\""}))),
              Strings{"Expect THEN token after test expression"});
}

TEST(Functions, NumericFunctionsTakeFloats) {
    const std::pair<const char*, const char*> functions[] = {
        {"ABS", "t23"},  {"COS", "t24"},  {"SIN", "t25"}, {"TAN", "t26"}, {"ACOS", "t27"},
        {"ASIN", "t28"}, {"ATAN", "t29"}, {"EXP", "t32"}, {"INT", "t33"}, {"LOG10", "t30"},
        {"LN", "t31"},   {"RND", "t34"},  {"SQR", "t35"}};
    for (const auto& [name, opcode] : functions) {
        const std::string call = std::string(name) + "(";
        EXPECT_EQ(StatementCode("FO = " + call + "FI)"),
                  "t2|i0|" + std::string(opcode) + "|t1|i6|");
        EXPECT_EQ(StatementCode("FO = " + call + "II%)"),
                  "t52|i2|t62|" + std::string(opcode) + "|t1|i6|");
        EXPECT_EQ(StatementErrors("FO = " + call + "SI$)"),
                  Strings{"Invalid argument type for function " + std::string(name)});
    }
}

TEST(Functions, StringArgumentFunctions) {
    EXPECT_EQ(StatementCode("FO = VAL(SI$)"), "t66|i4|t71|t1|i6|");
    EXPECT_EQ(StatementCode("IO% = ASC(SI$)"), "t66|i4|t67|t40|i7|");
    EXPECT_EQ(StatementCode("IO% = LEN(SI$ + TI$)"), "t66|i4|t77|t66|i5|t78|t79|t80|t69|t40|i7|");
    EXPECT_EQ(StatementErrors("FO = VAL(FI)"), Strings{"Must have string argument for VAL"});
    EXPECT_EQ(StatementErrors("IO% = ASC(II%)"), Strings{"Must have string argument for ASC"});
    EXPECT_EQ(StatementErrors("IO% = LEN(3)"), Strings{"Must have string argument for LEN"});
}

TEST(Functions, ChrAndStrAreNotChecked) {
    EXPECT_EQ(StatementCode("SO$ = CHR$(II%)"), "t52|i2|t68|t64|i8|");
    EXPECT_EQ(StatementCode("SO$ = CHR$(SI$)"), "t66|i4|t68|t64|i8|");
    EXPECT_EQ(StatementCode("SO$ = STR$(FI)"), "t2|i0|t70|t64|i8|");
}

TEST(Functions, LeftRightAndMid) {
    EXPECT_EQ(StatementCode("SO$ = LEFT$(SI$, II%)"), "t66|i4|t52|i2|t72|t73|t64|i8|");
    EXPECT_EQ(StatementCode("SO$ = RIGHT$(SI$, FI)"), "t66|i4|t2|i0|t61|t72|t74|t64|i8|");
    EXPECT_EQ(StatementCode("SO$ = MID$(SI$, II%, FI)"),
              "t66|i4|t52|i2|t72|t2|i0|t61|t75|t76|t64|i8|");
    EXPECT_EQ(StatementCode("SO$ = LEFT$(FI, 2)"), "t2|i0|t51|c2|t72|t73|t64|i8|");
    EXPECT_EQ(StatementErrors("SO$ = LEFT$(SI$, TI$)"), Strings{"Wrong argument type for LEFT$"});
    EXPECT_EQ(StatementErrors("SO$ = RIGHT$(SI$, \"2\")"),
              Strings{"Wrong argument type for RIGHT$"});
    // The line is left with "(" open: the next assignment reports that as well.
    EXPECT_EQ(StatementErrors("SO$ = MID$(SI$, TI$, 1)"),
              (Strings{"Wrong argument type for MID$",
                       "Missing parenthesis before assignment statement"}));
    EXPECT_EQ(StatementErrors("SO$ = MID$(SI$, 1, TI$)"), Strings{"Wrong argument type for MID$"});
}

TEST(Functions, CallSyntax) {
    EXPECT_EQ(StatementErrors("FO = ABS FI")[0], "Missing parenthesis");
    EXPECT_EQ(StatementErrors("SO$ = LEFT$(SI$ II%)")[0],
              "Expected comma between function arguments");
    EXPECT_EQ(StatementErrors("SO$ = MID$(SI$, 1 2)")[0],
              "Expected comma between function arguments");
    // The ")" of LEFT$ is checked before its count's type.
    EXPECT_EQ(StatementErrors("SO$ = LEFT$(SI$, TI$ :")[0], "Missing parenthesis");
    // The ")" of MID$ is checked after its last count's type.
    EXPECT_EQ(StatementErrors("SO$ = MID$(SI$, 1, TI$ :")[0], "Wrong argument type for MID$");
    EXPECT_EQ(StatementErrors("FO = SQR(FI :")[0], "Missing parenthesis");
}

TEST(Literals, AreListedOnceInOrderOfAppearance) {
    const BasicCompileOutput output = CompileLines(Concat(
        ExpressionHeader, {"FO = 2.5 + 1", "IO% = 1", "SO$ = \"a\" + \"A\" + \"a\"", "FO = 2.5"}));
    EXPECT_TRUE(output.Errors.empty());
    EXPECT_EQ(output.Constants, (Strings{"2.5", "1", "'a", "'A"}));
}

TEST(Literals, RefuseBarsInStringsAndMalformedNumbers) {
    EXPECT_EQ(StatementErrors("SO$ = \"A|B\""),
              Strings{"String constant may not contain the character |"});
    EXPECT_EQ(StatementErrors("FO = 1.2.3"), Strings{"Invalid number...1.2.3"});
    EXPECT_EQ(StatementErrors("FO = ."), Strings{"Invalid number...."});
}

TEST(Expressions, DeepNestingIsRefusedNotOverflowed) {
    const std::string deep = "FO = " + std::string(5000, '(') + "FI" + std::string(5000, ')');
    const Strings errors = StatementErrors(deep);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors[0], "Expression nested too deeply");
    // Messages keep their first 60 characters.
    EXPECT_EQ(StatementErrors("IO% = " + std::string(3000, 'N') + ".X")[0],
              "Error in variable name..." + std::string(35, 'N'));
    const std::string nots = [] {
        std::string text = "IO% = ";
        for (int i = 0; i < 3000; ++i)
            text += "NOT ";
        return text + "II%";
    }();
    EXPECT_EQ(StatementErrors(nots)[0], "Expression nested too deeply");
    EXPECT_EQ(StatementCode("FO = " + std::string(50, '(') + "FI" + std::string(50, ')')),
              "t2|i0|t1|i6|");
}

} // namespace
} // namespace k7
